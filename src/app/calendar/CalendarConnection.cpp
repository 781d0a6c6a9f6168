// SPDX-License-Identifier: GPL-3.0-or-later
// Connecting, refreshing and exporting, the same steps for Google Calendar and the desktop calendar.
#include "app/calendar/CalendarConnection.h"

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
Expected<Draft, DraftProblem> buildDraft(const QList<TimeEntry>& inRange,
    const QList<Project>& projects,
    const std::optional<QString>& selectedCalendarID,
    const QLocale& locale)
{
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

} // namespace

template <typename Service>
CalendarConnection<Service>::CalendarConnection(AppModel& model, Servicing& service)
    : CalendarConnectionBase(model, Traits::texts())
    , m_service(service)
{
}

template <typename Service> const CalendarSettings<Service>& CalendarConnection<Service>::settings() const
{
    return m_model.settings().*Traits::settingsField;
}

template <typename Service> std::optional<QString> CalendarConnection<Service>::selectedCalendarName() const
{
    return settings().selectedCalendarName;
}

template <typename Service> void CalendarConnection<Service>::setCalendars(const QList<Item>& calendars)
{
    if (m_calendars == calendars)
        return;
    m_calendars = calendars;
    Q_EMIT calendarsChanged();
}

template <typename Service> QCoro::Task<> CalendarConnection<Service>::restore()
{
    const bool hasAccess = co_await Traits::hasAccess(m_service);
    setAuthorization(hasAccess);
    // A screen that asked while the answer was on its way gets its calendars now.
    if (hasAccess && calendarsWanted())
        co_await refresh();
}

template <typename Service> void CalendarConnection<Service>::startRefresh()
{
    // The task runs to its end on its own (QCoro's tasks start at once and outlive their handle).
    QCoro::Task<> fetching = refresh();
    Q_UNUSED(fetching);
}

template <typename Service> QCoro::Task<> CalendarConnection<Service>::connectService()
{
    setBusy(true);
    // Tasks are made before co_await: GCC 12 mishandles argument temporaries inside a co_await.
    auto authorizing = Traits::authorize(m_service, settings());
    const auto authorized = co_await std::move(authorizing);
    if (authorized) {
        setAuthorization(true);
        // The list (and so the account) may be another account's until the new one is fetched.
        setCalendars({});
        co_await refresh();
    } else {
        reportError(m_texts.connectFailed, { authorized.error().description() });
    }
    setBusy(false);
}

template <typename Service> QCoro::Task<> CalendarConnection<Service>::disconnectService()
{
    setBusy(true);
    const auto forgotten = co_await Traits::forget(m_service);
    if (forgotten) {
        setAuthorization(false);
        setCalendars({});
        if constexpr (Traits::forgetsSelection) {
            AppSettings changed = m_model.settings();
            changed.*Traits::settingsField = {};
            changeSettings(changed);
            m_model.persist();
        }
    } else {
        reportError(m_texts.disconnectFailed, { forgotten.error().description() });
    }
    setBusy(false);
}

template <typename Service> QCoro::Task<> CalendarConnection<Service>::refresh()
{
    if (!hasAuthorization())
        co_return;
    setBusy(true);
    auto fetching = Traits::fetchCalendars(m_service, settings());
    const auto fetched = co_await std::move(fetching);
    if (fetched) {
        setCalendars(*fetched);
        keepSelection();
    } else if (Traits::hasExpired(fetched.error())) {
        setAuthorization(false);
        setCalendars({});
        reportError(m_texts.expired);
    } else {
        reportError(m_texts.loadFailed, { fetched.error().description() });
    }
    setBusy(false);
}

template <typename Service>
const typename CalendarConnection<Service>::Item* CalendarConnection<Service>::listedSelection() const
{
    const QString id = settings().selectedCalendarID.value_or(QString());
    const auto selected = std::find_if(m_calendars.cbegin(), m_calendars.cend(), [&id](const auto& item) {
        return !id.isEmpty() && item.id == id;
    });
    return selected != m_calendars.cend() ? &*selected : nullptr;
}

template <typename Service> void CalendarConnection<Service>::keepSelection()
{
    const auto& selectedID = settings().selectedCalendarID;
    const auto& selectedName = settings().selectedCalendarName;
    if (const Item* selected = listedSelection()) {
        AppSettings changed = m_model.settings();
        (changed.*Traits::settingsField).selectedCalendarName = Traits::name(*selected);
        changeSettings(changed);
        m_model.persist();
    } else if (!selectedID.value_or(QString()).isEmpty()) {
        const QString shown = selectedName.value_or(QString()).isEmpty() ? *selectedID : *selectedName;
        reportError(Text::en("The selected calendar “%@” is no longer listed. Choose another one."), { shown });
    } else if (!m_calendars.isEmpty()) {
        select(Traits::defaultCalendar(m_calendars));
    }
}

template <typename Service> void CalendarConnection<Service>::select(const Item& item)
{
    AppSettings changed = m_model.settings();
    (changed.*Traits::settingsField).selectedCalendarID = item.id;
    (changed.*Traits::settingsField).selectedCalendarName = Traits::name(item);
    changeSettings(changed);
    m_model.persist();
}

template <typename Service>
std::optional<typename CalendarConnection<Service>::Draft> CalendarConnection<Service>::exportDraft(InstantRange range)
{
    if (!isReady()) {
        reportError(m_texts.connectFirst);
        return std::nullopt;
    }
    // A chosen calendar no longer listed is offered to no project: the user picks another.
    const Item* selected = listedSelection();
    auto draft = buildDraft<Draft>(BillingEngine::filteredEntries(m_model.entries(), m_model.entryIndex(), range),
        m_model.projects(),
        selected ? std::optional(selected->id) : std::nullopt,
        m_model.appLocale());
    if (!draft) {
        reportError(draft.error().key);
        return std::nullopt;
    }
    return std::move(draft).value();
}

template <typename Service> QCoro::Task<> CalendarConnection<Service>::exportEntries(Draft draft, InstantRange range)
{
    const auto checked = checkedAssignments(draft.selectedProjectCalendarAssignments());
    if (!checked)
        co_return;
    const QHash<QUuid, QString>& assignments = *checked;
    const QList<TimeEntry> entries = entriesToExport(range, assignments);
    setBusy(true);
    auto exporting =
        Traits::exportEntries(m_service, entries, m_model.projects(), settings(), assignments, m_eventLinks);
    const auto result = co_await std::move(exporting);
    // Links of events already written are kept even when the export stopped part-way, so the
    // next export updates those events instead of duplicating them.
    if (!result.links.isEmpty() || !result.error) {
        mergeEventLinks(result.links);
        m_model.persist();
    }
    if (result.error && Traits::hasExpired(*result.error)) {
        // The service removed the refused sign-in; the calendar list then ends the connection and
        // asks the user to reconnect, as it does whenever it finds the sign-in expired.
        auto refreshing = refresh();
        co_await std::move(refreshing);
    } else if (result.error)
        reportError(m_texts.exportFailed, { result.error->description() });
    else
        reportSuccess(exportSummary(int(entries.size()), draft.skippedSelectedProjectCount()));
    setBusy(false);
}

template <typename Service> void CalendarConnection<Service>::setEventLinks(const QList<Link>& links)
{
    if (m_eventLinks == links)
        return;
    m_eventLinks = links;
    Q_EMIT eventLinksChanged();
}

template <typename Service> void CalendarConnection<Service>::mergeEventLinks(const QList<Link>& links)
{
    setEventLinks(mergedLinks(m_eventLinks, links));
}

template class CalendarConnection<GoogleCalendarService_Tag>;
template class CalendarConnection<AppleCalendarService_Tag>;

} // namespace tivren
