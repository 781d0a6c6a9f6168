// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calendar/CalendarExportSupport.h"

#include "app/text/AppStrings.h"
#include "core/billing/BillingEngine.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren::CalendarExportSupport {

QString eventTitle(const std::optional<Project>& project, const QLocale& locale)
{
    return project ? project->name : AppStrings::text(locale, Text::en("Tivren Entry"));
}

QString eventNotes(const TimeEntry& entry, const std::optional<Project>& project, const QLocale& locale)
{
    // Two decimals with a full stop, whatever the language.
    const double hours = std::max(0.0, entry.endDate - entry.startDate) / 3600.0;
    const QString hoursText = AppStrings::text(locale, Text::en("%@ h"), { BillingEngine::formatFixed2(hours) });
    const QString name = project ? project->name : AppStrings::text(locale, Text::en("Unknown"));

    QStringList lines;
    const QString notes = entry.notes.trimmed();
    if (!notes.isEmpty())
        lines << notes << QString();
    lines << AppStrings::text(locale, Text::en("Project: %@"), { name })
          << AppStrings::text(locale, Text::en("Tracked: %@"), { hoursText })
          << AppStrings::text(locale, Text::en("Source: Tivren"));
    return lines.join(u'\n');
}

} // namespace tivren::CalendarExportSupport
