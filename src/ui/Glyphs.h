#pragma once

#include <QColor>
#include <QRectF>
#include <QWidget>

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

} // namespace tivren
