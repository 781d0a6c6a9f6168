// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsControls.h"

#include <QWidget>

class QCheckBox;
class QLabel;

namespace tivren {

class AppModel;

// The Settings card about time away from a running timer: whether Tivren asks about it, after how
// many minutes, and whether locking the screen stops the timer. Says so when this desktop does not
// tell when the user is idle.
//
// Object names for tests: awayCard, awayCardTitleLabel, awayCardDescriptionLabel,
// awayQuestionCheckBox, awayThresholdSpinBox, awayThresholdLabel, idleUnavailableLabel,
// stopOnLockCheckBox.
class AwayCard : public QWidget
{
    Q_OBJECT

public:
    explicit AwayCard(AppModel& model, QWidget* parent = nullptr);

private:
    void retranslate();
    void showSettings();

    AppModel& m_model;
    SettingsControls::Card m_card;
    QCheckBox* m_ask = nullptr;
    QWidget* m_thresholdRow = nullptr;
    SettingsControls::Stepper m_threshold;
    QLabel* m_unavailable = nullptr;
    QCheckBox* m_stopOnLock = nullptr;
};

} // namespace tivren
