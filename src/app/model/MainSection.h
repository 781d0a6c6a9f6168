// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

namespace tivren {

// The four sections of the main window, in their order.
enum class MainSection
{
    overview,
    timeline,
    projects,
    settings,
};

[[nodiscard]] QString rawValue(MainSection section);
[[nodiscard]] std::optional<MainSection> mainSectionFromRawValue(QStringView raw);
[[nodiscard]] QList<MainSection> allMainSections();
// "Overview", "Timeline", "Projects" or "Settings" in the locale's language.
[[nodiscard]] QString title(MainSection section, const QLocale& locale);

} // namespace tivren
