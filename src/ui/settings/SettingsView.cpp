// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/SettingsView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "app/text/LocaleNames.h"
#include "app/text/NumberFormatting.h"
#include "ui/settings/AwayCard.h"
#include "ui/settings/ImportCard.h"
#include "ui/settings/SettingsControls.h"
#include "ui/style/ScreenPage.h"
#include "ui/style/Style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <type_traits>

using namespace Qt::StringLiterals;

namespace tivren {

using namespace SettingsControls;

namespace {

// The model owns the calendar work: the task runs to its end on its own, also should this screen
// be gone by then.
void startDetached(QCoro::Task<> task)
{
    Q_UNUSED(task);
}

} // namespace

SettingsView::SettingsView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(u"settingsView"_s);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // The settings are taller than the window: everything scrolls, the title too.
    m_page = new ScreenPage(u"settings"_s, this);
    outer->addWidget(m_page);
    m_content = m_page->widget();

    m_titleLabel = Style::label(TextStyle::title, u"titleLabel"_s, m_content);
    m_page->addSection(m_titleLabel);
    buildLanguageCard();
    buildCurrencyCard();
    buildPomodoroCard();
    buildReminderCard();
    m_page->addSection(new AwayCard(m_model, m_content));
    buildCalendarCards();
    m_page->addSection(new ImportCard(m_model, m_content));

    for (QWidget* control : m_content->findChildren<QComboBox*>())
        guardWheel(control);
    for (QWidget* control : m_content->findChildren<QSpinBox*>())
        guardWheel(control);

    // Texts follow the language, which lives in the settings; the status lines also name the
    // selected calendar, which does too.
    connect(&m_model, &AppModel::settingsChanged, this, &SettingsView::refresh);
    // The calendar choosers need the calendar lists: fetched from when this screen is first built.
    m_model.googleCalendar().wantCalendars();
    m_model.desktopCalendar().wantCalendars();
    for (const CalendarConnectionBase* calendar : m_model.calendarConnections()) {
        for (auto changed : { &CalendarConnectionBase::busyChanged,
                 &CalendarConnectionBase::authorizationChanged,
                 &CalendarConnectionBase::calendarsChanged })
            connect(calendar, changed, this, &SettingsView::refresh);
    }
    refresh();
}

void SettingsView::buildLanguageCard()
{
    m_languageCard = addCard(u"languageCard"_s);
    m_languageBox = picker(u"languageComboBox"_s, 320, m_languageCard.frame);
    for (AppLanguagePreference preference : allAppLanguagePreferences())
        m_languageBox->addItem(QString(), rawValue(preference));
    m_languageCaption = captionLabel(u"languageCaptionLabel"_s, m_languageCard.frame);
    addGroup(m_languageCard.frame, { m_languageBox, m_languageCaption });
    connect(m_languageBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        const auto preference = appLanguagePreferenceFromRawValue(m_languageBox->itemData(index).toString());
        if (preference)
            assignSetting(&AppSettings::languagePreference, *preference);
    });
}

void SettingsView::buildCurrencyCard()
{
    m_currencyCard = addCard(u"currencyCard"_s);
    m_currencyBox = picker(u"currencyComboBox"_s, 320, m_currencyCard.frame);
    m_currencyBox->setMaxVisibleItems(16);
    m_previewLabel = captionLabel(u"previewLabel"_s, m_currencyCard.frame);
    addGroup(m_currencyCard.frame, { m_currencyBox, m_previewLabel });
    connect(m_currencyBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_model.updateCurrencyCode(m_currencyBox->itemData(index).toString());
    });
}

void SettingsView::buildPomodoroCard()
{
    m_pomodoroCard = addCard(u"pomodoroCard"_s);
    QWidget* pomodoro = m_pomodoroCard.frame;
    m_pomodoroEnabled = toggle(u"pomodoroEnabledCheckBox"_s, pomodoro);
    m_breaksBillable = toggle(u"breaksBillableCheckBox"_s, pomodoro);
    m_sound = toggle(u"soundCheckBox"_s, pomodoro);
    m_overlay = toggle(u"overlayCheckBox"_s, pomodoro);
    addGroup(pomodoro, { m_pomodoroEnabled, m_breaksBillable, m_sound, m_overlay });
    connect(m_pomodoroEnabled, &QCheckBox::toggled, this, [this](bool on) {
        m_model.updatePomodoroEnabled(on);
    });
    connect(m_breaksBillable, &QCheckBox::toggled, this, [this](bool on) {
        assignSetting(&AppSettings::pomodoroBreaksAreBillable, on);
    });
    connect(m_sound, &QCheckBox::toggled, this, [this](bool on) {
        assignSetting(&AppSettings::pomodoroSoundEnabled, on);
    });
    connect(m_overlay, &QCheckBox::toggled, this, [this](bool on) {
        m_model.updatePomodoroOverlayEnabled(on);
    });
    pomodoro->layout()->addWidget(buildPomodoroDurations());
}

QWidget* SettingsView::buildPomodoroDurations()
{
    m_pomodoroGrid = new QWidget(m_pomodoroCard.frame);
    m_pomodoroGrid->setObjectName(u"pomodoroGridWidget"_s);
    auto* grid = new QGridLayout(m_pomodoroGrid);
    grid->setContentsMargins(0, 4, 0, 0);
    m_work = stepper(m_pomodoroGrid, grid, u"work"_s, 1, 120);
    m_shortBreak = stepper(m_pomodoroGrid, grid, u"shortBreak"_s, 1, 60);
    m_longBreak = stepper(m_pomodoroGrid, grid, u"longBreak"_s, 1, 60);
    m_longBreakInterval = stepper(m_pomodoroGrid, grid, u"longBreakInterval"_s, 2, 12);
    const std::pair<QSpinBox*, int AppSettings::*> durations[] = {
        { m_work.spinBox, &AppSettings::pomodoroWorkMinutes },
        { m_shortBreak.spinBox, &AppSettings::pomodoroShortBreakMinutes },
        { m_longBreak.spinBox, &AppSettings::pomodoroLongBreakMinutes },
        { m_longBreakInterval.spinBox, &AppSettings::pomodoroLongBreakInterval },
    };
    for (const auto& [box, field] : durations) {
        connect(box, &QSpinBox::valueChanged, this, [this, box = box, field = field](int value) {
            assignSetting(field, std::max(value, box->minimum()));
        });
    }
    return m_pomodoroGrid;
}

void SettingsView::buildReminderCard()
{
    m_reminderCard = addCard(u"reminderCard"_s);
    m_reminderEnabled = toggle(u"reminderEnabledCheckBox"_s, m_reminderCard.frame);
    m_reminderCard.frame->layout()->addWidget(m_reminderEnabled);
    m_reminderRow = new QWidget(m_reminderCard.frame);
    m_reminderRow->setObjectName(u"reminderIntervalWidget"_s);
    auto* reminderGrid = new QGridLayout(m_reminderRow);
    reminderGrid->setContentsMargins(0, 0, 0, 0);
    m_reminderInterval = stepper(m_reminderRow, reminderGrid, u"reminderInterval"_s, 5, 120);
    m_reminderCard.frame->layout()->addWidget(m_reminderRow);
    connect(m_reminderEnabled, &QCheckBox::toggled, this, [this](bool on) {
        // setSettings forgets the last reminder when they are switched off.
        assignSetting(&AppSettings::workReminderEnabled, on);
    });
    connect(m_reminderInterval.spinBox, &QSpinBox::valueChanged, this, [this](int minutes) {
        m_model.updateWorkReminderIntervalMinutes(minutes);
    });
}

void SettingsView::buildCalendarCards()
{
    m_google = addCalendarCard(u"google"_s);
    connect(m_google.connect, &QPushButton::clicked, this, [this] {
        startDetached(m_model.googleCalendar().connectService());
    });
    connect(m_google.refresh, &QPushButton::clicked, this, [this] {
        startDetached(m_model.googleCalendar().refresh());
    });
    connect(m_google.disconnect, &QPushButton::clicked, this, [this] {
        startDetached(m_model.googleCalendar().disconnectService());
    });
    connect(m_google.picker, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QString id = m_google.picker->itemData(index).toString();
        for (const GoogleCalendarListItem& calendar : m_model.googleCalendar().calendars()) {
            if (calendar.id == id) {
                m_model.googleCalendar().select(calendar);
                return;
            }
        }
    });

    m_apple = addCalendarCard(u"apple"_s);
    connect(m_apple.connect, &QPushButton::clicked, this, [this] {
        startDetached(m_model.desktopCalendar().connectService());
    });
    connect(m_apple.refresh, &QPushButton::clicked, this, [this] {
        startDetached(m_model.desktopCalendar().refresh());
    });
    connect(m_apple.disconnect, &QPushButton::clicked, this, [this] {
        startDetached(m_model.desktopCalendar().disconnectService());
    });
    connect(m_apple.picker, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QString id = m_apple.picker->itemData(index).toString();
        for (const AppleCalendarListItem& calendar : m_model.desktopCalendar().calendars()) {
            if (calendar.id == id) {
                m_model.desktopCalendar().select(calendar);
                return;
            }
        }
    });
}

SettingsView::~SettingsView() = default;

bool SettingsView::eventFilter(QObject* watched, QEvent* event)
{
    // Scrolling the page must not change a picker or a number the pointer happens to pass over:
    // the wheel works on a control once it has focus, otherwise the ignored event scrolls the page.
    if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsView::guardWheel(QWidget* control)
{
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(this);
}

SettingsView::Card SettingsView::addCard(const QString& name)
{
    const Card card = SettingsControls::card(name, m_content);
    m_page->addSection(card.frame);
    return card;
}

SettingsView::CalendarControls SettingsView::addCalendarCard(const QString& service)
{
    CalendarControls controls;
    controls.card = addCard(service + u"Card"_s);
    QWidget* frame = controls.card.frame;
    controls.status = captionLabel(service + u"StatusLabel"_s, frame);
    frame->layout()->addWidget(controls.status);
    controls.account = captionLabel(service + u"AccountLabel"_s, frame);
    frame->layout()->addWidget(controls.account);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    controls.connect = button(service + u"ConnectButton"_s, frame);
    controls.refresh = button(service + u"RefreshButton"_s, frame);
    controls.disconnect = button(service + u"DisconnectButton"_s, frame);
    buttons->addWidget(controls.connect);
    buttons->addWidget(controls.refresh);
    buttons->addWidget(controls.disconnect);
    buttons->addStretch();
    static_cast<QVBoxLayout*>(frame->layout())->addLayout(buttons);

    controls.picker = picker(service + u"CalendarComboBox"_s, 360, frame);
    frame->layout()->addWidget(controls.picker);
    return controls;
}

template <typename Field> void SettingsView::assignSetting(Field AppSettings::*field, Field value)
{
    changeSettings(m_model, [field, value](AppSettings& settings) {
        settings.*field = value;
    });
}

void SettingsView::refresh()
{
    retranslate();
    showSettings();
    showCurrencies();
    const auto items = [](const auto& calendars) {
        QList<std::pair<QString, QString>> result;
        for (const auto& calendar : calendars) {
            if constexpr (std::is_same_v<std::decay_t<decltype(calendar)>, AppleCalendarListItem>)
                result.append({ calendar.id, calendar.displayName() });
            else
                result.append({ calendar.id, calendar.name });
        }
        return result;
    };
    showCalendar(m_google,
        m_model.googleCalendar(),
        items(m_model.googleCalendar().calendars()),
        m_model.settings().googleCalendar.selectedCalendarID);
    showCalendar(m_apple,
        m_model.desktopCalendar(),
        items(m_model.desktopCalendar().calendars()),
        m_model.settings().appleCalendar.selectedCalendarID);
}

void SettingsView::retranslate()
{
    setLocale(m_model.appLocale());
    m_titleLabel->setText(m_model.localized(Text::en("Settings")));

    m_languageCard.title->setText(m_model.localized(Text::en("Language")));
    m_languageCard.description->setText(m_model.localized(
        Text::en("Choose whether Tivren follows your system language or uses a specific app language.")));
    m_languageBox->setAccessibleName(m_model.localized(Text::en("Language")));
    const QList<AppLanguagePreference> preferences = allAppLanguagePreferences();
    for (qsizetype i = 0; i < preferences.size(); ++i)
        m_languageBox->setItemText(int(i), languageLabel(m_model, preferences[i]));

    m_currencyCard.title->setText(m_model.localized(Text::en("Currency")));
    m_currencyCard.description->setText(
        m_model.localized(Text::en("Used when displaying hourly rates and billable amounts.")));
    m_currencyBox->setAccessibleName(m_model.localized(Text::en("Currency")));

    m_pomodoroCard.title->setText(m_model.localized(Text::en("Pomodoro")));
    m_pomodoroCard.description->setText(m_model.localized(
        Text::en("When enabled, starting a project timer runs a Pomodoro work/break cycle. Breaks pause "
                 "tracking by default, or can stay billable if you include them in the tracked session.")));
    m_pomodoroEnabled->setText(m_model.localized(Text::en("Enable Pomodoro timer")));
    m_breaksBillable->setText(m_model.localized(Text::en("Include Pomodoro breaks in billing")));
    m_sound->setText(m_model.localized(Text::en("Play sound on phase change")));
    m_overlay->setText(m_model.localized(Text::en("Show screen edge overlay on break")));
    //: Noun: the Pomodoro work phase, as opposed to a break.
    m_work.label->setText(m_model.localized(Text::en("Work")));
    m_shortBreak.label->setText(m_model.localized(Text::en("Short break")));
    m_longBreak.label->setText(m_model.localized(Text::en("Long break")));
    m_longBreakInterval.label->setText(m_model.localized(Text::en("Long break after")));
    //: Abbreviation of minutes, shown after a number.
    const QString minutes = m_model.localized(Text::en("min"));
    for (QSpinBox* box : { m_work.spinBox, m_shortBreak.spinBox, m_longBreak.spinBox, m_reminderInterval.spinBox })
        setUnit(box, m_model, minutes);
    setUnit(m_longBreakInterval.spinBox, m_model, m_model.localized(Text::en("work intervals")));

    m_reminderCard.title->setText(m_model.localized(Text::en("Work Reminders")));
    m_reminderCard.description->setText(m_model.localized(
        Text::en("Receive periodic reminders while tracking time. Each reminder shows a notification and a "
                 "brief color flash at the screen edges.")));
    m_reminderEnabled->setText(m_model.localized(Text::en("Remind me while working")));
    m_reminderInterval.label->setText(m_model.localized(Text::en("Remind every")));

    m_google.card.title->setText(m_model.localized(Text::en("Google Calendar")));
    m_google.card.description->setText(m_model.localized(Text::en(
        "Connect a Google account, choose a calendar, then export the entries from the Overview date range.")));
    m_apple.card.title->setText(m_model.localized(Text::en("Apple Calendar")));
    m_apple.card.description->setText(m_model.localized(
        Text::en("Allow access to your Apple calendars, choose a default calendar, then export the entries "
                 "from the Overview date range.")));
    for (CalendarControls* controls : { &m_google, &m_apple }) {
        controls->refresh->setText(m_model.localized(Text::en("Refresh Calendars")));
        controls->disconnect->setText(m_model.localized(Text::en("Disconnect")));
        fitText(controls->refresh);
        fitText(controls->disconnect);
        controls->picker->setAccessibleName(m_model.localized(Text::en("Calendar")));
    }
}

void SettingsView::showSettings()
{
    const AppSettings& settings = m_model.settings();

    {
        const QSignalBlocker blocker(m_languageBox);
        m_languageBox->setCurrentIndex(int(allAppLanguagePreferences().indexOf(settings.languagePreference)));
    }
    m_languageCaption->setText(settings.languagePreference == AppLanguagePreference::system
            ? m_model.localized(
                Text::en("Currently following %@."), { LocaleNames::localeDisplayName(QLocale::system()) })
            : m_model.localized(
                Text::en("Currently using %@."), { languageLabel(m_model, settings.languagePreference) }));

    setChecked(m_pomodoroEnabled, settings.pomodoroEnabled);
    setChecked(m_breaksBillable, settings.pomodoroBreaksAreBillable);
    setChecked(m_sound, settings.pomodoroSoundEnabled);
    setChecked(m_overlay, settings.pomodoroOverlayEnabled);
    for (QWidget* dependent : { static_cast<QWidget*>(m_breaksBillable),
             static_cast<QWidget*>(m_sound),
             static_cast<QWidget*>(m_overlay),
             m_pomodoroGrid })
        dependent->setEnabled(settings.pomodoroEnabled);
    setValue(m_work.spinBox, settings.pomodoroWorkMinutes);
    setValue(m_shortBreak.spinBox, settings.pomodoroShortBreakMinutes);
    setValue(m_longBreak.spinBox, settings.pomodoroLongBreakMinutes);
    setValue(m_longBreakInterval.spinBox, settings.pomodoroLongBreakInterval);

    setChecked(m_reminderEnabled, settings.workReminderEnabled);
    // Hidden rather than disabled: there is nothing to set while reminders are off.
    m_reminderRow->setVisible(settings.workReminderEnabled);
    setValue(m_reminderInterval.spinBox, settings.workReminderIntervalMinutes);
}

void SettingsView::showCurrencies()
{
    const QLocale locale = m_model.appLocale();
    const QString code = m_model.settings().currencyCode;
    const QString localeName = QString::fromLatin1(NumberFormatting::icuLocaleName(locale));

    const QSignalBlocker blocker(m_currencyBox);
    // Kept as it is while it holds the code (an unlisted code chosen away from stays until the
    // language changes): the user's own choice lands here from inside the picker's signal.
    if (!m_currencyCodes.contains(code) || localeName != m_currencyLocaleName) {
        QStringList codes = LocaleNames::commonCurrencyCodes();
        // A stored code ICU does not list (an old or uncommon one) is added, so that showing the
        // screen never quietly changes the currency.
        if (!codes.contains(code))
            codes.append(code);
        m_currencyBox->clear();
        for (const QString& each : codes)
            m_currencyBox->addItem(LocaleNames::currencyLabel(each, locale), each);
        m_currencyCodes = codes;
        m_currencyLocaleName = localeName;
    }
    m_currencyBox->setCurrentIndex(int(m_currencyCodes.indexOf(code)));
    m_previewLabel->setText(m_model.localized(Text::en("Preview: %@"), { m_model.currencyString(1234.56) }));
}

void SettingsView::showCalendar(CalendarControls& controls,
    const CalendarConnectionBase& connection,
    const QList<std::pair<QString, QString>>& calendars,
    const std::optional<QString>& selectedID)
{
    const bool authorized = connection.hasAuthorization();
    const bool busy = connection.isBusy();
    controls.status->setText(connection.statusText());
    // Shown wherever an export can start, so a sign-in to the wrong account is seen first.
    controls.account->setText(connection.accountText());
    controls.account->setVisible(!controls.account->text().isEmpty());
    controls.connect->setText(
        authorized ? m_model.localized(Text::en("Reconnect")) : m_model.localized(Text::en("Connect")));
    fitText(controls.connect);
    controls.connect->setEnabled(!busy);
    controls.refresh->setEnabled(authorized && !busy);
    controls.disconnect->setEnabled(authorized && !busy);

    showChoices(controls.picker, calendars, selectedID);
    controls.picker->setVisible(!calendars.isEmpty());
}

} // namespace tivren
