#include "ui/overview/OverviewView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "ui/editors/TimeEntryEditor.h"
#include "ui/export/CalendarExportSheet.h"
#include "ui/overview/DateRangePicker.h"
#include "ui/overview/RecentProjectButton.h"
#include "ui/shell/TrayIcons.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr int byProjectWidth = 260;

QString hoursNumber(const AppModel& model, Seconds seconds)
{
    return model.decimalString(seconds / 3600.0, 2, 2);
}

QString hoursText(const AppModel& model, Seconds seconds)
{
    return model.localized(Text::en("%@ h"), { hoursNumber(model, seconds) });
}

QString phaseLabel(const AppModel& model, PomodoroPhase phase)
{
    switch (phase) {
    case PomodoroPhase::work:
        return model.localized(Text::en("Work"));
    case PomodoroPhase::shortBreak:
        return model.localized(Text::en("Short Break"));
    case PomodoroPhase::longBreak:
        return model.localized(Text::en("Long Break"));
    }
    return {};
}

QColor phaseColor(PomodoroPhase phase)
{
    switch (phase) {
    case PomodoroPhase::work:
        return projectColor(u"orange"_s);
    case PomodoroPhase::shortBreak:
        return projectColor(u"green"_s);
    case PomodoroPhase::longBreak:
        break;
    }
    return projectColor(u"blue"_s);
}

QIcon themeIcon(const QString& name, const QString& fallback, QStyle::StandardPixmap standard, const QStyle* style)
{
    return QIcon::fromTheme(name, QIcon::fromTheme(fallback, style->standardIcon(standard)));
}

QLabel* headline(const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFont(Style::headlineFont(label->font()));
    return label;
}

QLabel* caption(const QString& objectName, QWidget* parent)
{
    QLabel* label = Style::secondaryLabel(parent);
    label->setObjectName(objectName);
    label->setFont(Style::captionFont(label->font()));
    return label;
}

// The shape both timer cards share: a column of texts, and a column of buttons at the top of the
// trailing edge.
struct TimerCardColumns
{
    QVBoxLayout* texts;
    QVBoxLayout* buttons;
};

TimerCardColumns timerCardColumns(QWidget* card)
{
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(16, 14, 16, 14);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    row->addLayout(texts, 1);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    row->addLayout(buttons);
    return { texts, buttons };
}

// A button of a timer card, added to its column above the column's closing stretch.
QPushButton* cardButton(const QString& objectName, const QString& iconName, QVBoxLayout* column, QWidget* card)
{
    auto* button = new QPushButton(card);
    button->setObjectName(objectName);
    button->setIcon(QIcon::fromTheme(iconName));
    column->insertWidget(column->count() - 1, button);
    return button;
}

// A running clock: quieter text in the fixed-width font, so the digits do not dance.
QLabel* clockLabel(const QString& objectName, QWidget* parent)
{
    QLabel* label = Style::secondaryLabel(parent);
    label->setObjectName(objectName);
    label->setFont(Style::monospacedFont(label->font()));
    return label;
}

// Removes what a layout holds, widgets included. They are taken out of the tree now and deleted
// once the current event is over.
void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        if (QLayout* child = item->layout())
            clearLayout(child);
        delete item;
    }
}

QFrame* divider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(u"dividerFrame"_s);
    line->setFixedHeight(1);
    QColor color = parent->palette().color(QPalette::WindowText);
    color.setAlphaF(0.12f);
    line->setStyleSheet(u"background: %1;"_s.arg(color.name(QColor::HexArgb)));
    return line;
}

} // namespace

OverviewView::OverviewView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(u"overviewView"_s);
    m_lastSection = m_model.selectedSection();
    resetRange();
    build();

    connect(&m_model, &AppModel::entriesChanged, this, [this] {
        invalidate(figures | exports | launcher);
    });
    connect(&m_model, &AppModel::projectsChanged, this, [this] {
        invalidate(figures | timer | launcher);
    });
    connect(&m_model, &AppModel::activeSessionChanged, this, [this] {
        invalidate(timer | launcher);
    });
    // Language and currency both live in the settings.
    connect(&m_model, &AppModel::settingsChanged, this, [this] {
        invalidate(everything);
    });
    for (auto signal : { &AppModel::pomodoroPhaseChanged,
             &AppModel::pomodoroPhaseStartChanged,
             &AppModel::pomodoroPhaseDurationChanged }) {
        connect(&m_model, signal, this, [this] {
            invalidate(timer);
        });
    }
    for (auto signal : { &AppModel::hasGoogleCalendarAuthorizationChanged,
             &AppModel::googleCalendarsChanged,
             &AppModel::isGoogleCalendarBusyChanged,
             &AppModel::hasAppleCalendarAuthorizationChanged,
             &AppModel::appleCalendarsChanged,
             &AppModel::isAppleCalendarBusyChanged }) {
        connect(&m_model, signal, this, [this] {
            invalidate(exports);
        });
    }
    connect(&m_model, &AppModel::nowChanged, this, [this] {
        if (isVisible() || !m_shownOnce)
            refreshLiveTimes();
    });
    connect(&m_model, &AppModel::selectedSectionChanged, this, [this] {
        // Coming back to the overview starts again from the last month.
        const MainSection section = m_model.selectedSection();
        if (section == MainSection::overview && m_lastSection != MainSection::overview) {
            resetRange();
            invalidate(figures | exports);
        }
        m_lastSection = section;
    });
    invalidate(everything, true);
}

OverviewView::~OverviewView() = default;

void OverviewView::resetRange()
{
    const Instant now = m_model.now();
    const QDateTime monthAgo = QDateTime::fromMSecsSinceEpoch(qint64(now * 1000.0)).addMonths(-1);
    m_rangeStart = monthAgo.isValid() ? Instant(monthAgo.toMSecsSinceEpoch()) / 1000.0 : now;
    m_rangeEnd = now;
    if (m_rangePicker)
        m_rangePicker->setRange(m_rangeStart, m_rangeEnd);
}

void OverviewView::setRange(Instant start, Instant end)
{
    m_rangeStart = start;
    m_rangeEnd = end;
    m_rangePicker->setRange(start, end);
    invalidate(figures | exports, true);
}

InstantRange OverviewView::normalizedRange(Instant start, Instant end)
{
    const Instant lower = std::min(start, end);
    const Instant upper = std::max(start, end);
    const Instant last = LocalCalendar::lastSecondOfDay(upper);
    return { lower, std::max(last, lower) };
}

QList<EntryListDay> OverviewView::entriesByDay(const QList<TimeEntry>& entries, InstantRange range)
{
    // The filtered list is latest start first, so one day's entries come together and the days
    // come newest first.
    QList<EntryListDay> days;
    for (const TimeEntry& entry : BillingEngine::filteredEntries(entries, range)) {
        const QDate day = LocalCalendar::localDate(entry.startDate);
        if (days.isEmpty() || days.last().day != day)
            days.append({ day, {} });
        days.last().entries.append(entry);
    }
    // Equal starts keep the stored order, which can bring back a day seen before only when the
    // clock was turned back; sort stably to be sure each day is one group.
    std::stable_sort(days.begin(), days.end(), [](const EntryListDay& a, const EntryListDay& b) {
        return a.day > b.day;
    });
    for (qsizetype i = days.size() - 1; i > 0; --i) {
        if (days[i].day == days[i - 1].day) {
            days[i - 1].entries.append(days[i].entries);
            days.removeAt(i);
        }
    }
    return days;
}

Seconds OverviewView::maxEntryDuration(const QList<EntryListDay>& days)
{
    Seconds longest = 0;
    bool any = false;
    for (const EntryListDay& day : days) {
        for (const TimeEntry& entry : day.entries) {
            longest = std::max(longest, std::max(entry.endDate - entry.startDate, 0.0));
            any = true;
        }
    }
    return any ? longest : 1;
}

// ---- building --------------------------------------------------------------------------------

void OverviewView::build()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = m_scrollArea = new QScrollArea(this);
    scroll->setObjectName(u"overviewScrollArea"_s);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->addWidget(scroll);

    auto* content = new QWidget;
    content->setObjectName(u"overviewContentWidget"_s);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(16);
    layout->addWidget(buildHeader());
    layout->addWidget(buildSummaryCards());
    layout->addWidget(buildRunningCard());
    layout->addWidget(buildBreakCard());
    layout->addWidget(buildLauncher());
    layout->addWidget(buildSections());
    layout->addStretch();
    scroll->setWidget(content);
    // The scroll area's own background would show as a slab behind the cards.
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    scroll->viewport()->installEventFilter(this);
}

QWidget* OverviewView::buildHeader()
{
    auto* header = new QWidget(this);
    auto* rows = new QVBoxLayout(header);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(10);
    m_headerTop = new QHBoxLayout;
    m_headerTop->setSpacing(12);
    rows->addLayout(m_headerTop);
    m_headerBottom = new QHBoxLayout;
    m_headerBottom->addStretch();
    rows->addLayout(m_headerBottom);

    m_titleLabel = new QLabel(header);
    m_titleLabel->setObjectName(u"titleLabel"_s);
    m_titleLabel->setFont(Style::titleFont(m_titleLabel->font()));
    m_headerTop->addWidget(m_titleLabel);

    m_rangePicker = new DateRangePicker(header);
    m_rangePicker->setObjectName(u"rangePicker"_s);
    m_rangePicker->setClock([this] {
        return m_model.now();
    });
    m_rangePicker->setRange(m_rangeStart, m_rangeEnd);
    connect(m_rangePicker, &DateRangePicker::rangeChanged, this, &OverviewView::setRange);
    m_headerTop->addWidget(m_rangePicker);
    m_headerTop->addStretch();

    m_exportButtons = new QWidget(header);
    m_exportButtons->setObjectName(u"exportButtonsWidget"_s);
    auto* buttons = new QHBoxLayout(m_exportButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(8);
    m_csvButton = new QPushButton(m_exportButtons);
    m_csvButton->setObjectName(u"exportCSVButton"_s);
    m_csvButton->setIcon(QIcon::fromTheme(u"document-save-as"_s));
    connect(m_csvButton, &QPushButton::clicked, this, &OverviewView::exportCSV);
    buttons->addWidget(m_csvButton);
    m_googleButton = new QPushButton(m_exportButtons);
    m_googleButton->setObjectName(u"exportGoogleCalendarButton"_s);
    connect(m_googleButton, &QPushButton::clicked, this, &OverviewView::exportGoogleCalendar);
    buttons->addWidget(m_googleButton);
    m_appleButton = new QPushButton(m_exportButtons);
    m_appleButton->setObjectName(u"exportAppleCalendarButton"_s);
    connect(m_appleButton, &QPushButton::clicked, this, &OverviewView::exportAppleCalendar);
    buttons->addWidget(m_appleButton);
    for (QPushButton* button : { m_googleButton, m_appleButton })
        button->setIcon(QIcon::fromTheme(u"x-office-calendar"_s));
    m_headerTop->addWidget(m_exportButtons);
    return header;
}

void OverviewView::arrangeHeader()
{
    // The export buttons share the title's row while it has room (in German it often has not);
    // otherwise they move to a row of their own under it, still at the trailing edge.
    const int available = m_scrollArea->viewport()->width() - 40;
    const int needed = m_titleLabel->sizeHint().width() + m_rangePicker->sizeHint().width()
        + m_exportButtons->sizeHint().width() + 3 * m_headerTop->spacing() + 24;
    const bool onTop = needed <= available;
    if (onTop == (m_headerTop->indexOf(m_exportButtons) >= 0))
        return;
    if (onTop)
        m_headerTop->addWidget(m_exportButtons);
    else
        m_headerBottom->addWidget(m_exportButtons);
}

bool OverviewView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Resize)
        arrangeHeader();
    return QWidget::eventFilter(watched, event);
}

QWidget* OverviewView::buildSummaryCards()
{
    auto* cards = new QWidget(this);
    auto* row = new QHBoxLayout(cards);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    auto card = [&](const QString& name, QLabel*& title, QLabel*& value) {
        auto* frame = new Style::Card(cards, 0.08);
        frame->setObjectName(name + u"Card"_s);
        auto* column = new QVBoxLayout(frame);
        column->setContentsMargins(12, 12, 12, 12);
        column->setSpacing(4);
        title = Style::secondaryLabel(frame);
        title->setObjectName(name + u"TitleLabel"_s);
        column->addWidget(title);
        value = new QLabel(frame);
        value->setObjectName(name + u"ValueLabel"_s);
        value->setFont(Style::title3Font(value->font()));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(value);
        row->addWidget(frame, 1);
        return frame;
    };
    card(u"hours"_s, m_hoursTitle, m_hoursValue);
    m_amountCard = card(u"amount"_s, m_amountTitle, m_amountValue);
    card(u"projects"_s, m_projectsTitle, m_projectsValue);
    return cards;
}

QWidget* OverviewView::buildRunningCard()
{
    m_runningCard = new Style::Card(this, 0.12);
    m_runningCard->setObjectName(u"runningCard"_s);
    const auto [texts, buttons] = timerCardColumns(m_runningCard);
    m_runningHeadline = headline(u"runningHeadlineLabel"_s, m_runningCard);
    texts->addWidget(m_runningHeadline);
    m_runningProject = new QLabel(m_runningCard);
    m_runningProject->setObjectName(u"runningProjectLabel"_s);
    m_runningProject->setTextFormat(Qt::PlainText);
    texts->addWidget(m_runningProject);
    m_runningElapsed = clockLabel(u"runningElapsedLabel"_s, m_runningCard);
    texts->addWidget(m_runningElapsed);

    m_runningPhase = new QWidget(m_runningCard);
    m_runningPhase->setObjectName(u"runningPhaseWidget"_s);
    auto* phaseRow = new QHBoxLayout(m_runningPhase);
    phaseRow->setContentsMargins(0, 0, 0, 0);
    phaseRow->setSpacing(4);
    auto* timerIcon = new QLabel(m_runningPhase);
    const int iconSize = QFontMetrics(Style::captionFont(font())).height();
    timerIcon->setPixmap(TrayIcons::running().pixmap(iconSize, iconSize));
    phaseRow->addWidget(timerIcon);
    m_runningPhaseText = new QLabel(m_runningPhase);
    m_runningPhaseText->setObjectName(u"runningPhaseLabel"_s);
    m_runningPhaseText->setFont(Style::captionFont(m_runningPhaseText->font()));
    QPalette orange = m_runningPhaseText->palette();
    orange.setColor(QPalette::WindowText, projectColor(u"orange"_s).darker(115));
    m_runningPhaseText->setPalette(orange);
    phaseRow->addWidget(m_runningPhaseText);
    phaseRow->addStretch();
    texts->addWidget(m_runningPhase);

    m_stopButton = cardButton(u"stopTimerButton"_s, u"media-playback-stop"_s, buttons, m_runningCard);
    connect(m_stopButton, &QPushButton::clicked, this, [this] {
        m_model.stopTracking(false);
    });
    m_skipPhaseButton = cardButton(u"skipPhaseButton"_s, u"media-skip-forward"_s, buttons, m_runningCard);
    connect(m_skipPhaseButton, &QPushButton::clicked, this, [this] {
        m_model.skipPomodoroPhase();
    });
    return m_runningCard;
}

QWidget* OverviewView::buildBreakCard()
{
    m_breakCard = new Style::Card(this, 0.12);
    m_breakCard->setObjectName(u"breakCard"_s);
    const auto [texts, buttons] = timerCardColumns(m_breakCard);
    m_breakPhase = headline(u"breakPhaseLabel"_s, m_breakCard);
    texts->addWidget(m_breakPhase);
    m_breakRemaining = clockLabel(u"breakRemainingLabel"_s, m_breakCard);
    texts->addWidget(m_breakRemaining);

    m_skipBreakButton = cardButton(u"skipBreakButton"_s, u"media-skip-forward"_s, buttons, m_breakCard);
    connect(m_skipBreakButton, &QPushButton::clicked, this, [this] {
        m_model.skipPomodoroPhase();
    });
    m_stopBreakButton = cardButton(u"stopBreakButton"_s, u"media-playback-stop"_s, buttons, m_breakCard);
    connect(m_stopBreakButton, &QPushButton::clicked, this, [this] {
        m_model.stopTimer();
    });
    return m_breakCard;
}

QWidget* OverviewView::buildLauncher()
{
    auto* card = new Style::Card(this, 0.06);
    card->setObjectName(u"launcherCard"_s);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(16, 14, 16, 14);

    auto* empty =
        new Style::EmptyState(themeIcon(u"briefcase"_s, u"folder-documents"_s, QStyle::SP_DirIcon, style()), card);
    empty->setObjectName(u"launcherEmptyState"_s);
    m_launcherEmpty = empty;
    layout->addWidget(m_launcherEmpty);

    m_launcherContent = new QWidget(card);
    m_launcherContent->setObjectName(u"launcherContentWidget"_s);
    auto* column = new QVBoxLayout(m_launcherContent);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    auto* top = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_launcherTitle = headline(u"launcherTitleLabel"_s, m_launcherContent);
    texts->addWidget(m_launcherTitle);
    m_launcherText = caption(u"launcherTextLabel"_s, m_launcherContent);
    m_launcherText->setWordWrap(true);
    texts->addWidget(m_launcherText);
    top->addLayout(texts, 1);
    m_startMenuButton = new QToolButton(m_launcherContent);
    m_startMenuButton->setObjectName(u"startAnotherProjectButton"_s);
    m_startMenuButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_startMenuButton->setPopupMode(QToolButton::InstantPopup);
    m_startMenuButton->setIcon(playStopIcon(palette().color(QPalette::WindowText), false));
    m_startMenu = new QMenu(m_startMenuButton);
    m_startMenu->setObjectName(u"startProjectMenu"_s);
    m_startMenuButton->setMenu(m_startMenu);
    top->addWidget(m_startMenuButton, 0, Qt::AlignTop);
    column->addLayout(top);
    m_recentLabel = Style::secondaryLabel(m_launcherContent);
    m_recentLabel->setObjectName(u"recentLabel"_s);
    QFont recentFont = Style::captionFont(m_recentLabel->font());
    recentFont.setWeight(QFont::DemiBold);
    m_recentLabel->setFont(recentFont);
    column->addWidget(m_recentLabel);
    m_recentRow = new QHBoxLayout;
    m_recentRow->setSpacing(10);
    column->addLayout(m_recentRow);
    layout->addWidget(m_launcherContent);
    return card;
}

QWidget* OverviewView::buildSections()
{
    auto* sections = new QWidget(this);
    auto* row = new QHBoxLayout(sections);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);

    auto* entries = new Style::Card(sections, 0.06);
    entries->setObjectName(u"entriesCard"_s);
    auto* entriesColumn = new QVBoxLayout(entries);
    entriesColumn->setContentsMargins(16, 14, 16, 14);
    entriesColumn->setSpacing(12);
    m_entriesTitle = headline(u"entriesTitleLabel"_s, entries);
    entriesColumn->addWidget(m_entriesTitle);
    auto* entriesEmpty = new Style::EmptyState(
        themeIcon(u"document-open-recent"_s, u"appointment-new"_s, QStyle::SP_FileDialogInfoView, style()), entries);
    entriesEmpty->setObjectName(u"entriesEmptyState"_s);
    m_entriesEmpty = entriesEmpty;
    entriesColumn->addWidget(m_entriesEmpty);
    m_entryList = new EntryListView(m_model, entries);
    connect(m_entryList, &EntryListView::editRequested, this, &OverviewView::editEntry);
    connect(m_entryList, &EntryListView::deleteRequested, this, [this](const TimeEntry& entry) {
        m_model.deleteEntry(entry);
    });
    entriesColumn->addWidget(m_entryList);
    row->addWidget(entries, 1, Qt::AlignTop);

    auto* byProject = new Style::Card(sections, 0.06);
    byProject->setObjectName(u"byProjectCard"_s);
    byProject->setFixedWidth(byProjectWidth);
    auto* byProjectColumn = new QVBoxLayout(byProject);
    byProjectColumn->setContentsMargins(16, 14, 16, 14);
    byProjectColumn->setSpacing(12);
    m_byProjectTitle = headline(u"byProjectTitleLabel"_s, byProject);
    byProjectColumn->addWidget(m_byProjectTitle);
    auto* byProjectEmpty = new Style::EmptyState(
        themeIcon(u"x-office-calendar"_s, u"office-calendar"_s, QStyle::SP_MessageBoxInformation, style()), byProject);
    byProjectEmpty->setObjectName(u"byProjectEmptyState"_s);
    m_byProjectEmpty = byProjectEmpty;
    byProjectColumn->addWidget(m_byProjectEmpty);
    m_byProjectRows = new QVBoxLayout;
    m_byProjectRows->setSpacing(0);
    byProjectColumn->addLayout(m_byProjectRows);
    row->addWidget(byProject, 0, Qt::AlignTop);
    return sections;
}

// ---- refreshing ------------------------------------------------------------------------------

void OverviewView::invalidate(int parts, bool now)
{
    m_stale |= parts;
    if (now) {
        refresh();
        return;
    }
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_refreshQueued = false;
        refresh();
    });
}

void OverviewView::changeEvent(QEvent* event)
{
    // The drawn play glyph takes the text colour, which a theme change replaces.
    if (event->type() == QEvent::PaletteChange && m_startMenuButton)
        m_startMenuButton->setIcon(playStopIcon(palette().color(QPalette::WindowText), false));
    QWidget::changeEvent(event);
}

void OverviewView::showEvent(QShowEvent* event)
{
    m_shownOnce = true;
    refresh();
    QWidget::showEvent(event);
}

void OverviewView::refresh()
{
    // Once shown, a hidden overview waits: a section the user is not looking at need not follow
    // every edit. Its showEvent catches up.
    if (m_shownOnce && !isVisible())
        return;
    const int stale = std::exchange(m_stale, 0);
    if (stale & texts)
        retranslate();
    if (stale & figures)
        refreshFigures();
    if (stale & timer)
        refreshTimer();
    if (stale & launcher)
        refreshLauncher();
    if (stale & (exports | figures))
        refreshExportButtons();
}

void OverviewView::retranslate()
{
    setLocale(m_model.appLocale());
    m_rangePicker->setLocale(m_model.appLocale());
    m_csvButton->setText(m_model.localized(Text::en("Export CSV")));
    m_googleButton->setText(m_model.localized(Text::en("Export Google Calendar")));
    m_appleButton->setText(m_model.localized(Text::en("Export Apple Calendar")));
    //: Short heading over the total of tracked hours.
    m_hoursTitle->setText(m_model.localized(Text::en("Hours")));
    m_amountTitle->setText(m_model.localized(Text::en("Amount Due")));
    m_projectsTitle->setText(m_model.localized(Text::en("Projects")));
    m_runningHeadline->setText(m_model.localized(Text::en("Currently Tracking")));
    //: Verb, a button: stop tracking time.
    m_stopButton->setText(m_model.localized(Text::en("Stop Timer")));
    m_skipPhaseButton->setText(m_model.localized(Text::en("Skip Phase")));
    m_skipBreakButton->setText(m_model.localized(Text::en("Skip Break")));
    m_stopBreakButton->setText(m_model.localized(Text::en("Stop Timer")));
    static_cast<Style::EmptyState*>(m_launcherEmpty)
        ->setTexts(m_model.localized(Text::en("No projects yet")),
            m_model.localized(Text::en("Create a project to start tracking time from the Overview.")));
    m_launcherTitle->setText(m_model.localized(Text::en("Start Timer")));
    m_launcherText->setText(
        m_model.localized(Text::en("Jump back into a recent project or start any active project from here.")));
    m_startMenuButton->setText(m_model.localized(Text::en("Start Another Project")));
    m_recentLabel->setText(m_model.localized(Text::en("Recent")));
    //: Short heading over the number of time entries.
    m_entriesTitle->setText(m_model.localized(Text::en("Entries")));
    static_cast<Style::EmptyState*>(m_entriesEmpty)
        ->setTexts(m_model.localized(Text::en("No entries")),
            m_model.localized(Text::en("Start and stop a project from the menu bar to create time entries.")));
    m_byProjectTitle->setText(m_model.localized(Text::en("By Project")));
    arrangeHeader();
    static_cast<Style::EmptyState*>(m_byProjectEmpty)
        ->setTexts(m_model.localized(Text::en("No tracked time")),
            m_model.localized(Text::en("Tracked time in the selected date range will appear here.")));
}

void OverviewView::refreshFigures()
{
    const InstantRange range = this->range();
    const QList<TimeEntry>& entries = m_model.entries();
    const QList<Project>& projects = m_model.projects();
    const QList<ProjectBillingSummary> summaries = BillingEngine::summaries(entries, projects, range);
    const bool hasBilling = std::any_of(summaries.cbegin(), summaries.cend(), [](const ProjectBillingSummary& s) {
        return s.project.hourlyRate.has_value();
    });

    m_titleLabel->setText(
        hasBilling ? m_model.localized(Text::en("Billing Overview")) : m_model.localized(Text::en("Time Overview")));
    arrangeHeader();
    const Seconds hours = hasBilling ? BillingEngine::totalBillableDuration(entries, projects, range)
                                     : BillingEngine::totalDuration(entries, range);
    m_hoursValue->setText(hoursNumber(m_model, hours));
    m_amountCard->setVisible(hasBilling);
    if (hasBilling)
        m_amountValue->setText(m_model.currencyString(BillingEngine::totalAmount(entries, projects, range)));
    m_projectsValue->setText(m_model.decimalString(double(summaries.size()), 0, 0));

    // By project: a handful of rows, plain widgets.
    clearLayout(m_byProjectRows);
    m_byProjectEmpty->setVisible(summaries.isEmpty());
    QWidget* parent = m_byProjectEmpty->parentWidget();
    for (qsizetype i = 0; i < summaries.size(); ++i) {
        const ProjectBillingSummary& summary = summaries[i];
        const Project& project = summary.project;
        if (i > 0)
            m_byProjectRows->addWidget(divider(parent));
        auto* row = new QWidget(parent);
        row->setObjectName(u"byProjectRow"_s);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 8, 0, 8);
        line->setSpacing(8);
        auto* dot = new QLabel(row);
        dot->setPixmap(TrayIcons::colorDot(projectColor(project.colorName)).pixmap(10, 10));
        line->addWidget(dot);
        auto* name = new Style::ElidedLabel(project.name, row);
        name->setObjectName(u"nameLabel"_s);
        line->addWidget(name, 1);
        QFont semibold = font();
        semibold.setWeight(QFont::DemiBold);
        if (project.hourlyRate) {
            QLabel* billed = Style::secondaryLabel(row);
            billed->setObjectName(u"hoursLabel"_s);
            billed->setText(hoursText(m_model, summary.duration));
            line->addWidget(billed);
            auto* amount = new QLabel(m_model.currencyString(summary.amount), row);
            amount->setObjectName(u"amountLabel"_s);
            amount->setFont(semibold);
            line->addWidget(amount);
        } else {
            auto* actual = new QLabel(hoursText(m_model, summary.actualDuration), row);
            actual->setObjectName(u"hoursLabel"_s);
            actual->setFont(semibold);
            line->addWidget(actual);
        }
        m_byProjectRows->addWidget(row);
    }

    // Entries by day.
    const QList<EntryListDay> days = entriesByDay(entries, range);
    m_hasEntries = !days.isEmpty();
    m_entriesEmpty->setVisible(!m_hasEntries);
    m_entryList->setVisible(m_hasEntries);
    m_entryList->setDays(days,
        m_hasEntries ? BillingEngine::billedDurations(entries, projects, range) : QHash<QUuid, Seconds>(),
        maxEntryDuration(days));
}

void OverviewView::refreshTimer()
{
    const std::optional<Project> active = m_model.activeProject();
    const bool running = m_model.activeSession() && active;
    m_runningCard->setVisible(running);
    if (running) {
        m_runningCard->setTint(projectColor(active->colorName), 0.12);
        m_runningProject->setText(active->name);
    }
    const auto& phase = m_model.pomodoroPhase();
    m_skipPhaseButton->setVisible(phase.has_value());
    const bool onBreak = !m_model.activeSession() && phase && m_model.pomodoroRemaining();
    m_breakCard->setVisible(onBreak);
    if (onBreak) {
        m_breakCard->setTint(phaseColor(*phase), 0.12);
        m_breakPhase->setText(phaseLabel(m_model, *phase));
    }
    refreshLiveTimes();
}

void OverviewView::refreshLiveTimes()
{
    // Once a second: only the texts of the two clocks.
    const auto& phase = m_model.pomodoroPhase();
    const std::optional<Seconds> remaining = m_model.pomodoroRemaining();
    if (m_runningCard->isVisibleTo(this) && m_model.activeSession()) {
        m_runningElapsed->setText(AppModel::formattedDuration(m_model.now() - m_model.activeSession()->startDate));
        const bool phaseShown = phase && remaining;
        m_runningPhase->setVisible(phaseShown);
        if (phaseShown) {
            m_runningPhaseText->setText(m_model.localized(Text::en("%@ - %@ remaining"),
                { phaseLabel(m_model, *phase), AppModel::formattedDuration(*remaining) }));
        }
    }
    if (m_breakCard->isVisibleTo(this) && remaining)
        m_breakRemaining->setText(AppModel::formattedDuration(*remaining));
}

void OverviewView::refreshLauncher()
{
    const QList<Project> active = m_model.activeProjects();
    m_launcherEmpty->setVisible(active.isEmpty());
    m_launcherContent->setVisible(!active.isEmpty());

    const std::optional<QUuid> tracked =
        m_model.activeSession() ? std::optional(m_model.activeSession()->projectID) : std::nullopt;
    m_startMenu->clear();
    for (const Project& project : active) {
        QAction* action = m_startMenu->addAction(project.name);
        action->setIconVisibleInMenu(true);
        action->setIcon(project.id == tracked ? checkIcon(projectColor(project.colorName))
                                              : TrayIcons::colorDot(projectColor(project.colorName)));
        connect(action, &QAction::triggered, this, [this, project] {
            m_model.startTracking(project);
        });
    }

    clearLayout(m_recentRow);
    const QList<Project> recent = active.isEmpty() ? QList<Project>() : m_model.recentlyUsedProjects(3);
    m_recentLabel->setVisible(!recent.isEmpty());
    for (const Project& project : recent) {
        const bool running = project.id == tracked;
        const QString caption = running ? m_model.localized(Text::en("Running"))
            : project.hourlyRate
            ? m_model.localized(Text::en("%@ / hour"), { m_model.currencyString(*project.hourlyRate) })
            : m_model.localized(Text::en("Start timer"));
        auto* button = new RecentProjectButton(project, running, caption, m_launcherContent);
        connect(button, &QAbstractButton::clicked, this, [this, project] {
            m_model.startTracking(project);
        });
        m_recentRow->addWidget(button, 1);
        button->show();
    }
    // Fewer than three buttons keep the width a third would have.
    if (!recent.isEmpty() && recent.size() < 3)
        m_recentRow->addStretch(int(3 - recent.size()));
}

void OverviewView::refreshExportButtons()
{
    m_csvButton->setEnabled(m_hasEntries);
    m_googleButton->setEnabled(m_hasEntries && m_model.hasGoogleCalendarAuthorization()
        && !m_model.googleCalendars().isEmpty() && !m_model.isGoogleCalendarBusy());
    m_appleButton->setEnabled(m_hasEntries && m_model.hasAppleCalendarAuthorization()
        && !m_model.appleCalendars().isEmpty() && !m_model.isAppleCalendarBusy());
}

// ---- actions ---------------------------------------------------------------------------------

void OverviewView::exportCSV()
{
    m_model.exportCSV(range());
}

void OverviewView::exportGoogleCalendar()
{
    if (std::optional<GoogleCalendarExportDraft> draft = m_model.googleCalendarExportDraft(range())) {
        m_googleDraft = std::move(draft);
        openExportSheet<GoogleCalendarExportSheet>(m_googleDraft);
    }
}

void OverviewView::exportAppleCalendar()
{
    if (std::optional<AppleCalendarExportDraft> draft = m_model.appleCalendarExportDraft(range())) {
        m_appleDraft = std::move(draft);
        openExportSheet<AppleCalendarExportSheet>(m_appleDraft);
    }
}

template <typename Sheet, typename Draft> void OverviewView::openExportSheet(std::optional<Draft>& draft)
{
    auto* dialog = new QDialog(this);
    dialog->setObjectName(u"exportSheetDialog"_s);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* sheet = new Sheet(m_model, *draft, dialog);
    (new QVBoxLayout(dialog))->addWidget(sheet);
    dialog->setWindowTitle(sheet->windowTitle());
    // The sheet edits the draft in place, so the draft goes only once the sheet is gone,
    // however the dialog was closed.
    connect(dialog, &QObject::destroyed, this, [&draft] {
        draft.reset();
    });
    connect(sheet, &Sheet::cancelRequested, dialog, &QDialog::reject);
    connect(sheet, &Sheet::exportRequested, this, [this, dialog = QPointer<QDialog>(dialog), &draft] {
        if (!draft)
            return;
        // The export runs with the draft and range as they are now; the sheet closes only when
        // the export left no error, otherwise it stays with the user's choices.
        [](QPointer<OverviewView> self, QPointer<QDialog> dialog, Draft draft, InstantRange range) -> QCoro::Task<> {
            AppModel& model = self->m_model;
            QCoro::Task<> task = [&]() {
                if constexpr (std::is_same_v<Draft, GoogleCalendarExportDraft>)
                    return model.exportGoogleCalendar(draft, range);
                else
                    return model.exportAppleCalendar(draft, range);
            }();
            co_await std::move(task);
            if (self && dialog && !self->m_model.errorMessage())
                dialog->accept();
        }(this, dialog, *draft, range());
    });
    dialog->open();
}

void OverviewView::editEntry(const TimeEntry& entry)
{
    if (m_entrySheet)
        m_entrySheet->close();
    m_entrySheet = TimeEntryEditor::openSheet(m_model, entry, this);
}

} // namespace tivren
