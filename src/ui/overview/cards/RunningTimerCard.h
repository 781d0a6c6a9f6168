// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/style/Style.h"

class QLabel;
class QPushButton;

namespace tivren {

class AppModel;
class TickingLabel;

// The overview's card for the timer that runs: the project, the elapsed time and, with Pomodoro,
// the phase and what remains of it; stop and skip buttons. Tinted in the project's colour.
//
// Object names for tests: runningCard, runningHeadlineLabel, runningProjectLabel,
// runningElapsedLabel, runningPhaseWidget, runningPhaseLabel, stopTimerButton, skipPhaseButton.
class RunningTimerCard : public Style::Card
{
    Q_OBJECT

public:
    RunningTimerCard(AppModel& model, QWidget* parent);

    void retranslate();
    // Shown while a session runs, in its project's colour.
    void refresh();
    // The texts that change every second.
    void refreshClock();

private:
    QWidget* buildPhaseRow();

    AppModel& m_model;
    QLabel* m_headline = nullptr;
    QLabel* m_project = nullptr;
    TickingLabel* m_elapsed = nullptr;
    QWidget* m_phase = nullptr;
    TickingLabel* m_phaseText = nullptr;
    QPushButton* m_stopButton = nullptr;
    QPushButton* m_skipPhaseButton = nullptr;
};

} // namespace tivren
