// SPDX-License-Identifier: GPL-3.0-or-later
// The entries list's painting: day headers, entry rows and their action buttons.
#include "app/model/AppModel.h"
#include "ui/overview/EntryListView.h"
#include "ui/overview/EntryRowPainting.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QPaintEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace tivren {

using namespace EntryRowPainting;

void EntryListView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect exposed = event->rect();
    const Row* first = rowAt(exposed.top());
    auto it = first ? m_rows.begin() + (first - m_rows.data()) : m_rows.begin();
    for (; it != m_rows.end() && it->top <= exposed.bottom(); ++it) {
        if (it->entry < 0) {
            paintHeader(painter, *it);
        } else {
            const bool first = it != m_rows.begin() && std::prev(it)->entry < 0;
            paintEntry(painter, *it, first);
        }
    }
}

void EntryListView::paintHeader(QPainter& painter, const Row& row) const
{
    const QStringList texts = dayTexts(row.day);
    paintDayHeader(painter, QRect(0, row.top, width(), row.height), texts[0], texts[1], *this);
}

void EntryListView::paintEntry(QPainter& painter, const Row& row, bool first) const
{
    const Texts& t = texts(row.entry);
    const QColor text = palette().color(QPalette::WindowText);
    const QColor secondary = Style::secondaryColor(palette());
    const int w = width();
    const Seconds duration = actualDuration(m_entries[row.entry]);
    const qreal fraction = m_longest > 0 ? std::min(duration / m_longest, 1.0) : 0.0;
    paintEntryFrame(painter,
        QRect(0, row.top, w, row.height),
        t.color,
        fraction,
        first,
        row.entry == m_current && hasFocus(),
        *this);

    const int top = row.top + rowPadding + barHeight + 6;
    const QFont caption = Style::font(TextStyle::caption, font());
    const QFontMetrics captionMetrics(caption);

    paintActions(painter, row.entry);

    // Hours, right-aligned before the actions.
    const QFont hours = hoursFont(font());
    const int hoursWidth = std::max(QFontMetrics(hours).horizontalAdvance(t.hours),
        t.billed.isEmpty() ? 0 : captionMetrics.horizontalAdvance(t.billed));
    const int hoursRight = w - actionColumnWidth() - columnSpacing;
    painter.setFont(hours);
    painter.setPen(text);
    const int hoursHeight = QFontMetrics(hours).height();
    painter.drawText(QRect(hoursRight - hoursWidth, top, hoursWidth, hoursHeight), Qt::AlignRight, t.hours);
    if (!t.billed.isEmpty()) {
        painter.setFont(caption);
        painter.setPen(secondary);
        painter.drawText(QRect(hoursRight - hoursWidth, top + hoursHeight + 2, hoursWidth, captionMetrics.height()),
            Qt::AlignRight,
            t.billed);
    }

    // Project, span and notes, elided to the room left.
    const int textWidth = std::max(hoursRight - hoursWidth - columnSpacing - textInset, 0);
    const QFont callout = projectFont(font());
    const QFontMetrics calloutMetrics(callout);
    int y = top;
    painter.setFont(callout);
    painter.setPen(text);
    painter.drawText(QRect(textInset, y, textWidth, calloutMetrics.height()),
        Qt::AlignLeft,
        calloutMetrics.elidedText(t.project, Qt::ElideRight, textWidth));
    y += calloutMetrics.height() + 2;
    painter.setFont(caption);
    painter.setPen(secondary);
    painter.drawText(QRect(textInset, y, textWidth, captionMetrics.height()),
        Qt::AlignLeft,
        captionMetrics.elidedText(t.span, Qt::ElideRight, textWidth));
    if (!t.notes.isEmpty()) {
        y += captionMetrics.height() + 2;
        // One line: the notes' first line, the rest in the tooltip.
        QString notes = t.notes;
        notes.replace(u'\n', u' ');
        painter.drawText(QRect(textInset, y, textWidth, captionMetrics.height()),
            Qt::AlignLeft,
            captionMetrics.elidedText(notes, Qt::ElideRight, textWidth));
    }
}

void EntryListView::paintActions(QPainter& painter, int entry) const
{
    // Right-most, in the small print of links.
    const QFont caption = Style::font(TextStyle::caption, font());
    for (Action action : { Action::edit, Action::remove }) {
        const QRect rect = actionRect(entry, action);
        const bool hovered = m_hover == Hit { entry, action };
        QColor color = action == Action::remove ? Style::destructiveColor() : palette().color(QPalette::Link);
        if (m_pressed == Hit { entry, action } && hovered)
            color = palette().color(QPalette::Mid);
        QFont font = caption;
        font.setUnderline(hovered);
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(rect, Qt::AlignCenter, actionText(action));
    }
}

} // namespace tivren
