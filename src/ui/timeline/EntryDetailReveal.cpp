// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/EntryDetailReveal.h"

#include "ui/style/Style.h"

#include <QGraphicsOpacityEffect>
#include <QVariantAnimation>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr int revealMilliseconds = 200;
constexpr int columnWidth = 240;
constexpr int ruleGap = 8;

} // namespace

EntryDetailReveal::EntryDetailReveal(EntryDetailPanel::Arrangement arrangement, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"detailContainer"_s);
    m_panel = new EntryDetailPanel(arrangement, this);
    if (isRow()) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_rule = new Style::Rule(Qt::Horizontal, this);
    } else {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }
    m_opacity = new QGraphicsOpacityEffect(m_panel);
    m_opacity->setEnabled(false);
    m_panel->setGraphicsEffect(m_opacity);
    m_animation = new QVariantAnimation(this);
    m_animation->setDuration(revealMilliseconds);
    m_animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        apply(value.toReal());
    });
    connect(m_animation, &QVariantAnimation::finished, this, [this] {
        apply(m_target);
    });
    hide();
    apply(0);
}

void EntryDetailReveal::setRevealed(bool revealed, bool animated)
{
    const qreal target = revealed ? 1 : 0;
    if (target == m_target && m_animation->state() != QAbstractAnimation::Running) {
        apply(m_progress); // the content may have changed height
        return;
    }
    m_target = target;
    m_animation->stop();
    if (!animated || !window()->isVisible()) {
        apply(target);
        return;
    }
    show();
    const int duration = int(revealMilliseconds * std::abs(target - m_progress));
    if (duration < 1) {
        apply(target);
        return;
    }
    m_animation->setStartValue(m_progress);
    m_animation->setEndValue(target);
    m_animation->setDuration(duration);
    m_animation->start();
}

QSize EntryDetailReveal::sizeHint() const
{
    return isRow() ? QSize(m_panel->sizeHint().width(), height()) : QSize(columnWidth, panelHeight());
}

QSize EntryDetailReveal::minimumSizeHint() const
{
    return isRow() ? QSize(m_panel->minimumSizeHint().width(), height()) : QSize(0, panelHeight());
}

void EntryDetailReveal::resizeEvent(QResizeEvent* event)
{
    place();
    QWidget::resizeEvent(event);
}

void EntryDetailReveal::hideEvent(QHideEvent* event)
{
    // Nothing to watch: end where the animation was going.
    if (m_animation->state() == QAbstractAnimation::Running) {
        m_animation->stop();
        apply(m_target);
    }
    QWidget::hideEvent(event);
}

int EntryDetailReveal::panelHeight() const
{
    if (!isRow() && m_panel->hasHeightForWidth())
        return m_panel->heightForWidth(columnWidth);
    return m_panel->sizeHint().height();
}

int EntryDetailReveal::fullExtent() const
{
    return isRow() ? ruleGap + 1 + panelHeight() : columnWidth;
}

void EntryDetailReveal::apply(qreal progress)
{
    m_progress = progress;
    // The effect renders through an offscreen pixmap: only worth it while fading.
    const bool animating = progress > 0 && progress < 1;
    m_opacity->setEnabled(animating);
    m_opacity->setOpacity(progress);
    const int extent = int(std::round(fullExtent() * progress));
    if (isRow())
        setFixedHeight(extent);
    else
        setMaximumWidth(extent);
    if (progress <= 0 && m_target <= 0)
        hide();
    else if (isHidden())
        show();
    place();
}

void EntryDetailReveal::place()
{
    if (!isRow()) {
        m_panel->setGeometry(0, 0, columnWidth, height());
        return;
    }
    const int height = panelHeight();
    const int slide = int(std::round((1 - m_progress) * height * 0.5));
    m_rule->setGeometry(0, ruleGap, width(), 1);
    m_panel->setGeometry(0, ruleGap + 1 + slide, width(), height);
}

} // namespace tivren
