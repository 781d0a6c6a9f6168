// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-ins for the platform services and the outside calendar services, for unit tests of the
// model. Each records what it was asked and answers what the test set up.
#include "app/calendar/AppleCalendarServicing.h"
#include "app/google/GoogleCalendarServicing.h"
#include "app/model/Clock.h"
#include "app/services/AwayNotifying.h"
#include "app/services/BreakOverlayPresenting.h"
#include "app/services/FileChooser.h"
#include "app/services/IdleMonitor.h"
#include "app/services/LoginItemService.h"
#include "app/services/PomodoroNotifying.h"
#include "app/services/SessionEvents.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace tivren::testing {

// Moving `time` is time passing; jumpWallClock() moves only the wall clock, as a user, a time
// server or another system on the same machine does.
class FakeClock final : public Clock
{
public:
    Instant time = 1772352000; // 2026-03-01T08:00:00Z
    Instant now() const override { return time; }
    Seconds monotonicNow() const override { return time - m_wallClockJumps; }
    void jumpWallClock(Seconds by)
    {
        time += by;
        m_wallClockJumps += by;
    }

private:
    Seconds m_wallClockJumps = 0;
};

class FakeNotifier final : public PomodoroNotifying
{
public:
    struct Reminder
    {
        Seconds elapsed;
        bool sound;
        bool operator==(const Reminder&) const = default;
    };
    int authorizationRequests = 0;
    QList<std::pair<PomodoroPhase, bool>> phases; // phase, sound
    QList<Reminder> reminders;

    void requestAuthorizationIfNeeded() override { ++authorizationRequests; }
    void notify(PomodoroPhase phase, bool soundEnabled) override { phases.append({ phase, soundEnabled }); }
    void notifyWorkReminder(Seconds elapsed, bool soundEnabled) override
    {
        reminders.append({ elapsed, soundEnabled });
    }
};

class FakeOverlay final : public BreakOverlayPresenting
{
public:
    std::optional<OverlayColor> showing;
    QList<OverlayColor> flashes;
    int hides = 0;

    void showBreakOverlay(OverlayColor color) override { showing = color; }
    void hideBreakOverlay() override
    {
        showing.reset();
        ++hides;
    }
    void flashOverlay(OverlayColor color) override { flashes.append(color); }
};

// A desktop that reports idleness when the test says so.
class FakeIdleMonitor final : public IdleMonitor
{
public:
    bool available = true;
    std::optional<Seconds> watching; // the threshold of the current watch

    bool isAvailable() const override { return available; }
    void watch(Seconds threshold) override { watching = threshold; }
    void stopWatching() override { watching.reset(); }
    void setAvailable(bool value)
    {
        available = value;
        Q_EMIT availabilityChanged();
    }
    // Idle since `since`, back at `at`, as a detector reports it.
    void away(Instant since, Instant at)
    {
        Q_EMIT becameIdle(since);
        Q_EMIT becameActive(at);
    }
};

// The question about time away as a notification: what is posted, and its buttons' handler.
class FakeAwayNotifier final : public AwayNotifying
{
public:
    std::optional<AwayQuestion> posted;
    Answered answered;
    int withdrawals = 0;

    void askAway(const AwayQuestion& question, Answered handler) override
    {
        posted = question;
        answered = std::move(handler);
    }
    void withdrawAway() override
    {
        posted.reset();
        answered = nullptr;
        ++withdrawals;
    }
};

// A session whose sleeps and locks happen when the test says so.
class FakeSessionEvents final : public SessionEvents
{
public:
    // Asleep from `from` until `to`, as logind reports it.
    void sleep(Instant from, Instant to)
    {
        Q_EMIT preparingForSleep(from);
        Q_EMIT resumed(to);
    }
    void lock(Instant at) { Q_EMIT locked(at); }
};

class FakeLoginItems final : public LoginItemService
{
public:
    bool enabled = false;
    std::optional<QString> failure; // description of the next failure

    QCoro::Task<Expected<Done, LoginItemError>> setEnabled(bool value) override
    {
        if (failure)
            co_return Unexpected(LoginItemError { *failure });
        enabled = value;
        co_return Done {};
    }
    QCoro::Task<bool> isEnabled() override { co_return enabled; }
};

class FakeFileChooser final : public FileChooser
{
public:
    std::optional<QString> answer; // nothing: the user cancels
    std::optional<QString> importAnswer;
    QList<QString> proposedNames;

    QCoro::Task<std::optional<QString>> chooseCSVSaveLocation(const QString& proposedName) override
    {
        proposedNames.append(proposedName);
        co_return answer;
    }

    QCoro::Task<std::optional<QString>> chooseImportFile() override { co_return importAnswer; }
};

class FakeGoogleCalendarService final : public GoogleCalendarServicing
{
public:
    struct ExportCall
    {
        QList<TimeEntry> entries;
        QList<Project> projects;
        GoogleCalendarSettings settings;
        QHash<QUuid, QString> calendarAssignments;
        QList<GoogleCalendarEventLink> existingLinks;
    };

    bool storedToken = false;
    std::optional<GoogleCalendarServiceError> authorizeError;
    std::optional<GoogleCalendarServiceError> deleteError;
    Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError> calendars = QList<GoogleCalendarListItem> {};
    // Answers an export; by default one fresh link per entry into its project's calendar.
    std::function<GoogleCalendarExportResult(const ExportCall&)> exportAnswer;
    QList<ExportCall> exportCalls;
    int fetchCount = 0;

    QCoro::Task<Expected<Done, GoogleCalendarServiceError>> authorize(GoogleCalendarSettings) override
    {
        if (authorizeError)
            co_return Unexpected(*authorizeError);
        storedToken = true;
        co_return Done {};
    }
    QCoro::Task<Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError>> fetchCalendars(
        GoogleCalendarSettings) override
    {
        ++fetchCount;
        co_return calendars;
    }
    QCoro::Task<bool> hasStoredToken() override { co_return storedToken; }
    QCoro::Task<Expected<Done, GoogleCalendarServiceError>> deleteStoredToken() override
    {
        if (deleteError)
            co_return Unexpected(*deleteError);
        storedToken = false;
        co_return Done {};
    }
    QCoro::Task<GoogleCalendarExportResult> exportEntries(QList<TimeEntry> entries,
        QList<Project> projects,
        GoogleCalendarSettings settings,
        QHash<QUuid, QString> calendarAssignments,
        QList<GoogleCalendarEventLink> existingLinks) override
    {
        exportCalls.append({ entries, projects, settings, calendarAssignments, existingLinks });
        if (exportAnswer)
            co_return exportAnswer(exportCalls.last());
        GoogleCalendarExportResult result;
        for (const TimeEntry& entry : entries) {
            result.links.append({ QUuid::createUuid(),
                entry.id,
                calendarAssignments.value(entry.projectID),
                QStringLiteral("event-") + entry.id.toString(QUuid::WithoutBraces),
                1772400000 });
        }
        co_return result;
    }
};

class FakeAppleCalendarService final : public AppleCalendarServicing
{
public:
    struct ExportCall
    {
        QList<TimeEntry> entries;
        QList<Project> projects;
        QHash<QUuid, QString> calendarAssignments;
        QList<AppleCalendarEventLink> existingLinks;
    };

    bool fullAccess = false;
    std::optional<AppleCalendarServiceError> authorizeError;
    Expected<QList<AppleCalendarListItem>, AppleCalendarServiceError> calendars = QList<AppleCalendarListItem> {};
    std::function<AppleCalendarExportResult(const ExportCall&)> exportAnswer;
    QList<ExportCall> exportCalls;

    QCoro::Task<Expected<Done, AppleCalendarServiceError>> authorize() override
    {
        if (authorizeError)
            co_return Unexpected(*authorizeError);
        fullAccess = true;
        co_return Done {};
    }
    QCoro::Task<bool> hasFullAccess() override { co_return fullAccess; }
    QCoro::Task<Expected<QList<AppleCalendarListItem>, AppleCalendarServiceError>> fetchCalendars() override
    {
        co_return calendars;
    }
    QCoro::Task<AppleCalendarExportResult> exportEntries(QList<TimeEntry> entries,
        QList<Project> projects,
        QHash<QUuid, QString> calendarAssignments,
        QList<AppleCalendarEventLink> existingLinks) override
    {
        exportCalls.append({ entries, projects, calendarAssignments, existingLinks });
        if (exportAnswer)
            co_return exportAnswer(exportCalls.last());
        AppleCalendarExportResult result;
        for (const TimeEntry& entry : entries) {
            result.links.append({ QUuid::createUuid(),
                entry.id,
                calendarAssignments.value(entry.projectID),
                entry.id.toString(QUuid::WithoutBraces),
                1772400000 });
        }
        co_return result;
    }
};

} // namespace tivren::testing
