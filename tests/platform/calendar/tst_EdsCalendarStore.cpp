// Against the real Evolution Data Server, started by D-Bus activation on the test's private bus
// (scripts/isolated-run --eds), in private HOME and XDG folders.
#include "app/calendar/AppleCalendarService.h"
#include "app/calendar/CalendarExportSupport.h"
#include "platform/calendar/EdsCalendarStore.h"
#include "platform/calendar/SerialWorker.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QTest>
#include <qcoro/qcorotask.h>

#include <atomic>
#include <chrono>
#include <libecal/libecal.h>
#include <libedataserver/libedataserver.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace tivren;

namespace {

using Kind = AppleCalendarServiceError::Kind;

template <typename T> QCoro::Task<> keepResult(QCoro::Task<T>& task, std::optional<T>& result)
{
    result.emplace(co_await std::move(task));
}

// QCoro::waitFor for results that have no default value.
template <typename T> T finish(QCoro::Task<T>&& task)
{
    std::optional<T> result;
    QCoro::waitFor(keepResult(task, result));
    return std::move(*result);
}

class FixedClock final : public Clock
{
public:
    Instant now() const override { return 1772460000; }
    Seconds monotonicNow() const override { return 0; }
};

bool registryRunning()
{
    const QStringList names = QDBusConnection::sessionBus().interface()->registeredServiceNames();
    return std::any_of(names.cbegin(), names.cend(), [](const QString& name) {
        return name.startsWith(QLatin1String(EdsCalendarStore::defaultRegistryService));
    });
}

// An event as the store keeps it, read with the store's own client library.
struct StoredEvent
{
    QString uid;
    QString summary;
    QString description;
    QString start; // iCalendar form; UTC ones end in Z
    QString end;
    QString location;
};

QString icalText(ICalTime* time)
{
    gchar* text = i_cal_time_as_ical_string(time);
    const QString result = QString::fromUtf8(text);
    g_free(text);
    g_object_unref(time);
    return result;
}

QString icalText(Instant instant)
{
    return QDateTime::fromSecsSinceEpoch(qint64(instant), Qt::UTC).toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
}

} // namespace

class tst_EdsCalendarStore : public QObject
{
    Q_OBJECT

    FixedClock m_clock;
    std::unique_ptr<AppleCalendarService> m_service;
    ESourceRegistry* m_registry = nullptr; // the test's own view of the store
    QHash<QString, ECalClient*> m_clients;
    QString m_workID;

    ECalClient* client(const QString& calendarID)
    {
        if (ECalClient* known = m_clients.value(calendarID))
            return known;
        ESource* source = e_source_registry_ref_source(m_registry, calendarID.toUtf8().constData());
        if (!source)
            return nullptr;
        GError* error = nullptr;
        EClient* opened =
            e_cal_client_connect_sync(source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS, guint32(-1), nullptr, &error);
        g_object_unref(source);
        if (!opened) {
            qWarning("open %s: %s", qPrintable(calendarID), error->message);
            g_error_free(error);
            return nullptr;
        }
        m_clients.insert(calendarID, E_CAL_CLIENT(opened));
        return E_CAL_CLIENT(opened);
    }

    QList<StoredEvent> eventsIn(const QString& calendarID)
    {
        QList<StoredEvent> events;
        GSList* components = nullptr;
        GError* error = nullptr;
        if (!e_cal_client_get_object_list_sync(client(calendarID), "#t", &components, nullptr, &error)) {
            qWarning("list %s: %s", qPrintable(calendarID), error->message);
            g_error_free(error);
            return events;
        }
        for (GSList* item = components; item; item = item->next) {
            auto* component = static_cast<ICalComponent*>(item->data);
            events.append({ QString::fromUtf8(i_cal_component_get_uid(component)),
                QString::fromUtf8(i_cal_component_get_summary(component)),
                QString::fromUtf8(i_cal_component_get_description(component)),
                icalText(i_cal_component_get_dtstart(component)),
                icalText(i_cal_component_get_dtend(component)),
                QString::fromUtf8(i_cal_component_get_location(component)) });
        }
        g_slist_free_full(components, g_object_unref);
        std::sort(events.begin(), events.end(), [](const StoredEvent& a, const StoredEvent& b) {
            return a.uid < b.uid;
        });
        return events;
    }

    std::optional<StoredEvent> storedEvent(const QString& calendarID, const QString& uid)
    {
        for (const StoredEvent& event : eventsIn(calendarID)) {
            if (event.uid == uid)
                return event;
        }
        return std::nullopt;
    }

    // What the user could do in their calendar app: move an event to another calendar.
    void moveBehindTivrensBack(const QString& uid, const QString& from, const QString& to)
    {
        ICalComponent* component = nullptr;
        GError* error = nullptr;
        QVERIFY(
            e_cal_client_get_object_sync(client(from), uid.toUtf8().constData(), nullptr, &component, nullptr, &error));
        QVERIFY(e_cal_client_create_object_sync(
            client(to), component, E_CAL_OPERATION_FLAG_NONE, nullptr, nullptr, &error));
        g_object_unref(component);
        QVERIFY(e_cal_client_remove_object_sync(client(from),
            uid.toUtf8().constData(),
            nullptr,
            E_CAL_OBJ_MOD_ALL,
            E_CAL_OPERATION_FLAG_NONE,
            nullptr,
            &error));
    }

    // How the stored event differs from what the entry should have made of it; empty when it does not.
    QString differences(const QString& calendarID,
        const AppleCalendarEventLink& link,
        const TimeEntry& entry,
        const std::optional<Project>& project)
    {
        const std::optional<StoredEvent> stored = storedEvent(calendarID, link.eventID);
        if (!stored)
            return u"no event "_s + link.eventID + u" in "_s + calendarID;
        QStringList found;
        const auto check = [&found](const char* field, const QString& actual, const QString& expected) {
            if (actual != expected)
                found << u"%1: %2, expected %3"_s.arg(QLatin1String(field), actual, expected);
        };
        check("summary", stored->summary, CalendarExportSupport::eventTitle(project));
        check("description", stored->description, CalendarExportSupport::eventNotes(entry, project));
        check("start", stored->start, icalText(entry.startDate));
        check("end", stored->end, icalText(entry.endDate));
        return found.join(u"; "_s);
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QStringList activatable = QDBusConnection::sessionBus().interface()->activatableServiceNames().value();
        const bool installed = std::any_of(activatable.cbegin(), activatable.cend(), [](const QString& name) {
            return name.startsWith(QLatin1String(EdsCalendarStore::defaultRegistryService));
        });
        if (!installed)
            QSKIP("Evolution Data Server is not installed (or not run through scripts/isolated-run --eds)");
        m_service = std::make_unique<AppleCalendarService>(std::make_unique<EdsCalendarStore>(), m_clock);
    }

    void cleanupTestCase()
    {
        for (ECalClient* calendar : std::as_const(m_clients))
            g_object_unref(calendar);
        g_clear_object(&m_registry);
        m_service.reset();
    }

    void missingStoreSaysWhatToInstall()
    {
        AppleCalendarService service(
            std::make_unique<EdsCalendarStore>(u"org.tivren.NoSuchRegistry"_s, EdsCalendarStore::Limits {}), m_clock);
        QVERIFY(!finish(service.hasFullAccess()));
        const auto connected = finish(service.authorize());
        QVERIFY(!connected);
        QCOMPARE(connected.error().kind, Kind::storeUnavailable);
        QVERIFY2(connected.error().description().contains(u"evolution-data-server"_s),
            qPrintable(connected.error().description()));
        const auto exported = finish(service.exportEntries({}, {}, {}, {}));
        QCOMPARE(exported.error ? std::optional(exported.error->kind) : std::nullopt, Kind::storeUnavailable);
    }

    // Asking whether access is there never starts the store; Connect does.
    void connectStartsTheStore()
    {
        QVERIFY(!registryRunning());
        QVERIFY(!finish(m_service->hasFullAccess()));
        const auto listed = finish(m_service->fetchCalendars());
        QCOMPARE(listed ? std::nullopt : std::optional(listed.error().kind), Kind::accessDenied);
        QVERIFY(!registryRunning());

        QElapsedTimer started;
        started.start();
        const auto connected = finish(m_service->authorize());
        QVERIFY2(connected, connected ? "" : qPrintable(connected.error().description()));
        qInfo("store started in %lld ms", started.elapsed());
        QVERIFY(registryRunning());
        QVERIFY(finish(m_service->hasFullAccess()));
        // Lists once now, so that the calendar added next reaches a store that is already open.
        QVERIFY(finish(m_service->fetchCalendars()));
    }

    void listsTheCalendarsOfTheStore()
    {
        GError* error = nullptr;
        m_registry = e_source_registry_new_sync(nullptr, &error);
        QVERIFY(m_registry);
        ESource* work = e_source_new(nullptr, nullptr, &error);
        e_source_set_parent(work, "local-stub");
        e_source_set_display_name(work, "Work");
        e_source_backend_set_backend_name(
            static_cast<ESourceBackend*>(e_source_get_extension(work, E_SOURCE_EXTENSION_CALENDAR)), "local");
        QVERIFY(e_source_registry_commit_source_sync(m_registry, work, nullptr, &error));
        m_workID = QString::fromUtf8(e_source_get_uid(work));
        g_object_unref(work);

        // The open store hears of the new calendar through the bus, a moment later.
        QList<AppleCalendarListItem> calendars;
        QElapsedTimer waited;
        waited.start();
        do {
            const auto listed = finish(m_service->fetchCalendars());
            QVERIFY(listed);
            calendars = *listed;
            if (std::any_of(calendars.cbegin(), calendars.cend(), [this](const auto& c) {
                    return c.id == m_workID;
                }))
                break;
            QTest::qWait(50);
        } while (waited.elapsed() < 10000);

        QStringList names;
        for (const AppleCalendarListItem& calendar : calendars) {
            names << calendar.displayName();
            if (calendar.id == u"system-calendar"_s)
                QCOMPARE(calendar.displayName(), u"Personal (On This Computer)"_s);
            if (calendar.id == m_workID)
                QCOMPARE(calendar.displayName(), u"Work (On This Computer)"_s);
        }
        QVERIFY2(names.contains(u"Personal (On This Computer)"_s), qPrintable(names.join(u", "_s)));
        QVERIFY2(names.contains(u"Work (On This Computer)"_s), qPrintable(names.join(u", "_s)));
        // Made from the address book, it can hold no exported event.
        QVERIFY(!names.contains(u"Birthdays & Anniversaries (Contacts)"_s));
        QStringList sorted = names;
        std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(names, sorted);
    }

    void exportUpdatesAndRepairsEvents()
    {
        QVERIFY(!m_workID.isEmpty());
        const QString personal = u"system-calendar"_s;
        Project acme(
            QUuid::createUuid(), u"Acme"_s, 90, 15, BillingRoundingStrategy::roundUpPerEntry, u"blue"_s, false, 0);
        const Project beta(
            QUuid::createUuid(), u"Beta"_s, {}, 15, BillingRoundingStrategy::roundUpPerEntry, u"red"_s, false, 0);
        TimeEntry first { QUuid::createUuid(), acme.id, 1772442000, 1772447400, u"Kick-off"_s }; // 2 Mar 09:00Z
        const TimeEntry second { QUuid::createUuid(), beta.id, 1772449200, 1772453700, {} };
        const QHash<QUuid, QString> assignments { { acme.id, personal }, { beta.id, personal } };
        QElapsedTimer timer;
        timer.start();

        // Two entries, two events.
        const auto exported = finish(m_service->exportEntries({ first, second }, { acme, beta }, assignments, {}));
        QVERIFY2(!exported.error, exported.error ? qPrintable(exported.error->description()) : "");
        QCOMPARE(exported.links.size(), 2);
        QCOMPARE(eventsIn(personal).size(), 2);
        QCOMPARE(differences(personal, exported.links[0], first, acme), QString());
        QCOMPARE(differences(personal, exported.links[1], second, beta), QString());
        qInfo("first export: %lld ms", timer.restart());

        // The user adds a place to an event: it stays when Tivren updates the event.
        {
            ICalComponent* component = nullptr;
            GError* error = nullptr;
            const QByteArray uid = exported.links[0].eventID.toUtf8();
            QVERIFY(
                e_cal_client_get_object_sync(client(personal), uid.constData(), nullptr, &component, nullptr, &error));
            i_cal_component_set_location(component, "Room 4");
            QVERIFY(e_cal_client_modify_object_sync(
                client(personal), component, E_CAL_OBJ_MOD_THIS, E_CAL_OPERATION_FLAG_NONE, nullptr, &error));
            g_object_unref(component);
        }

        // Edited in Tivren: the same events change, none is added.
        first.startDate += 1800;
        first.endDate += 3600;
        first.notes = u"Kick-off, with the whole team"_s;
        acme.name = u"Acme Corp"_s;
        const auto updated =
            finish(m_service->exportEntries({ first, second }, { acme, beta }, assignments, exported.links));
        QVERIFY(!updated.error);
        QCOMPARE(updated.links,
            QList<AppleCalendarEventLink>(
                { { exported.links[0].id, first.id, personal, exported.links[0].eventID, m_clock.now() },
                    { exported.links[1].id, second.id, personal, exported.links[1].eventID, m_clock.now() } }));
        QCOMPARE(eventsIn(personal).size(), 2);
        QCOMPARE(differences(personal, updated.links[0], first, acme), QString());
        QCOMPARE(storedEvent(personal, updated.links[0].eventID)->location, u"Room 4"_s);
        qInfo("update: %lld ms", timer.restart());

        // Deleted in the calendar: made again, under the same link.
        GError* error = nullptr;
        QVERIFY(e_cal_client_remove_object_sync(client(personal),
            updated.links[1].eventID.toUtf8().constData(),
            nullptr,
            E_CAL_OBJ_MOD_ALL,
            E_CAL_OPERATION_FLAG_NONE,
            nullptr,
            &error));
        QCOMPARE(eventsIn(personal).size(), 1);
        const auto recreated =
            finish(m_service->exportEntries({ first, second }, { acme, beta }, assignments, updated.links));
        QVERIFY(!recreated.error);
        QCOMPARE(recreated.links[1].id, updated.links[1].id);
        QVERIFY(recreated.links[1].eventID != updated.links[1].eventID);
        QCOMPARE(recreated.links[0].eventID, updated.links[0].eventID);
        QCOMPARE(eventsIn(personal).size(), 2);
        QCOMPARE(differences(personal, recreated.links[1], second, beta), QString());
        qInfo("recreate: %lld ms", timer.restart());

        // Moved to another calendar: moved back, keeping its identifier.
        moveBehindTivrensBack(recreated.links[0].eventID, personal, m_workID);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(eventsIn(m_workID).size(), 1);
        const auto movedBack =
            finish(m_service->exportEntries({ first, second }, { acme, beta }, assignments, recreated.links));
        QVERIFY2(!movedBack.error, movedBack.error ? qPrintable(movedBack.error->description()) : "");
        QCOMPARE(movedBack.links[0].eventID, recreated.links[0].eventID);
        QCOMPARE(movedBack.links[0].id, exported.links[0].id);
        QCOMPARE(eventsIn(m_workID).size(), 0);
        QCOMPARE(eventsIn(personal).size(), 2);
        QCOMPARE(differences(personal, movedBack.links[0], first, acme), QString());
        qInfo("move back: %lld ms", timer.restart());

        // A calendar deleted since the draft was made.
        const auto missing =
            finish(m_service->exportEntries({ first }, { acme }, { { acme.id, u"no-such-calendar"_s } }, {}));
        QCOMPARE(missing.error, AppleCalendarServiceError({ Kind::missingCalendar, u"no-such-calendar"_s }));
    }

    // A job that never returns holds up the worker, but not its callers: they hear of the time
    // limit, and the worker goes on once the job comes back.
    void stuckJobTimesOut()
    {
        SerialWorker worker(u"test worker"_s);
        auto release = std::make_shared<std::atomic<bool>>(false);
        auto queuedRan = std::make_shared<std::atomic<bool>>(false);
        bool cancelled = false;
        QElapsedTimer timer;
        timer.start();
        QFuture<std::optional<int>> stuck = worker.run(
            100ms,
            [release] {
                while (!release->load())
                    QThread::msleep(5);
                return 1;
            },
            [&cancelled] {
                cancelled = true;
            });
        QFuture<std::optional<int>> queued = worker.run(150ms, [queuedRan] {
            queuedRan->store(true);
            return 2;
        });
        QTRY_VERIFY(queued.isFinished());
        QVERIFY(stuck.isFinished());
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(stuck.result(), std::nullopt);
        QCOMPARE(queued.result(), std::nullopt);
        QVERIFY(cancelled);

        release->store(true);
        QFuture<std::optional<int>> later = worker.run(5s, [] {
            return 3;
        });
        QTRY_VERIFY(later.isFinished());
        QCOMPARE(later.result(), std::optional(3));
        QVERIFY(!queuedRan->load()); // its caller had given up on it already
    }
};

QTEST_GUILESS_MAIN(tst_EdsCalendarStore)
#include "tst_EdsCalendarStore.moc"
