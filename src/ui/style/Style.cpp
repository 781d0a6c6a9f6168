// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/Style.h"

#include "ui/style/ProjectColors.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren::Style {

namespace {

struct TextStyleMetrics
{
    qreal scale;
    QFont::Weight weight;
};

TextStyleMetrics metrics(TextStyle style)
{
    switch (style) {
    case TextStyle::title:
        return { 1.35, QFont::Bold };
    case TextStyle::title3:
        return { 1.2, QFont::Bold };
    case TextStyle::headline:
        return { 1.0, QFont::Bold };
    case TextStyle::body:
        return { 1.0, QFont::Normal };
    case TextStyle::callout:
        return { 0.93, QFont::Normal };
    case TextStyle::caption:
        return { 0.87, QFont::Normal };
    case TextStyle::caption2:
        return { 0.78, QFont::Normal };
    }
    return { 1.0, QFont::Normal };
}

// Scales a font given in points or in pixels, never below a size that still reads.
QFont scaled(QFont font, qreal factor)
{
    if (factor == 1.0)
        return font;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(6.0, font.pointSizeF() * factor));
    else
        font.setPixelSize(std::max(8, int(font.pixelSize() * factor)));
    return font;
}

} // namespace

QFont font(TextStyle style, QFont base, std::optional<QFont::Weight> weight)
{
    const TextStyleMetrics m = metrics(style);
    base = scaled(std::move(base), m.scale);
    base.setWeight(weight.value_or(m.weight));
    return base;
}

QFont fixedWidthFont(TextStyle style, const QFont& base, std::optional<QFont::Weight> weight)
{
    const QFont styled = font(style, base, weight);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (styled.pointSizeF() > 0)
        fixed.setPointSizeF(styled.pointSizeF());
    else
        fixed.setPixelSize(styled.pixelSize());
    fixed.setWeight(styled.weight());
    return fixed;
}

QLabel* label(
    TextStyle style, const QString& objectName, QWidget* parent, Tone tone, std::optional<QFont::Weight> weight)
{
    return styleLabel(new QLabel(parent), style, objectName, tone, weight);
}

QLabel* styleLabel(
    QLabel* label, TextStyle style, const QString& objectName, Tone tone, std::optional<QFont::Weight> weight)
{
    label->setObjectName(objectName);
    label->setFont(font(style, label->font(), weight));
    if (tone == Tone::secondary)
        label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QFrame* divider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(u"dividerFrame"_s);
    line->setFixedHeight(1);
    QColor color = parent->palette().color(QPalette::WindowText);
    color.setAlphaF(0.12f);
    line->setStyleSheet(u"background: %1;"_s.arg(color.name(QColor::HexArgb)));
    return line;
}

QVBoxLayout* cardColumn(QWidget* card)
{
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(16, 14, 16, 14);
    column->setSpacing(12);
    return column;
}

void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        if (QLayout* child = item->layout())
            clearLayout(child);
        delete item;
    }
}

QIcon themeIcon(const QString& name, const QString& fallback, QStyle::StandardPixmap standard, const QStyle* style)
{
    return QIcon::fromTheme(name, QIcon::fromTheme(fallback, style->standardIcon(standard)));
}

QLabel* secondaryLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QPushButton* borderlessButton(const QString& objectName, bool destructive, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    const QString color = destructive ? destructiveColor().name() : u"palette(link)"_s;
    button->setStyleSheet(u"QPushButton { border: none; padding: 3px 6px; color: %1; }"
                          "QPushButton:pressed { color: palette(mid); }"
                          "QPushButton:focus { text-decoration: underline; }"_s.arg(color));
    return button;
}

QString segmentStyleSheet(int index, int count)
{
    const QString radius = index == 0 ? u"border-top-left-radius: 6px; border-bottom-left-radius: 6px;"_s
        : index == count - 1          ? u"border-top-right-radius: 6px; border-bottom-right-radius: 6px;"_s
                                      : QString();
    return u"QToolButton { padding: 5px 14px; border: 1px solid palette(mid); %1 %2"
           "background: palette(button); }"
           "QToolButton:checked { background: palette(highlight); color: palette(highlighted-text);"
           "border-color: palette(highlight); }"_s.arg(radius, index == 0 ? QString() : u"border-left: none;"_s);
}

QColor secondaryColor(const QPalette& palette)
{
    return palette.color(QPalette::PlaceholderText);
}

QColor destructiveColor()
{
    return projectColor(u"red"_s);
}

QColor destructiveTextColor(const QPalette& palette)
{
    const QColor red = destructiveColor();
    return palette.color(QPalette::Button).lightness() < 128 ? red.lighter(150) : red;
}

QColor withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(float(color.alphaF() * alpha));
    return color;
}

void fillInBands(QPainter& painter, const QRectF& rect, const QColor& color)
{
    const qreal band = 64 / painter.device()->devicePixelRatioF();
    for (qreal top = rect.top(); top < rect.bottom(); top += band)
        painter.fillRect(QRectF(rect.left(), top, rect.width(), std::min(band, rect.bottom() - top)), color);
}

QString menuText(QString text)
{
    return text.replace(u'&', u"&&"_s);
}

Card::Card(QWidget* parent, qreal opacity, int radius)
    : QFrame(parent)
    , m_opacity(opacity)
    , m_radius(radius)
{
}

void Card::setTint(const QColor& color, qreal opacity)
{
    m_color = color;
    m_opacity = opacity;
    update();
}

void Card::setTintRole(QPalette::ColorRole role, qreal opacity)
{
    m_color = QColor();
    m_role = role;
    m_opacity = opacity;
    update();
}

QColor Card::tint() const
{
    QColor fill = m_color.isValid() ? m_color : palette().color(m_role);
    fill.setAlphaF(float(m_opacity));
    return fill;
}

void Card::paintInterior(QPainter& painter, const QWidget* child) const
{
    const QWidget* top = window();
    painter.save();
    painter.setBrushOrigin(-child->mapTo(top, QPoint()));
    painter.fillRect(child->rect(), top->palette().brush(QPalette::Window));
    painter.fillRect(child->rect(), tint());
    painter.restore();
}

void Card::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = tint();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const QRectF shape(rect());
    const qreal edge = m_radius;
    const QRectF device = painter.deviceTransform().mapRect(shape);
    // Between the rounded ends every row is whole pixels across, so when the card lies on whole
    // device pixels those rows are filled in bands (see fillInBands) and only the ends rasterised.
    if (device != QRectF(device.toRect()) || shape.height() <= 2 * edge) {
        painter.drawRoundedRect(shape, m_radius, m_radius);
        return;
    }
    for (const QRectF& end : { QRectF(shape.left(), shape.top(), shape.width(), edge),
             QRectF(shape.left(), shape.bottom() - edge, shape.width(), edge) }) {
        // A clock ticking inside the card repaints a small part of it, well away from its ends.
        if (!event->rect().intersects(end.toAlignedRect()))
            continue;
        painter.save();
        painter.setClipRect(end);
        painter.drawRoundedRect(shape, m_radius, m_radius);
        painter.restore();
    }
    fillInBands(painter, shape.adjusted(0, edge, 0, -edge), fill);
}

ColorDot::ColorDot(int diameter, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(diameter, diameter);
}

void ColorDot::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void ColorDot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_color);
    painter.drawEllipse(QRectF(rect()));
}

Rule::Rule(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
{
    if (orientation == Qt::Horizontal) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

void Rule::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), withAlpha(palette().color(QPalette::WindowText), 0.12));
}

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent)
    : QWidget(parent)
    , m_text(text)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    update();
    setToolTip(fontMetrics().horizontalAdvance(m_text) > width() ? m_text : QString());
}

QSize ElidedLabel::sizeHint() const
{
    // Eliding compares against the exact advance; a pixel of slack keeps a text that just fits
    // from losing its last letter to rounding.
    return { fontMetrics().horizontalAdvance(m_text) + 2, fontMetrics().height() };
}

QSize ElidedLabel::minimumSizeHint() const
{
    return { std::min(fontMetrics().horizontalAdvance(m_text), fontMetrics().averageCharWidth() * 6),
        fontMetrics().height() };
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(
        rect(), Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(m_text, Qt::ElideRight, width()));
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    setToolTip(fontMetrics().horizontalAdvance(m_text) > width() ? m_text : QString());
    QWidget::resizeEvent(event);
}

EmptyState::EmptyState(const QIcon& icon, QWidget* parent, int iconSize)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 24, 12, 24);
    layout->setSpacing(6);
    auto* image = new QLabel(this);
    image->setObjectName(u"emptyIconLabel"_s);
    image->setAlignment(Qt::AlignCenter);
    image->setEnabled(false);
    image->setPixmap(icon.pixmap(iconSize, iconSize));
    layout->addWidget(image);
    m_title = new QLabel(this);
    m_title->setObjectName(u"emptyTitleLabel"_s);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    m_title->setFont(Style::font(TextStyle::headline, font()));
    layout->addWidget(m_title);
    m_description = secondaryLabel(this);
    m_description->setObjectName(u"emptyDescriptionLabel"_s);
    m_description->setAlignment(Qt::AlignCenter);
    m_description->setWordWrap(true);
    m_description->setFont(Style::font(TextStyle::caption, font()));
    layout->addWidget(m_description);
}

void EmptyState::setTexts(const QString& title, const QString& description)
{
    m_title->setText(title);
    m_description->setText(description);
}

} // namespace tivren::Style
