// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/timeline/EntryDetailPanel.h"

#include <QWidget>

class QGraphicsOpacityEffect;
class QVariantAnimation;

namespace tivren {

namespace Style {
class Rule;
}

// Holds the detail panel and brings it in and out while fading it: a row comes up from the bottom
// edge under a rule as the holder grows in height, a column keeps its full width while the holder
// opens around it, so it slides in from the trailing edge instead of squeezing. Without a visible
// window the change is immediate.
class EntryDetailReveal : public QWidget
{
    Q_OBJECT

public:
    EntryDetailReveal(EntryDetailPanel::Arrangement arrangement, QWidget* parent = nullptr);

    [[nodiscard]] EntryDetailPanel* panel() const { return m_panel; }
    [[nodiscard]] bool isRevealed() const { return m_target > 0; }
    void setRevealed(bool revealed, bool animated);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    [[nodiscard]] bool isRow() const { return m_panel->arrangement() == EntryDetailPanel::Arrangement::row; }
    [[nodiscard]] int panelHeight() const;
    // The height of a revealed row, or the width of a revealed column.
    [[nodiscard]] int fullExtent() const;
    void apply(qreal progress);
    void place();

    Style::Rule* m_rule = nullptr;
    EntryDetailPanel* m_panel = nullptr;
    QGraphicsOpacityEffect* m_opacity = nullptr;
    QVariantAnimation* m_animation = nullptr;
    qreal m_progress = 0;
    qreal m_target = 0;
};

} // namespace tivren
