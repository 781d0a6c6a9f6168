#pragma once

// Both calendar connections of the app model behind one face, so that one table drives Google
// and Apple alike, and links as comparable texts.
#include "core/datafile/Uuid.h"
#include "support/ModelHarness.h"

#include <QStringList>
#include <QTest>

namespace tivren::testing {

inline QString linkText(const QUuid& entryID, const QString& calendar, const QString& event)
{
    return QStringLiteral("%1|%2 -> %3").arg(UuidText::upper(entryID), calendar, event);
}

// Links as sorted texts: the order of a link list means nothing, a duplicate does.
template <typename Link> QStringList linkTexts(const QList<Link>& links)
{
    QStringList texts;
    for (const Link& l : links)
        texts << linkText(l.entryID, l.calendarID, l.eventID);
    texts.sort();
    return texts;
}

// Loads with both services signed in and listing calendars unless told otherwise: Google then
// picks its primary "me", Apple its first "home".
inline void loadWithCalendars(
    ModelHarness& h, const AppSnapshot& snapshot = {}, bool connected = true, bool listed = true)
{
    const QString work = QStringLiteral("work");
    h.google.storedToken = h.apple.fullAccess = connected;
    h.google.calendars = listed ? QList<GoogleCalendarListItem> { { work, QStringLiteral("Work"), false },
        { QStringLiteral("me"), QStringLiteral("Me"), true } }
                                : QList<GoogleCalendarListItem> {};
    h.apple.calendars = listed ? QList<AppleCalendarListItem> { { QStringLiteral("home"), QStringLiteral("Home"), {} },
        { work, QStringLiteral("Work"), {} } }
                               : QList<AppleCalendarListItem> {};
    h.load(snapshot);
}

// A draft of one service as a draft of the other: both have the same fields.
template <typename To, typename From> To convertDraft(const From& from)
{
    To to { from.id, {} };
    for (const auto& s : from.projectSelections)
        to.projectSelections.append({ s.projectID, s.projectName, s.entryCount, s.isSelected, s.calendarID });
    return to;
}

// The Google or the Apple connection; drafts are handed around as Google's.
struct CalendarService
{
    ModelHarness& h;
    bool apple;
    InstantRange range;

    QString name() const { return apple ? QStringLiteral("Apple") : QStringLiteral("Google"); }
    const CalendarConnectionBase& base() const { return *h.model->calendarConnections()[apple ? 1 : 0]; }
    qsizetype listed() const { return apple ? desktop().calendars().size() : google().calendars().size(); }
    void connect() const { QCoro::waitFor(apple ? desktop().connectService() : google().connectService()); }
    void refresh() const { QCoro::waitFor(apple ? desktop().refresh() : google().refresh()); }
    void disconnect() const { QCoro::waitFor(apple ? desktop().disconnectService() : google().disconnectService()); }
    std::optional<GoogleCalendarExportDraft> draft() const
    {
        if (!apple)
            return google().exportDraft(range);
        const auto draft = desktop().exportDraft(range);
        return draft ? std::optional(convertDraft<GoogleCalendarExportDraft>(*draft)) : std::nullopt;
    }

    void exportDraft(const GoogleCalendarExportDraft& draft) const
    {
        QCoro::waitFor(apple ? desktop().exportEntries(convertDraft<AppleCalendarExportDraft>(draft), range)
                             : google().exportEntries(draft, range));
    }

private:
    GoogleCalendarConnection& google() const { return h.model->googleCalendar(); }
    DesktopCalendarConnection& desktop() const { return h.model->desktopCalendar(); }
};

} // namespace tivren::testing
