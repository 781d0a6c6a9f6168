// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/EntryRowPainting.h"

#include "ui/style/Style.h"

#include <QPainter>
#include <QWidget>

namespace tivren::EntryRowPainting {

QFont dayFont(const QFont& base)
{
    return Style::font(TextStyle::callout, base, QFont::DemiBold);
}

QFont projectFont(const QFont& base)
{
    return Style::font(TextStyle::body, base, QFont::Medium);
}

QFont hoursFont(const QFont& base)
{
    return Style::fixedWidthFont(TextStyle::body, base, QFont::Medium);
}

void paintDayHeader(QPainter& painter, const QRect& row, const QString& title, const QString& total, const QWidget& on)
{
    const QFont day = dayFont(on.font());
    const QFont caption = Style::font(TextStyle::caption, on.font());
    const QRect line(row.left(), row.top(), row.width(), row.height() - headerRule);
    painter.setPen(Style::secondaryColor(on.palette()));
    painter.setFont(caption);
    const int totalWidth = QFontMetrics(caption).horizontalAdvance(total);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, total);
    painter.setFont(day);
    const QRect titleRect = line.adjusted(0, 0, -(totalWidth + columnSpacing), 0);
    painter.drawText(titleRect,
        Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetrics(day).elidedText(title, Qt::ElideRight, titleRect.width()));
    painter.fillRect(QRect(row.left(), row.top() + row.height() - 4, row.width(), 1),
        Style::withAlpha(on.palette().color(QPalette::WindowText), 0.12));
}

void paintEntryFrame(QPainter& painter,
    const QRect& row,
    const QColor& color,
    qreal fraction,
    bool first,
    bool focused,
    const QWidget& on)
{
    const int w = row.width();
    if (!first)
        painter.fillRect(QRect(textInset, row.top(), w - textInset, 1),
            Style::withAlpha(on.palette().color(QPalette::WindowText), 0.12));
    if (focused) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Style::withAlpha(on.palette().color(QPalette::Highlight), 0.16));
        painter.drawRoundedRect(QRectF(0, row.top() + 1, w, row.height() - 2), 6, 6);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(0, row.top() + 4, stripeWidth, row.height() - 8), 2, 2);
    painter.setBrush(Style::withAlpha(color, 0.25));
    painter.drawRoundedRect(QRectF(textInset, row.top() + rowPadding, (w - textInset) * fraction, barHeight), 4, 4);
}

} // namespace tivren::EntryRowPainting
