// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"
#include "ui/timeline/day/DaySummaryColumn.h"

#include <QAbstractButton>
#include <QColor>
#include <QDate>
#include <QList>
#include <QUuid>
#include <QWidget>

namespace tivren {

class AppModel;
struct TimeEntry;

// The seven days of a week, Monday first, as a row of day columns; one of them is selected.
class WeekStripView : public QWidget
{
    Q_OBJECT

public:
    explicit WeekStripView(AppModel& model, QWidget* parent = nullptr);

    [[nodiscard]] Instant weekStart() const { return m_weekStart; }
    void setWeekStart(Instant weekStart);
    [[nodiscard]] Instant selectedDay() const { return m_selectedDay; }
    void setSelectedDay(Instant day);
    [[nodiscard]] QList<DaySummaryColumn*> columns() const { return m_columns; }

Q_SIGNALS:
    // The user chose a day (the start of it).
    void selectedDayChanged(tivren::Instant day);

private:
    void refresh();
    void refreshToday();

    AppModel& m_model;
    Instant m_weekStart = 0;
    Instant m_selectedDay = 0;
    QDate m_today;
    QList<DaySummaryColumn*> m_columns;
};

} // namespace tivren
