#include "ui/timeline/DayTimelineView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "app/text/DayFormat.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QAccessible>
#include <QApplication>
#include <QDateTime>
#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr int sidebarWidth = 240;
constexpr int slideMilliseconds = 200;
constexpr qreal minimumBlockHeight = 20;
constexpr qreal labelColumnWidth = 50;
constexpr qreal labelGap = 8;
constexpr Seconds hour = 3600;

Instant instantOf(const QDateTime& dateTime)
{
    return Instant(dateTime.toMSecsSinceEpoch()) / 1000.0;
}

QFont calloutFont(QFont base)
{
    base.setPointSizeF(base.pointSizeF() * 0.93);
    return base;
}

QString hoursText(const AppModel& model, Seconds seconds, const QString& key)
{
    return model.localized(key, { model.decimalString(seconds / hour, 2, 2) });
}

// The empty state's picture: the theme's "recent" clock, greyed, where there is one; else a drawn
// one in the quieter text colour (the style's greying would lose it on a dark background).
QPixmap historyPixmap(const QPalette& palette, qreal ratio)
{
    constexpr int size = 32;
    if (QIcon::hasThemeIcon(u"document-open-recent"_s))
        return QIcon::fromTheme(u"document-open-recent"_s).pixmap(QSize(size, size), ratio, QIcon::Disabled);
    QPixmap pixmap = transparentPixmap(size, ratio);
    QPainter painter(&pixmap);
    paintGlyph(painter, QRectF(0, 0, size, size), Glyph::history, Style::secondaryColor(palette));
    return pixmap;
}

// A hairline between the sidebar's groups.
Style::Rule* divider(QWidget* parent)
{
    auto* rule = new Style::Rule(Qt::Horizontal, parent);
    rule->setObjectName(u"dividerWidget"_s);
    return rule;
}

QLabel* wrappingLabel(const QString& objectName, const QFont& font, QWidget* parent, bool secondary = false)
{
    QLabel* label = secondary ? Style::secondaryLabel(parent) : new QLabel(parent);
    label->setObjectName(objectName);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

// ---- the detail sidebar ----------------------------------------------------------------------

// The selected entry's details. The panel keeps its full width while the sidebar's own width
// opens and closes around it, so it slides in from the trailing edge instead of squeezing.
class DayDetailSidebar : public QWidget
{
public:
    struct Details
    {
        QColor color;
        QString project;
        QString span;
        QString hours;
        QString billed; // empty: no billed line
        QString amount; // empty: no amount line
        QString notes;
    };

    explicit DayDetailSidebar(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(u"detailSidebar"_s);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        setMaximumWidth(0);
        hide();

        m_panel = new Style::Card(this, 0.06, 10);
        m_panel->setObjectName(u"detailPanel"_s);
        auto* column = new QVBoxLayout(m_panel);
        column->setContentsMargins(12, 12, 12, 12);
        column->setSpacing(12);

        auto* title = new QHBoxLayout;
        title->setSpacing(8);
        m_dot = new Style::ColorDot(10, m_panel);
        m_dot->setObjectName(u"projectColorDot"_s);
        title->addWidget(m_dot, 0, Qt::AlignVCenter);
        m_project = wrappingLabel(u"projectLabel"_s, Style::headlineFont(font()), m_panel);
        title->addWidget(m_project, 1);
        column->addLayout(title);
        column->addWidget(divider(m_panel));

        const QFont callout = calloutFont(font());
        auto* lines = new QGridLayout;
        lines->setHorizontalSpacing(8);
        lines->setVerticalSpacing(6);
        lines->setColumnStretch(1, 1);
        lines->addWidget(new GlyphWidget(Glyph::clock, callout, m_panel), 0, 0, Qt::AlignTop);
        m_span = wrappingLabel(u"spanLabel"_s, callout, m_panel);
        lines->addWidget(m_span, 0, 1);
        lines->addWidget(new GlyphWidget(Glyph::hourglass, callout, m_panel), 1, 0, Qt::AlignTop);
        auto* hours = new QVBoxLayout;
        hours->setSpacing(2);
        m_hours = wrappingLabel(u"hoursLabel"_s, callout, m_panel);
        hours->addWidget(m_hours);
        m_billed = wrappingLabel(u"billedLabel"_s, Style::captionFont(font()), m_panel, true);
        hours->addWidget(m_billed);
        lines->addLayout(hours, 1, 1);
        m_amountGlyph = new GlyphWidget(Glyph::banknote, callout, m_panel);
        lines->addWidget(m_amountGlyph, 2, 0, Qt::AlignTop);
        QFont amountFont = callout;
        amountFont.setWeight(QFont::DemiBold);
        m_amount = wrappingLabel(u"amountLabel"_s, amountFont, m_panel);
        lines->addWidget(m_amount, 2, 1);
        column->addLayout(lines);

        m_notesDivider = divider(m_panel);
        column->addWidget(m_notesDivider);
        m_notes = wrappingLabel(u"notesLabel"_s, callout, m_panel, true);
        column->addWidget(m_notes);
        column->addWidget(divider(m_panel));

        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(8);
        m_edit = new QPushButton(m_panel);
        m_edit->setObjectName(u"editButton"_s);
        m_delete = new QPushButton(m_panel);
        m_delete->setObjectName(u"deleteButton"_s);
        colorDeleteButton();
        for (QPushButton* button : { m_edit, m_delete }) {
            button->setFont(Style::captionFont(font()));
            button->setAutoDefault(false);
            buttons->addWidget(button);
        }
        buttons->addStretch();
        column->addLayout(buttons);
        column->addStretch();

        m_effect = new QGraphicsOpacityEffect(this);
        m_effect->setEnabled(false);
        setGraphicsEffect(m_effect);
        m_animation = new QParallelAnimationGroup(this);
        m_widthAnimation = new QPropertyAnimation(this, "maximumWidth", m_animation);
        m_opacityAnimation = new QPropertyAnimation(m_effect, "opacity", m_animation);
        for (QPropertyAnimation* animation : { m_widthAnimation, m_opacityAnimation }) {
            animation->setDuration(slideMilliseconds);
            animation->setEasingCurve(QEasingCurve::InOutQuad);
            m_animation->addAnimation(animation);
        }
        QObject::connect(m_animation, &QAbstractAnimation::finished, this, [this] {
            settle();
        });
    }

    QPushButton* editButton() const { return m_edit; }
    QPushButton* deleteButton() const { return m_delete; }
    bool isOpen() const { return m_open; }

    void setButtonTexts(const QString& edit, const QString& remove)
    {
        m_edit->setText(edit);
        m_delete->setText(remove);
    }

    void setDetails(const Details& details)
    {
        m_dot->setColor(details.color);
        m_project->setText(details.project);
        m_span->setText(details.span);
        m_hours->setText(details.hours);
        m_billed->setText(details.billed);
        m_billed->setVisible(!details.billed.isEmpty());
        m_amount->setText(details.amount);
        m_amount->setVisible(!details.amount.isEmpty());
        m_amountGlyph->setVisible(!details.amount.isEmpty());
        m_notes->setText(details.notes);
        m_notes->setVisible(!details.notes.isEmpty());
        m_notesDivider->setVisible(!details.notes.isEmpty());
        updateGeometry();
    }

    // Slides open or closed; at once when not animated (the view is not on screen, or the day
    // changed under it).
    void setOpen(bool open, bool animated)
    {
        if (open == m_open && (animated || m_animation->state() != QAbstractAnimation::Running))
            return;
        m_open = open;
        m_animation->stop();
        if (!animated) {
            setMaximumWidth(open ? sidebarWidth : 0);
            settle();
            return;
        }
        if (isHidden()) {
            setMaximumWidth(0);
            m_effect->setOpacity(0);
        }
        m_effect->setEnabled(true);
        show();
        m_widthAnimation->setStartValue(maximumWidth());
        m_widthAnimation->setEndValue(open ? sidebarWidth : 0);
        m_opacityAnimation->setStartValue(m_effect->opacity());
        m_opacityAnimation->setEndValue(open ? 1.0 : 0.0);
        m_animation->start();
    }

    QSize sizeHint() const override { return { sidebarWidth, panelHeight() }; }
    QSize minimumSizeHint() const override { return { 0, panelHeight() }; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        m_panel->setGeometry(0, 0, sidebarWidth, height());
        QWidget::resizeEvent(event);
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::PaletteChange)
            colorDeleteButton();
        QWidget::changeEvent(event);
    }

private:
    void colorDeleteButton()
    {
        // Only the text colour is set, so the rest of the button still follows the theme.
        QPalette own;
        own.setColor(QPalette::ButtonText, Style::destructiveTextColor(palette()));
        m_delete->setPalette(own.resolve(m_delete->palette()));
    }

    int panelHeight() const
    {
        return m_panel->hasHeightForWidth() ? m_panel->heightForWidth(sidebarWidth) : m_panel->sizeHint().height();
    }

    void settle()
    {
        // The effect renders through an offscreen pixmap: only worth it while fading.
        m_effect->setEnabled(false);
        m_effect->setOpacity(1.0);
        setVisible(m_open);
    }

    bool m_open = false;
    Style::Card* m_panel;
    Style::ColorDot* m_dot;
    QLabel* m_project;
    QLabel* m_span;
    QLabel* m_hours;
    QLabel* m_billed;
    QWidget* m_amountGlyph;
    QLabel* m_amount;
    QWidget* m_notesDivider;
    QLabel* m_notes;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QGraphicsOpacityEffect* m_effect;
    QParallelAnimationGroup* m_animation;
    QPropertyAnimation* m_widthAnimation;
    QPropertyAnimation* m_opacityAnimation;
};

// ---- the timeline area -----------------------------------------------------------------------

namespace {

QFont hourLabelFont(const QFont& base)
{
    return Style::captionFont(base);
}

} // namespace

DayTimelineArea::DayTimelineArea(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(u"timelineArea"_s);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

DayTimelineArea::~DayTimelineArea() = default;

void DayTimelineArea::setContent(const QList<TimeEntry>& entries,
    const QHash<QUuid, Project>& projects,
    std::optional<Running> running,
    std::pair<Instant, Instant> axis,
    Instant now)
{
    // A session starting or stopping leaves the entries as they were.
    if (entries != m_entries) {
        m_entries = entries;
        m_layout = computeOverlapLayout(entries);
    }
    m_projects = projects;
    m_running = std::move(running);
    m_axisStart = axis.first;
    m_axisEnd = axis.second;
    m_now = now;
    m_hover = -1;
    m_pressed = -1;
    relayout();
}

void DayTimelineArea::setAxis(std::pair<Instant, Instant> axis, Instant now)
{
    m_axisStart = axis.first;
    m_axisEnd = axis.second;
    m_now = now;
    relayout();
}

void DayTimelineArea::setNow(Instant now)
{
    if (!m_running) {
        m_now = now;
        return;
    }
    const QRectF before = runningRectAt(m_now);
    m_now = now;
    const QRectF after = runningRectAt(m_now);
    if (before != after)
        update(before.united(after).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void DayTimelineArea::setSelectedID(const std::optional<QUuid>& id)
{
    if (id == m_selectedID)
        return;
    m_selectedID = id;
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        const bool selected = m_selectedID == m_blocks[i].entry.id;
        if (selected != m_blocks[i].isSelected) {
            m_blocks[i].isSelected = selected;
            updateBlock(int(i));
        }
    }
}

QList<std::pair<QUuid, QRectF>> DayTimelineArea::blockRects() const
{
    QList<std::pair<QUuid, QRectF>> result;
    for (size_t i = 0; i < m_blocks.size(); ++i)
        result.append({ m_blocks[i].entry.id, m_rects[i] });
    return result;
}

QList<std::pair<Instant, qreal>> DayTimelineArea::hourLines() const
{
    QList<std::pair<Instant, qreal>> result;
    for (const Tick& tick : m_ticks)
        result.append({ tick.time, tick.y });
    return result;
}

std::optional<QRectF> DayTimelineArea::runningRect() const
{
    return m_running ? std::optional(runningRectAt(m_now)) : std::nullopt;
}

QSize DayTimelineArea::sizeHint() const
{
    return { 480, 400 };
}

QSize DayTimelineArea::minimumSizeHint() const
{
    return { 160, 400 };
}

qreal DayTimelineArea::yOf(Instant instant) const
{
    const Seconds total = std::max(m_axisEnd - m_axisStart, 1.0);
    return m_inset + m_plotHeight * (instant - m_axisStart) / total;
}

QRectF DayTimelineArea::runningRectAt(Instant now) const
{
    if (!m_running)
        return {};
    const Seconds total = std::max(m_axisEnd - m_axisStart, 1.0);
    const qreal left = m_gutter + labelGap;
    const qreal height = std::max(m_plotHeight * std::max(now - m_running->start, 0.0) / total, minimumBlockHeight);
    return { left, yOf(m_running->start), std::max(width() - left - 2, 0.0), height };
}

void DayTimelineArea::relayout()
{
    const QFontMetricsF metrics(hourLabelFont(font()));
    // Room above the first and below the last hour for the halves of their labels.
    m_inset = std::ceil(metrics.height() / 2) + 1;
    m_plotHeight = std::max(height() - 2 * m_inset, 1.0);
    const Seconds total = std::max(m_axisEnd - m_axisStart, 1.0);

    // Labels closer than a line of text apart would run into each other: keep every n-th.
    const QList<Instant> ticks = DayTimelineView::hourTicks(m_axisStart, m_axisEnd);
    const qreal hourHeight = m_plotHeight * hour / total;
    const qsizetype stride =
        std::max<qsizetype>(1, qsizetype(std::ceil(metrics.height() / std::max(hourHeight, 0.01))));
    m_ticks.clear();
    qreal widest = 0;
    for (qsizetype i = 0; i < ticks.size(); i += stride) {
        const QString label = shortTime(ticks[i], m_model);
        widest = std::max(widest, metrics.horizontalAdvance(label));
        m_ticks.append({ ticks[i], yOf(ticks[i]), label });
    }
    // A twelve-hour clock in a large font can need more than the usual column.
    m_gutter = std::max(labelColumnWidth, std::ceil(widest) + 2);

    // The blocks end two points short of the trailing edge, like the gaps between columns.
    const qreal left = m_gutter + labelGap;
    const qreal plotWidth = std::max(width() - left, 0.0);
    m_blocks.clear();
    m_rects.clear();
    m_blocks.reserve(size_t(m_layout.size()));
    m_rects.reserve(size_t(m_layout.size()));
    for (const LayoutEntry& item : std::as_const(m_layout)) {
        const qreal column = plotWidth / std::max(item.totalSlots, 1);
        TimelineBlock block;
        block.entry = item.entry;
        const auto project = m_projects.constFind(item.entry.projectID);
        if (project != m_projects.constEnd())
            block.project = *project;
        block.isSelected = m_selectedID == item.entry.id;
        block.width = std::max(column - 2, 0.0);
        block.height = std::max(m_plotHeight * item.entry.duration() / total, minimumBlockHeight);
        m_rects.emplace_back(left + column * item.slotIndex, yOf(item.entry.startDate), block.width, block.height);
        m_blocks.push_back(std::move(block));
    }
    m_timeOrder.resize(m_blocks.size());
    for (size_t i = 0; i < m_timeOrder.size(); ++i)
        m_timeOrder[i] = int(i);
    std::stable_sort(m_timeOrder.begin(), m_timeOrder.end(), [this](int a, int b) {
        const QRectF& ra = m_rects[size_t(a)];
        const QRectF& rb = m_rects[size_t(b)];
        return ra.top() != rb.top() ? ra.top() < rb.top() : ra.left() < rb.left();
    });
    if (indexOf(m_currentID) < 0)
        m_currentID.reset();
    update();
}

int DayTimelineArea::indexOf(const std::optional<QUuid>& id) const
{
    if (!id)
        return -1;
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        if (m_blocks[i].entry.id == *id)
            return int(i);
    }
    return -1;
}

int DayTimelineArea::blockAt(QPointF point) const
{
    // Later blocks are drawn over earlier ones, so they are hit first.
    for (size_t i = m_rects.size(); i-- > 0;) {
        if (m_rects[i].contains(point))
            return int(i);
    }
    return -1;
}

void DayTimelineArea::updateBlock(int index)
{
    if (index >= 0 && size_t(index) < m_rects.size())
        update(m_rects[size_t(index)].toAlignedRect().adjusted(-4, -4, 4, 4));
}

void DayTimelineArea::setCurrentID(const std::optional<QUuid>& id)
{
    if (id == m_currentID) {
        updateBlock(indexOf(id));
        return;
    }
    updateBlock(indexOf(m_currentID));
    m_currentID = id;
    const int index = indexOf(id);
    updateBlock(index);
    setAccessibleDescription(index >= 0 ? m_blocks[size_t(index)].accessibleLabel(m_model) : QString());
    if (hasFocus()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

bool DayTimelineArea::stepCurrent(int delta, bool wrap)
{
    const int count = int(m_timeOrder.size());
    if (count == 0)
        return false;
    const int index = indexOf(m_currentID);
    const auto found = std::find(m_timeOrder.begin(), m_timeOrder.end(), index);
    int next = 0;
    if (index < 0 || found == m_timeOrder.end()) {
        next = delta > 0 ? 0 : count - 1;
    } else {
        next = int(found - m_timeOrder.begin()) + delta;
        if (next < 0 || next >= count) {
            if (!wrap)
                return false;
            next = (next + count) % count;
        }
    }
    m_keyboardFocus = true;
    setCurrentID(m_blocks[size_t(m_timeOrder[size_t(next)])].entry.id);
    return true;
}

void DayTimelineArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRectF exposed = event->rect();
    const QColor secondary = Style::secondaryColor(palette());
    const QFont labelFont = hourLabelFont(font());
    const qreal labelHeight = QFontMetricsF(labelFont).height();
    const qreal left = m_gutter + labelGap;
    painter.setFont(labelFont);
    for (const Tick& tick : std::as_const(m_ticks)) {
        if (tick.y + labelHeight < exposed.top() || tick.y - labelHeight > exposed.bottom())
            continue;
        painter.setPen(Style::withAlpha(secondary, 0.85));
        painter.drawText(
            QRectF(0, tick.y - labelHeight / 2, m_gutter, labelHeight), Qt::AlignRight | Qt::AlignVCenter, tick.label);
        // A whole pixel, so the line stays crisp whatever the scale of the axis.
        painter.fillRect(QRectF(left, std::floor(tick.y), width() - left, 1), Style::withAlpha(secondary, 0.25));
    }

    const bool showFocus = hasFocus() && m_keyboardFocus;
    const int current = indexOf(m_currentID);
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        const QRectF& rect = m_rects[i];
        if (!rect.adjusted(-4, -4, 4, 4).intersects(exposed))
            continue;
        m_blocks[i].paint(painter, rect.topLeft(), m_model, palette());
    }

    if (m_running) {
        const QRectF rect = runningRectAt(m_now);
        if (rect.intersects(exposed))
            paintRunningBlock(painter, rect, m_running->project, m_model, palette(), { 6, 6, 36, 52 });
    }

    // Last, so no neighbouring block covers it.
    if (showFocus && current >= 0) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(m_rects[size_t(current)].adjusted(-2, -2, 2, 2), 8, 8);
    }
}

void DayTimelineArea::resizeEvent(QResizeEvent* event)
{
    relayout();
    QWidget::resizeEvent(event);
}

bool DayTimelineArea::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = blockAt(help->pos());
        if (index >= 0) {
            QToolTip::showText(help->globalPos(),
                m_blocks[size_t(index)].accessibleLabel(m_model),
                this,
                m_rects[size_t(index)].toAlignedRect());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void DayTimelineArea::mouseMoveEvent(QMouseEvent* event)
{
    const int hover = blockAt(event->position());
    if (hover != m_hover) {
        m_hover = hover;
        setCursor(hover >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QWidget::mouseMoveEvent(event);
}

void DayTimelineArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_keyboardFocus = false;
    m_pressed = blockAt(event->position());
    if (m_pressed >= 0)
        setCurrentID(m_blocks[size_t(m_pressed)].entry.id);
}

void DayTimelineArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const int pressed = std::exchange(m_pressed, -1);
    if (pressed >= 0 && blockAt(event->position()) == pressed)
        Q_EMIT blockActivated(m_blocks[size_t(pressed)].entry.id);
}

void DayTimelineArea::leaveEvent(QEvent* event)
{
    m_hover = -1;
    unsetCursor();
    QWidget::leaveEvent(event);
}

void DayTimelineArea::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        stepCurrent(1, true);
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        stepCurrent(-1, true);
        return;
    case Qt::Key_Home:
        if (!m_timeOrder.empty()) {
            m_keyboardFocus = true;
            setCurrentID(m_blocks[size_t(m_timeOrder.front())].entry.id);
        }
        return;
    case Qt::Key_End:
        if (!m_timeOrder.empty()) {
            m_keyboardFocus = true;
            setCurrentID(m_blocks[size_t(m_timeOrder.back())].entry.id);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_currentID && indexOf(m_currentID) >= 0) {
            m_keyboardFocus = true;
            Q_EMIT blockActivated(*m_currentID);
        }
        return;
    case Qt::Key_Escape:
        // Only when there is something to clear; otherwise Escape goes on to the window.
        if (m_selectedID && indexOf(m_selectedID) >= 0) {
            Q_EMIT clearRequested();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void DayTimelineArea::focusInEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::TabFocusReason && !m_timeOrder.empty()) {
        m_keyboardFocus = true;
        setCurrentID(m_blocks[size_t(m_timeOrder.front())].entry.id);
    } else if (event->reason() == Qt::BacktabFocusReason && !m_timeOrder.empty()) {
        m_keyboardFocus = true;
        setCurrentID(m_blocks[size_t(m_timeOrder.back())].entry.id);
    }
    updateBlock(indexOf(m_currentID));
    QWidget::focusInEvent(event);
}

void DayTimelineArea::focusOutEvent(QFocusEvent* event)
{
    updateBlock(indexOf(m_currentID));
    QWidget::focusOutEvent(event);
}

bool DayTimelineArea::focusNextPrevChild(bool next)
{
    // Tab walks through the blocks before leaving the timeline.
    if (hasFocus() && stepCurrent(next ? 1 : -1, false))
        return true;
    return QWidget::focusNextPrevChild(next);
}

void DayTimelineArea::changeEvent(QEvent* event)
{
    // Hour labels follow the font and the language.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LocaleChange)
        relayout();
    QWidget::changeEvent(event);
}

// ---- the day view ----------------------------------------------------------------------------

DayTimelineView::DayTimelineView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_day(LocalCalendar::startOfDay(model.now()))
{
    setObjectName(u"dayTimelineView"_s);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* card = new Style::Card(this, 0.06, 12);
    card->setObjectName(u"dayCard"_s);
    outer->addWidget(card);
    outer->addStretch();

    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    m_titleLabel = new QLabel(card);
    m_titleLabel->setObjectName(u"dayTitleLabel"_s);
    m_titleLabel->setFont(Style::title3Font(m_titleLabel->font()));
    header->addWidget(m_titleLabel);
    header->addStretch();
    m_totalLabel = new QLabel(card);
    m_totalLabel->setObjectName(u"dayTotalLabel"_s);
    m_totalLabel->setFont(calloutFont(m_totalLabel->font()));
    header->addWidget(m_totalLabel);
    column->addLayout(header);

    auto* empty = new Style::EmptyState(QIcon(), card);
    empty->setObjectName(u"emptyState"_s);
    empty->layout()->setContentsMargins(12, 40, 12, 40);
    m_emptyState = empty;
    refreshEmptyIcon();
    column->addWidget(m_emptyState);

    m_row = new QWidget(card);
    m_row->setObjectName(u"timelineRowWidget"_s);
    auto* row = new QHBoxLayout(m_row);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    m_area = new DayTimelineArea(m_model, m_row);
    row->addWidget(m_area, 1);
    m_sidebar = new DayDetailSidebar(m_row);
    row->addWidget(m_sidebar);
    column->addWidget(m_row, 1);

    connect(m_area, &DayTimelineArea::blockActivated, this, &DayTimelineView::toggleSelection);
    connect(m_area, &DayTimelineArea::clearRequested, this, [this] {
        m_selectedID.reset();
        m_area->setSelectedID(m_selectedID);
        refreshSidebar(isVisible());
    });
    connect(m_sidebar->editButton(), &QPushButton::clicked, this, [this] {
        if (const std::optional<TimeEntry> entry = selectedEntry())
            Q_EMIT editRequested(*entry);
    });
    connect(m_sidebar->deleteButton(), &QPushButton::clicked, this, &DayTimelineView::deleteSelected);

    connect(&m_model, &AppModel::entriesChanged, this, &DayTimelineView::reload);
    connect(&m_model, &AppModel::projectsChanged, this, &DayTimelineView::reload);
    connect(&m_model, &AppModel::activeSessionChanged, this, &DayTimelineView::reload);
    // The language lives in the settings.
    connect(&m_model, &AppModel::settingsChanged, this, [this] {
        retranslate();
        reload();
    });
    connect(&m_model, &AppModel::nowChanged, this, &DayTimelineView::tick);
    retranslate();
    reload();
}

DayTimelineView::~DayTimelineView() = default;

void DayTimelineView::changeEvent(QEvent* event)
{
    // The drawn empty-state picture takes the text colour, which a theme change replaces.
    if (event->type() == QEvent::PaletteChange)
        refreshEmptyIcon();
    QWidget::changeEvent(event);
}

void DayTimelineView::refreshEmptyIcon()
{
    if (auto* icon = m_emptyState->findChild<QLabel*>(u"emptyIconLabel"_s)) {
        // Already greyed as it should be; a disabled label would grey it once more.
        icon->setEnabled(true);
        icon->setPixmap(historyPixmap(palette(), devicePixelRatioF()));
    }
}

void DayTimelineView::setDay(Instant day)
{
    if (day == m_day)
        return;
    m_day = day;
    m_selectedID.reset();
    m_sidebar->setOpen(false, false);
    reload();
}

std::optional<TimeEntry> DayTimelineView::selectedEntry() const
{
    if (!m_selectedID)
        return std::nullopt;
    for (const TimeEntry& entry : m_entries) {
        if (entry.id == *m_selectedID)
            return entry;
    }
    return std::nullopt;
}

void DayTimelineView::toggleSelection(const QUuid& id)
{
    if (m_selectedID == id)
        m_selectedID.reset();
    else
        m_selectedID = id;
    m_area->setSelectedID(m_selectedID);
    refreshSidebar(isVisible());
}

bool DayTimelineView::isSidebarOpen() const
{
    return m_sidebar->isOpen();
}

std::pair<Instant, Instant> DayTimelineView::axisRange(
    const QList<TimeEntry>& dayEntries, std::optional<std::pair<Instant, Instant>> running, Instant day)
{
    std::optional<std::pair<Instant, Instant>> span;
    auto include = [&span](Instant start, Instant end) {
        span =
            span ? std::pair { std::min(span->first, start), std::max(span->second, end) } : std::pair { start, end };
    };
    for (const TimeEntry& entry : dayEntries)
        include(entry.startDate, entry.endDate);
    if (running)
        include(running->first, running->second);
    if (span)
        return { std::max(span->first - hour, LocalCalendar::startOfDay(day)), span->second + hour };
    const QDate date = LocalCalendar::localDate(day);
    return { instantOf(QDateTime(date, QTime(8, 0))), instantOf(QDateTime(date, QTime(18, 0))) };
}

QList<Instant> DayTimelineView::hourTicks(Instant start, Instant end)
{
    QList<Instant> ticks;
    if (!std::isfinite(start) || !std::isfinite(end) || end < start)
        return ticks;
    // Whole hours of local time: within an hour the offset from UTC is fixed, so the start's own
    // offset finds its hour, and from there every hour is 3,600 seconds, across a clock change too.
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(qint64(std::floor(start * 1000.0)));
    const double localSeconds = start + local.offsetFromUtc();
    Instant tick = start - (localSeconds - std::floor(localSeconds / hour) * hour);
    if (tick < start)
        tick += hour;
    for (; tick <= end; tick += hour)
        ticks.append(tick);
    return ticks;
}

InstantRange DayTimelineView::dayRange() const
{
    return { LocalCalendar::startOfDay(m_day), LocalCalendar::lastSecondOfDay(m_day) };
}

std::pair<Instant, Instant> DayTimelineView::currentAxis() const
{
    std::optional<std::pair<Instant, Instant>> running;
    if (m_running) {
        // The running session's end moves the axis; rounded up to the whole minute, the axis moves
        // once a minute instead of every second, so a tick repaints only the running block.
        running = std::pair { m_running->startDate, std::ceil(m_model.now() / 60.0) * 60.0 };
    }
    return axisRange(m_entries, running, m_day);
}

void DayTimelineView::retranslate()
{
    const QLocale locale = m_model.appLocale();
    setLocale(locale);
    m_dayFormat = std::make_unique<DayFormat>(locale, u"EEEEMMMMdy"_s);
    static_cast<Style::EmptyState*>(m_emptyState)
        ->setTexts(
            m_model.localized(Text::en("No entries")), m_model.localized(Text::en("No time was tracked on this day.")));
    m_sidebar->setButtonTexts(m_model.localized(Text::en("Edit")), m_model.localized(Text::en("Delete")));
    m_area->setAccessibleName(m_model.localized(Text::en("Timeline")));
}

void DayTimelineView::reload()
{
    const InstantRange range = dayRange();
    m_entries = BillingEngine::filteredEntries(m_model.entries(), range);
    m_entriesTotal = BillingEngine::totalDuration(m_entries, range);
    m_projects.clear();
    for (const Project& project : m_model.projects())
        m_projects.insert(project.id, project);
    // A session that started on an earlier day belongs to that day only.
    m_running.reset();
    const std::optional<ActiveTimerSession>& session = m_model.activeSession();
    if (session && LocalCalendar::localDate(session->startDate) == LocalCalendar::localDate(m_day))
        m_running = session;

    const bool empty = m_entries.isEmpty() && !m_running;
    m_emptyState->setVisible(empty);
    m_row->setVisible(!empty);
    // The card is as tall as its content when empty, and takes the height offered otherwise.
    auto* outer = static_cast<QBoxLayout*>(layout());
    outer->setStretch(0, empty ? 0 : 1);
    outer->setStretch(1, empty ? 1 : 0);

    std::optional<DayTimelineArea::Running> running;
    if (m_running) {
        const auto project = m_projects.constFind(m_running->projectID);
        running = DayTimelineArea::Running { project != m_projects.constEnd() ? std::optional(*project) : std::nullopt,
            m_running->startDate };
    }
    m_area->setSelectedID(m_selectedID);
    m_area->setContent(m_entries, m_projects, running, currentAxis(), m_model.now());
    m_titleLabel->setText(m_dayFormat->format(LocalCalendar::localDate(m_day)));
    refreshTotal();
    refreshSidebar(isVisible());
}

void DayTimelineView::tick()
{
    // Only a running session on this day moves with the clock.
    if (!m_running)
        return;
    refreshTotal();
    const std::pair<Instant, Instant> axis = currentAxis();
    if (axis != m_area->axis())
        m_area->setAxis(axis, m_model.now());
    else
        m_area->setNow(m_model.now());
}

void DayTimelineView::refreshTotal()
{
    Seconds total = m_entriesTotal;
    if (m_running)
        total += std::max(m_model.now() - m_running->startDate, 0.0);
    m_totalLabel->setVisible(total > 0);
    const QString text = hoursText(m_model, total, Text::en("%@ h"));
    if (text != m_totalLabel->text())
        m_totalLabel->setText(text);
}

void DayTimelineView::refreshSidebar(bool animated)
{
    const std::optional<TimeEntry> entry = selectedEntry();
    if (!entry) {
        m_sidebar->setOpen(false, animated);
        return;
    }
    const auto found = m_projects.constFind(entry->projectID);
    const std::optional<Project> project = found != m_projects.constEnd() ? std::optional(*found) : std::nullopt;
    DayDetailSidebar::Details details;
    details.color = project ? projectColor(project->colorName) : QColor(Qt::gray);
    details.project = project ? project->name : m_model.localized(Text::en("Unknown Project"));
    details.span = timeSpan(*entry, m_model);
    const Seconds actual = entry->duration();
    details.hours = hoursText(m_model, actual, Text::en("%@ h"));
    if (project && project->hourlyRate) {
        const Seconds billed =
            BillingEngine::billedDurations(m_entries, m_model.projects(), dayRange()).value(entry->id, actual);
        if (billed != actual)
            details.billed = hoursText(m_model, billed, Text::en("%@ h billed"));
        details.amount = m_model.currencyString(billed / hour * *project->hourlyRate);
    }
    details.notes = entry->notes;
    m_sidebar->setDetails(details);
    m_sidebar->setOpen(true, animated);
}

void DayTimelineView::deleteSelected()
{
    const std::optional<TimeEntry> entry = selectedEntry();
    if (!entry)
        return;
    const bool hadFocus = m_sidebar->isAncestorOf(QApplication::focusWidget());
    m_selectedID.reset();
    m_area->setSelectedID(m_selectedID);
    m_sidebar->setOpen(false, isVisible());
    // The Delete button is about to go; keyboard users stay on the timeline.
    if (hadFocus)
        m_area->setFocus(Qt::OtherFocusReason);
    m_model.deleteEntry(*entry);
}

} // namespace tivren
