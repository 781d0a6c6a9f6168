#include "app/calendar/AppleCalendarService.h"
#include "app/calendar/CalendarExportSupport.h"
#include "support/Fakes.h"
#include "support/TaskResult.h"
#include "support/TestRecords.h"

#include <QTest>
#include <qcoro/qcorotask.h>
#include <qcoro/qcorotimer.h>

#include <chrono>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace tivren;
using namespace tivren::testing;

namespace {

using Kind = AppleCalendarServiceError::Kind;
using Status = CalendarAuthorizationStatus;

// An in-memory calendar store: events by identifier, each in one calendar.
class FakeCalendarStore final : public CalendarStore
{
public:
    Status status = Status::fullAccess;
    std::optional<CalendarStoreError> statusError;
    Expected<bool, CalendarStoreError> requestAnswer = true;
    QList<CalendarStoreCalendar> calendars { { u"home"_s, u"Home"_s, u"On This Computer"_s },
        { u"work"_s, u"Work"_s, u"On This Computer"_s } };
    QHash<QString, CalendarStoreEvent> events;
    QSet<QString> refusingCalendars; // saving into these fails
    bool slow = false; // every call takes a few milliseconds, as a real store does
    QStringList calls;
    int requests = 0;

    QCoro::Task<Expected<Status, CalendarStoreError>> authorizationStatus() override
    {
        auto pause = enter(u"status"_s);
        co_await std::move(pause);
        if (statusError)
            co_return Unexpected(*statusError);
        co_return status;
    }
    QCoro::Task<Expected<bool, CalendarStoreError>> requestFullAccess() override
    {
        ++requests;
        if (requestAnswer && *requestAnswer)
            status = Status::fullAccess;
        co_return Expected<bool, CalendarStoreError>(requestAnswer);
    }
    QCoro::Task<Expected<QList<CalendarStoreCalendar>, CalendarStoreError>> eventCalendars() override
    {
        auto pause = enter(u"calendars"_s);
        co_await std::move(pause);
        co_return QList<CalendarStoreCalendar>(calendars); // a copy: QCoro moves from a returned lvalue
    }
    QCoro::Task<Expected<std::optional<CalendarStoreEvent>, CalendarStoreError>> event(
        QString identifier, QString likelyCalendarID) override
    {
        auto pause = enter(u"event %1 in %2"_s.arg(identifier, likelyCalendarID));
        co_await std::move(pause);
        if (!events.contains(identifier))
            co_return std::optional<CalendarStoreEvent>();
        CalendarStoreEvent found = events.value(identifier);
        found.storedCalendarID = found.calendarID;
        co_return std::optional<CalendarStoreEvent>(found);
    }
    QCoro::Task<Expected<QString, CalendarStoreError>> save(CalendarStoreEvent event) override
    {
        auto pause = enter(u"save"_s);
        co_await std::move(pause);
        if (refusingCalendars.contains(event.calendarID))
            co_return Unexpected(CalendarStoreError { CalendarStoreError::Kind::failed, u"read-only"_s });
        if (event.identifier.isEmpty())
            event.identifier = u"event-%1"_s.arg(++m_created);
        event.storedCalendarID = event.calendarID;
        events.insert(event.identifier, event);
        co_return event.identifier;
    }

    int saves() const { return int(calls.count(u"save"_s)); }

private:
    QCoro::Task<> enter(const QString& call)
    {
        calls.append(call);
        if (slow)
            co_await QCoro::sleepFor(5ms);
    }

    int m_created = 0;
};

struct Harness
{
    FakeClock clock;
    FakeCalendarStore* store = new FakeCalendarStore;
    AppleCalendarService service { std::unique_ptr<CalendarStore>(store), clock };

    AppleCalendarExportResult exportEntries(const QList<TimeEntry>& entries,
        const QList<Project>& projects,
        const QHash<QUuid, QString>& assignments,
        const QList<AppleCalendarEventLink>& links)
    {
        return resultOf(service.exportEntries(entries, projects, assignments, links)).value();
    }
};

std::optional<Kind> errorKind(const std::optional<AppleCalendarServiceError>& error)
{
    return error ? std::optional<Kind>(error->kind) : std::nullopt;
}

} // namespace

class tst_AppleCalendarService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Connect may ask; everything else only checks, and never prompts.
    void access_data()
    {
        QTest::addColumn<Status>("status");
        QTest::addColumn<bool>("storeMissing");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<std::optional<Kind>>("authorizeError");
        QTest::addColumn<std::optional<Kind>>("otherError"); // of listing and exporting before Connect

        const std::optional<Kind> none, denied = Kind::accessDenied, writeOnly = Kind::fullAccessRequired;
        QTest::newRow("full access") << Status::fullAccess << false << false << none << none;
        QTest::newRow("not asked yet, granted") << Status::notDetermined << false << true << none << denied;
        QTest::newRow("not asked yet, refused") << Status::notDetermined << false << false << denied << denied;
        QTest::newRow("write-only") << Status::writeOnly << false << false << writeOnly << writeOnly;
        QTest::newRow("denied") << Status::denied << false << false << denied << denied;
        QTest::newRow("restricted") << Status::restricted << false << false << denied << denied;
        const std::optional<Kind> missing = Kind::storeUnavailable;
        QTest::newRow("store not installed") << Status::notDetermined << true << false << missing << missing;
    }
    void access()
    {
        QFETCH(Status, status);
        QFETCH(bool, storeMissing);
        QFETCH(bool, granted);
        QFETCH(std::optional<Kind>, authorizeError);
        QFETCH(std::optional<Kind>, otherError);
        const CalendarStoreError missing { CalendarStoreError::Kind::unavailable, u"Install the store."_s };

        Harness h;
        h.store->status = status;
        h.store->requestAnswer = granted;
        if (storeMissing)
            h.store->statusError = missing;
        const TimeEntry nothing = testEntry(QUuid::createUuid(), 0, 5400);

        QCOMPARE(resultOf(h.service.hasFullAccess()).value(), status == Status::fullAccess && !storeMissing);
        const auto listed = resultOf(h.service.fetchCalendars()).value();
        QCOMPARE(listed ? std::nullopt : std::optional(listed.error().kind), otherError);
        const auto exported = h.exportEntries({ nothing }, {}, {}, {});
        QCOMPARE(errorKind(exported.error), otherError);
        QVERIFY(exported.links.isEmpty());
        QCOMPARE(h.store->requests, 0);

        const auto authorized = resultOf(h.service.authorize()).value();
        QCOMPARE(authorized ? std::nullopt : std::optional(authorized.error().kind), authorizeError);
        QCOMPARE(h.store->requests, status == Status::notDetermined && !storeMissing ? 1 : 0);
        if (storeMissing)
            QCOMPARE(authorized.error().description(), missing.message);
        if (!authorizeError) {
            QVERIFY(resultOf(h.service.fetchCalendars()).value().hasValue());
        }
    }

    void calendarsAreNamedWithTheirAccountAndSorted()
    {
        Harness h;
        h.store->calendars = { { u"w1"_s, u"Work"_s, u"Home"_s },
            { u"b"_s, u"beta"_s, {} },
            { u"w2"_s, u"Work"_s, u"Work"_s },
            { u"p1"_s, u"personal"_s, {} },
            { u"a"_s, u"Alpha"_s, u"Local"_s },
            { u"p2"_s, u"Personal"_s, {} },
            { u"w3"_s, u"work"_s, u"Work"_s }, // differs from its source in case only
            { u"c"_s, u"Caf\u00e9"_s, u"Cafe\u0301"_s } }; // the same name, composed differently
        const auto listed = resultOf(h.service.fetchCalendars()).value();
        QVERIFY(listed);
        QStringList order;
        for (const AppleCalendarListItem& item : *listed)
            order << item.id + u'=' + item.displayName();
        // Case does not count, and equal names keep the store's order.
        QCOMPARE(order,
            QStringList({ u"a=Alpha (Local)"_s,
                u"b=beta"_s,
                u"c=Caf\u00e9"_s,
                u"p1=personal"_s,
                u"p2=Personal"_s,
                u"w2=Work"_s,
                u"w1=Work (Home)"_s,
                u"w3=work (Work)"_s }));
    }

    void exportWritesEventsAndUpdatesThemLater()
    {
        Harness h;
        const Project acme = testProject(u"Acme"_s), unassigned = testProject(u"Internal"_s);
        const QUuid deletedProject = QUuid::createUuid();
        const TimeEntry first = testEntry(acme.id, 1772355600, 5400, u"  Design review \n"_s);
        const TimeEntry skipped = testEntry(unassigned.id, 1772362800, 5400);
        const TimeEntry orphan = testEntry(deletedProject, 1772370000, 5400);
        const QHash<QUuid, QString> assignments { { acme.id, u"home"_s }, { deletedProject, u"work"_s } };
        // What the store holds for a link: its calendar, title, notes and times.
        const auto stored = [&h](const AppleCalendarEventLink& link) {
            const CalendarStoreEvent e = h.store->events.value(link.eventID);
            return std::tuple(e.calendarID, e.title, e.notes, e.start, e.end);
        };

        const auto exported = h.exportEntries({ first, skipped, orphan }, { acme, unassigned }, assignments, {});
        QVERIFY(!exported.error);
        QCOMPARE(exported.links.size(), 2);
        QCOMPARE(std::tuple(exported.links[0].entryID, exported.links[1].entryID), std::tuple(first.id, orphan.id));
        QCOMPARE(exported.links[0].lastSyncedAt, h.clock.time);
        QCOMPARE(stored(exported.links[0]),
            std::tuple(
                u"home"_s, u"Acme"_s, CalendarExportSupport::eventNotes(first, acme), first.startDate, first.endDate));
        QCOMPARE(std::get<0>(stored(exported.links[1])), u"work"_s);
        QCOMPARE(std::get<1>(stored(exported.links[1])), u"Tivren Entry"_s);

        // Edited since: the same events are updated, with the same links.
        TimeEntry edited = first;
        edited.startDate += 600;
        edited.endDate += 1200;
        edited.notes = u"Design review, part two"_s;
        Project renamed = acme;
        renamed.name = u"Acme Corp"_s;
        h.clock.time += 86400;
        const auto again = h.exportEntries({ edited, orphan }, { renamed }, assignments, exported.links);
        QVERIFY(!again.error);
        QCOMPARE(again.links.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(std::tuple(again.links[i].id, again.links[i].eventID, again.links[i].lastSyncedAt),
                std::tuple(exported.links[i].id, exported.links[i].eventID, h.clock.time));
        }
        QCOMPARE(h.store->events.size(), 2);
        QCOMPARE(stored(again.links[0]),
            std::tuple(u"home"_s,
                u"Acme Corp"_s,
                CalendarExportSupport::eventNotes(edited, renamed),
                edited.startDate,
                edited.endDate));
    }

    // What the user did to an exported event in their calendar, and what the next export makes of it.
    void reexportAfterChangesOutsideTivren_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("event deleted: created anew") << u"delete"_s;
        QTest::newRow("event moved: moved back") << u"move"_s;
        QTest::newRow("other calendar chosen: a second event") << u"reassign"_s;
    }
    void reexportAfterChangesOutsideTivren()
    {
        QFETCH(QString, change);
        Harness h;
        const Project acme = testProject(u"Acme"_s);
        const TimeEntry one = testEntry(acme.id, 1772355600, 5400);
        const auto first = h.exportEntries({ one }, { acme }, { { acme.id, u"home"_s } }, {});
        QCOMPARE(first.links.size(), 1);
        const QString eventID = first.links[0].eventID;
        QString target = u"home"_s;
        if (change == u"delete"_s)
            h.store->events.remove(eventID);
        else if (change == u"move"_s)
            h.store->events[eventID].calendarID = u"work"_s;
        else
            target = u"work"_s;

        h.store->calls.clear();
        const auto again = h.exportEntries({ one }, { acme }, { { acme.id, target } }, first.links);
        QVERIFY(!again.error);
        QCOMPARE(again.links.size(), 1);
        const AppleCalendarEventLink link = again.links[0];
        QCOMPARE(link.calendarID, target);
        if (change == u"reassign"_s) {
            // A link belongs to one calendar: the event in the old one stays as it is.
            QVERIFY(link.id != first.links[0].id);
            QVERIFY(link.eventID != eventID);
            QCOMPARE(h.store->events.value(eventID).calendarID, u"home"_s);
            QVERIFY(!h.store->calls.join(u'\n').contains(u"event "_s));
        } else {
            QCOMPARE(link.id, first.links[0].id);
            QCOMPARE(link.eventID == eventID, change == u"move"_s);
            QVERIFY(h.store->calls.contains(u"event %1 in home"_s.arg(eventID)));
        }
        QCOMPARE(h.store->events.value(link.eventID).calendarID, target);
        QCOMPARE(h.store->events.size(), change == u"reassign"_s ? 2 : 1);
    }

    void nothingToExportStillChecksAccess()
    {
        Harness h;
        const Project acme = testProject(u"Acme"_s);
        const auto exported = h.exportEntries({ testEntry(acme.id, 1772355600, 5400) }, { acme }, {}, {});
        QVERIFY(!exported.error);
        QVERIFY(exported.links.isEmpty());
        QCOMPARE(h.store->saves(), 0);
        QCOMPARE(h.store->calls.first(), u"status"_s);
    }

    // The export stops at the first failure; what was saved before it keeps its links.
    void failureKeepsLinksOfSavedEvents_data()
    {
        QTest::addColumn<QString>("secondCalendar");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<AppleCalendarServiceError>("error");
        QTest::newRow("calendar deleted since the draft")
            << u"gone"_s << false << AppleCalendarServiceError { Kind::missingCalendar, u"gone"_s };
        QTest::newRow("store refuses to save")
            << u"work"_s << true << AppleCalendarServiceError { Kind::eventSaveFailed, {} };
    }
    void failureKeepsLinksOfSavedEvents()
    {
        QFETCH(QString, secondCalendar);
        QFETCH(bool, refuse);
        QFETCH(AppleCalendarServiceError, error);
        Harness h;
        if (refuse)
            h.store->refusingCalendars.insert(secondCalendar);
        const Project a = testProject(u"A"_s);
        const Project b = testProject(u"B"_s);
        const TimeEntry first = testEntry(a.id, 1772355600, 5400);
        const TimeEntry second = testEntry(b.id, 1772362800, 5400);
        const TimeEntry third = testEntry(a.id, 1772370000, 5400);
        const auto exported =
            h.exportEntries({ first, second, third }, { a, b }, { { a.id, u"home"_s }, { b.id, secondCalendar } }, {});
        QCOMPARE(exported.error, error);
        QCOMPARE(exported.links.size(), 1);
        QCOMPARE(exported.links[0].entryID, first.id);
        QCOMPARE(h.store->events.size(), 1);
    }

    // One operation at a time: a listing asked for during an export waits for the export to end.
    void operationsRunOneAtATime()
    {
        Harness h;
        h.store->slow = true;
        const Project acme = testProject(u"Acme"_s);
        auto exporting =
            h.service.exportEntries({ testEntry(acme.id, 1772355600, 5400), testEntry(acme.id, 1772362800, 5400) },
                { acme },
                { { acme.id, u"home"_s } },
                {});
        const auto listed = resultOf(h.service.fetchCalendars()).value();
        QVERIFY(listed);
        QCOMPARE(resultOf(std::move(exporting)).value().links.size(), 2);
        QCOMPARE(h.store->calls,
            QStringList({ u"status"_s, u"calendars"_s, u"save"_s, u"save"_s, u"status"_s, u"calendars"_s }));
    }
};

QTEST_GUILESS_MAIN(tst_AppleCalendarService)
#include "tst_AppleCalendarService.moc"
