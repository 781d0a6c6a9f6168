// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <QVariantList>

#include <optional>

namespace tivren {

class AppModel;
struct AppSettings;

// The sentences of one calendar service, as keys for AppModel::localized().
struct CalendarTexts
{
    QString connectFailed; // "Could not connect ...: %@"
    QString disconnectFailed; // "Could not disconnect ...: %@"
    QString loadFailed; // "Could not load ... calendars: %@"
    QString expired; // the sign-in ran out; empty when the service has none
    QString connectFirst; // an export asked for before any calendar is known
    QString exportFailed; // "Could not export to ...: %@"
    QString connected; // connected, no calendar name known
    QString exported; // "Exported %@ to ..."
    QString exportedWithSkipped; // "Exported %@ to ... Skipped %@ without a calendar."
};

// What both calendar connections share and do not depend on the service's types: the busy and
// connected state with their change signals, and the model's messages, settings and texts.
class CalendarConnectionBase : public QObject
{
    Q_OBJECT

public:
    bool isBusy() const { return m_busy; }
    bool hasAuthorization() const { return m_authorized; }
    // "Working...", "Not connected." or which calendar is selected.
    QString statusText() const;
    // The account connected, when the service tells it.
    [[nodiscard]] virtual std::optional<QString> account() const = 0;
    // "Signed in as ..." for the account connected; empty when none is known.
    [[nodiscard]] QString accountText() const;
    // The success line of an export.
    QString exportSummary(int exportedEntryCount, int skippedProjectCount) const;
    // Screens that list calendars or offer an export ask for them when they are first shown: until
    // one does, nothing is fetched, so a start that shows only the tray icon never loads the
    // calendar services. Fetches now when connected; else once a connection is restored.
    void wantCalendars();

Q_SIGNALS:
    void busyChanged();
    void authorizationChanged();
    void calendarsChanged();
    void eventLinksChanged();

protected:
    CalendarConnectionBase(AppModel& model, CalendarTexts texts);

    void setBusy(bool busy);
    void setAuthorization(bool authorized);
    void reportError(const QString& key, const QVariantList& arguments = {});
    void reportSuccess(const QString& message);
    void changeSettings(const AppSettings& settings);
    virtual std::optional<QString> selectedCalendarName() const = 0;
    // The entries of the range whose project has a calendar, newest first.
    QList<TimeEntry> entriesToExport(const InstantRange& range, const QHash<QUuid, QString>& assignments) const;
    // A draft's selected projects with a calendar, or nothing (and the refusal said) when the export
    // cannot go.
    std::optional<QHash<QUuid, QString>> checkedAssignments(const QHash<QUuid, QString>& assignments);
    // Connected and a calendar list fetched: what an export needs.
    virtual bool isReady() const = 0;
    [[nodiscard]] bool calendarsWanted() const { return m_calendarsWanted; }
    // Starts fetching the calendars; the fetch runs to its end on its own.
    virtual void startRefresh() = 0;

    AppModel& m_model;
    const CalendarTexts m_texts;

private:
    bool m_busy = false;
    bool m_authorized = false;
    bool m_calendarsWanted = false;
};

} // namespace tivren
