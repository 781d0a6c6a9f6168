#include "ui/style/TickingLabel.h"

#include <QEvent>

namespace tivren {

TickingLabel::TickingLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void TickingLabel::setTickingText(const QString& text)
{
    if (text == this->text())
        return;
    // One measurement a tick: the width of the text shown is kept from the last one.
    const int width = fontMetrics().horizontalAdvance(text);
    const bool sameWidth = width == m_textWidth;
    m_textWidth = width;
    // With its minimum and maximum size equal, Qt does not lay out the widgets around it again.
    setText(text);
    if (!sameWidth || minimumSize() != maximumSize())
        fit();
}

void TickingLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_textWidth = fontMetrics().horizontalAdvance(text());
        fit();
    }
}

void TickingLabel::fit()
{
    // A label's size hint never goes below its minimum size: let go of the old one first.
    setMinimumSize(0, 0);
    setFixedSize(sizeHint());
}

} // namespace tivren
