// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/pomodoro/PomodoroPhase.h"

#include <QColor>
#include <QString>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace tivren {

class AppModel;
class TickingLabel;
namespace Style {
class Card;
}

// What the running-timer card and the break card share: their shape, their buttons and clocks,
// and the names and colours of the Pomodoro phases.
namespace TimerCardParts {

// A column of texts, and a column of buttons at the top of the trailing edge.
struct Columns
{
    QVBoxLayout* texts;
    QVBoxLayout* buttons;
};
[[nodiscard]] Columns columns(QWidget* card);

// A button of a timer card, added to its column above the column's closing stretch.
[[nodiscard]] QPushButton* button(const QString& objectName, const QString& iconName, Columns columns, QWidget* card);

// A running clock: quieter text in the fixed-width font, so the digits do not dance. Added to the
// texts column at its leading edge, where its fixed width does not narrow the column.
[[nodiscard]] TickingLabel* clockLabel(const QString& objectName, Columns columns, Style::Card* card);

[[nodiscard]] QString phaseLabel(const AppModel& model, PomodoroPhase phase);
[[nodiscard]] QColor phaseColor(PomodoroPhase phase);

} // namespace TimerCardParts
} // namespace tivren
