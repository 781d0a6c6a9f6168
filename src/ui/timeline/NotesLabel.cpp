// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/NotesLabel.h"

#include <QEvent>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace tivren {
namespace {

constexpr int notesWidth = 200;
constexpr int notesLines = 3;

} // namespace

NotesLabel::NotesLabel(QWidget* parent)
    : QWidget(parent)
{
    setForegroundRole(QPalette::PlaceholderText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void NotesLabel::setText(const QString& text)
{
    m_text = text;
    relayout();
}

QSize NotesLabel::sizeHint() const
{
    int width = 0;
    for (const QString& line : m_lines)
        width = std::max(width, fontMetrics().horizontalAdvance(line));
    return { std::min(width + 1, notesWidth), int(m_lines.size()) * fontMetrics().lineSpacing() };
}

QSize NotesLabel::minimumSizeHint() const
{
    return { std::min(sizeHint().width(), 60), sizeHint().height() };
}

void NotesLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const int lineHeight = fontMetrics().lineSpacing();
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        painter.drawText(QRect(0, int(i) * lineHeight, width(), lineHeight),
            Qt::AlignLeft | Qt::AlignVCenter,
            fontMetrics().elidedText(m_lines[i], Qt::ElideRight, width()));
}

void NotesLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        relayout();
    QWidget::changeEvent(event);
}

void NotesLabel::relayout()
{
    m_lines.clear();
    QString text = m_text;
    text.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(text, font());
    layout.beginLayout();
    bool truncated = false;
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(notesWidth);
        if (m_lines.size() == notesLines - 1) {
            QString rest = text.mid(line.textStart());
            const bool more = line.textStart() + line.textLength() < text.size();
            rest.replace(QChar::LineSeparator, u' ');
            m_lines.append(fontMetrics().elidedText(rest, Qt::ElideRight, notesWidth));
            truncated = more;
            break;
        }
        m_lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    setToolTip(truncated ? m_text : QString());
    updateGeometry();
    update();
}

} // namespace tivren
