// SPDX-License-Identifier: GPL-3.0-or-later
// The real Evolution Data Server, activated on the test's private bus (scripts/isolated-run --eds).
#include "app/calendar/AppleCalendarService.h"
#include "app/calendar/CalendarExportSupport.h"
#include "platform/calendar/EdsCalendarStore.h"
#include "platform/calendar/SerialWorker.h"
#include "support/Fakes.h"
#include "support/ModelHarness.h"
#include "support/TaskResult.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QStringList>
#include <QTest>

#include <atomic>
#include <chrono>
#include <libecal/libecal.h>
#include <libedataserver/libedataserver.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// The user's side of Evolution Data Server for tests on a private bus (scripts/isolated-run --eds):
// what a calendar app would do to the calendars, through the store's own client library. Needs
// libecal and QT_NO_KEYWORDS (or EDS's `signals` member clashes with Qt's).
class EdsTestCalendars
{
public:
    using Events = QMap<QString, QStringList>; // by UID: summary, description, start, end, location

    EdsTestCalendars() = default;
    EdsTestCalendars(const EdsTestCalendars&) = delete;
    EdsTestCalendars& operator=(const EdsTestCalendars&) = delete;
    ~EdsTestCalendars()
    {
        for (ECalClient* calendar : std::as_const(m_clients))
            g_object_unref(calendar);
        g_clear_object(&m_registry);
    }

    // A second local calendar, as the user would add one; its identifier, or empty.
    QString addLocalCalendar(const char* name)
    {
        ESource* source = e_source_new(nullptr, nullptr, nullptr);
        e_source_set_parent(source, "local-stub");
        e_source_set_display_name(source, name);
        auto* backend = static_cast<ESourceBackend*>(e_source_get_extension(source, E_SOURCE_EXTENSION_CALENDAR));
        e_source_backend_set_backend_name(backend, "local");
        const bool added = e_source_registry_commit_source_sync(registry(), source, nullptr, nullptr);
        const QString id = added ? QString::fromUtf8(e_source_get_uid(source)) : QString();
        g_object_unref(source);
        return id;
    }

    ECalClient* client(const QString& calendarID)
    {
        if (!m_clients.contains(calendarID)) {
            ESource* source = e_source_registry_ref_source(registry(), calendarID.toUtf8().constData());
            EClient* opened = e_cal_client_connect_sync(source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS, guint32(-1), {}, {});
            g_object_unref(source);
            m_clients.insert(calendarID, E_CAL_CLIENT(opened));
        }
        return m_clients.value(calendarID);
    }

    Events eventsIn(const QString& calendarID)
    {
        Events events;
        GSList* components = nullptr;
        e_cal_client_get_object_list_sync(client(calendarID), "#t", &components, {}, {});
        for (GSList* item = components; item; item = item->next) {
            auto* c = static_cast<ICalComponent*>(item->data);
            QStringList& event = events[QString::fromUtf8(i_cal_component_get_uid(c))];
            event << QString::fromUtf8(i_cal_component_get_summary(c))
                  << QString::fromUtf8(i_cal_component_get_description(c));
            event << text(i_cal_component_get_dtstart(c)) << text(i_cal_component_get_dtend(c))
                  << QString::fromUtf8(i_cal_component_get_location(c));
        }
        g_slist_free_full(components, g_object_unref);
        return events;
    }

    // The stored event, to change or copy; the caller unrefs it.
    ICalComponent* component(const QString& calendarID, const QString& uid)
    {
        ICalComponent* component = nullptr;
        e_cal_client_get_object_sync(client(calendarID), uid.toUtf8().constData(), {}, &component, {}, {});
        return component;
    }

    bool remove(const QString& calendarID, const QString& uid)
    {
        return e_cal_client_remove_object_sync(
            client(calendarID), uid.toUtf8().constData(), {}, E_CAL_OBJ_MOD_ALL, {}, {}, {});
    }

private:
    ESourceRegistry* registry()
    {
        if (!m_registry)
            m_registry = e_source_registry_new_sync(nullptr, nullptr);
        return m_registry;
    }

    // iCalendar form; UTC times end in Z.
    static QString text(ICalTime* time)
    {
        g_autofree gchar* text = i_cal_time_as_ical_string(time);
        g_object_unref(time);
        return QString::fromUtf8(text);
    }

    ESourceRegistry* m_registry = nullptr;
    QHash<QString, ECalClient*> m_clients;
};

using Kind = AppleCalendarServiceError::Kind;
using Events = EdsTestCalendars::Events;

template <typename T> T finish(QCoro::Task<T>&& task)
{
    return std::move(resultOf(std::move(task)).value());
}

bool anyRegistry(const QStringList& names)
{
    return !names.filter(QLatin1String(EdsCalendarStore::defaultRegistryService)).isEmpty();
}

bool registryRunning()
{
    return anyRegistry(QDBusConnection::sessionBus().interface()->registeredServiceNames());
}

// An event as the entry should have made it (UTC times end in Z), and the place the user gave it.
QStringList eventOf(const TimeEntry& entry, const Project& project, const QString& location = {})
{
    QStringList event { CalendarExportSupport::eventTitle(project), CalendarExportSupport::eventNotes(entry, project) };
    for (const Instant instant : { entry.startDate, entry.endDate })
        event << QDateTime::fromSecsSinceEpoch(qint64(instant), Qt::UTC).toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
    return event << location;
}

} // namespace

class tst_EdsCalendarStore : public QObject
{
    Q_OBJECT

    FakeClock m_clock;
    std::unique_ptr<AppleCalendarService> m_service;
    std::unique_ptr<EdsTestCalendars> m_user; // the user's calendar app
    QString m_workID;

private Q_SLOTS:
    void initTestCase()
    {
        if (!anyRegistry(QDBusConnection::sessionBus().interface()->activatableServiceNames().value()))
            QSKIP("Evolution Data Server is not installed (or not run through scripts/isolated-run --eds)");
        m_service = std::make_unique<AppleCalendarService>(std::make_unique<EdsCalendarStore>(), m_clock);
    }

    void missingStoreSaysWhatToInstall()
    {
        AppleCalendarService service(
            std::make_unique<EdsCalendarStore>(u"org.tivren.NoSuchRegistry"_s, EdsCalendarStore::Limits {}), m_clock);
        QVERIFY(!finish(service.hasFullAccess()));
        const auto connected = finish(service.authorize());
        QCOMPARE(connected ? std::nullopt : std::optional(connected.error().kind), Kind::storeUnavailable);
        QVERIFY2(connected.error().description().contains(u"evolution-data-server"_s),
            qPrintable(connected.error().description()));
        const auto exported = finish(service.exportEntries({}, {}, {}, {}));
        QCOMPARE(exported.error ? std::optional(exported.error->kind) : std::nullopt, Kind::storeUnavailable);
    }

    // Asking whether access is there never starts the store; Connect does.
    void connectStartsTheStore()
    {
        QVERIFY(!finish(m_service->hasFullAccess()));
        const auto listed = finish(m_service->fetchCalendars());
        QCOMPARE(listed ? std::nullopt : std::optional(listed.error().kind), Kind::accessDenied);
        QVERIFY(!registryRunning());
        const auto connected = finish(m_service->authorize());
        QVERIFY2(connected, connected ? "" : qPrintable(connected.error().description()));
        QVERIFY(registryRunning() && finish(m_service->hasFullAccess()));
        // Lists once now, so that the calendar added next reaches a store that is already open.
        QVERIFY(finish(m_service->fetchCalendars()));
    }

    void listsTheCalendarsOfTheStore()
    {
        m_user = std::make_unique<EdsTestCalendars>();
        m_workID = m_user->addLocalCalendar("Work");
        QVERIFY(!m_workID.isEmpty());

        // The open store hears of the new calendar through the bus, a moment later. Sorted by name,
        // none made from the address book (it can hold no exported event).
        const QStringList expected { u"system-calendar=Personal (On This Computer)"_s,
            m_workID + u"=Work (On This Computer)"_s };
        QTRY_COMPARE_WITH_TIMEOUT(
            [this] {
                QStringList names;
                const auto listed = finish(m_service->fetchCalendars());
                for (const AppleCalendarListItem& calendar : listed.value())
                    names << calendar.id + u'=' + calendar.displayName();
                return names;
            }(),
            expected,
            10000);
    }

    void exportUpdatesAndRepairsEvents()
    {
        const QString personal = u"system-calendar"_s;
        Project acme = testProject(u"Acme"_s);
        Project beta = testProject(u"Beta"_s);
        beta.hourlyRate.reset();
        TimeEntry first = testEntry(acme, 1772442000, 5400, u"Kick-off"_s); // 2 Mar 09:00Z
        const TimeEntry second = testEntry(beta, 1772449200, 4500);
        const QHash<QUuid, QString> assignments { { acme.id, personal }, { beta.id, personal } };
        const auto exportAll = [&](const QList<AppleCalendarEventLink>& links) {
            return finish(m_service->exportEntries({ first, second }, { acme, beta }, assignments, links));
        };
        const auto expected = [&](const QList<AppleCalendarEventLink>& links, const QString& location = {}) {
            return Events { { links[0].eventID, eventOf(first, acme, location) },
                { links[1].eventID, eventOf(second, beta) } };
        };

        const auto exported = exportAll({});
        QVERIFY(!exported.error);
        QCOMPARE(m_user->eventsIn(personal), expected(exported.links));

        // The user adds a place to an event: it stays when Tivren updates the event.
        ICalComponent* component = m_user->component(personal, exported.links[0].eventID);
        QVERIFY(component);
        i_cal_component_set_location(component, "Room 4");
        QVERIFY(e_cal_client_modify_object_sync(m_user->client(personal), component, E_CAL_OBJ_MOD_THIS, {}, {}, {}));
        g_object_unref(component);

        // Edited in Tivren: the same events change, none is added.
        first.startDate += 1800;
        first.endDate += 3600;
        first.notes = u"Kick-off, with the whole team"_s;
        acme.name = u"Acme Corp"_s;
        const auto updated = exportAll(exported.links);
        QVERIFY(!updated.error);
        QCOMPARE(updated.links, exported.links);
        QCOMPARE(m_user->eventsIn(personal), expected(updated.links, u"Room 4"_s));

        // Deleted in the calendar: made again, under the same link.
        QVERIFY(m_user->remove(personal, updated.links[1].eventID));
        const auto recreated = exportAll(updated.links);
        QVERIFY(!recreated.error);
        QCOMPARE(recreated.links[1].id, updated.links[1].id);
        QVERIFY(recreated.links[1].eventID != updated.links[1].eventID);
        QCOMPARE(m_user->eventsIn(personal), expected(recreated.links, u"Room 4"_s));

        // Moved to another calendar: moved back, keeping its identifier.
        component = m_user->component(personal, recreated.links[0].eventID);
        QVERIFY(component);
        QVERIFY(e_cal_client_create_object_sync(m_user->client(m_workID), component, {}, {}, {}, {}));
        g_object_unref(component);
        QVERIFY(m_user->remove(personal, recreated.links[0].eventID));
        const auto movedBack = exportAll(recreated.links);
        QVERIFY(!movedBack.error);
        QCOMPARE(movedBack.links, recreated.links);
        QCOMPARE(m_user->eventsIn(m_workID), Events());
        QCOMPARE(m_user->eventsIn(personal), expected(movedBack.links, u"Room 4"_s));

        // A calendar deleted since the draft was made.
        const auto missing =
            finish(m_service->exportEntries({ first }, { acme }, { { acme.id, u"no-such-calendar"_s } }, {}));
        QCOMPARE(missing.error, AppleCalendarServiceError({ Kind::missingCalendar, u"no-such-calendar"_s }));
    }

    // A stuck job holds up the worker, not its callers; the worker goes on once the job returns.
    void stuckJobTimesOut()
    {
        SerialWorker worker(u"test worker"_s);
        auto release = std::make_shared<std::atomic<bool>>(false),
             queuedRan = std::make_shared<std::atomic<bool>>(false);
        bool cancelled = false;
        QElapsedTimer timer;
        timer.start();
        const auto stuck = worker.run(
            100ms,
            [release] {
                while (!release->load())
                    QThread::msleep(5);
                return true;
            },
            [&cancelled] {
                cancelled = true;
            });
        const auto queued = worker.run(150ms, [queuedRan] {
            return queuedRan->exchange(true);
        });
        QTRY_VERIFY(queued.isFinished() && stuck.isFinished());
        QVERIFY(timer.elapsed() < 1000 && cancelled);
        QCOMPARE(stuck.result(), std::nullopt);
        QCOMPARE(queued.result(), std::nullopt);
        release->store(true);
        const auto later = worker.run(5s, [] {
            return 3;
        });
        QTRY_COMPARE(later.isFinished() ? later.result() : std::nullopt, std::optional(3));
        QVERIFY(!queuedRan->load()); // its caller had given up on it already
    }
};

QTEST_GUILESS_MAIN(tst_EdsCalendarStore)
#include "tst_EdsCalendarStore.moc"
