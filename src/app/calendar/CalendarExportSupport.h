// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"
#include "core/records/TimeEntry.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace tivren::CalendarExportSupport {

// The title and description of the event an entry is exported as, in the given language
// (the system's by default, as for every text written outside the app's windows).
[[nodiscard]] QString eventTitle(const std::optional<Project>& project, const QLocale& locale = QLocale::system());
[[nodiscard]] QString eventNotes(
    const TimeEntry& entry, const std::optional<Project>& project, const QLocale& locale = QLocale::system());

} // namespace tivren::CalendarExportSupport
