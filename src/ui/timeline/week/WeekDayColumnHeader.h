// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QDate>
#include <QWidget>

namespace tivren {

// The heading of one day column: the abbreviated weekday, the day number (on an accent circle
// for today) and the day's tracked hours, or an em dash when there are none.
class WeekDayColumnHeader : public QWidget
{
    Q_OBJECT

public:
    explicit WeekDayColumnHeader(QWidget* parent = nullptr);

    // weekday: already upper-cased; total: "7.5h" or an em dash.
    void setContent(QDate day, bool isToday, Seconds totalSeconds, QString weekday, QString dayNumber, QString total);

    [[nodiscard]] QDate day() const { return m_day; }
    [[nodiscard]] bool isToday() const { return m_isToday; }
    [[nodiscard]] Seconds totalSeconds() const { return m_totalSeconds; }
    [[nodiscard]] QString weekdayText() const { return m_weekday; }
    [[nodiscard]] QString dayNumberText() const { return m_dayNumber; }
    [[nodiscard]] QString totalText() const { return m_total; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QFont weekdayFont() const;
    [[nodiscard]] QFont totalFont() const;

    QDate m_day;
    bool m_isToday = false;
    Seconds m_totalSeconds = 0;
    QString m_weekday;
    QString m_dayNumber;
    QString m_total;
};

} // namespace tivren
