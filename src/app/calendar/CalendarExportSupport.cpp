#include "app/calendar/CalendarExportSupport.h"

#include "app/text/AppStrings.h"
#include "core/billing/BillingEngine.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren::CalendarExportSupport {

QString eventTitle(const std::optional<Project>& project, const QLocale& locale)
{
    return project ? project->name : AppStrings::text(locale, u"Tivren Entry"_tr);
}

QString eventNotes(const TimeEntry& entry, const std::optional<Project>& project, const QLocale& locale)
{
    // Two decimals with a full stop, whatever the language.
    const double hours = std::max(0.0, entry.endDate - entry.startDate) / 3600.0;
    const QString hoursText = AppStrings::text(locale, u"%@ h"_tr, { BillingEngine::formatFixed2(hours) });
    const QString name = project ? project->name : AppStrings::text(locale, u"Unknown"_tr);

    QStringList lines;
    const QString notes = entry.notes.trimmed();
    if (!notes.isEmpty())
        lines << notes << QString();
    lines << AppStrings::text(locale, u"Project: %@"_tr, { name })
          << AppStrings::text(locale, u"Tracked: %@"_tr, { hoursText })
          << AppStrings::text(locale, u"Source: Tivren"_tr);
    return lines.join(u'\n');
}

} // namespace tivren::CalendarExportSupport
