// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/EntryListView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "app/text/DayFormat.h"
#include "ui/overview/EntryListAccessible.h"
#include "ui/overview/EntryRowPainting.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QAccessible>
#include <QDateTime>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

using namespace EntryRowPainting;

namespace {

QString shortTime(Instant instant, const QLocale& locale)
{
    return locale.toString(QDateTime::fromMSecsSinceEpoch(qint64(instant * 1000.0)).time(), QLocale::ShortFormat);
}

} // namespace

EntryListView::EntryListView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(u"entryListView"_s);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QAccessible::installFactory(&EntryListAccessible::create); // once: Qt ignores a repeat
}

EntryListView::~EntryListView() = default;

Seconds EntryListView::actualDuration(const TimeEntry& entry)
{
    return std::max(entry.endDate - entry.startDate, 0.0);
}

void EntryListView::setDays(QList<EntryListDay> days, QHash<QUuid, Seconds> billed, Seconds longest)
{
    const QLocale locale = m_model.appLocale();
    const DayFormat format(locale, u"EEEEMMMd"_s);
    m_days.clear();
    m_entries.clear();
    for (EntryListDay& day : days) {
        Seconds total = 0;
        for (const TimeEntry& entry : std::as_const(day.entries))
            total += actualDuration(entry);
        m_days.append({ day.day, total, format.format(day.day), int(day.entries.size()) });
        m_entries.append(std::move(day.entries));
    }
    m_billed = std::move(billed);
    m_longest = longest;
    m_projects.clear();
    for (const Project& project : m_model.projects())
        m_projects.insert(project.id, project);
    // Keep the current entry in place while the list changes under it, as far as there is one.
    m_current = m_entries.isEmpty() ? -1 : std::min(m_current, int(m_entries.size()) - 1);
    m_hover.reset();
    m_pressed.reset();
    relayout();
}

void EntryListView::relayout()
{
    m_texts.assign(size_t(m_entries.size()), std::nullopt);
    m_rows.clear();
    m_rows.reserve(size_t(m_entries.size() + m_days.size()));
    m_entryRows.assign(size_t(m_entries.size()), 0);
    const int headerHeight = QFontMetrics(dayFont(font())).height() + headerRule;
    const LineHeights lines = lineHeights();
    int y = 0;
    int entry = 0;
    for (int day = 0; day < m_days.size(); ++day) {
        if (day > 0)
            y += daySpacing;
        m_rows.push_back({ day, -1, y, headerHeight });
        y += headerHeight;
        // Entries of a day sit one after another in m_entries.
        for (int i = 0; i < m_days[day].count; ++i) {
            const int height = entryHeight(entry, lines);
            m_entryRows[size_t(entry)] = int(m_rows.size());
            m_rows.push_back({ day, entry, y, height });
            y += height;
            ++entry;
        }
    }
    m_height = y;
    updateGeometry();
    update();
}

const EntryListView::Texts& EntryListView::texts(int entry) const
{
    std::optional<Texts>& slot = m_texts[size_t(entry)];
    if (slot)
        return *slot;
    const TimeEntry& e = m_entries[entry];
    const QLocale locale = m_model.appLocale();
    Texts t;
    const auto project = m_projects.constFind(e.projectID);
    t.knownProject = project != m_projects.constEnd();
    t.project = t.knownProject ? project->name : m_model.localized(Text::en("Unknown Project"));
    t.color = t.knownProject ? projectColor(project->colorName) : QColor(Qt::gray);
    t.span = shortTime(e.startDate, locale) + u" \u2013 "_s + shortTime(e.endDate, locale);
    t.notes = e.notes;
    const Seconds actual = actualDuration(e);
    t.hours = m_model.localized(Text::en("%@ h"), { m_model.decimalString(actual / 3600.0, 2, 2) });
    if (const std::optional<Seconds> billed = billedLine(entry))
        t.billed = m_model.localized(Text::en("%@ h billed"), { m_model.decimalString(*billed / 3600.0, 2, 2) });
    slot = std::move(t);
    return *slot;
}

std::optional<Seconds> EntryListView::billedLine(int entry) const
{
    const TimeEntry& e = m_entries[entry];
    const auto project = m_projects.constFind(e.projectID);
    if (project == m_projects.constEnd() || !project->hourlyRate)
        return std::nullopt;
    const Seconds actual = actualDuration(e);
    const Seconds billed = m_billed.value(e.id, actual);
    return billed != actual ? std::optional(billed) : std::nullopt;
}

EntryListView::LineHeights EntryListView::lineHeights() const
{
    return { QFontMetrics(Style::font(TextStyle::caption, font())).height(),
        QFontMetrics(projectFont(font())).height(),
        QFontMetrics(hoursFont(font())).height() };
}

int EntryListView::entryHeight(int entry, const LineHeights& lines) const
{
    // Worked out from the entry alone, without writing its texts: a year of rows is laid out at
    // once, but only the visible ones are ever written.
    const int caption = lines.caption;
    const bool notes = !m_entries[entry].notes.isEmpty();
    const int left = lines.callout + 2 + caption + (notes ? 2 + caption : 0);
    const int right = lines.hours + (billedLine(entry) ? 2 + caption : 0);
    const int actions = 2 * (caption + 4) + 4;
    return rowPadding + barHeight + 6 + std::max({ left, right, actions }) + rowPadding;
}

int EntryListView::actionColumnWidth() const
{
    const QFontMetrics metrics(Style::font(TextStyle::caption, font()));
    return std::max(metrics.horizontalAdvance(actionText(Action::edit)),
               metrics.horizontalAdvance(actionText(Action::remove)))
        + 12;
}

QString EntryListView::actionText(Action action) const
{
    return action == Action::edit ? m_model.localized(Text::en("Edit")) : m_model.localized(Text::en("Delete"));
}

const TimeEntry& EntryListView::entryAt(int index) const
{
    return m_entries[index];
}

int EntryListView::rowOfEntry(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entryRows[size_t(index)] : -1;
}

QRect EntryListView::actionRect(int index, Action action) const
{
    const int row = rowOfEntry(index);
    if (row < 0)
        return {};
    const Row& r = m_rows[size_t(row)];
    const int caption = QFontMetrics(Style::font(TextStyle::caption, font())).height() + 4;
    const int width = actionColumnWidth();
    const int top = r.top + rowPadding + barHeight + 6 + (action == Action::edit ? 0 : caption + 4);
    return QRect(this->width() - width, top, width, caption);
}

QStringList EntryListView::entryTexts(int index) const
{
    if (index < 0 || index >= m_entries.size())
        return {};
    const Texts& t = texts(index);
    return { t.project, t.span, t.notes, t.hours, t.billed };
}

QStringList EntryListView::dayTexts(int day) const
{
    if (day < 0 || day >= m_days.size())
        return {};
    return { m_days[day].title,
        m_model.localized(Text::en("%@ h"), { m_model.decimalString(m_days[day].total / 3600.0, 2, 2) }) };
}

QRect EntryListView::entryRect(int index) const
{
    const int row = rowOfEntry(index);
    return row < 0 ? QRect() : QRect(0, m_rows[size_t(row)].top, width(), m_rows[size_t(row)].height);
}

int EntryListView::dayOfEntry(int index) const
{
    const int row = rowOfEntry(index);
    return row < 0 ? -1 : m_rows[size_t(row)].day;
}

void EntryListView::requestAction(int index, Action action)
{
    if (index >= 0 && index < m_entries.size())
        trigger({ index, action });
}

void EntryListView::setCurrentIndex(int index)
{
    const int clamped = m_entries.isEmpty() ? -1 : std::clamp(index, 0, int(m_entries.size()) - 1);
    if (clamped == m_current)
        return;
    m_current = clamped;
    update();
    revealCurrent();
    announceCurrent();
}

void EntryListView::announceCurrent()
{
    if (!hasFocus() || m_current < 0)
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(m_current);
    QAccessible::updateAccessibility(&event);
}

void EntryListView::revealCurrent()
{
    const int row = rowOfEntry(m_current);
    if (row < 0)
        return;
    // The list scrolls with the overview around it: ask that scroll area to bring the row in.
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(ancestor)) {
            const Row& r = m_rows[size_t(row)];
            const QPoint center = mapTo(area->widget(), QPoint(width() / 2, r.top + r.height / 2));
            area->ensureVisible(center.x(), center.y(), 0, r.height / 2 + 8);
            return;
        }
    }
}

QSize EntryListView::sizeHint() const
{
    return { 320, m_height };
}

QSize EntryListView::minimumSizeHint() const
{
    return { 240, m_height };
}

const EntryListView::Row* EntryListView::rowAt(int y) const
{
    // Rows are sorted by their top: the last one starting at or above y.
    const auto it = std::upper_bound(m_rows.begin(), m_rows.end(), y, [](int value, const Row& row) {
        return value < row.top;
    });
    return it == m_rows.begin() ? nullptr : &*std::prev(it);
}

std::optional<EntryListView::Hit> EntryListView::hitAt(QPoint point) const
{
    const Row* found = rowAt(point.y());
    if (!found)
        return std::nullopt;
    const Row& row = *found;
    if (row.entry < 0 || point.y() >= row.top + row.height)
        return std::nullopt;
    for (Action action : { Action::edit, Action::remove }) {
        if (actionRect(row.entry, action).contains(point))
            return Hit { row.entry, action };
    }
    return std::nullopt;
}

bool EntryListView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Row* row = rowAt(help->pos().y());
        if (row && row->entry >= 0 && !texts(row->entry).notes.isEmpty())
            QToolTip::showText(help->globalPos(), texts(row->entry).notes, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void EntryListView::mouseMoveEvent(QMouseEvent* event)
{
    const std::optional<Hit> hit = hitAt(event->position().toPoint());
    if (hit != m_hover) {
        m_hover = hit;
        setCursor(hit ? Qt::PointingHandCursor : Qt::ArrowCursor);
        update();
    }
}

void EntryListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressed = hitAt(event->position().toPoint());
    if (m_pressed)
        m_current = m_pressed->index;
    update();
}

void EntryListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const std::optional<Hit> pressed = std::exchange(m_pressed, std::nullopt);
    update();
    if (pressed && hitAt(event->position().toPoint()) == pressed)
        trigger(*pressed);
}

void EntryListView::leaveEvent(QEvent* event)
{
    m_hover.reset();
    unsetCursor();
    update();
    QWidget::leaveEvent(event);
}

void EntryListView::trigger(Hit hit)
{
    // Copied: the handler may change the list under the reference.
    const TimeEntry entry = m_entries[hit.index];
    if (hit.action == Action::edit)
        Q_EMIT editRequested(entry);
    else
        Q_EMIT deleteRequested(entry);
}

void EntryListView::keyPressEvent(QKeyEvent* event)
{
    if (m_entries.isEmpty())
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
        setCurrentIndex(m_current - 1);
        return;
    case Qt::Key_Down:
        setCurrentIndex(m_current + 1);
        return;
    case Qt::Key_Home:
        setCurrentIndex(0);
        return;
    case Qt::Key_End:
        setCurrentIndex(int(m_entries.size()) - 1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_current >= 0)
            trigger({ m_current, Action::edit });
        return;
    case Qt::Key_Delete:
        if (m_current >= 0)
            trigger({ m_current, Action::remove });
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void EntryListView::focusInEvent(QFocusEvent* event)
{
    if (m_current < 0 && !m_entries.isEmpty())
        m_current = 0;
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        revealCurrent();
    update();
    QWidget::focusInEvent(event);
    announceCurrent();
}

void EntryListView::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void EntryListView::changeEvent(QEvent* event)
{
    // Row heights follow the font; texts follow the language.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LocaleChange)
        relayout();
    QWidget::changeEvent(event);
}

} // namespace tivren
