// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QWidget>

#include <functional>
#include <initializer_list>

class QPainter;

namespace tivren {

// Small line drawings for figures and empty states, drawn so they look alike whatever icon theme
// the desktop has (or none).
enum class Glyph
{
    clock,
    hourglass,
    banknote,
    document,
    history,
};

// A transparent square of size points at the device pixel ratio, to draw into.
[[nodiscard]] QPixmap transparentPixmap(int size, qreal ratio);
// An icon drawn by draw at each size, at 1x and 2x, so it stays sharp on any screen. draw gets an
// antialiased painter and the size in points.
[[nodiscard]] QIcon drawnIcon(std::initializer_list<int> sizes, const std::function<void(QPainter&, int)>& draw);

// The tray's clock: an outlined face while idle, a filled one while a timer runs. Drawn at every
// size a panel may ask for and readable on light and dark panels.
[[nodiscard]] QIcon idleTrayIcon();
[[nodiscard]] QIcon runningTrayIcon();
// A round dot in a project's colour, for menus and lists.
[[nodiscard]] QIcon colorDotIcon(const QColor& color);
// A round play or stop glyph in a colour.
[[nodiscard]] QIcon playStopIcon(const QColor& color, bool stop);
// A filled circle with a tick, for the project being tracked in the start menu.
[[nodiscard]] QIcon checkIcon(const QColor& color);

// A calendar page in color, for the date range button.
[[nodiscard]] QPixmap calendarPixmap(int size, qreal ratio, const QColor& color);
// A chevron pointing down, or rotated by the given degrees (90 points left, -90 right).
[[nodiscard]] QPixmap chevronPixmap(int size, qreal ratio, const QColor& color, qreal rotation = 0);
// A colour's swatch with a darker rim, for colour pickers.
[[nodiscard]] QIcon swatchIcon(const QColor& color, qreal devicePixelRatio);
// Outlined on a 16-unit grid, for counters where the icon theme has none: a folder, and a
// calendar with a plus.
[[nodiscard]] QPixmap folderPixmap(int size, qreal ratio, const QColor& color);
[[nodiscard]] QPixmap calendarPlusPixmap(int size, qreal ratio, const QColor& color);

// Draws glyph in color, centred in the largest square that fits box; the lines scale with it.
void paintGlyph(QPainter& painter, const QRectF& box, Glyph glyph, const QColor& color);

// A glyph the height of a line of text in font, in the quieter text colour.
class GlyphWidget : public QWidget
{
    Q_OBJECT

public:
    GlyphWidget(Glyph glyph, const QFont& font, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Glyph m_glyph;
};

// A calendar page with a clock on its corner, for an empty week; grey, so it reads on light and dark
// backgrounds alike.
[[nodiscard]] QIcon calendarClockIcon();

} // namespace tivren
