// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/ImportPlan.h"

#include <QLocale>
#include <QString>

namespace tivren {

// What the import preview shows before anything changes.
struct ImportPreview
{
    QString title; // names the format the file was recognised as ("Toggl Track CSV", the same in every language)
    QString summary; // one line per kind of change, then the first rejected records
    bool addsSomething = false; // false: importing would change nothing

    bool operator==(const ImportPreview&) const = default;
};

// The texts of importing another tracker's history from Settings, in the app's language.
namespace ImportTexts {

// How many rejected records the preview names; the rest are counted.
inline constexpr int listedRejections = 3;

[[nodiscard]] ImportPreview preview(ImportFormat format, const ImportPlan& plan, const QLocale& locale);
// Why a file or a record cannot be imported, in the language of locale.
[[nodiscard]] QString reason(const ImportReason& reason, const QLocale& locale);
// What an import added, for the success message.
[[nodiscard]] QString imported(const ImportPlan& plan, const QLocale& locale);

} // namespace ImportTexts
} // namespace tivren
