// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace tivren {

// The interface language chosen in the settings; `system` follows the desktop's locale.
enum class AppLanguagePreference
{
    system,
    english,
    dutch,
    german,
    french,
    spanish,
};

// "system", "en", "nl", "de", "fr", "es": the stored form.
[[nodiscard]] QString rawValue(AppLanguagePreference preference);
[[nodiscard]] std::optional<AppLanguagePreference> appLanguagePreferenceFromRawValue(QStringView raw);
// The locale identifier of a forced language, or nothing for `system`.
[[nodiscard]] std::optional<QString> localeIdentifier(AppLanguagePreference preference);
[[nodiscard]] QList<AppLanguagePreference> allAppLanguagePreferences();

} // namespace tivren
