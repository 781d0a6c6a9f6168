// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/style/Style.h"

class QLabel;
class QPushButton;

namespace tivren {

class AppModel;
class TickingLabel;

// The overview's card for a Pomodoro break while no timer runs: the phase and the time left,
// with skip and stop buttons. Tinted in the phase's colour.
//
// Object names for tests: breakCard, breakPhaseLabel, breakRemainingLabel, skipBreakButton,
// stopBreakButton.
class BreakTimerCard : public Style::Card
{
    Q_OBJECT

public:
    BreakTimerCard(AppModel& model, QWidget* parent);

    void retranslate();
    // Shown during a break that has time left.
    void refresh();
    // The remaining time, every second.
    void refreshClock();

private:
    AppModel& m_model;
    QLabel* m_phase = nullptr;
    TickingLabel* m_remaining = nullptr;
    QPushButton* m_skipButton = nullptr;
    QPushButton* m_stopButton = nullptr;
};

} // namespace tivren
