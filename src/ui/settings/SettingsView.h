// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/AppSettings.h"
#include "ui/settings/SettingsControls.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tivren {

class AppModel;
class CalendarConnectionBase;
class ScreenPage;

// The "Settings" section of the main window: app language, currency, the Pomodoro cycle, work
// reminders and the two calendar connections. Every control shows the model's value and writes
// straight through a model operation; there is nothing to apply or cancel. Controls are brought
// in line with the model under a signal blocker, so showing a value never writes it back.
//
// Object names for tests: languageComboBox, languageCaptionLabel, currencyComboBox, previewLabel,
// pomodoroEnabledCheckBox, breaksBillableCheckBox, soundCheckBox, overlayCheckBox, workSpinBox,
// shortBreakSpinBox, longBreakSpinBox, longBreakIntervalSpinBox, reminderEnabledCheckBox,
// reminderIntervalWidget, reminderIntervalSpinBox, and for each of google / apple:
// <service>StatusLabel, <service>AccountLabel, <service>ConnectButton, <service>RefreshButton,
// <service>DisconnectButton, <service>CalendarComboBox. The cards are languageCard, currencyCard, pomodoroCard,
// reminderCard, an AwayCard, googleCard and appleCard, each with <card>TitleLabel and <card>DescriptionLabel; then the
// ImportCard.
class SettingsView : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsView(AppModel& model, QWidget* parent = nullptr);
    ~SettingsView() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Card = SettingsControls::Card;
    using Stepper = SettingsControls::Stepper;
    struct CalendarControls
    {
        Card card;
        QLabel* status = nullptr;
        QLabel* account = nullptr; // who is signed in, under the status
        QPushButton* connect = nullptr;
        QPushButton* refresh = nullptr;
        QPushButton* disconnect = nullptr;
        QComboBox* picker = nullptr;
    };
    void guardWheel(QWidget* control);
    void buildLanguageCard();
    void buildCurrencyCard();
    void buildPomodoroCard();
    QWidget* buildPomodoroDurations();
    void buildReminderCard();
    void buildCalendarCards();
    Card addCard(const QString& name);
    CalendarControls addCalendarCard(const QString& service);
    // A plain settings write: assigns one field, then saves.
    template <typename Field> void assignSetting(Field AppSettings::*field, Field value);

    void refresh();
    void retranslate();
    void showSettings();
    void showCurrencies();
    void showCalendar(CalendarControls& controls,
        const CalendarConnectionBase& connection,
        const QList<std::pair<QString, QString>>& calendars,
        const std::optional<QString>& selectedID);

    AppModel& m_model;

    QLabel* m_titleLabel = nullptr;
    Card m_languageCard;
    QComboBox* m_languageBox = nullptr;
    QLabel* m_languageCaption = nullptr;

    Card m_currencyCard;
    QComboBox* m_currencyBox = nullptr;
    QLabel* m_previewLabel = nullptr;
    // The codes in the picker and the locale their names are in: the list is rebuilt only when
    // either would change, not on every settings write.
    QStringList m_currencyCodes;
    QString m_currencyLocaleName;

    Card m_pomodoroCard;
    QCheckBox* m_pomodoroEnabled = nullptr;
    QCheckBox* m_breaksBillable = nullptr;
    QCheckBox* m_sound = nullptr;
    QCheckBox* m_overlay = nullptr;
    QWidget* m_pomodoroGrid = nullptr;
    Stepper m_work;
    Stepper m_shortBreak;
    Stepper m_longBreak;
    Stepper m_longBreakInterval;

    Card m_reminderCard;
    QCheckBox* m_reminderEnabled = nullptr;
    QWidget* m_reminderRow = nullptr;
    Stepper m_reminderInterval;

    CalendarControls m_google;
    CalendarControls m_apple;

    ScreenPage* m_page = nullptr;
    QWidget* m_content = nullptr;
};

} // namespace tivren
