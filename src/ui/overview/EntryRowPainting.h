// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// How the entry list draws its rows: the measures every row shares, its fonts, and the parts of
// a row that need nothing but a rectangle and a colour.
namespace tivren::EntryRowPainting {

constexpr int rowPadding = 6;
constexpr int barHeight = 8;
constexpr int stripeWidth = 4;
constexpr int textInset = stripeWidth + 10;
constexpr int daySpacing = 20;
constexpr int columnSpacing = 12;
// Below a day's title: room for the line under it.
constexpr int headerRule = 9;

[[nodiscard]] QFont dayFont(const QFont& base);
[[nodiscard]] QFont projectFont(const QFont& base);
[[nodiscard]] QFont hoursFont(const QFont& base);

// A day's title on the left, its total on the right, and a hairline under both.
void paintDayHeader(QPainter& painter, const QRect& row, const QString& title, const QString& total, const QWidget& on);
// An entry's separator (unless it is a day's first), focus highlight, colour stripe and a bar
// the length of fraction of the row.
void paintEntryFrame(QPainter& painter,
    const QRect& row,
    const QColor& color,
    qreal fraction,
    bool first,
    bool focused,
    const QWidget& on);

} // namespace tivren::EntryRowPainting
