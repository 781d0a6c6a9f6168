// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/week/WeekTimelineView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "app/text/DayFormat.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"
#include "ui/timeline/EntryDetailReveal.h"
#include "ui/timeline/week/WeekCanvas.h"
#include "ui/timeline/week/WeekDayColumnHeader.h"
#include "ui/timeline/week/WeekHeaderRow.h"
#include "ui/timeline/week/WeekTimelineLayout.h"

#include <QHash>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

WeekTimelineView::WeekTimelineView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_weekStart(LocalCalendar::mondayOfWeek(model.now()))
    , m_layout(std::make_unique<WeekTimelineLayout>())
{
    setObjectName(u"weekTimelineView"_s);
    build();
    for (auto signal : { &AppModel::entriesChanged,
             &AppModel::projectsChanged,
             &AppModel::activeSessionChanged,
             &AppModel::settingsChanged })
        connect(&m_model, signal, this, &WeekTimelineView::refresh);
    connect(&m_model, &AppModel::nowChanged, this, &WeekTimelineView::clockTicked);
    refresh();
}

WeekTimelineView::~WeekTimelineView() = default;

void WeekTimelineView::build()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* card = new Style::Card(this, 0.06, 12);
    card->setObjectName(u"weekCard"_s);
    outer->addWidget(card);
    // The card is as tall as what it shows; the panel's coming and going changes that.
    outer->addStretch(1);
    auto* stack = new QVBoxLayout(card);
    stack->setContentsMargins(16, 16, 16, 16);
    stack->setSpacing(0);

    m_headerRow = new WeekHeaderRow(card);
    stack->addWidget(m_headerRow);
    stack->addSpacing(10);

    m_emptyState = new Style::EmptyState(calendarClockIcon(), card);
    m_emptyState->setObjectName(u"weekEmptyState"_s);
    m_emptyState->layout()->setContentsMargins(12, 60, 12, 60);
    stack->addWidget(m_emptyState);

    m_canvas = new WeekCanvas(*m_layout, m_model, card);
    stack->addWidget(m_canvas);
    connect(m_canvas, &WeekCanvas::pieceActivated, this, [this](int piece) {
        toggleSelection(m_layout->pieces[size_t(piece)].block.entry.id);
    });
    connect(m_canvas, &WeekCanvas::clearRequested, this, &WeekTimelineView::clearSelection);
    connect(m_canvas, &WeekCanvas::gutterChanged, m_headerRow, &WeekHeaderRow::setGutter);

    m_detail = new EntryDetailReveal(EntryDetailPanel::Arrangement::row, card);
    stack->addWidget(m_detail);
    connect(m_detail->panel()->editButton(), &QPushButton::clicked, this, [this] {
        if (const std::optional<TimeEntry> entry = selectedEntry())
            Q_EMIT editRequested(*entry);
    });
    connect(m_detail->panel()->deleteButton(), &QPushButton::clicked, this, &WeekTimelineView::deleteSelected);
}

void WeekTimelineView::setWeekStart(Instant weekStart)
{
    if (weekStart == m_weekStart)
        return;
    m_weekStart = weekStart;
    m_selectedID.reset();
    m_canvas->setCurrent(-1);
    refresh();
}

void WeekTimelineView::toggleSelection(const QUuid& entryID)
{
    if (m_selectedID == entryID)
        m_selectedID.reset();
    else
        m_selectedID = entryID;
    for (WeekTimelineLayout::Piece& piece : m_layout->pieces) {
        const bool selected = piece.block.entry.id == m_selectedID;
        if (selected != piece.block.isSelected) {
            piece.block.isSelected = selected;
            m_canvas->invalidateLayer(piece.rect.adjusted(-1, -1, 1, 1));
        }
    }
    refreshPanel(true);
}

void WeekTimelineView::clearSelection()
{
    if (m_selectedID)
        toggleSelection(*m_selectedID);
}

std::optional<TimeEntry> WeekTimelineView::selectedEntry() const
{
    if (!m_selectedID)
        return std::nullopt;
    for (const TimeEntry& entry : m_layout->entries) {
        if (entry.id == *m_selectedID)
            return entry;
    }
    return std::nullopt;
}

HourAxis WeekTimelineView::axis() const
{
    return m_layout->axis;
}

QList<std::pair<QUuid, QRectF>> WeekTimelineView::blockRects() const
{
    QList<std::pair<QUuid, QRectF>> rects;
    rects.reserve(qsizetype(m_layout->pieces.size()));
    for (const WeekTimelineLayout::Piece& piece : m_layout->pieces)
        rects.append({ piece.block.entry.id, piece.rect });
    return rects;
}

std::optional<QRectF> WeekTimelineView::runningBlockRect() const
{
    if (!m_layout->running || !m_canvas->isVisibleTo(this))
        return std::nullopt;
    return m_layout->running->rect;
}

void WeekTimelineView::paintCanvas(QPainter& painter) const
{
    m_canvas->paintAll(painter);
}

// ---- refreshing ------------------------------------------------------------------------------------

void WeekTimelineView::showEvent(QShowEvent* event)
{
    m_shownOnce = true;
    if (m_stale)
        refresh();
    QWidget::showEvent(event);
}

void WeekTimelineView::refresh()
{
    // A hidden view (the timeline in day mode) catches up when it is shown again.
    if (m_shownOnce && !isVisible()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    const QLocale locale = m_model.appLocale();
    if (!m_weekdayFormat || locale.name() != m_localeName)
        retranslate();
    rebuild();
    refreshHeaders();
    const bool empty = m_layout->entries.isEmpty() && !m_layout->running;
    m_emptyState->setVisible(empty);
    m_canvas->setVisible(!empty);
    m_canvas->placeBlocks();
    refreshPanel(true);
}

void WeekTimelineView::retranslate()
{
    const QLocale locale = m_model.appLocale();
    m_localeName = locale.name();
    setLocale(locale);
    m_weekdayFormat = std::make_unique<DayFormat>(locale, u"EEE"_s);
    m_dateFormat = std::make_unique<DayFormat>(locale, u"EEEEMMMMd"_s);
    m_canvas->setAccessibleName(m_model.localized(Text::en("Week Timeline")));
    m_emptyState->setTexts(m_model.localized(Text::en("No entries this week")),
        m_model.localized(Text::en("No time was tracked this week.")));
}

void WeekTimelineView::rebuild()
{
    WeekTimelineLayout& layout = *m_layout;
    // Keep the keyboard on the same block across the rebuild, when it is still there.
    std::optional<std::pair<QUuid, int>> current;
    if (const int index = m_canvas->current(); index >= 0 && index < int(layout.pieces.size()))
        current = std::pair { layout.pieces[size_t(index)].block.entry.id, layout.pieces[size_t(index)].placement.day };

    layout.days = WeekDays(m_weekStart);
    layout.entries = BillingEngine::filteredEntries(m_model.entries(), m_model.entryIndex(), layout.days.weekRange());
    QHash<QUuid, Project> projects;
    for (const Project& project : m_model.projects())
        projects.insert(project.id, project);
    auto projectOf = [&projects](const QUuid& id) -> std::optional<Project> {
        const auto it = projects.constFind(id);
        return it == projects.constEnd() ? std::nullopt : std::optional(*it);
    };

    layout.pieces.clear();
    layout.entryExtent.reset();
    for (int day = 0; day < 7; ++day)
        layout.totals[size_t(day)] = BillingEngine::totalDuration(layout.entries, layout.days.dayRange(day));
    for (WeekPlacement& placement : WeekGeometry::place(layout.entries, layout.days)) {
        layout.entryExtent = WeekAxis::united(layout.entryExtent, placement.hours);
        TimelineBlock block {
            placement.entry, projectOf(placement.entry.projectID), placement.entry.id == m_selectedID
        };
        layout.pieces.push_back({ std::move(block), std::move(placement), {} });
    }

    layout.running.reset();
    const auto& session = m_model.activeSession();
    if (const auto running = WeekAxis::running(layout.days, session, m_model.now()))
        layout.running =
            WeekTimelineLayout::Running { running->first, running->second, projectOf(session->projectID), {} };
    refreshAxis();
    layout.today = LocalCalendar::localDate(m_model.now());
    layout.todayColumn = layout.days.indexOf(layout.today);

    int found = -1;
    for (size_t i = 0; current && i < layout.pieces.size(); ++i) {
        if (layout.pieces[i].block.entry.id == current->first && layout.pieces[i].placement.day == current->second)
            found = int(i);
    }
    m_canvas->setCurrent(found);
}

// The axis from the entries and the running timer, and its hour labels.
void WeekTimelineView::refreshAxis()
{
    WeekTimelineLayout& layout = *m_layout;
    std::optional<HourSpan> extent = layout.entryExtent;
    if (layout.running)
        extent = WeekAxis::united(extent, layout.running->hours);
    layout.axis = WeekAxis::around(extent);
    layout.hourLabels.clear();
    const QLocale locale = m_model.appLocale();
    for (int hour : WeekAxis::hourTicks(layout.axis))
        layout.hourLabels.append({ hour, locale.toString(QTime(hour % 24, 0), QLocale::ShortFormat) });
}

void WeekTimelineView::refreshHeaders()
{
    const WeekTimelineLayout& layout = *m_layout;
    const QLocale locale = m_model.appLocale();
    for (int day = 0; day < 7; ++day) {
        const QDate date = layout.days.dates[size_t(day)];
        const Seconds total = layout.totals[size_t(day)];
        const QString totalText = total > 0
            ? m_model.localized(Text::en("%@h"), { m_model.decimalString(total / 3600.0, 1, 1) })
            : u"\u2014"_s;
        m_headerRow->header(day)->setContent(date,
            day == layout.todayColumn,
            total,
            locale.toUpper(m_weekdayFormat->format(date)),
            locale.toString(date.day()),
            totalText);
    }
}

void WeekTimelineView::refreshPanel(bool animated)
{
    const std::optional<TimeEntry> entry = !m_canvas->isVisibleTo(this) ? std::nullopt : selectedEntry();
    if (!entry) {
        m_detail->setRevealed(false, animated);
        return;
    }
    const std::optional<Project> project = m_model.project(entry->projectID);
    const Seconds actual = entry->duration();
    EntryDetailPanel::Content content;
    content.color = project ? projectColor(project->colorName) : QColor(Qt::gray);
    content.name = project ? project->name : m_model.localized(Text::en("Unknown Project"));
    content.date = m_dateFormat->format(LocalCalendar::localDate(entry->startDate));
    content.span = timeSpan(*entry, m_model);
    content.hours = m_model.localized(Text::en("%@ h"), { m_model.decimalString(actual / 3600.0, 2, 2) });
    if (project && project->hourlyRate) {
        // Billed as on the day the entry starts, where its rounding happens.
        const Instant dayStart = LocalCalendar::startOfDay(entry->startDate);
        const InstantRange day { dayStart, std::max(LocalCalendar::lastSecondOfDay(dayStart), dayStart) };
        const Seconds billed =
            BillingEngine::billedDurations(m_model.entries(), m_model.entryIndex(), m_model.projects(), day)
                .value(entry->id, actual);
        if (billed != actual)
            content.billed =
                m_model.localized(Text::en("%@ h billed"), { m_model.decimalString(billed / 3600.0, 2, 2) });
        content.amount = m_model.currencyString(billed / 3600.0 * *project->hourlyRate);
    }
    content.notes = entry->notes;
    EntryDetailPanel::nameActions(content, m_model);
    m_detail->panel()->setContent(content);
    m_detail->setRevealed(true, animated);
}

void WeekTimelineView::clockTicked()
{
    // Hidden, never shown yet included, the view only notes that it is behind and catches up when shown.
    if (m_stale || !isVisible()) {
        m_stale = true;
        return;
    }
    const Instant now = m_model.now();
    // A new day moves the today marks; that is a new picture.
    if (LocalCalendar::localDate(now) != m_layout->today) {
        refresh();
        return;
    }
    if (!m_layout->running || !m_model.activeSession())
        return;
    const auto running = WeekAxis::running(m_layout->days, m_model.activeSession(), now);
    if (!running)
        return;
    m_layout->running->hours = running->second;
    const HourAxis before = m_layout->axis;
    refreshAxis();
    if (m_layout->axis != before)
        m_canvas->placeBlocks(); // the timer ran into the axis margin: every block moves
    else
        m_canvas->moveRunningBlock();
}

void WeekTimelineView::deleteSelected()
{
    const std::optional<TimeEntry> entry = selectedEntry();
    m_selectedID.reset();
    if (entry)
        m_model.deleteEntry(*entry);
    refreshPanel(true);
}

} // namespace tivren
