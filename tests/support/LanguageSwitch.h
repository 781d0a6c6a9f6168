#pragma once

#include "app/model/AppModel.h"

namespace tivren::testing {

// Switches the model's app language, as the Settings screen does, without saving.
inline void setLanguage(AppModel& model, AppLanguagePreference language)
{
    AppSettings settings = model.settings();
    settings.languagePreference = language;
    model.setSettings(settings);
}

} // namespace tivren::testing
