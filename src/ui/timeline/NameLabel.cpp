#include "ui/timeline/NameLabel.h"

#include <algorithm>

namespace tivren {
namespace {

constexpr int nameWidth = 280;

} // namespace

NameLabel::NameLabel(QWidget* parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void NameLabel::setFullText(const QString& text)
{
    m_text = text;
    updateGeometry();
    elide();
}

QSize NameLabel::sizeHint() const
{
    // A pixel of slack: text exactly as wide as its label is elided otherwise.
    return { std::min(fontMetrics().horizontalAdvance(m_text) + 2, nameWidth), QLabel::sizeHint().height() };
}

QSize NameLabel::minimumSizeHint() const
{
    return { std::min(sizeHint().width(), 60), QLabel::sizeHint().height() };
}

void NameLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void NameLabel::elide()
{
    const QString shown = fontMetrics().elidedText(m_text, Qt::ElideRight, std::max(width() - 1, 0));
    if (shown != text())
        setText(shown);
    setToolTip(shown == m_text ? QString() : m_text);
}

} // namespace tivren
