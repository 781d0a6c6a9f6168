// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QAbstractButton>
#include <QColor>
#include <QList>
#include <QUuid>

namespace tivren {

class AppModel;
struct TimeEntry;

// One day of the week strip: weekday, day number (circled for today), the day's hours and a bar
// of its projects' shares. A button: clicking or Space selects the day.
class DaySummaryColumn : public QAbstractButton
{
    Q_OBJECT

public:
    struct Share
    {
        QUuid projectID;
        QColor color;
        double fraction = 0;
    };

    DaySummaryColumn(AppModel& model, QWidget* parent = nullptr);

    // dayEntries: at least the entries overlapping the day (the strip filters the week once for
    // all days); weekday and date: the day's texts, written by the strip.
    void setDay(Instant day, const QList<TimeEntry>& dayEntries, const QString& weekday, const QString& date);
    void setToday(bool today);
    [[nodiscard]] Instant day() const { return m_day; }
    [[nodiscard]] bool isToday() const { return m_today; }
    [[nodiscard]] QString weekdayText() const { return m_weekday; }
    [[nodiscard]] QString totalText() const;
    [[nodiscard]] const QList<Share>& projectBreakdown() const { return m_breakdown; }

    // The share of each project in the entries' time, largest first; empty without time.
    [[nodiscard]] static QList<Share> projectBreakdown(const QList<TimeEntry>& entries, const AppModel& model);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppModel& m_model;
    Instant m_day = 0;
    bool m_today = false;
    Seconds m_total = 0;
    QString m_weekday;
    QList<Share> m_breakdown;
};

} // namespace tivren
