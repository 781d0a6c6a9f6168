// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/day/DayTimelineView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "app/text/DayFormat.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "core/timeline/DayGeometry.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"
#include "ui/timeline/EntryDetailReveal.h"
#include "ui/timeline/day/DayTimelineArea.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr Seconds hour = 3600;

QString hoursText(const AppModel& model, Seconds seconds, const QString& key)
{
    return model.localized(key, { model.decimalString(seconds / hour, 2, 2) });
}

// The empty state's picture: the theme's "recent" clock, greyed, where there is one; else a drawn
// one in the quieter text colour (the style's greying would lose it on a dark background).
QPixmap historyPixmap(const QPalette& palette, qreal ratio)
{
    constexpr int size = 32;
    if (QIcon::hasThemeIcon(u"document-open-recent"_s))
        return QIcon::fromTheme(u"document-open-recent"_s).pixmap(QSize(size, size), ratio, QIcon::Disabled);
    QPixmap pixmap = transparentPixmap(size, ratio);
    QPainter painter(&pixmap);
    paintGlyph(painter, QRectF(0, 0, size, size), Glyph::history, Style::secondaryColor(palette));
    return pixmap;
}

} // namespace

// ---- the day view ----------------------------------------------------------------------------

DayTimelineView::DayTimelineView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_day(LocalCalendar::startOfDay(model.now()))
{
    setObjectName(u"dayTimelineView"_s);
    build();
    connect(m_area, &DayTimelineArea::blockActivated, this, &DayTimelineView::toggleSelection);
    connect(m_area, &DayTimelineArea::clearRequested, this, [this] {
        m_selectedID.reset();
        m_area->setSelectedID(m_selectedID);
        refreshSidebar(isVisible());
    });
    connect(m_sidebar->panel()->editButton(), &QPushButton::clicked, this, [this] {
        if (const std::optional<TimeEntry> entry = selectedEntry())
            Q_EMIT editRequested(*entry);
    });
    connect(m_sidebar->panel()->deleteButton(), &QPushButton::clicked, this, &DayTimelineView::deleteSelected);

    connect(&m_model, &AppModel::entriesChanged, this, &DayTimelineView::reload);
    connect(&m_model, &AppModel::projectsChanged, this, &DayTimelineView::reload);
    connect(&m_model, &AppModel::activeSessionChanged, this, &DayTimelineView::reload);
    // The language lives in the settings.
    connect(&m_model, &AppModel::settingsChanged, this, [this] {
        retranslate();
        reload();
    });
    connect(&m_model, &AppModel::nowChanged, this, &DayTimelineView::tick);
    retranslate();
    reload();
}

DayTimelineView::~DayTimelineView() = default;

void DayTimelineView::build()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* card = new Style::Card(this, 0.06, 12);
    card->setObjectName(u"dayCard"_s);
    outer->addWidget(card);
    outer->addStretch();

    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    m_titleLabel = Style::label(TextStyle::title3, u"dayTitleLabel"_s, card);
    header->addWidget(m_titleLabel);
    header->addStretch();
    m_totalLabel = Style::label(TextStyle::callout, u"dayTotalLabel"_s, card);
    header->addWidget(m_totalLabel);
    column->addLayout(header);

    auto* empty = new Style::EmptyState(QIcon(), card);
    empty->setObjectName(u"emptyState"_s);
    empty->layout()->setContentsMargins(12, 40, 12, 40);
    m_emptyState = empty;
    refreshEmptyIcon();
    column->addWidget(m_emptyState);

    m_row = new QWidget(card);
    m_row->setObjectName(u"timelineRowWidget"_s);
    auto* row = new QHBoxLayout(m_row);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    m_area = new DayTimelineArea(m_model, m_row);
    row->addWidget(m_area, 1);
    m_sidebar = new EntryDetailReveal(EntryDetailPanel::Arrangement::column, m_row);
    m_sidebar->setObjectName(u"detailSidebar"_s);
    row->addWidget(m_sidebar);
    column->addWidget(m_row, 1);
}

void DayTimelineView::changeEvent(QEvent* event)
{
    // The drawn empty-state picture takes the text colour, which a theme change replaces.
    if (event->type() == QEvent::PaletteChange)
        refreshEmptyIcon();
    QWidget::changeEvent(event);
}

void DayTimelineView::refreshEmptyIcon()
{
    if (auto* icon = m_emptyState->findChild<QLabel*>(u"emptyIconLabel"_s)) {
        // Already greyed as it should be; a disabled label would grey it once more.
        icon->setEnabled(true);
        icon->setPixmap(historyPixmap(palette(), devicePixelRatioF()));
    }
}

void DayTimelineView::setDay(Instant day)
{
    if (day == m_day)
        return;
    m_day = day;
    m_selectedID.reset();
    m_sidebar->setRevealed(false, false);
    reload();
}

std::optional<TimeEntry> DayTimelineView::selectedEntry() const
{
    if (!m_selectedID)
        return std::nullopt;
    for (const TimeEntry& entry : m_entries) {
        if (entry.id == *m_selectedID)
            return entry;
    }
    return std::nullopt;
}

void DayTimelineView::toggleSelection(const QUuid& id)
{
    if (m_selectedID == id)
        m_selectedID.reset();
    else
        m_selectedID = id;
    m_area->setSelectedID(m_selectedID);
    refreshSidebar(isVisible());
}

bool DayTimelineView::isSidebarOpen() const
{
    return m_sidebar->isRevealed();
}

std::pair<Instant, Instant> DayTimelineView::currentAxis() const
{
    std::optional<std::pair<Instant, Instant>> running;
    if (m_running) {
        // The running session's end moves the axis; rounded up to the whole minute, the axis moves
        // once a minute instead of every second, so a tick repaints only the running block.
        running = std::pair { m_running->startDate, std::ceil(m_model.now() / 60.0) * 60.0 };
    }
    return DayGeometry::axisRange(m_entries, running, m_day);
}

void DayTimelineView::retranslate()
{
    const QLocale locale = m_model.appLocale();
    setLocale(locale);
    m_dayFormat = std::make_unique<DayFormat>(locale, u"EEEEMMMMdy"_s);
    static_cast<Style::EmptyState*>(m_emptyState)
        ->setTexts(
            m_model.localized(Text::en("No entries")), m_model.localized(Text::en("No time was tracked on this day.")));
    m_area->setAccessibleName(m_model.localized(Text::en("Timeline")));
}

void DayTimelineView::reload()
{
    const InstantRange range = DayGeometry::dayRange(m_day);
    m_entries = BillingEngine::filteredEntries(m_model.entries(), m_model.entryIndex(), range);
    m_entriesTotal = BillingEngine::totalDuration(m_entries, range);
    m_projects.clear();
    for (const Project& project : m_model.projects())
        m_projects.insert(project.id, project);
    // A session that started on an earlier day belongs to that day only.
    m_running.reset();
    const std::optional<ActiveTimerSession>& session = m_model.activeSession();
    if (session && LocalCalendar::localDate(session->startDate) == LocalCalendar::localDate(m_day))
        m_running = session;

    const bool empty = m_entries.isEmpty() && !m_running;
    m_emptyState->setVisible(empty);
    m_row->setVisible(!empty);
    // The card is as tall as its content when empty, and takes the height offered otherwise.
    auto* outer = static_cast<QBoxLayout*>(layout());
    outer->setStretch(0, empty ? 0 : 1);
    outer->setStretch(1, empty ? 1 : 0);

    std::optional<DayTimelineArea::Running> running;
    if (m_running) {
        const auto project = m_projects.constFind(m_running->projectID);
        running = DayTimelineArea::Running { project != m_projects.constEnd() ? std::optional(*project) : std::nullopt,
            m_running->startDate };
    }
    m_area->setSelectedID(m_selectedID);
    m_area->setContent(m_entries, m_projects, running, currentAxis(), m_model.now());
    m_titleLabel->setText(m_dayFormat->format(LocalCalendar::localDate(m_day)));
    refreshTotal();
    refreshSidebar(isVisible());
}

void DayTimelineView::showEvent(QShowEvent* event)
{
    if (m_tickMissed)
        tick();
    QWidget::showEvent(event);
}

void DayTimelineView::tick()
{
    // Only a running session on this day moves with the clock, and only a view on screen shows it;
    // a hidden one catches up when it is shown.
    m_tickMissed = m_running && !isVisible();
    if (!m_running || m_tickMissed)
        return;
    refreshTotal();
    const std::pair<Instant, Instant> axis = currentAxis();
    if (axis != m_area->axis())
        m_area->setAxis(axis, m_model.now());
    else
        m_area->setNow(m_model.now());
}

void DayTimelineView::refreshTotal()
{
    Seconds total = m_entriesTotal;
    if (m_running)
        total += std::max(m_model.now() - m_running->startDate, 0.0);
    m_totalLabel->setVisible(total > 0);
    const QString text = hoursText(m_model, total, Text::en("%@ h"));
    if (text != m_totalLabel->text())
        m_totalLabel->setText(text);
}

void DayTimelineView::refreshSidebar(bool animated)
{
    const std::optional<TimeEntry> entry = selectedEntry();
    if (!entry) {
        m_sidebar->setRevealed(false, animated);
        return;
    }
    const auto found = m_projects.constFind(entry->projectID);
    const std::optional<Project> project = found != m_projects.constEnd() ? std::optional(*found) : std::nullopt;
    EntryDetailPanel::Content details;
    details.color = project ? projectColor(project->colorName) : QColor(Qt::gray);
    details.name = project ? project->name : m_model.localized(Text::en("Unknown Project"));
    details.span = timeSpan(*entry, m_model);
    const Seconds actual = entry->duration();
    details.hours = hoursText(m_model, actual, Text::en("%@ h"));
    if (project && project->hourlyRate) {
        const Seconds billed =
            BillingEngine::billedDurations(m_entries, m_model.projects(), DayGeometry::dayRange(m_day))
                .value(entry->id, actual);
        if (billed != actual)
            details.billed = hoursText(m_model, billed, Text::en("%@ h billed"));
        details.amount = m_model.currencyString(billed / hour * *project->hourlyRate);
    }
    details.notes = entry->notes;
    EntryDetailPanel::nameActions(details, m_model);
    m_sidebar->panel()->setContent(details);
    m_sidebar->setRevealed(true, animated);
}

void DayTimelineView::deleteSelected()
{
    const std::optional<TimeEntry> entry = selectedEntry();
    if (!entry)
        return;
    const bool hadFocus = m_sidebar->isAncestorOf(QApplication::focusWidget());
    m_selectedID.reset();
    m_area->setSelectedID(m_selectedID);
    m_sidebar->setRevealed(false, isVisible());
    // The Delete button is about to go; keyboard users stay on the timeline.
    if (hadFocus)
        m_area->setFocus(Qt::OtherFocusReason);
    m_model.deleteEntry(*entry);
}

} // namespace tivren
