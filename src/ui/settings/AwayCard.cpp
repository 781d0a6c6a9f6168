// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/AwayCard.h"

#include "app/model/AppModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

using namespace SettingsControls;

AwayCard::AwayCard(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_card = card(u"awayCard"_s, this);
    layout->addWidget(m_card.frame);

    m_ask = toggle(u"awayQuestionCheckBox"_s, m_card.frame);
    m_thresholdRow = new QWidget(m_card.frame);
    m_thresholdRow->setObjectName(u"awayThresholdWidget"_s);
    auto* grid = new QGridLayout(m_thresholdRow);
    grid->setContentsMargins(0, 0, 0, 0);
    m_threshold = stepper(m_thresholdRow, grid, u"awayThreshold"_s, 5, 120);
    m_unavailable = captionLabel(u"idleUnavailableLabel"_s, m_card.frame);
    addGroup(m_card.frame, { m_ask, m_thresholdRow, m_unavailable });
    m_stopOnLock = toggle(u"stopOnLockCheckBox"_s, m_card.frame);
    addGroup(m_card.frame, { m_stopOnLock });

    connect(m_ask, &QCheckBox::toggled, this, [this](bool on) {
        changeSettings(m_model, [on](AppSettings& settings) {
            settings.awayQuestionEnabled = on;
        });
    });
    connect(m_threshold.spinBox, &QSpinBox::valueChanged, this, [this](int minutes) {
        changeSettings(m_model, [minutes](AppSettings& settings) {
            settings.awayThresholdMinutes = minutes;
        });
    });
    connect(m_stopOnLock, &QCheckBox::toggled, this, [this](bool on) {
        changeSettings(m_model, [on](AppSettings& settings) {
            settings.stopOnScreenLock = on;
        });
    });
    connect(&m_model, &AppModel::settingsChanged, this, [this] {
        retranslate();
        showSettings();
    });
    connect(&m_model, &AppModel::idleDetectionAvailableChanged, this, &AwayCard::showSettings);
    retranslate();
    showSettings();
}

void AwayCard::retranslate()
{
    m_card.title->setText(m_model.localized(Text::en("Time Away")));
    m_card.description->setText(m_model.localized(
        Text::en("When you come back to a running timer after time away from the computer, or after it slept, "
                 "Tivren asks whether that time counts.")));
    m_ask->setText(m_model.localized(Text::en("Ask about time away")));
    //: Followed by a number of minutes: ask once the user was away longer than that
    m_threshold.label->setText(m_model.localized(Text::en("Ask after")));
    setUnit(m_threshold.spinBox, m_model, m_model.localized(Text::en("min")));
    m_threshold.spinBox->setAccessibleName(m_model.localized(Text::en("Minutes away before Tivren asks")));
    m_unavailable->setText(m_model.localized(
        Text::en("This desktop does not tell Tivren when you are idle, so only time asleep is asked about.")));
    m_stopOnLock->setText(m_model.localized(Text::en("Stop the timer when the screen locks")));
}

void AwayCard::showSettings()
{
    const AppSettings& settings = m_model.settings();
    setChecked(m_ask, settings.awayQuestionEnabled);
    // Hidden rather than disabled, like the reminders' interval: nothing to set while asking is off.
    m_thresholdRow->setVisible(settings.awayQuestionEnabled);
    setValue(m_threshold.spinBox, std::clamp(settings.awayThresholdMinutes, 5, 120));
    m_unavailable->setVisible(settings.awayQuestionEnabled && !m_model.idleDetectionAvailable());
    setChecked(m_stopOnLock, settings.stopOnScreenLock);
}

} // namespace tivren
