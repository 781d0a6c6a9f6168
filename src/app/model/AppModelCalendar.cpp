// Connecting, refreshing and exporting to Google Calendar and the desktop calendar.
#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/billing/BillingEngine.h"
#include "core/datafile/Uuid.h"

#include <QCollator>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// One link per entry and calendar: "ENTRY-UUID|calendar".
template <typename Link> QString linkKey(const Link& link)
{
    return UuidText::upper(link.entryID) + u'|' + link.calendarID;
}

template <typename Link> QList<Link> mergedLinks(const QList<Link>& current, const QList<Link>& added)
{
    // A hand-edited file may hold two links with one key: the later one wins, nothing fails.
    std::map<QString, Link> byKey;
    for (const Link& link : current)
        byKey.insert_or_assign(linkKey(link), link);
    for (const Link& link : added)
        byKey.insert_or_assign(linkKey(link), link);
    QList<Link> merged;
    merged.reserve(qsizetype(byKey.size()));
    for (auto& [key, link] : byKey)
        merged.append(std::move(link));
    return merged;
}

// Why no draft could be built; the text is a key for localized().
struct DraftProblem
{
    QString key;
};

template <typename Draft>
Expected<Draft, DraftProblem> buildDraft(const QList<TimeEntry>& allEntries,
    const QList<Project>& projects,
    const InstantRange& range,
    const std::optional<QString>& selectedCalendarID,
    const QLocale& locale)
{
    const QList<TimeEntry> inRange = BillingEngine::filteredEntries(allEntries, range);
    if (inRange.isEmpty())
        return Unexpected(DraftProblem { Text::en("There are no entries in the selected range to export.") });
    QHash<QUuid, int> counts;
    for (const TimeEntry& entry : inRange)
        ++counts[entry.projectID];
    Draft draft;
    draft.id = QUuid::createUuid();
    for (const Project& project : projects) {
        if (const int count = counts.value(project.id); count > 0)
            draft.projectSelections.append({ project.id, project.name, count, true, selectedCalendarID });
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(
        draft.projectSelections.begin(), draft.projectSelections.end(), [&collator](const auto& a, const auto& b) {
            return collator.compare(a.projectName, b.projectName) < 0;
        });
    if (draft.projectSelections.isEmpty())
        return Unexpected(DraftProblem { Text::en("There are no projects in the selected range to export.") });
    return draft;
}

// The entries of the range whose project has a calendar, newest first.
QList<TimeEntry> entriesToExport(
    const QList<TimeEntry>& allEntries, const InstantRange& range, const QHash<QUuid, QString>& assignments)
{
    QList<TimeEntry> entries = BillingEngine::filteredEntries(allEntries, range);
    entries.removeIf([&assignments](const TimeEntry& e) {
        return !assignments.contains(e.projectID);
    });
    return entries;
}

// The texts both services share, told apart by the keys of their own sentences.
struct ServiceTexts
{
    QString connected; // connected, no calendar name known
    QString exported; // "Exported %@ to ..."
    QString exportedWithSkipped; // "Exported %@ to ... Skipped %@ without a calendar."
};

ServiceTexts googleTexts()
{
    return { Text::en("Connected to Google Calendar."),
        Text::en("Exported %@ to Google Calendar."),
        Text::en("Exported %@ to Google Calendar. Skipped %@ without a calendar.") };
}

ServiceTexts appleTexts()
{
    return { Text::en("Connected to Apple Calendar."),
        Text::en("Exported %@ to Apple Calendar."),
        Text::en("Exported %@ to Apple Calendar. Skipped %@ without a calendar.") };
}

QString statusText(const AppModel& model,
    bool busy,
    bool authorized,
    const std::optional<QString>& selectedName,
    const ServiceTexts& texts)
{
    if (busy)
        return model.localized(Text::en("Working..."));
    if (!authorized)
        return model.localized(Text::en("Not connected."));
    if (!selectedName.value_or(QString()).isEmpty())
        return model.localized(Text::en("Connected. Selected calendar: %@"), { *selectedName });
    return model.localized(texts.connected);
}

QString exportSummary(const AppModel& model, int exportedEntryCount, int skippedProjectCount, const ServiceTexts& texts)
{
    const QString entries = model.localizedPlural(Text::plural("%n entries"), exportedEntryCount);
    if (skippedProjectCount == 0)
        return model.localized(texts.exported, { entries });
    const QString projects = model.localizedPlural(Text::plural("%n selected projects"), skippedProjectCount);
    return model.localized(texts.exportedWithSkipped, { entries, projects });
}

} // namespace

template <typename Draft>
std::optional<Draft> AppModel::calendarExportDraft(bool connected,
    const QString& connectFirstKey,
    const std::optional<QString>& selectedCalendarID,
    InstantRange range)
{
    if (!connected) {
        setErrorMessage(localized(connectFirstKey));
        return std::nullopt;
    }
    auto draft = buildDraft<Draft>(m_entries, m_projects, range, selectedCalendarID, appLocale());
    if (!draft) {
        setErrorMessage(localized(draft.error().key));
        return std::nullopt;
    }
    return std::move(draft).value();
}

template <typename Draft>
std::optional<QHash<QUuid, QString>> AppModel::calendarExportAssignments(
    bool connected, const QString& connectFirstKey, const Draft& draft)
{
    if (!connected) {
        setErrorMessage(localized(connectFirstKey));
        return std::nullopt;
    }
    QHash<QUuid, QString> assignments = draft.selectedProjectCalendarAssignments();
    if (assignments.isEmpty()) {
        setErrorMessage(localized(Text::en("Choose at least one selected project with a calendar first.")));
        return std::nullopt;
    }
    return assignments;
}

// ---- Google ---------------------------------------------------------------------------------------

QCoro::Task<> AppModel::connectGoogleCalendar()
{
    assign(m_isGoogleCalendarBusy, true, &AppModel::isGoogleCalendarBusyChanged);
    // Tasks are made before co_await: GCC 12 mishandles argument temporaries inside a co_await.
    auto authorizing = m_services.googleCalendarService.authorize(m_settings.googleCalendar);
    const auto authorized = co_await std::move(authorizing);
    if (authorized) {
        assign(m_hasGoogleCalendarAuthorization, true, &AppModel::hasGoogleCalendarAuthorizationChanged);
        co_await refreshGoogleCalendars();
    } else {
        setErrorMessage(
            localized(Text::en("Could not connect Google Calendar: %@"), { authorized.error().description() }));
    }
    assign(m_isGoogleCalendarBusy, false, &AppModel::isGoogleCalendarBusyChanged);
}

QCoro::Task<> AppModel::disconnectGoogleCalendar()
{
    assign(m_isGoogleCalendarBusy, true, &AppModel::isGoogleCalendarBusyChanged);
    const auto deleted = co_await m_services.googleCalendarService.deleteStoredToken();
    if (deleted) {
        assign(m_hasGoogleCalendarAuthorization, false, &AppModel::hasGoogleCalendarAuthorizationChanged);
        assign(m_googleCalendars, {}, &AppModel::googleCalendarsChanged);
    } else {
        setErrorMessage(
            localized(Text::en("Could not disconnect Google Calendar: %@"), { deleted.error().description() }));
    }
    assign(m_isGoogleCalendarBusy, false, &AppModel::isGoogleCalendarBusyChanged);
}

QCoro::Task<> AppModel::refreshGoogleCalendars()
{
    if (!m_hasGoogleCalendarAuthorization)
        co_return;
    assign(m_isGoogleCalendarBusy, true, &AppModel::isGoogleCalendarBusyChanged);
    auto fetching = m_services.googleCalendarService.fetchCalendars(m_settings.googleCalendar);
    const auto fetched = co_await std::move(fetching);
    if (fetched) {
        const QList<GoogleCalendarListItem>& calendars = *fetched;
        assign(m_googleCalendars, calendars, &AppModel::googleCalendarsChanged);
        const auto& selectedID = m_settings.googleCalendar.selectedCalendarID;
        const auto selected = std::find_if(calendars.cbegin(), calendars.cend(), [&selectedID](const auto& item) {
            return selectedID && item.id == *selectedID;
        });
        if (selected != calendars.cend()) {
            AppSettings settings = m_settings;
            settings.googleCalendar.selectedCalendarName = selected->name;
            setSettingsField(settings);
            persist();
        } else if (!calendars.isEmpty()) {
            const auto primary = std::find_if(calendars.cbegin(), calendars.cend(), [](const auto& item) {
                return item.isPrimary;
            });
            updateGoogleCalendarSelection(primary != calendars.cend() ? *primary : calendars.first());
        }
    } else if (fetched.error().kind == GoogleCalendarServiceError::Kind::authorizationExpired) {
        assign(m_hasGoogleCalendarAuthorization, false, &AppModel::hasGoogleCalendarAuthorizationChanged);
        assign(m_googleCalendars, {}, &AppModel::googleCalendarsChanged);
        setErrorMessage(localized(Text::en("Your Google sign-in expired. Please reconnect.")));
    } else {
        setErrorMessage(localized(Text::en("Could not load Google calendars: %@"), { fetched.error().description() }));
    }
    assign(m_isGoogleCalendarBusy, false, &AppModel::isGoogleCalendarBusyChanged);
}

void AppModel::updateGoogleCalendarSelection(const GoogleCalendarListItem& item)
{
    AppSettings settings = m_settings;
    settings.googleCalendar.selectedCalendarID = item.id;
    settings.googleCalendar.selectedCalendarName = item.name;
    setSettingsField(settings);
    persist();
}

QString AppModel::googleCalendarStatusText() const
{
    return statusText(*this,
        m_isGoogleCalendarBusy,
        m_hasGoogleCalendarAuthorization,
        m_settings.googleCalendar.selectedCalendarName,
        googleTexts());
}

std::optional<GoogleCalendarExportDraft> AppModel::googleCalendarExportDraft(InstantRange range)
{
    return calendarExportDraft<GoogleCalendarExportDraft>(
        m_hasGoogleCalendarAuthorization && !m_googleCalendars.isEmpty(),
        Text::en("Connect Google Calendar and refresh calendars first."),
        m_settings.googleCalendar.selectedCalendarID,
        range);
}

QCoro::Task<> AppModel::exportGoogleCalendar(GoogleCalendarExportDraft draft, InstantRange range)
{
    const auto checked = calendarExportAssignments(m_hasGoogleCalendarAuthorization && !m_googleCalendars.isEmpty(),
        Text::en("Connect Google Calendar and refresh calendars first."),
        draft);
    if (!checked)
        co_return;
    const QHash<QUuid, QString>& assignments = *checked;
    const QList<TimeEntry> entries = entriesToExport(m_entries, range, assignments);
    assign(m_isGoogleCalendarBusy, true, &AppModel::isGoogleCalendarBusyChanged);
    auto exporting = m_services.googleCalendarService.exportEntries(
        entries, m_projects, m_settings.googleCalendar, assignments, m_googleCalendarEventLinks);
    const GoogleCalendarExportResult result = co_await std::move(exporting);
    // Links of events already written are kept even when the export stopped part-way, so the
    // next export updates those events instead of duplicating them.
    if (!result.links.isEmpty() || !result.error) {
        mergeGoogleCalendarEventLinks(result.links);
        persist();
    }
    if (result.error) {
        setErrorMessage(
            localized(Text::en("Could not export to Google Calendar: %@"), { result.error->description() }));
    } else {
        setSuccessMessage(googleCalendarExportSummary(int(entries.size()), draft.skippedSelectedProjectCount()));
    }
    assign(m_isGoogleCalendarBusy, false, &AppModel::isGoogleCalendarBusyChanged);
}

void AppModel::mergeGoogleCalendarEventLinks(const QList<GoogleCalendarEventLink>& links)
{
    assign(m_googleCalendarEventLinks,
        mergedLinks(m_googleCalendarEventLinks, links),
        &AppModel::googleCalendarEventLinksChanged);
}

QString AppModel::googleCalendarExportSummary(int exportedEntryCount, int skippedProjectCount) const
{
    return exportSummary(*this, exportedEntryCount, skippedProjectCount, googleTexts());
}

// ---- the desktop calendar -------------------------------------------------------------------------

QCoro::Task<> AppModel::connectAppleCalendar()
{
    assign(m_isAppleCalendarBusy, true, &AppModel::isAppleCalendarBusyChanged);
    const auto authorized = co_await m_services.appleCalendarService.authorize();
    if (authorized) {
        assign(m_hasAppleCalendarAuthorization, true, &AppModel::hasAppleCalendarAuthorizationChanged);
        co_await refreshAppleCalendars();
    } else {
        setErrorMessage(
            localized(Text::en("Could not connect Apple Calendar: %@"), { authorized.error().description() }));
    }
    assign(m_isAppleCalendarBusy, false, &AppModel::isAppleCalendarBusyChanged);
}

QCoro::Task<> AppModel::disconnectAppleCalendar()
{
    // Nothing to revoke: the store's access stays granted in the desktop's own settings.
    assign(m_isAppleCalendarBusy, true, &AppModel::isAppleCalendarBusyChanged);
    assign(m_hasAppleCalendarAuthorization, false, &AppModel::hasAppleCalendarAuthorizationChanged);
    assign(m_appleCalendars, {}, &AppModel::appleCalendarsChanged);
    AppSettings settings = m_settings;
    settings.appleCalendar = {};
    setSettingsField(settings);
    persist();
    assign(m_isAppleCalendarBusy, false, &AppModel::isAppleCalendarBusyChanged);
    co_return;
}

QCoro::Task<> AppModel::refreshAppleCalendars()
{
    if (!m_hasAppleCalendarAuthorization)
        co_return;
    assign(m_isAppleCalendarBusy, true, &AppModel::isAppleCalendarBusyChanged);
    const auto fetched = co_await m_services.appleCalendarService.fetchCalendars();
    if (fetched) {
        const QList<AppleCalendarListItem>& calendars = *fetched;
        assign(m_appleCalendars, calendars, &AppModel::appleCalendarsChanged);
        const auto& selectedID = m_settings.appleCalendar.selectedCalendarID;
        const auto selected = std::find_if(calendars.cbegin(), calendars.cend(), [&selectedID](const auto& item) {
            return selectedID && item.id == *selectedID;
        });
        if (selected != calendars.cend()) {
            AppSettings settings = m_settings;
            settings.appleCalendar.selectedCalendarName = selected->displayName();
            setSettingsField(settings);
            persist();
        } else if (!calendars.isEmpty()) {
            updateAppleCalendarSelection(calendars.first());
        }
    } else {
        setErrorMessage(localized(Text::en("Could not load Apple calendars: %@"), { fetched.error().description() }));
    }
    assign(m_isAppleCalendarBusy, false, &AppModel::isAppleCalendarBusyChanged);
}

void AppModel::updateAppleCalendarSelection(const AppleCalendarListItem& item)
{
    AppSettings settings = m_settings;
    settings.appleCalendar.selectedCalendarID = item.id;
    settings.appleCalendar.selectedCalendarName = item.displayName();
    setSettingsField(settings);
    persist();
}

QString AppModel::appleCalendarStatusText() const
{
    return statusText(*this,
        m_isAppleCalendarBusy,
        m_hasAppleCalendarAuthorization,
        m_settings.appleCalendar.selectedCalendarName,
        appleTexts());
}

std::optional<AppleCalendarExportDraft> AppModel::appleCalendarExportDraft(InstantRange range)
{
    return calendarExportDraft<AppleCalendarExportDraft>(m_hasAppleCalendarAuthorization && !m_appleCalendars.isEmpty(),
        Text::en("Connect Apple Calendar and refresh calendars first."),
        m_settings.appleCalendar.selectedCalendarID,
        range);
}

QCoro::Task<> AppModel::exportAppleCalendar(AppleCalendarExportDraft draft, InstantRange range)
{
    const auto checked = calendarExportAssignments(m_hasAppleCalendarAuthorization && !m_appleCalendars.isEmpty(),
        Text::en("Connect Apple Calendar and refresh calendars first."),
        draft);
    if (!checked)
        co_return;
    const QHash<QUuid, QString>& assignments = *checked;
    const QList<TimeEntry> entries = entriesToExport(m_entries, range, assignments);
    assign(m_isAppleCalendarBusy, true, &AppModel::isAppleCalendarBusyChanged);
    auto exporting =
        m_services.appleCalendarService.exportEntries(entries, m_projects, assignments, m_appleCalendarEventLinks);
    const AppleCalendarExportResult result = co_await std::move(exporting);
    if (!result.links.isEmpty() || !result.error) {
        mergeAppleCalendarEventLinks(result.links);
        persist();
    }
    if (result.error) {
        setErrorMessage(localized(Text::en("Could not export to Apple Calendar: %@"), { result.error->description() }));
    } else {
        setSuccessMessage(appleCalendarExportSummary(int(entries.size()), draft.skippedSelectedProjectCount()));
    }
    assign(m_isAppleCalendarBusy, false, &AppModel::isAppleCalendarBusyChanged);
}

void AppModel::mergeAppleCalendarEventLinks(const QList<AppleCalendarEventLink>& links)
{
    assign(m_appleCalendarEventLinks,
        mergedLinks(m_appleCalendarEventLinks, links),
        &AppModel::appleCalendarEventLinksChanged);
}

QString AppModel::appleCalendarExportSummary(int exportedEntryCount, int skippedProjectCount) const
{
    return exportSummary(*this, exportedEntryCount, skippedProjectCount, appleTexts());
}

} // namespace tivren
