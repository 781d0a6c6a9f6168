// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/OverviewView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "ui/editors/TimeEntryEditor.h"
#include "ui/export/CalendarExportSheet.h"
#include "ui/overview/DateRangePicker.h"
#include "ui/overview/cards/BreakTimerCard.h"
#include "ui/overview/cards/ByProjectCard.h"
#include "ui/overview/cards/ProjectLauncherCard.h"
#include "ui/overview/cards/RunningTimerCard.h"
#include "ui/overview/cards/SummaryCards.h"
#include "ui/style/Accessibility.h"
#include "ui/style/ScreenPage.h"
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
    // The export buttons need the calendar lists: fetched from when this screen is first built.
    m_model.googleCalendar().wantCalendars();
    m_model.desktopCalendar().wantCalendars();
    for (const CalendarConnectionBase* calendar : m_model.calendarConnections()) {
        for (auto signal : { &CalendarConnectionBase::authorizationChanged,
                 &CalendarConnectionBase::calendarsChanged,
                 &CalendarConnectionBase::busyChanged }) {
            connect(calendar, signal, this, [this] {
                invalidate(exports);
            });
        }
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

QList<EntryListDay> OverviewView::entriesByDay(
    const QList<TimeEntry>& entries, const EntryStartIndex& index, InstantRange range)
{
    // The filtered list is latest start first, so one day's entries come together and the days
    // come newest first.
    QList<EntryListDay> days;
    for (const TimeEntry& entry : BillingEngine::filteredEntries(entries, index, range)) {
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
    auto* page = new ScreenPage(u"overview"_s, this);
    m_scrollArea = page;
    outer->addWidget(page);
    m_summaryCards = new SummaryCards(this);
    for (QWidget* section :
        { buildHeader(), static_cast<QWidget*>(m_summaryCards), buildTimerCards(), buildSections() })
        page->addSection(section);
    page->viewport()->installEventFilter(this);
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
    m_titleLabel->setFont(Style::font(TextStyle::title, m_titleLabel->font()));
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
    m_csvButton->setShortcut(Shortcuts::exportCSV());
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

QWidget* OverviewView::buildTimerCards()
{
    auto* cards = new QWidget(this);
    auto* column = new QVBoxLayout(cards);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(ScreenPage::spacing);
    m_runningCard = new RunningTimerCard(m_model, cards);
    column->addWidget(m_runningCard);
    m_breakCard = new BreakTimerCard(m_model, cards);
    column->addWidget(m_breakCard);
    m_launcherCard = new ProjectLauncherCard(m_model, cards);
    column->addWidget(m_launcherCard);
    return cards;
}

QWidget* OverviewView::buildSections()
{
    auto* sections = new QWidget(this);
    auto* row = new QHBoxLayout(sections);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);

    auto* entries = new Style::Card(sections, 0.06);
    entries->setObjectName(u"entriesCard"_s);
    QVBoxLayout* entriesColumn = Style::cardColumn(entries);
    m_entriesTitle = Style::label(TextStyle::headline, u"entriesTitleLabel"_s, entries);
    entriesColumn->addWidget(m_entriesTitle);
    m_entriesEmpty = new Style::EmptyState(
        Style::themeIcon(u"document-open-recent"_s, u"appointment-new"_s, QStyle::SP_FileDialogInfoView, style()),
        entries);
    m_entriesEmpty->setObjectName(u"entriesEmptyState"_s);
    entriesColumn->addWidget(m_entriesEmpty);
    m_entryList = new EntryListView(m_model, entries);
    connect(m_entryList, &EntryListView::editRequested, this, &OverviewView::editEntry);
    connect(m_entryList, &EntryListView::deleteRequested, this, [this](const TimeEntry& entry) {
        m_model.deleteEntry(entry);
    });
    entriesColumn->addWidget(m_entryList);
    row->addWidget(entries, 1, Qt::AlignTop);

    m_byProjectCard = new ByProjectCard(m_model, sections);
    row->addWidget(m_byProjectCard, 0, Qt::AlignTop);
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
        m_launcherCard->refresh();
    if (stale & (exports | figures))
        refreshExportButtons();
}

void OverviewView::retranslate()
{
    setLocale(m_model.appLocale());
    m_rangePicker->setLocale(m_model.appLocale());
    m_csvButton->setText(m_model.localized(Text::en("Export CSV")));
    m_csvButton->setToolTip(Accessibility::withShortcut(m_csvButton->text(), Shortcuts::exportCSV()));
    m_googleButton->setText(m_model.localized(Text::en("Export Google Calendar")));
    m_appleButton->setText(m_model.localized(Text::en("Export Apple Calendar")));
    //: Short heading over the total of tracked hours.
    m_summaryCards->setTitles(m_model.localized(Text::en("Hours")),
        m_model.localized(Text::en("Amount Due")),
        m_model.localized(Text::en("Projects")));
    m_runningCard->retranslate();
    m_breakCard->retranslate();
    m_launcherCard->retranslate();
    //: Short heading over the number of time entries.
    m_entriesTitle->setText(m_model.localized(Text::en("Entries")));
    m_entryList->setAccessibleName(m_entriesTitle->text());
    m_entriesEmpty->setTexts(m_model.localized(Text::en("No entries")),
        m_model.localized(Text::en("Start and stop a project from the menu bar to create time entries.")));
    m_byProjectCard->retranslate();
    arrangeHeader();
}

void OverviewView::refreshFigures()
{
    const InstantRange range = this->range();
    const QList<TimeEntry>& entries = m_model.entries();
    const EntryStartIndex& index = m_model.entryIndex();
    const QList<Project>& projects = m_model.projects();
    const QList<ProjectBillingSummary> summaries = BillingEngine::summaries(entries, index, projects, range);
    const bool hasBilling = std::any_of(summaries.cbegin(), summaries.cend(), [](const ProjectBillingSummary& s) {
        return s.project.hourlyRate.has_value();
    });

    m_titleLabel->setText(
        hasBilling ? m_model.localized(Text::en("Billing Overview")) : m_model.localized(Text::en("Time Overview")));
    arrangeHeader();
    const Seconds hours = hasBilling ? BillingEngine::totalBillableDuration(entries, index, projects, range)
                                     : BillingEngine::totalDuration(entries, index, range);
    m_summaryCards->setFigures(m_model.decimalString(hours / 3600.0, 2, 2),
        hasBilling ? std::optional(m_model.currencyString(BillingEngine::totalAmount(entries, index, projects, range)))
                   : std::nullopt,
        m_model.decimalString(double(summaries.size()), 0, 0));

    m_byProjectCard->setSummaries(summaries);

    // Entries by day.
    const QList<EntryListDay> days = entriesByDay(entries, index, range);
    m_hasEntries = !days.isEmpty();
    m_entriesEmpty->setVisible(!m_hasEntries);
    m_entryList->setVisible(m_hasEntries);
    m_entryList->setDays(days,
        m_hasEntries ? BillingEngine::billedDurations(entries, index, projects, range) : QHash<QUuid, Seconds>(),
        maxEntryDuration(days));
}

void OverviewView::refreshTimer()
{
    m_runningCard->refresh();
    m_breakCard->refresh();
    refreshLiveTimes();
}

void OverviewView::refreshLiveTimes()
{
    // Once a second: only the texts of the two clocks.
    if (m_runningCard->isVisibleTo(this))
        m_runningCard->refreshClock();
    if (m_breakCard->isVisibleTo(this))
        m_breakCard->refreshClock();
}

void OverviewView::refreshExportButtons()
{
    m_csvButton->setEnabled(m_hasEntries);
    m_googleButton->setEnabled(m_hasEntries && m_model.googleCalendar().hasAuthorization()
        && !m_model.googleCalendar().calendars().isEmpty() && !m_model.googleCalendar().isBusy());
    m_appleButton->setEnabled(m_hasEntries && m_model.desktopCalendar().hasAuthorization()
        && !m_model.desktopCalendar().calendars().isEmpty() && !m_model.desktopCalendar().isBusy());
}

// ---- actions ---------------------------------------------------------------------------------

void OverviewView::exportCSV()
{
    m_model.exportCSV(range());
}

void OverviewView::exportGoogleCalendar()
{
    if (std::optional<GoogleCalendarExportDraft> draft = m_model.googleCalendar().exportDraft(range())) {
        m_googleDraft = std::move(draft);
        openExportSheet<GoogleCalendarExportSheet>(m_googleDraft);
    }
}

void OverviewView::exportAppleCalendar()
{
    if (std::optional<AppleCalendarExportDraft> draft = m_model.desktopCalendar().exportDraft(range())) {
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
                    return model.googleCalendar().exportEntries(draft, range);
                else
                    return model.desktopCalendar().exportEntries(draft, range);
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
