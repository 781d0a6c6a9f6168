// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/AppLanguagePreference.h"
#include "core/records/CalendarSettings.h"
#include "core/records/JsonExtras.h"

#include <QString>

namespace tivren {

// The user's settings. Minute counts are stored as read: consumers clamp them where they use them.
struct AppSettings
{
    QString currencyCode = defaultCurrencyCode();
    AppLanguagePreference languagePreference = AppLanguagePreference::system;
    bool pomodoroEnabled = false;
    bool pomodoroBreaksAreBillable = false;
    int pomodoroWorkMinutes = 25;
    int pomodoroShortBreakMinutes = 5;
    int pomodoroLongBreakMinutes = 15;
    int pomodoroLongBreakInterval = 4;
    bool pomodoroSoundEnabled = true;
    bool pomodoroOverlayEnabled = true;
    bool workReminderEnabled = false;
    int workReminderIntervalMinutes = 30;
    // Asking, after time away from the computer while a timer ran, whether to keep that time.
    bool awayQuestionEnabled = false;
    int awayThresholdMinutes = 10; // 5-120, clamped where it is used
    bool stopOnScreenLock = false;
    GoogleCalendarSettings googleCalendar;
    AppleCalendarSettings appleCalendar;
    JsonExtras extras {}; // keys a newer Tivren wrote, kept as they came

    // The currency of the user's current locale, "USD" when that locale has none.
    [[nodiscard]] static QString defaultCurrencyCode();

    bool operator==(const AppSettings&) const = default;
};

size_t qHash(const AppSettings& settings, size_t seed = 0) noexcept;

} // namespace tivren
