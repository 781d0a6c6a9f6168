// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calendar/CalendarConnectionBase.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/billing/BillingEngine.h"

using namespace Qt::StringLiterals;

namespace tivren {

CalendarConnectionBase::CalendarConnectionBase(AppModel& model, CalendarTexts texts)
    : m_model(model)
    , m_texts(std::move(texts))
{
}

QString CalendarConnectionBase::statusText() const
{
    if (m_busy)
        return m_model.localized(Text::en("Working..."));
    if (!m_authorized)
        return m_model.localized(Text::en("Not connected."));
    if (const auto selectedName = selectedCalendarName(); !selectedName.value_or(QString()).isEmpty())
        return m_model.localized(Text::en("Connected. Selected calendar: %@"), { *selectedName });
    return m_model.localized(m_texts.connected);
}

QString CalendarConnectionBase::accountText() const
{
    const auto connected = account();
    return connected ? m_model.localized(Text::en("Signed in as %@"), { *connected }) : QString();
}

QString CalendarConnectionBase::exportSummary(int exportedEntryCount, int skippedProjectCount) const
{
    const QString entries = m_model.localizedPlural(Text::plural("%n entries"), exportedEntryCount);
    if (skippedProjectCount == 0)
        return m_model.localized(m_texts.exported, { entries });
    const QString projects = m_model.localizedPlural(Text::plural("%n selected projects"), skippedProjectCount);
    return m_model.localized(m_texts.exportedWithSkipped, { entries, projects });
}

void CalendarConnectionBase::wantCalendars()
{
    if (m_calendarsWanted)
        return;
    m_calendarsWanted = true;
    // While busy, a connection or restore is under way and fetches when it is done.
    if (m_authorized && !m_busy)
        startRefresh();
}

void CalendarConnectionBase::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    Q_EMIT busyChanged();
}

void CalendarConnectionBase::setAuthorization(bool authorized)
{
    if (m_authorized == authorized)
        return;
    m_authorized = authorized;
    Q_EMIT authorizationChanged();
}

void CalendarConnectionBase::reportError(const QString& key, const QVariantList& arguments)
{
    m_model.setErrorMessage(m_model.localized(key, arguments));
}

void CalendarConnectionBase::reportSuccess(const QString& message)
{
    m_model.setSuccessMessage(message);
}

std::optional<QHash<QUuid, QString>> CalendarConnectionBase::checkedAssignments(
    const QHash<QUuid, QString>& assignments)
{
    if (!isReady()) {
        reportError(m_texts.connectFirst);
        return std::nullopt;
    }
    if (assignments.isEmpty()) {
        reportError(Text::en("Choose at least one selected project with a calendar first."));
        return std::nullopt;
    }
    return assignments;
}

void CalendarConnectionBase::changeSettings(const AppSettings& settings)
{
    m_model.setSettingsField(settings);
}

QList<TimeEntry> CalendarConnectionBase::entriesToExport(
    const InstantRange& range, const QHash<QUuid, QString>& assignments) const
{
    QList<TimeEntry> entries = BillingEngine::filteredEntries(m_model.entries(), m_model.entryIndex(), range);
    entries.removeIf([&assignments](const TimeEntry& e) {
        return !assignments.contains(e.projectID);
    });
    return entries;
}

} // namespace tivren
