// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarConnection.h"
#include "app/model/Clock.h"
#include "app/model/MainSection.h"
#include "app/text/ImportTexts.h"
#include "app/text/NumberFormatCache.h"
#include "core/away/AwayRules.h"
#include "core/billing/EntryStartIndex.h"
#include "core/datafile/TivrenRepository.h"
#include "core/import/ImportPlan.h"
#include "core/pomodoro/PomodoroPhase.h"
#include "core/records/AppSnapshot.h"

#include <QFuture>
#include <QLocale>
#include <QObject>
#include <QTimer>
#include <QVariantList>
#include <qcoro/qcorotask.h>

#include <array>
#include <optional>

namespace tivren {

class BreakOverlayPresenting;
class FileChooser;
class IdleMonitor;
class LoginItemService;
class PomodoroNotifying;
class PomodoroSkipBroadcaster;
class SessionEvents;

// Everything the model talks to; the shell owns them and keeps them alive longer than the model.
struct AppServices
{
    TivrenRepository& repository;
    GoogleCalendarServicing& googleCalendarService;
    AppleCalendarServicing& appleCalendarService;
    PomodoroNotifying& pomodoroNotifier;
    BreakOverlayPresenting& overlayManager;
    LoginItemService& loginItems;
    FileChooser& fileChooser;
    PomodoroSkipBroadcaster& skipBroadcaster;
    IdleMonitor& idleMonitor;
    SessionEvents& sessionEvents;
    const Clock& clock;
};

// The one application model: all user data, the running timer, the Pomodoro cycle, reminders,
// the calendar connections and the two message slots. Every window, the tray menu and the
// command-line control read its state and call its operations. Every field has its own change
// signal, emitted only when the value really changed. Lives on the user-interface thread.
class AppModel : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        bool startClockTimer = true;
        bool loadOnInit = true;
    };

    AppModel(AppServices services, Options options, QObject* parent = nullptr);
    ~AppModel() override;

    // ---- state -------------------------------------------------------------------------------
    const QList<Project>& projects() const { return m_projects; }
    const QList<TimeEntry>& entries() const { return m_entries; }
    // `entries()` by start, for queries over a range (BillingEngine's overloads taking an index).
    const EntryStartIndex& entryIndex() const { return m_entryIndex; }
    const std::optional<ActiveTimerSession>& activeSession() const { return m_activeSession; }
    const AppSettings& settings() const { return m_settings; }
    MainSection selectedSection() const { return m_selectedSection; }
    Instant now() const { return m_now; }
    const std::optional<QString>& errorMessage() const { return m_errorMessage; }
    bool didFinishLoading() const { return m_didFinishLoading; }
    // The projects, entries and settings are in (or the file turned out unreadable), while the
    // calendar accounts may still be coming back: enough for the screens to show the data.
    bool didReadData() const { return m_didReadData; }
    const std::optional<QString>& successMessage() const { return m_successMessage; }
    // The English key of the success message's title ("Export Complete", "Import Complete").
    const QString& successTitleKey() const { return m_successTitleKey; }
    const std::optional<PomodoroPhase>& pomodoroPhase() const { return m_pomodoroPhase; }
    const std::optional<Instant>& pomodoroPhaseStart() const { return m_pomodoroPhaseStart; }
    const std::optional<Seconds>& pomodoroPhaseDuration() const { return m_pomodoroPhaseDuration; }
    int pomodoroCompletedWorkIntervals() const { return m_pomodoroCompletedWorkIntervals; }
    const std::optional<QUuid>& pomodoroProjectID() const { return m_pomodoroProjectID; }
    const std::optional<Instant>& workReminderLastFired() const { return m_workReminderLastFired; }

    // ---- start-up, saving, messages, texts ---------------------------------------------------
    // Reads the data file into the model; called once at start-up.
    QCoro::Task<> load();
    // Hands a snapshot of the persisted fields to the repository and returns at once; a failed
    // save lands in errorMessage.
    void persist();
    // Waits (at most msecs) until every handed-over save is on disk; for quitting. False on timeout.
    bool finishPendingSaves(int msecs);
    // For quitting (blocks, at most msecs): finishes the handed-over saves and, when the state is still
    // not on disk, tries once more. Returns one line saying what was not saved, or nothing.
    std::optional<QString> saveBeforeQuit(int msecs);
    // The newest save handed to the repository (finished when none is pending). A caller that must
    // confirm a change only once it is on disk waits for this.
    QFuture<SaveResult> latestSave() const { return m_latestSave; }
    // Why a change would not reach the data file now (still loading, or read-only); nothing when it would.
    std::optional<QString> whyChangesAreNotSaved() const;
    // Read-only: the data file could not be read, or its folder cannot be written. The data stays on
    // screen, changes are not saved, and the main window says why.
    const std::optional<QString>& readOnlyReason() const { return m_readOnlyReason; }
    void setReadOnly(const QString& reason);
    // After an unreadable data file that was kept aside as a copy, the user may begin again with an
    // empty state; it is saved at once.
    bool canStartAfresh() const { return m_canStartAfresh; }
    void startAfresh();
    void clearError();
    void clearSuccessMessage();
    // The language of windows, menu and model messages, from settings.languagePreference.
    QLocale appLocale() const;
    QString localized(const QString& key) const;
    QString localized(const QString& key, const QVariantList& arguments) const;
    // A Text::plural text in the form for count ("%n"), then the other arguments.
    QString localizedPlural(const QString& key, int count, const QVariantList& arguments = {}) const;
    // One clock tick: refresh now, end an expired Pomodoro phase, fire a due work reminder.
    // The one-second timer calls it; tests call it after moving their clock.
    void tick();

    void setSelectedSection(MainSection section);
    // Direct writes of the settings screen (followed by persist()). Switching reminders off
    // also forgets when the last one fired.
    void setSettings(const AppSettings& settings);
    // The project editor's new project: appended, then saved.
    void addProject(const Project& project);

    // ---- bringing history from another tracker ------------------------------------------------
    // What importing the reading would change now; changes nothing.
    ImportPlan planImportOf(const ImportReading& reading) const;
    // Adds the reading's new projects and entries (planned again against the data as it is now) in
    // one change and one save, and returns what was added.
    ImportPlan applyImport(const ImportReading& reading);
    // Settings' Import…: asks for a file and reads it off this thread. Nothing when the user
    // cancelled, or when the file cannot be read as an export (errorMessage says why).
    QCoro::Task<std::optional<ImportReading>> chooseImport();
    // What importing the reading would change now, in the app's language.
    ImportPreview importPreview(const ImportReading& reading) const;
    // The preview's Import: applies the reading and says what was added in successMessage.
    void confirmImport(const ImportReading& reading);

    // ---- tracking and Pomodoro ---------------------------------------------------------------
    void startTracking(const Project& project);
    void stopTracking(bool fromPomodoro);
    void stopTimer();
    void skipPomodoroPhase();
    void updatePomodoroEnabled(bool enabled);
    std::optional<Seconds> pomodoroRemaining() const;

    // ---- time away ---------------------------------------------------------------------------
    // The question about time away from the running timer, open until answered: asked when the
    // user comes back after more than the settings' threshold (awayQuestionEnabled on). It is kept
    // in the data file, so a restart asks again; it goes when its session is stopped or switched.
    const std::optional<AwayQuestion>& awayQuestion() const { return m_awayQuestion; }
    // Applies the answer in one change and one save; false when no question is open.
    [[nodiscard]] bool answerAway(AwayAnswer answer);
    // Whether this desktop tells when the user is idle; without it only sleep is asked about.
    [[nodiscard]] bool idleDetectionAvailable() const;

    // ---- projects, entries, settings ---------------------------------------------------------
    void updateProject(const Project& project,
        const QString& name,
        std::optional<double> hourlyRate,
        int billingIncrementMinutes,
        BillingRoundingStrategy billingRoundingStrategy,
        const QString& colorName);
    void archiveProject(const Project& project);
    void restoreProject(const Project& project);
    void updateEntry(const TimeEntry& entry, Instant startDate, Instant endDate, const QString& notes);
    void deleteEntry(const TimeEntry& entry);
    void updateCurrencyCode(const QString& code);
    void updatePomodoroOverlayEnabled(bool enabled);
    void updateWorkReminderIntervalMinutes(int minutes);
    QCoro::Task<> setLaunchAtLogin(bool enabled);

    QList<Project> activeProjects() const;
    QList<Project> archivedProjects() const;
    std::optional<Project> activeProject() const;
    std::optional<Project> project(const QUuid& id) const;
    QList<Project> recentlyUsedProjects(int limit) const;

    QString currencyString(double amount) const;
    QString decimalString(double value, int minimumFractionDigits, int maximumFractionDigits) const;

    // ---- CSV ---------------------------------------------------------------------------------
    QCoro::Task<> exportCSV(InstantRange range);

    // ---- calendars ---------------------------------------------------------------------------
    // Google Calendar and the desktop calendar; their event links are part of the data file.
    GoogleCalendarConnection& googleCalendar() { return m_googleCalendar; }
    const GoogleCalendarConnection& googleCalendar() const { return m_googleCalendar; }
    DesktopCalendarConnection& desktopCalendar() { return m_desktopCalendar; }
    const DesktopCalendarConnection& desktopCalendar() const { return m_desktopCalendar; }
    // The Google account connected (its address), known once its calendars were listed.
    [[nodiscard]] std::optional<QString> googleCalendarAccount() const { return m_googleCalendar.account(); }
    // Both, for watching their state.
    std::array<const CalendarConnectionBase*, 2> calendarConnections() const
    {
        return { &m_googleCalendar, &m_desktopCalendar };
    }

Q_SIGNALS:
    void projectsChanged();
    void entriesChanged();
    void activeSessionChanged();
    void settingsChanged();
    void selectedSectionChanged();
    void nowChanged();
    void errorMessageChanged();
    void didFinishLoadingChanged();
    void didReadDataChanged();
    void readOnlyReasonChanged();
    void successMessageChanged();
    void pomodoroPhaseChanged();
    void pomodoroPhaseStartChanged();
    void pomodoroPhaseDurationChanged();
    void pomodoroCompletedWorkIntervalsChanged();
    void pomodoroProjectIDChanged();
    void awayQuestionChanged();
    void idleDetectionAvailableChanged();

private:
    // The connections report through the model's messages and change the settings they keep there.
    friend class CalendarConnectionBase;

    // Writes a field and emits its signal, only when the value differs.
    template <typename T> void assign(T& field, const T& value, void (AppModel::*changed)())
    {
        if (field == value)
            return;
        field = value;
        Q_EMIT(this->*changed)();
    }

    void setErrorMessage(const std::optional<QString>& message);
    void setReadOnlyReason(const std::optional<QString>& reason);
    void handleSaveResult(const SaveResult& result);
    void scheduleSaveRetry();
    // What persist() hands to the repository: the model's state and the keys a newer Tivren wrote.
    AppSnapshot currentSnapshot() const;
    // "Tivren could not save <what> to <file>: <reason>", naming what differs from the file.
    QString unsavedChangesLine(const QString& reason) const;
    void setSuccessMessage(const std::optional<QString>& message, const QString& titleKey = exportCompleteKey());
    static QString exportCompleteKey();
    void setProjects(const QList<Project>& projects);
    // A whole new list (the load). The others change one entry and keep the rest of the list and the
    // index as they are; each emits entriesChanged only when something changed.
    void setEntries(const QList<TimeEntry>& entries);
    void appendEntry(const TimeEntry& entry);
    void replaceEntry(qsizetype position, const TimeEntry& entry);
    // Every entry with that id (a hand-edited file may repeat one).
    void removeEntries(const QUuid& id);
    void setActiveSession(const std::optional<ActiveTimerSession>& session);
    void setSettingsField(const AppSettings& settings);

    void beginPomodoroPhase(PomodoroPhase phase);
    void advancePomodoroPhase();
    void clearPomodoroState();
    void checkPomodoroExpiry();
    void checkWorkReminder();
    // Starts the timer for the project now, refreshing now with it, so nothing shows a negative
    // elapsed time.
    // Records the running session as an entry and clears it, without saving; false when none ran.
    bool endSession(bool fromPomodoro);
    // Records the session as an entry ending at end (none when that is not after its start) and
    // clears it, without saving.
    void recordSession(const ActiveTimerSession& session, Instant end);
    void startSession(const QUuid& projectID);
    // Where the running session ends: at `end` (now, or the instant it was stopped for), or its start
    // plus the time that really passed when the wall clock was set back while it ran (the user is told).
    Instant sessionEnd(const ActiveTimerSession& session, Instant end);
    // After load(): ties a stored running session to the monotonic clock; one that starts in the
    // future counts from the program's start instead (the user is told).
    void checkRestoredSession();

    // Time away: the monitor is watched only while a timer runs and the question is wanted.
    void connectIdleMonitor();
    void followIdleMonitor();
    void userWentIdle(Instant since);
    void userCameBack(Instant at);
    void setAwayQuestion(const std::optional<AwayQuestion>& question);
    // Sleep and the screen lock: the question about time away after a long sleep, and stopping at a lock.
    void connectSessionEvents();
    void goingToSleep(Instant at);
    void wokeUp(Instant at);
    void sessionLocked(Instant at);

    // First index of the record with that id, or -1.
    qsizetype indexOfProject(const QUuid& id) const;

    AppServices m_services;
    QTimer m_clockTimer;
    mutable NumberFormatCache m_numberFormats; // formatting is const; the open formatters are not state

    // Saving: the newest save handed over, the state last known to be on disk, and the retries while
    // the newest state is not there (a full disk, say).
    QFuture<SaveResult> m_latestSave;
    quint64 m_saveGeneration = 0;
    std::optional<AppSnapshot> m_savedSnapshot;
    JsonExtras m_snapshotExtras; // top-level keys of a newer Tivren, written back as they came
    bool m_loadSucceeded = false;
    bool m_saveFailing = false;
    QTimer m_saveRetryTimer;
    int m_saveRetryDelay = 0;
    std::optional<QString> m_readOnlyReason;
    bool m_canStartAfresh = false;

    QList<Project> m_projects;
    QList<TimeEntry> m_entries;
    EntryStartIndex m_entryIndex;
    std::optional<ActiveTimerSession> m_activeSession;
    AppSettings m_settings;
    MainSection m_selectedSection = MainSection::overview;
    Instant m_now = 0;
    std::optional<QString> m_errorMessage;
    bool m_didFinishLoading = false;
    bool m_didReadData = false;
    std::optional<QString> m_successMessage;
    QString m_successTitleKey = exportCompleteKey();
    std::optional<PomodoroPhase> m_pomodoroPhase;
    std::optional<Instant> m_pomodoroPhaseStart;
    std::optional<Seconds> m_pomodoroPhaseDuration;
    int m_pomodoroCompletedWorkIntervals = 0;
    std::optional<QUuid> m_pomodoroProjectID;
    std::optional<Instant> m_workReminderLastFired;
    std::optional<AwayQuestion> m_awayQuestion;
    std::optional<Instant> m_idleSince; // as the monitor reported, while a timer runs
    std::optional<Seconds> m_watchedThreshold; // the monitor's watch, while there is one
    std::optional<Instant> m_sleepStart; // when the computer went to sleep with a timer running
    // The program's start on both clocks, and the running session's start on the monotonic one.
    const Instant m_launchTime = m_services.clock.now();
    const Seconds m_launchMonotonicTime = m_services.clock.monotonicNow();
    std::optional<Seconds> m_sessionMonotonicStart;
    GoogleCalendarConnection m_googleCalendar { *this, m_services.googleCalendarService };
    DesktopCalendarConnection m_desktopCalendar { *this, m_services.appleCalendarService };
};

} // namespace tivren
