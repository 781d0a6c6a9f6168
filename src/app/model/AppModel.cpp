// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/model/AppModel.h"

#include "app/model/Clock.h"
#include "app/services/BreakOverlayPresenting.h"
#include "app/services/PomodoroNotifying.h"
#include "app/services/PomodoroSkipBroadcaster.h"
#include "app/text/AppStrings.h"
#include "core/datafile/TivrenRepository.h"
#include "core/datafile/UnsavedChanges.h"

#include <QCoroFuture>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFutureWatcher>

using namespace Qt::StringLiterals;

namespace tivren {

AppModel::AppModel(AppServices services, Options options, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_now(services.clock.now())
{
    if (options.startClockTimer) {
        m_clockTimer.setInterval(1000);
        m_clockTimer.setTimerType(Qt::PreciseTimer);
        connect(&m_clockTimer, &QTimer::timeout, this, &AppModel::tick);
        m_clockTimer.start();
    }
    if (options.loadOnInit)
        QTimer::singleShot(0, this, [this] {
            load();
        });
    connect(&m_services.skipBroadcaster, &PomodoroSkipBroadcaster::pomodoroSkip, this, [this] {
        if (m_pomodoroPhase)
            advancePomodoroPhase();
    });
    connectIdleMonitor();
    connectSessionEvents();
    m_services.pomodoroNotifier.requestAuthorizationIfNeeded();
    m_saveRetryTimer.setSingleShot(true);
    connect(&m_saveRetryTimer, &QTimer::timeout, this, &AppModel::persist);
}

AppModel::~AppModel() = default;

QCoro::Task<> AppModel::load()
{
    const LoadResult loaded = co_await m_services.repository.load();
    if (!loaded) {
        // The empty state is what there is: the screens show it, with the reason over them.
        assign(m_didReadData, true, &AppModel::didReadDataChanged);
        setErrorMessage(localized(Text::en("Could not load saved data: %@"), { loaded.error().description }));
        // Nothing may replace a file that could not be read: the program shows an empty state and
        // keeps it in memory only, until the user chooses to start afresh (only with a copy kept).
        m_canStartAfresh = loaded.error().keptCopy.has_value();
        setReadOnlyReason(m_canStartAfresh
                ? localized(Text::en("Changes are not saved: the data file could not be read. It is left as it is, and "
                                     "a copy was kept as %@. Mend the file and restart Tivren, or start afresh."),
                    { *loaded.error().keptCopy })
                : localized(Text::en("Changes are not saved: the data file could not be read. It is left as it is; "
                                     "mend or move it, then restart Tivren.")));
        assign(m_didFinishLoading, true, &AppModel::didFinishLoadingChanged);
        co_return;
    }
    const AppSnapshot& snapshot = *loaded;
    m_loadSucceeded = true;
    m_savedSnapshot = snapshot;
    m_snapshotExtras = snapshot.extras;
    setProjects(snapshot.projects);
    QList<TimeEntry> valid;
    valid.reserve(snapshot.entries.size());
    for (const TimeEntry& entry : snapshot.entries) {
        if (entry.isValid())
            valid.append(entry);
    }
    setEntries(valid.size() == snapshot.entries.size() ? snapshot.entries : valid);
    m_googleCalendar.setEventLinks(snapshot.googleCalendarEventLinks);
    m_desktopCalendar.setEventLinks(snapshot.appleCalendarEventLinks);
    setActiveSession(snapshot.activeSession);
    setSettingsField(snapshot.settings);
    setAwayQuestion(snapshot.awayQuestion);
    followIdleMonitor(); // drops a question about a session that is no longer there
    assign(m_didReadData, true, &AppModel::didReadDataChanged);

    co_await m_googleCalendar.restore();
    co_await m_desktopCalendar.restore();
    checkRestoredSession();
    assign(m_didFinishLoading, true, &AppModel::didFinishLoadingChanged);
}

void AppModel::persist()
{
    if (const auto reason = whyChangesAreNotSaved()) {
        setErrorMessage(*reason);
        return;
    }
    const AppSnapshot snapshot = currentSnapshot();
    m_latestSave = m_services.repository.save(snapshot);
    const quint64 generation = ++m_saveGeneration;
    // A watcher owned by the model: should the model go first, the answer is simply dropped.
    auto* watcher = new QFutureWatcher<SaveResult>(this);
    connect(watcher, &QFutureWatcher<SaveResult>::finished, this, [this, watcher, snapshot, generation] {
        const SaveResult result = watcher->result();
        watcher->deleteLater();
        if (result)
            m_savedSnapshot = snapshot;
        if (result && result->conflictCopy) {
            setErrorMessage(
                localized(Text::en("The data file was changed by another program; that version was kept as %@."),
                    { *result->conflictCopy }));
        }
        // Only the newest save tells whether the state in memory is on disk.
        if (generation == m_saveGeneration)
            handleSaveResult(result);
    });
    watcher->setFuture(m_latestSave);
}

void AppModel::handleSaveResult(const SaveResult& result)
{
    if (result) {
        m_saveFailing = false;
        m_saveRetryDelay = 0;
        m_saveRetryTimer.stop();
        return;
    }
    // Said once per run of failures; the retries go on quietly until one succeeds.
    if (!m_saveFailing)
        setErrorMessage(localized(Text::en("Could not save your changes: %@"), { result.error().description }));
    m_saveFailing = true;
    scheduleSaveRetry();
}

void AppModel::scheduleSaveRetry()
{
    constexpr int firstDelay = 1000;
    constexpr int longestDelay = 60000;
    m_saveRetryDelay = m_saveRetryDelay == 0 ? firstDelay : std::min(m_saveRetryDelay * 2, longestDelay);
    m_saveRetryTimer.start(m_saveRetryDelay);
}

bool AppModel::finishPendingSaves(int msecs)
{
    return m_services.repository.waitForPendingWork(msecs);
}

std::optional<QString> AppModel::saveBeforeQuit(int msecs)
{
    QDeadlineTimer deadline(msecs);
    m_saveRetryTimer.stop();
    if (!m_services.repository.waitForPendingWork(int(deadline.remainingTime())))
        return unsavedChangesLine(localized(Text::en("the data file did not answer in time")));
    if (!m_loadSucceeded || m_readOnlyReason)
        return std::nullopt; // nothing was meant to be written
    const AppSnapshot current = currentSnapshot();
    if (m_savedSnapshot && *m_savedSnapshot == current)
        return std::nullopt;
    // The last save failed (or none finished): one more try, waited for.
    QFuture<SaveResult> last = m_services.repository.save(current);
    if (!m_services.repository.waitForPendingWork(int(deadline.remainingTime())))
        return unsavedChangesLine(localized(Text::en("the data file did not answer in time")));
    const SaveResult result = last.result();
    if (result) {
        m_savedSnapshot = current;
        return std::nullopt;
    }
    return unsavedChangesLine(result.error().description);
}

AppSnapshot AppModel::currentSnapshot() const
{
    // The lists are implicitly shared: this copy is a few reference counts, however large the data.
    return AppSnapshot { m_projects,
        m_entries,
        m_googleCalendar.eventLinks(),
        m_desktopCalendar.eventLinks(),
        m_activeSession,
        m_awayQuestion,
        m_settings,
        m_snapshotExtras };
}

QString AppModel::unsavedChangesLine(const QString& reason) const
{
    const AppSnapshot current = currentSnapshot();
    const UnsavedChanges changes = UnsavedChanges::between(m_savedSnapshot.value_or(AppSnapshot {}), current);
    QStringList parts;
    if (changes.timerChanged && changes.runningTimer) {
        const auto running = project(changes.runningTimer->projectID);
        parts << localized(Text::en("the running timer on %@ (since %@)"),
            { running ? running->name : localized(Text::en("Unknown Project")),
                appLocale().toString(QDateTime::fromMSecsSinceEpoch(qint64(changes.runningTimer->startDate * 1000)),
                    QLocale::ShortFormat) });
    } else if (changes.timerChanged) {
        parts << localized(Text::en("the stopped timer"));
    }
    if (changes.entries > 0)
        parts << localizedPlural(Text::plural("time entries: %n"), changes.entries);
    if (changes.projects > 0)
        parts << localizedPlural(Text::plural("projects: %n"), changes.projects);
    if (changes.settings)
        parts << localized(Text::en("the settings"));
    if (changes.calendarLinks)
        parts << localized(Text::en("the calendar export links"));
    if (parts.isEmpty())
        parts << localized(Text::en("the latest changes"));
    return localized(Text::en("Tivren could not save %@ to %@: %@"),
        { parts.join(u", "_s), m_services.repository.fileURL(), reason });
}

std::optional<QString> AppModel::whyChangesAreNotSaved() const
{
    if (m_readOnlyReason)
        return m_readOnlyReason;
    if (!m_loadSucceeded)
        return localized(
            Text::en("Tivren is still loading your data; the change was not saved. Try again in a moment."));
    return std::nullopt;
}

void AppModel::setReadOnly(const QString& reason)
{
    setReadOnlyReason(reason);
}

void AppModel::startAfresh()
{
    if (!m_canStartAfresh)
        return;
    m_canStartAfresh = false;
    m_loadSucceeded = true;
    m_services.repository.startAfresh();
    setReadOnlyReason(std::nullopt);
    persist();
}

void AppModel::setReadOnlyReason(const std::optional<QString>& reason)
{
    assign(m_readOnlyReason, reason, &AppModel::readOnlyReasonChanged);
}

void AppModel::clearError()
{
    setErrorMessage(std::nullopt);
}

void AppModel::clearSuccessMessage()
{
    setSuccessMessage(std::nullopt);
}

QLocale AppModel::appLocale() const
{
    const auto identifier = localeIdentifier(m_settings.languagePreference);
    return identifier ? QLocale(*identifier) : QLocale::system();
}

QString AppModel::localized(const QString& key) const
{
    return AppStrings::text(appLocale(), key);
}

QString AppModel::localized(const QString& key, const QVariantList& arguments) const
{
    return AppStrings::text(appLocale(), key, arguments);
}

QString AppModel::localizedPlural(const QString& key, int count, const QVariantList& arguments) const
{
    return AppStrings::plural(appLocale(), key, count, arguments);
}

void AppModel::tick()
{
    assign(m_now, m_services.clock.now(), &AppModel::nowChanged);
    checkPomodoroExpiry();
    checkWorkReminder();
}

void AppModel::setSelectedSection(MainSection section)
{
    assign(m_selectedSection, section, &AppModel::selectedSectionChanged);
}

void AppModel::setSettings(const AppSettings& settings)
{
    if (m_settings.workReminderEnabled && !settings.workReminderEnabled)
        m_workReminderLastFired.reset();
    setSettingsField(settings);
}

void AppModel::addProject(const Project& project)
{
    QList<Project> projects = m_projects;
    projects.append(project);
    setProjects(projects);
    persist();
}

void AppModel::setErrorMessage(const std::optional<QString>& message)
{
    assign(m_errorMessage, message, &AppModel::errorMessageChanged);
}

QString AppModel::exportCompleteKey()
{
    return Text::en("Export Complete");
}

void AppModel::setSuccessMessage(const std::optional<QString>& message, const QString& titleKey)
{
    if (message)
        m_successTitleKey = titleKey; // before the change is announced, so its title comes with it
    assign(m_successMessage, message, &AppModel::successMessageChanged);
}

void AppModel::setProjects(const QList<Project>& projects)
{
    assign(m_projects, projects, &AppModel::projectsChanged);
}

// The index is in step before anyone hears of a change, so range queries in their handlers see the
// new list. Single changes update it in place: a full build sorts every entry, milliseconds at 200k.
void AppModel::setEntries(const QList<TimeEntry>& entries)
{
    if (m_entries == entries)
        return;
    m_entries = entries;
    m_entryIndex = EntryStartIndex(m_entries);
    Q_EMIT entriesChanged();
}

void AppModel::appendEntry(const TimeEntry& entry)
{
    m_entries.append(entry);
    m_entryIndex.appended(m_entries);
    Q_EMIT entriesChanged();
}

void AppModel::replaceEntry(qsizetype position, const TimeEntry& entry)
{
    if (m_entries.at(position) == entry)
        return;
    const Instant previousStart = m_entries.at(position).startDate;
    m_entries[position] = entry;
    m_entryIndex.changed(m_entries, position, previousStart);
    Q_EMIT entriesChanged();
}

void AppModel::removeEntries(const QUuid& id)
{
    bool removed = false;
    // From the back, so the positions still to look at stay where they are.
    for (qsizetype position = m_entries.size() - 1; position >= 0; --position) {
        if (m_entries.at(position).id != id)
            continue;
        const Instant start = m_entries.at(position).startDate;
        m_entries.removeAt(position);
        m_entryIndex.removed(position, start);
        removed = true;
    }
    if (removed)
        Q_EMIT entriesChanged();
}

void AppModel::setActiveSession(const std::optional<ActiveTimerSession>& session)
{
    assign(m_activeSession, session, &AppModel::activeSessionChanged);
}

void AppModel::setSettingsField(const AppSettings& settings)
{
    assign(m_settings, settings, &AppModel::settingsChanged);
}

qsizetype AppModel::indexOfProject(const QUuid& id) const
{
    for (qsizetype i = 0; i < m_projects.size(); ++i) {
        if (m_projects[i].id == id)
            return i;
    }
    return -1;
}

} // namespace tivren
