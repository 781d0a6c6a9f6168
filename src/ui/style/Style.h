// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QStyle>

#include <optional>

class QLabel;
class QPainter;
class QLayout;
class QVBoxLayout;
class QPushButton;

// The style vocabulary every screen shares, so they all read alike: text styles, labels, dividers,
// buttons, colours and surfaces.
namespace tivren {

// The one text-style scale of every screen, from large to small. Sizes are relative to the
// application font, so they follow the desktop's font setting and scale.
enum class TextStyle
{
    title, // a screen's title: larger and bold
    title3, // a sheet's title or a figure on a card: somewhat larger and bold
    headline, // a card's heading: the body size, bold
    body, // running text
    callout, // a line that stands a little back: slightly smaller
    caption, // small print under a line: captions, counters, buttons in rows
    caption2, // the smallest print: axis labels, weekday initials, block details
};

// How loudly a label speaks: the text colour, or the palette's quieter one (follows theme changes).
enum class Tone
{
    primary,
    secondary,
};

} // namespace tivren

namespace tivren::Style {

// base in the given style; weight overrides the style's own weight when given.
[[nodiscard]] QFont font(TextStyle style, QFont base, std::optional<QFont::Weight> weight = std::nullopt);
// The system's fixed-width font in the given style, for running clocks and columns of figures.
[[nodiscard]] QFont fixedWidthFont(
    TextStyle style, const QFont& base, std::optional<QFont::Weight> weight = std::nullopt);

// A label in a text style and tone, named for tests and screen readers' tooling; weight overrides
// the style's own.
[[nodiscard]] QLabel* label(TextStyle style,
    const QString& objectName,
    QWidget* parent,
    Tone tone = Tone::primary,
    std::optional<QFont::Weight> weight = std::nullopt);
// The same for a label made elsewhere (a subclass); returns it.
QLabel* styleLabel(QLabel* label,
    TextStyle style,
    const QString& objectName,
    Tone tone = Tone::primary,
    std::optional<QFont::Weight> weight = std::nullopt);
// A hairline between the rows of a card, in the text colour at low opacity so it follows the theme.
[[nodiscard]] QFrame* divider(QWidget* parent);
// The column of a card's contents, with the margins and spacing the screens' cards share.
[[nodiscard]] QVBoxLayout* cardColumn(QWidget* card);
// Removes what a layout holds, widgets included: out of the tree now, deleted once the current
// event is over (a click on one of them may be what asked for the change).
void clearLayout(QLayout* layout);

// The desktop theme's icon name, else its fallback name, else the style's standard icon.
[[nodiscard]] QIcon themeIcon(
    const QString& name, const QString& fallback, QStyle::StandardPixmap standard, const QStyle* style);
// A label in the palette's quieter text colour, which follows theme changes.
[[nodiscard]] QLabel* secondaryLabel(QWidget* parent);
// A text-only button in the manner of a link; destructive actions in red.
[[nodiscard]] QPushButton* borderlessButton(const QString& objectName, bool destructive, QWidget* parent);
// The look of one checkable QToolButton in a row of count joined as a segmented switcher.
[[nodiscard]] QString segmentStyleSheet(int index, int count);
// The quieter text colour of a palette.
[[nodiscard]] QColor secondaryColor(const QPalette& palette);
// The red of destructive actions.
[[nodiscard]] QColor destructiveColor();
// The red of destructive actions as a button's text: lifted on a dark button so it stays readable.
[[nodiscard]] QColor destructiveTextColor(const QPalette& palette);
// The colour with its opacity multiplied by alpha.
[[nodiscard]] QColor withAlpha(QColor color, qreal alpha);
// Fills rect with color 64 device rows at a time, the same pixels as one fillRect. Qt's raster
// engine hands a fill of more than about a hundred rows to its thread pool, and waking the pool
// costs more than such a fill (measured: six 560-row lines 100 us at once, 20 us in bands; more on a
// busy machine).
void fillInBands(QPainter& painter, const QRectF& rect, const QColor& color);
// A user's text as a menu item's text: menus read "&" as the mark of a keyboard accelerator, and
// "Smith & Sons" must stay as written.
[[nodiscard]] QString menuText(QString text);

// A rounded surface behind a group of controls, tinted with a colour at low opacity. Without a
// colour of its own it takes the palette's text colour, so the tint darkens a light theme and
// lightens a dark one alike.
class Card : public QFrame
{
    Q_OBJECT

public:
    explicit Card(QWidget* parent = nullptr, qreal opacity = 0.06, int radius = 12);

    void setTint(const QColor& color, qreal opacity);
    // Tints with a colour of the palette, taken at paint time so a theme change follows.
    void setTintRole(QPalette::ColorRole role, qreal opacity);

    // Paints what the card shows under a child of it that lies away from the rounded ends: the
    // window's background under the tint, in the same steps, so that a child painting its own
    // background (a clock, repainted every second) spares Qt the layers beneath it.
    void paintInterior(QPainter& painter, const QWidget* child) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QColor tint() const;

    QColor m_color;
    QPalette::ColorRole m_role = QPalette::WindowText;
    qreal m_opacity;
    int m_radius;
};

// A filled circle of a project's colour, drawn rather than an image so it stays sharp at any scale.
class ColorDot : public QWidget
{
    Q_OBJECT

public:
    explicit ColorDot(int diameter, QWidget* parent = nullptr);

    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::gray;
};

// A hairline in the text colour, so it follows the theme: across a column or between columns.
class Rule : public QWidget
{
    Q_OBJECT

public:
    explicit Rule(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// One line of text that ends in an ellipsis when there is not room for all of it, with the whole
// text as its tooltip then. For names in narrow columns.
class ElidedLabel : public QWidget
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString& text);
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_text;
};

// A calm, centred message where a list would be: an icon, a title and a line of explanation.
class EmptyState : public QWidget
{
    Q_OBJECT

public:
    EmptyState(const QIcon& icon, QWidget* parent = nullptr, int iconSize = 32);
    void setTexts(const QString& title, const QString& description);

private:
    QLabel* m_title;
    QLabel* m_description;
};

} // namespace tivren::Style
