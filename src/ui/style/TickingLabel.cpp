// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/TickingLabel.h"

#include <QEvent>
#include <QPainter>

namespace tivren {

namespace {

QString withDigits(QString text, QChar digit)
{
    for (QChar& c : text) {
        if (c.isDigit())
            c = digit;
    }
    return text;
}

} // namespace

TickingLabel::TickingLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void TickingLabel::setTickingText(const QString& text)
{
    if (text == this->text())
        return;
    QString shape = withDigits(text, u'0');
    const bool sameShape = shape == m_shape;
    m_shape = std::move(shape);
    // With its minimum and maximum size equal, Qt does not lay out the widgets around it again.
    setText(text);
    if (!sameShape || minimumSize() != maximumSize())
        fit();
}

void TickingLabel::setBackdrop(std::function<void(QPainter&)> backdrop)
{
    m_backdrop = std::move(backdrop);
    setAttribute(Qt::WA_OpaquePaintEvent, bool(m_backdrop));
    update();
}

void TickingLabel::paintEvent(QPaintEvent* event)
{
    if (m_backdrop) {
        QPainter painter(this);
        m_backdrop(painter);
    }
    QLabel::paintEvent(event);
}

void TickingLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_widestDigit = QChar();
        fit();
    }
}

void TickingLabel::fit()
{
    const QFontMetrics metrics = fontMetrics();
    if (m_widestDigit.isNull()) {
        m_widestDigit = u'0';
        for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
            if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(m_widestDigit))
                m_widestDigit = QChar(digit);
        }
    }
    const QString shown = text();
    const int room = metrics.horizontalAdvance(withDigits(shown, m_widestDigit)) - metrics.horizontalAdvance(shown);
    // A label's size hint never goes below its minimum size: let go of the old one first.
    setMinimumSize(0, 0);
    const QSize hint = sizeHint();
    setFixedSize(hint.width() + std::max(room, 0), hint.height());
}

} // namespace tivren
