// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/week/WeekDayColumnHeader.h"

#include "ui/style/Style.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr int circle = 26;

} // namespace

WeekDayColumnHeader::WeekDayColumnHeader(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"weekDayColumnHeader"_s);
}

void WeekDayColumnHeader::setContent(
    QDate day, bool isToday, Seconds totalSeconds, QString weekday, QString dayNumber, QString total)
{
    if (day == m_day && isToday == m_isToday && totalSeconds == m_totalSeconds && weekday == m_weekday
        && dayNumber == m_dayNumber && total == m_total)
        return;
    m_day = day;
    m_isToday = isToday;
    m_totalSeconds = totalSeconds;
    m_weekday = std::move(weekday);
    m_dayNumber = std::move(dayNumber);
    m_total = std::move(total);
    setAccessibleName(m_weekday + u' ' + m_dayNumber + u", "_s + m_total);
    update();
}

QFont WeekDayColumnHeader::weekdayFont() const
{
    return Style::font(TextStyle::caption2, font(), QFont::DemiBold);
}

QFont WeekDayColumnHeader::totalFont() const
{
    return Style::fixedWidthFont(TextStyle::caption2, font());
}

QSize WeekDayColumnHeader::sizeHint() const
{
    const QFontMetrics weekday(weekdayFont());
    const QFontMetrics total(totalFont());
    const int width = std::max({ weekday.horizontalAdvance(m_weekday), total.horizontalAdvance(m_total), circle });
    return { width + 4, weekday.height() + 4 + circle + 4 + total.height() };
}

QSize WeekDayColumnHeader::minimumSizeHint() const
{
    return { circle, sizeHint().height() };
}

void WeekDayColumnHeader::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor secondary = Style::secondaryColor(pal);
    const QColor accent = pal.color(QPalette::Highlight);
    const int w = width();

    const QFontMetrics weekday(weekdayFont());
    painter.setFont(weekdayFont());
    painter.setPen(secondary);
    painter.drawText(QRect(0, 0, w, weekday.height()),
        Qt::AlignHCenter | Qt::AlignVCenter,
        weekday.elidedText(m_weekday, Qt::ElideRight, w));

    const int circleTop = weekday.height() + 4;
    const QRect number((w - circle) / 2, circleTop, circle, circle);
    if (m_isToday) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawEllipse(QRectF(number));
        painter.setPen(pal.color(QPalette::HighlightedText));
    } else {
        painter.setPen(pal.color(QPalette::WindowText));
    }
    painter.setFont(Style::font(TextStyle::body, font(), m_isToday ? QFont::Bold : QFont::Medium));
    painter.drawText(number, Qt::AlignCenter, m_dayNumber);

    const QFontMetrics total(totalFont());
    painter.setFont(totalFont());
    painter.setPen(m_isToday && m_totalSeconds > 0 ? accent : secondary);
    painter.drawText(QRect(0, circleTop + circle + 4, w, total.height()),
        Qt::AlignHCenter | Qt::AlignVCenter,
        total.elidedText(m_total, Qt::ElideRight, w));
}

} // namespace tivren
