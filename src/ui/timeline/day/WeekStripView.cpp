// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/day/WeekStripView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "app/text/DayFormat.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QHBoxLayout>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

WeekStripView::WeekStripView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(u"weekStripView"_s);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (int i = 0; i < 7; ++i) {
        auto* column = new DaySummaryColumn(m_model, this);
        connect(column, &QAbstractButton::clicked, this, [this, column] {
            setSelectedDay(column->day());
            Q_EMIT selectedDayChanged(m_selectedDay);
        });
        row->addWidget(column, 1);
        m_columns.append(column);
    }
    connect(&m_model, &AppModel::entriesChanged, this, &WeekStripView::refresh);
    connect(&m_model, &AppModel::projectsChanged, this, &WeekStripView::refresh);
    connect(&m_model, &AppModel::settingsChanged, this, &WeekStripView::refresh);
    // The clock matters only when the day turns.
    connect(&m_model, &AppModel::nowChanged, this, &WeekStripView::refreshToday);
    m_weekStart = LocalCalendar::mondayOfWeek(m_model.now());
    m_selectedDay = LocalCalendar::startOfDay(m_model.now());
    refresh();
}

void WeekStripView::setWeekStart(Instant weekStart)
{
    if (weekStart == m_weekStart)
        return;
    m_weekStart = weekStart;
    refresh();
}

void WeekStripView::setSelectedDay(Instant day)
{
    m_selectedDay = LocalCalendar::startOfDay(day);
    const QDate selected = LocalCalendar::localDate(m_selectedDay);
    for (DaySummaryColumn* column : std::as_const(m_columns))
        column->setChecked(LocalCalendar::localDate(column->day()) == selected);
}

void WeekStripView::refresh()
{
    const InstantRange week { m_weekStart, LocalCalendar::lastSecondOfDay(LocalCalendar::addingDays(m_weekStart, 6)) };
    const QList<TimeEntry> entries = BillingEngine::filteredEntries(m_model.entries(), m_model.entryIndex(), week);
    // ICU formatters are costly to open: one of each for the seven days.
    const QLocale locale = m_model.appLocale();
    const DayFormat weekday(locale, u"EEE"_s);
    const DayFormat date(locale, u"EEEEMMMMd"_s);
    for (int i = 0; i < m_columns.size(); ++i) {
        const Instant day = LocalCalendar::addingDays(m_weekStart, i);
        const QDate local = LocalCalendar::localDate(day);
        m_columns[i]->setDay(day, entries, weekday.format(local), date.format(local));
    }
    m_today = QDate();
    refreshToday();
    setSelectedDay(m_selectedDay);
}

void WeekStripView::refreshToday()
{
    const QDate today = LocalCalendar::localDate(m_model.now());
    if (today == m_today)
        return;
    m_today = today;
    for (DaySummaryColumn* column : std::as_const(m_columns))
        column->setToday(LocalCalendar::localDate(column->day()) == today);
}

} // namespace tivren
