// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calendar/AppleCalendarService.h"
#include "app/calendar/CalendarExportSupport.h"
#include "app/calendar/CalendarStore.h"
#include "support/Fakes.h"
#include "support/ModelHarness.h"
#include "support/TaskResult.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <qcoro/qcorotask.h>
#include <qcoro/qcorotimer.h>

#include <chrono>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// The calendar store the Apple Calendar service writes to, in memory: events by identifier, each
// in one calendar; it records every call, and may take a few milliseconds for each, as a real one does.
class FakeCalendarStore final : public CalendarStore
{
public:
    CalendarAuthorizationStatus status = CalendarAuthorizationStatus::fullAccess;
    std::optional<CalendarStoreError> statusError;
    bool grants = true;
    QList<CalendarStoreCalendar> calendars { { QStringLiteral("home"), QStringLiteral("Home"), {} },
        { QStringLiteral("work"), QStringLiteral("Work"), {} } };
    QHash<QString, CalendarStoreEvent> events;
    QString refusingCalendar; // saving into it fails
    bool slow = false; // every call takes a few milliseconds, as a real store does
    QStringList calls;
    int requests = 0;

    QCoro::Task<Expected<CalendarAuthorizationStatus, CalendarStoreError>> authorizationStatus() override
    {
        auto pause = enter(QStringLiteral("status"));
        co_await std::move(pause);
        if (statusError)
            co_return Unexpected(*statusError);
        co_return status;
    }

    QCoro::Task<Expected<bool, CalendarStoreError>> requestFullAccess() override
    {
        ++requests;
        if (grants)
            status = CalendarAuthorizationStatus::fullAccess;
        co_return grants;
    }

    QCoro::Task<Expected<QList<CalendarStoreCalendar>, CalendarStoreError>> eventCalendars() override
    {
        auto pause = enter(QStringLiteral("calendars"));
        co_await std::move(pause);
        co_return QList<CalendarStoreCalendar>(calendars); // a copy: QCoro moves from a returned lvalue
    }

    QCoro::Task<Expected<std::optional<CalendarStoreEvent>, CalendarStoreError>> event(
        QString identifier, QString likelyCalendarID) override
    {
        auto pause = enter(QStringLiteral("event %1 in %2").arg(identifier, likelyCalendarID));
        co_await std::move(pause);
        if (!events.contains(identifier))
            co_return std::optional<CalendarStoreEvent>();
        CalendarStoreEvent found = events.value(identifier);
        found.storedCalendarID = found.calendarID;
        co_return std::optional<CalendarStoreEvent>(found);
    }
    QCoro::Task<Expected<QString, CalendarStoreError>> save(CalendarStoreEvent event) override
    {
        auto pause = enter(QStringLiteral("save"));
        co_await std::move(pause);
        if (event.calendarID == refusingCalendar)
            co_return Unexpected(CalendarStoreError { CalendarStoreError::Kind::failed, QStringLiteral("read-only") });
        if (event.identifier.isEmpty())
            event.identifier = QStringLiteral("event-%1").arg(++m_created);
        event.storedCalendarID = event.calendarID;
        events.insert(event.identifier, event);
        co_return event.identifier;
    }

private:
    QCoro::Task<> enter(const QString& call)
    {
        calls.append(call);
        if (slow)
            co_await QCoro::sleepFor(std::chrono::milliseconds(5));
    }

    int m_created = 0;
};

using Kind = AppleCalendarServiceError::Kind;
using Status = CalendarAuthorizationStatus;
using Links = QList<AppleCalendarEventLink>;

struct Harness
{
    FakeClock clock;
    FakeCalendarStore* store = new FakeCalendarStore;
    AppleCalendarService service { std::unique_ptr<CalendarStore>(store), clock };
    Project acme = testProject(u"Acme"_s);

    AppleCalendarExportResult exportEntries(const QList<TimeEntry>& entries,
        const QHash<QUuid, QString>& assignments,
        const Links& links = {},
        const QList<Project>& projects = {})
    {
        return resultOf(
            service.exportEntries(entries, projects.isEmpty() ? QList { acme } : projects, assignments, links))
            .value();
    }
    // What the store holds for a link.
    [[nodiscard]] auto stored(const AppleCalendarEventLink& link) const
    {
        const CalendarStoreEvent e = store->events.value(link.eventID);
        return std::tuple(e.calendarID, e.title, e.notes, e.start, e.end);
    }
};

template <typename T> std::optional<Kind> errorKind(const T& result)
{
    return result ? std::nullopt : std::optional(result.error().kind);
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
        const std::optional<Kind> missing = Kind::storeUnavailable;
        QTest::newRow("full access") << Status::fullAccess << false << false << none << none;
        QTest::newRow("not asked yet, granted") << Status::notDetermined << false << true << none << denied;
        QTest::newRow("not asked yet, refused") << Status::notDetermined << false << false << denied << denied;
        QTest::newRow("write-only") << Status::writeOnly << false << false << writeOnly << writeOnly;
        QTest::newRow("denied") << Status::denied << false << false << denied << denied;
        QTest::newRow("restricted") << Status::restricted << false << false << denied << denied;
        QTest::newRow("store not installed") << Status::notDetermined << true << false << missing << missing;
    }

    void access()
    {
        QFETCH(Status, status);
        QFETCH(bool, storeMissing);
        QFETCH(bool, granted);
        QFETCH(std::optional<Kind>, authorizeError);
        QFETCH(std::optional<Kind>, otherError);
        Harness h;
        h.store->status = status;
        h.store->grants = granted;
        if (storeMissing)
            h.store->statusError = CalendarStoreError { CalendarStoreError::Kind::unavailable, u"Install it."_s };

        QCOMPARE(resultOf(h.service.hasFullAccess()).value(), status == Status::fullAccess && !storeMissing);
        QCOMPARE(errorKind(resultOf(h.service.fetchCalendars()).value()), otherError);
        // Even with nothing to write, an export checks access first.
        const auto exported = h.exportEntries({ testEntry(h.acme, 0, 5400) }, {});
        QCOMPARE(exported.error ? std::optional(exported.error->kind) : std::nullopt, otherError);
        QCOMPARE(h.store->requests, 0);

        const auto authorized = resultOf(h.service.authorize()).value();
        QCOMPARE(errorKind(authorized), authorizeError);
        QCOMPARE(h.store->requests, status == Status::notDetermined && !storeMissing ? 1 : 0);
        if (storeMissing)
            QCOMPARE(authorized.error().description(), u"Install it."_s);
        if (!authorizeError)
            QVERIFY(resultOf(h.service.fetchCalendars()).value().hasValue());
    }

    // Case does not count, and equal names keep the store's order.
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
        const auto listed = resultOf(h.service.fetchCalendars());
        QStringList order;
        for (const AppleCalendarListItem& item : listed.value().value())
            order << item.id + u'=' + item.displayName();
        QCOMPARE(order.join(u", "_s),
            u"a=Alpha (Local), b=beta, c=Caf\u00e9, p1=personal, p2=Personal, w2=Work, w1=Work (Home), w3=work (Work)"_s);
    }

    // What changed since an export, in Tivren or in the user's calendar, and what the next export makes of it.
    void reexport_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("entry and project edited: the event updated") << u"edit"_s;
        QTest::newRow("event deleted: created anew") << u"delete"_s;
        QTest::newRow("event moved: moved back") << u"move"_s;
        QTest::newRow("other calendar chosen: a second event") << u"reassign"_s;
    }

    void reexport()
    {
        QFETCH(QString, change);
        Harness h;
        TimeEntry one = testEntry(h.acme, 1772355600, 5400, u"  Design review \n"_s);
        const Links first = h.exportEntries({ one }, { { h.acme.id, u"home"_s } }).links;
        QCOMPARE(first.size(), 1);
        const QString eventID = first[0].eventID;
        const QString target = change == u"reassign"_s ? u"work"_s : u"home"_s;
        if (change == u"edit"_s) {
            one.startDate += 600;
            one.endDate += 1200;
            one.notes = u"Design review, part two"_s;
            h.acme.name = u"Acme Corp"_s;
        }
        if (change == u"delete"_s)
            h.store->events.remove(eventID);
        if (change == u"move"_s)
            h.store->events[eventID].calendarID = u"work"_s;

        h.store->calls.clear();
        h.clock.time += 86400;
        const auto again = h.exportEntries({ one }, { { h.acme.id, target } }, first);
        QVERIFY(!again.error);
        QCOMPARE(again.links.size(), 1);
        const AppleCalendarEventLink link = again.links[0];
        QCOMPARE(std::tuple(link.calendarID, link.lastSyncedAt), std::tuple(target, h.clock.time));
        QCOMPARE(h.stored(link),
            std::tuple(
                target, h.acme.name, CalendarExportSupport::eventNotes(one, h.acme), one.startDate, one.endDate));
        if (change == u"reassign"_s) {
            // A link belongs to one calendar: the event in the old one stays as it is.
            QVERIFY(link.id != first[0].id && link.eventID != eventID);
            QCOMPARE(h.store->events.value(eventID).calendarID, u"home"_s);
            QVERIFY(!h.store->calls.join(u'\n').contains(u"event "_s));
            QCOMPARE(h.store->events.size(), 2);
        } else {
            QCOMPARE(link.id, first[0].id);
            QCOMPARE(link.eventID == eventID, change != u"delete"_s);
            QVERIFY(h.store->calls.contains(u"event %1 in home"_s.arg(eventID)));
            QCOMPARE(h.store->events.size(), 1);
        }
    }

    void failureKeepsLinksOfSavedEvents_data()
    {
        QTest::addColumn<QString>("secondCalendar");
        QTest::addColumn<AppleCalendarServiceError>("error");
        QTest::newRow("calendar deleted since the draft")
            << u"gone"_s << AppleCalendarServiceError { Kind::missingCalendar, u"gone"_s };
        QTest::newRow("store refuses to save") << u"work"_s << AppleCalendarServiceError { Kind::eventSaveFailed, {} };
    }

    void failureKeepsLinksOfSavedEvents()
    {
        QFETCH(QString, secondCalendar);
        QFETCH(AppleCalendarServiceError, error);
        Harness h;
        h.store->refusingCalendar = u"work"_s;
        const Project b = testProject(u"B"_s);
        const TimeEntry first = testEntry(h.acme, 1772355600, 5400);
        const auto exported =
            h.exportEntries({ first, testEntry(b, 1772362800, 5400), testEntry(h.acme, 1772370000, 5400) },
                { { h.acme.id, u"home"_s }, { b.id, secondCalendar } },
                {},
                { h.acme, b });
        QCOMPARE(exported.error, error);
        QCOMPARE(exported.links.size(), 1);
        QCOMPARE(exported.links[0].entryID, first.id);
        QCOMPARE(h.store->events.size(), 1);
    }

    // One operation at a time: a listing asked for during an export waits for the export to end. Entries
    // of projects without a calendar are left out; one whose project is gone still goes.
    void operationsRunOneAtATime()
    {
        Harness h;
        h.store->slow = true;
        const QUuid deletedProject = QUuid::createUuid();
        auto exporting = h.service.exportEntries({ testEntry(h.acme, 1772355600, 5400),
                                                     testEntry(QUuid::createUuid(), 1772362800, 5400),
                                                     testEntry(deletedProject, 1772370000, 5400) },
            { h.acme },
            { { h.acme.id, u"home"_s }, { deletedProject, u"work"_s } },
            {});
        QVERIFY(resultOf(h.service.fetchCalendars()).value());
        const Links links = resultOf(std::move(exporting)).value().links;
        QCOMPARE(links.size(), 2);
        QCOMPARE(h.store->calls,
            QStringList({ u"status"_s, u"calendars"_s, u"save"_s, u"save"_s, u"status"_s, u"calendars"_s }));
        QCOMPARE(std::get<0>(h.stored(links[1])), u"work"_s);
        QCOMPARE(std::get<1>(h.stored(links[1])), u"Tivren Entry"_s);
    }
};

QTEST_GUILESS_MAIN(tst_AppleCalendarService)
#include "tst_AppleCalendarService.moc"
