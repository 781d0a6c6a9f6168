// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/cards/RecentProjectButton.h"

#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace tivren {

RecentProjectButton::RecentProjectButton(const Project& project, bool running, QString caption, QWidget* parent)
    : QAbstractButton(parent)
    , m_color(projectColor(project.colorName))
    , m_name(project.name)
    , m_caption(std::move(caption))
    , m_running(running)
{
    setObjectName(u"recentProjectButton"_s);
    setText(m_name);
    setAccessibleName(m_name + u", "_s + m_caption);
    setToolTip(m_name);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    updateGlyph();
}

void RecentProjectButton::updateGlyph()
{
    // Drawn once, not on every paint: hovering repaints the tile many times a second.
    m_glyph = playStopIcon(m_running ? Style::secondaryColor(palette()) : m_color, m_running);
}

void RecentProjectButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        updateGlyph();
    QAbstractButton::changeEvent(event);
}

QFont RecentProjectButton::nameFont() const
{
    return Style::font(TextStyle::body, font(), QFont::Medium);
}

QSize RecentProjectButton::sizeHint() const
{
    const QFontMetrics name(nameFont());
    const QFontMetrics small(Style::font(TextStyle::caption, font()));
    const int text = std::max(name.horizontalAdvance(m_name), small.horizontalAdvance(m_caption));
    return { 12 + 10 + 10 + std::min(text, 220) + 10 + 20 + 12, 10 + name.height() + 2 + small.height() + 10 };
}

QSize RecentProjectButton::minimumSizeHint() const
{
    return { 120, sizeHint().height() };
}

void RecentProjectButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = m_running ? Style::secondaryColor(palette()) : m_color;
    fill.setAlphaF(isDown() ? 0.24f : underMouse() ? 0.18f : 0.12f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), 10, 10);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 9, 9);
    }

    const QFontMetrics name(nameFont());
    const QFont small = Style::font(TextStyle::caption, font());
    const QFontMetrics smallMetrics(small);
    const int textHeight = name.height() + 2 + smallMetrics.height();
    const int top = (height() - textHeight) / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_color);
    painter.drawEllipse(QRectF(12, height() / 2.0 - 5, 10, 10));

    const int glyph = 20;
    const QRect glyphRect(width() - 12 - glyph, (height() - glyph) / 2, glyph, glyph);
    m_glyph.paint(&painter, glyphRect);

    const int textLeft = 12 + 10 + 10;
    const int textWidth = std::max(glyphRect.left() - 10 - textLeft, 0);
    painter.setFont(nameFont());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(textLeft, top, textWidth, name.height()),
        Qt::AlignLeft,
        name.elidedText(m_name, Qt::ElideRight, textWidth));
    painter.setFont(small);
    painter.setPen(Style::secondaryColor(palette()));
    painter.drawText(QRect(textLeft, top + name.height() + 2, textWidth, smallMetrics.height()),
        Qt::AlignLeft,
        smallMetrics.elidedText(m_caption, Qt::ElideRight, textWidth));
}

} // namespace tivren
