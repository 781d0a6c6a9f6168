#include "app/AppModel.h"

#include "app/AppStrings.h"
#include "app/BreakOverlayPresenting.h"
#include "app/Clock.h"
#include "app/PomodoroNotifying.h"
#include "app/PomodoroSkipBroadcaster.h"
#include "core/TivrenRepository.h"

#include <QCoroFuture>
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
    m_services.pomodoroNotifier.requestAuthorizationIfNeeded();
}

AppModel::~AppModel() = default;

QCoro::Task<> AppModel::load()
{
    const LoadResult loaded = co_await m_services.repository.load();
    if (!loaded) {
        setErrorMessage(localized(u"Could not load saved data: %@"_tr, { loaded.error().description }));
        assign(m_didFinishLoading, true, &AppModel::didFinishLoadingChanged);
        co_return;
    }
    const AppSnapshot& snapshot = *loaded;
    setProjects(snapshot.projects);
    QList<TimeEntry> valid;
    valid.reserve(snapshot.entries.size());
    for (const TimeEntry& entry : snapshot.entries) {
        if (entry.isValid())
            valid.append(entry);
    }
    setEntries(valid.size() == snapshot.entries.size() ? snapshot.entries : valid);
    assign(m_googleCalendarEventLinks, snapshot.googleCalendarEventLinks, &AppModel::googleCalendarEventLinksChanged);
    assign(m_appleCalendarEventLinks, snapshot.appleCalendarEventLinks, &AppModel::appleCalendarEventLinksChanged);
    setActiveSession(snapshot.activeSession);
    setSettingsField(snapshot.settings);

    const bool hasToken = co_await m_services.googleCalendarService.hasStoredToken();
    assign(m_hasGoogleCalendarAuthorization, hasToken, &AppModel::hasGoogleCalendarAuthorizationChanged);
    if (hasToken)
        co_await refreshGoogleCalendars();
    const bool hasAccess = co_await m_services.appleCalendarService.hasFullAccess();
    assign(m_hasAppleCalendarAuthorization, hasAccess, &AppModel::hasAppleCalendarAuthorizationChanged);
    if (hasAccess)
        co_await refreshAppleCalendars();
    checkRestoredSession();
    assign(m_didFinishLoading, true, &AppModel::didFinishLoadingChanged);
}

void AppModel::persist()
{
    // The lists are implicitly shared: this copy is a few reference counts, however large the data.
    AppSnapshot snapshot {
        m_projects, m_entries, m_googleCalendarEventLinks, m_appleCalendarEventLinks, m_activeSession, m_settings
    };
    // A watcher owned by the model: should the model go first, the answer is simply dropped.
    auto* watcher = new QFutureWatcher<SaveResult>(this);
    connect(watcher, &QFutureWatcher<SaveResult>::finished, this, [this, watcher] {
        const SaveResult result = watcher->result();
        watcher->deleteLater();
        if (!result)
            setErrorMessage(localized(u"Could not save your changes: %@"_tr, { result.error().description }));
    });
    watcher->setFuture(m_services.repository.save(std::move(snapshot)));
}

bool AppModel::finishPendingSaves(int msecs)
{
    return m_services.repository.waitForPendingWork(msecs);
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

void AppModel::setSuccessMessage(const std::optional<QString>& message)
{
    assign(m_successMessage, message, &AppModel::successMessageChanged);
}

void AppModel::setProjects(const QList<Project>& projects)
{
    assign(m_projects, projects, &AppModel::projectsChanged);
}

void AppModel::setEntries(const QList<TimeEntry>& entries)
{
    assign(m_entries, entries, &AppModel::entriesChanged);
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
