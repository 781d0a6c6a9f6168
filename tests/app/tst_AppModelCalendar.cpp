#include "ModelHarness.h"
#include "app/AppStrings.h"
#include "app/CalendarExportSupport.h"
#include "core/Uuid.h"

#include <QTest>
#include <qcoro/qcorotask.h>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

constexpr Instant kDay = 1772352000; // 2026-03-01T08:00:00Z, the fake clock's time
constexpr Seconds kHour = 3600;
const InstantRange kRange { kDay - 8 * kHour, kDay + 16 * kHour }; // all of March 1st (UTC)

const QList<GoogleCalendarListItem> kGoogle { { u"work"_s, u"Work"_s, false }, { u"me"_s, u"Me"_s, true } };
const QList<AppleCalendarListItem> kApple { { u"home"_s, u"Home"_s, u"On My Computer"_s },
    { u"work"_s, u"Work"_s, u"iCloud"_s } };

Project project(const QString& name, bool archived = false)
{
    return Project(QUuid::createUuid(), name, 80, 15, BillingRoundingStrategy::roundUpPerEntry, u"blue"_s, archived, 0);
}

TimeEntry entry(const Project& p, Instant start, Seconds duration = 1800, const QString& notes = {})
{
    return { QUuid::createUuid(), p.id, start, start + duration, notes };
}

template <typename Link> Link link(const TimeEntry& e, const QString& calendar, const QString& event)
{
    return { QUuid::createUuid(), e.id, calendar, event, 1000 };
}

// Links as sorted "ENTRY|calendar -> event @synced" lines: the order of a link list means nothing.
template <typename Link> QStringList linkTexts(const QList<Link>& links)
{
    QStringList texts;
    for (const Link& l : links)
        texts << u"%1|%2 -> %3 @%4"_s.arg(UuidText::upper(l.entryID), l.calendarID, l.eventID)
                     .arg(qint64(l.lastSyncedAt));
    texts.sort();
    return texts;
}

// The link the fakes answer by default for an exported entry (Google's event ids have a prefix).
QString fakeLink(const TimeEntry& e, const QString& calendar, const QString& eventPrefix = {})
{
    return u"%1|%2 -> %3%4 @1772400000"_s.arg(
        UuidText::upper(e.id), calendar, eventPrefix, e.id.toString(QUuid::WithoutBraces));
}

void load(ModelHarness& h, const AppSnapshot& snapshot)
{
    QVERIFY(TivrenRepository::writeFile(h.dataFile, snapshot));
    QCoro::waitFor(h.model->load());
}

// Loads with both services signed in: Google picks its primary "me", Apple its first "home".
void loadConnected(ModelHarness& h, const AppSnapshot& snapshot = {})
{
    h.google.storedToken = true;
    h.google.calendars = kGoogle;
    h.apple.fullAccess = true;
    h.apple.calendars = kApple;
    load(h, snapshot);
}

// The status text at every change of a busy flag: "Working..." when an operation starts, the
// resting text when it ends.
struct BusyLog
{
    QStringList google, apple;
    explicit BusyLog(AppModel& model)
    {
        QObject::connect(&model, &AppModel::isGoogleCalendarBusyChanged, &model, [this, &model] {
            google << model.googleCalendarStatusText();
        });
        QObject::connect(&model, &AppModel::isAppleCalendarBusyChanged, &model, [this, &model] {
            apple << model.appleCalendarStatusText();
        });
    }
};

template <typename Draft> auto& selection(Draft& draft, const Project& p)
{
    const auto it = std::find_if(draft.projectSelections.begin(), draft.projectSelections.end(), [&p](auto& s) {
        return s.projectID == p.id;
    });
    Q_ASSERT(it != draft.projectSelections.end());
    return *it;
}

enum class Setup
{
    notConnected,
    noCalendars,
    nothingInRange,
    onlyDeletedProjects,
};

using OptionalTexts = QList<std::optional<QString>>;

} // namespace

class tst_AppModelCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statusText_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::addColumn<bool>("authorized");
        QTest::addColumn<std::optional<QString>>("name");
        QTest::addColumn<QString>("expected");
        for (const bool apple : { false, true }) {
            const char* service = apple ? "apple" : "google";
            QTest::addRow("%s not connected", service)
                << apple << false << std::optional(u"Work"_s) << u"Not connected."_s;
            QTest::addRow("%s named", service)
                << apple << true << std::optional(u"Work"_s) << u"Connected. Selected calendar: Work"_s;
            const QString unnamed = apple ? u"Connected to Apple Calendar."_s : u"Connected to Google Calendar."_s;
            QTest::addRow("%s no name", service) << apple << true << std::optional<QString>() << unnamed;
            QTest::addRow("%s empty name", service) << apple << true << std::optional(QString()) << unnamed;
        }
    }

    void statusText()
    {
        QFETCH(bool, apple);
        QFETCH(bool, authorized);
        QFETCH(std::optional<QString>, name);
        QFETCH(QString, expected);

        ModelHarness h; // the services list no calendars, so the stored choice stays as it is
        h.google.storedToken = authorized && !apple;
        h.apple.fullAccess = authorized && apple;
        AppSnapshot snapshot;
        snapshot.settings.googleCalendar = { u"work"_s, name };
        snapshot.settings.appleCalendar = { u"work"_s, name };
        load(h, snapshot);
        QCOMPARE(apple ? h.model->appleCalendarStatusText() : h.model->googleCalendarStatusText(), expected);
    }

    void googleRefreshKeepsOrChoosesCalendar_data()
    {
        QTest::addColumn<std::optional<QString>>("storedID");
        QTest::addColumn<QList<GoogleCalendarListItem>>("calendars");
        QTest::addColumn<GoogleCalendarSettings>("expected");
        const GoogleCalendarListItem a { u"a"_s, u"A"_s, false }, b { u"b"_s, u"B"_s, false },
            primary { u"me"_s, u"Me"_s, true };
        QTest::newRow("selected one renamed")
            << std::optional(u"b"_s) << QList<GoogleCalendarListItem> { primary, { u"b"_s, u"Bee"_s, false } }
            << GoogleCalendarSettings { u"b"_s, u"Bee"_s };
        QTest::newRow("selected gone: primary")
            << std::optional(u"gone"_s) << QList { a, primary } << GoogleCalendarSettings { u"me"_s, u"Me"_s };
        QTest::newRow("selected gone: first")
            << std::optional(u"gone"_s) << QList { b, a } << GoogleCalendarSettings { u"b"_s, u"B"_s };
        QTest::newRow("none selected: primary")
            << std::optional<QString>() << QList { a, primary } << GoogleCalendarSettings { u"me"_s, u"Me"_s };
        QTest::newRow("empty list leaves settings") << std::optional(u"gone"_s) << QList<GoogleCalendarListItem> {}
                                                    << GoogleCalendarSettings { u"gone"_s, u"Old"_s };
    }

    void googleRefreshKeepsOrChoosesCalendar()
    {
        QFETCH(std::optional<QString>, storedID);
        QFETCH(QList<GoogleCalendarListItem>, calendars);
        QFETCH(GoogleCalendarSettings, expected);

        ModelHarness h;
        h.google.storedToken = true;
        AppSnapshot snapshot;
        snapshot.settings.googleCalendar = { storedID, u"Old"_s };
        load(h, snapshot);
        h.google.calendars = calendars;
        QCoro::waitFor(h.model->refreshGoogleCalendars());

        QCOMPARE(h.google.fetchCount, 2);
        QCOMPARE(h.model->googleCalendars(), calendars);
        QCOMPARE(h.model->settings().googleCalendar, expected);
        QCOMPARE(h.saved().settings.googleCalendar, expected);
        QVERIFY(!h.model->isGoogleCalendarBusy());
        QCOMPARE(h.model->errorMessage(), std::nullopt);
    }

    void appleRefreshKeepsOrChoosesCalendar()
    {
        ModelHarness h;
        h.apple.fullAccess = true;
        AppSnapshot snapshot;
        snapshot.settings.appleCalendar = { u"work"_s, u"Old"_s };
        load(h, snapshot);
        const auto refresh = [&h](const QList<AppleCalendarListItem>& calendars) {
            h.apple.calendars = calendars;
            QCoro::waitFor(h.model->refreshAppleCalendars());
            QCOMPARE(h.model->appleCalendars(), calendars);
            QCOMPARE(h.saved().settings.appleCalendar, h.model->settings().appleCalendar);
        };
        // The stored name is the display name; a vanished choice falls back to the first item.
        refresh(kApple);
        QCOMPARE(h.model->settings().appleCalendar, AppleCalendarSettings({ u"work"_s, u"Work (iCloud)"_s }));
        refresh({ { u"x"_s, u"X"_s, {} }, kApple[0] });
        QCOMPARE(h.model->settings().appleCalendar, AppleCalendarSettings({ u"x"_s, u"X"_s }));
        refresh({});
        QCOMPARE(h.model->settings().appleCalendar, AppleCalendarSettings({ u"x"_s, u"X"_s }));
        QVERIFY(!h.model->isAppleCalendarBusy());
    }

    void refreshFailure_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("staysConnected");
        using G = GoogleCalendarServiceError::Kind;
        QTest::newRow("google expired") << false << int(G::authorizationExpired)
                                        << u"Your Google sign-in expired. Please reconnect."_s << false;
        QTest::newRow("google API error")
            << false << int(G::googleAPIError) << u"Could not load Google calendars: Quota exceeded"_s << true;
        QTest::newRow("google bad response")
            << false << int(G::invalidResponse)
            << u"Could not load Google calendars: Google Calendar returned an unexpected response."_s << true;
        QTest::newRow("apple access denied")
            << true << int(AppleCalendarServiceError::Kind::accessDenied)
            << u"Could not load Apple calendars: Allow Calendar access in System Settings before exporting to Apple Calendar."_s
            << true;
    }

    void refreshFailure()
    {
        QFETCH(bool, apple);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        QFETCH(bool, staysConnected);

        ModelHarness h;
        loadConnected(h);
        const AppSettings settings = h.model->settings();
        if (apple) {
            h.apple.calendars = Unexpected(AppleCalendarServiceError { AppleCalendarServiceError::Kind(kind), {} });
            QCoro::waitFor(h.model->refreshAppleCalendars());
            QCOMPARE(h.model->hasAppleCalendarAuthorization(), staysConnected);
            QCOMPARE(h.model->appleCalendars(), staysConnected ? kApple : QList<AppleCalendarListItem> {});
        } else {
            h.google.calendars =
                Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind(kind), u"Quota exceeded"_s });
            QCoro::waitFor(h.model->refreshGoogleCalendars());
            QCOMPARE(h.model->hasGoogleCalendarAuthorization(), staysConnected);
            QCOMPARE(h.model->googleCalendars(), staysConnected ? kGoogle : QList<GoogleCalendarListItem> {});
        }
        QCOMPARE(h.model->errorMessage(), expected);
        QCOMPARE(h.model->settings(), settings);
        QVERIFY(!h.model->isGoogleCalendarBusy() && !h.model->isAppleCalendarBusy());
    }

    void refreshWithoutAuthorizationDoesNothing()
    {
        ModelHarness h;
        h.google.calendars = kGoogle;
        h.apple.calendars = kApple;
        BusyLog log(*h.model);
        QCoro::waitFor(h.model->refreshGoogleCalendars());
        QCoro::waitFor(h.model->refreshAppleCalendars());
        QCOMPARE(h.google.fetchCount, 0);
        QVERIFY(h.model->googleCalendars().isEmpty() && h.model->appleCalendars().isEmpty());
        QCOMPARE(h.model->settings(), AppSettings());
        QVERIFY(log.google.isEmpty() && log.apple.isEmpty());
    }

    void connect_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<std::optional<QString>>("error");
        QTest::addColumn<QStringList>("statusLog");
        QTest::newRow("google") << false << false << std::optional<QString>()
                                << QStringList { u"Working..."_s, u"Connected. Selected calendar: Me"_s };
        QTest::newRow("google fails")
            << false << true
            << std::optional(u"Could not connect Google Calendar: Google Calendar authorization was cancelled."_s)
            << QStringList { u"Working..."_s, u"Not connected."_s };
        QTest::newRow("apple") << true << false << std::optional<QString>()
                               << QStringList { u"Working..."_s,
                                      u"Connected. Selected calendar: Home (On My Computer)"_s };
        QTest::newRow("apple fails")
            << true << true
            << std::optional(u"Could not connect Apple Calendar: Tivren needs full Calendar access to load your "
                             u"calendars before exporting to Apple Calendar."_s)
            << QStringList { u"Working..."_s, u"Not connected."_s };
    }

    void connect()
    {
        QFETCH(bool, apple);
        QFETCH(bool, fails);
        QFETCH(std::optional<QString>, error);
        QFETCH(QStringList, statusLog);

        ModelHarness h;
        h.google.calendars = kGoogle;
        h.apple.calendars = kApple;
        if (fails) {
            h.google.authorizeError = { GoogleCalendarServiceError::Kind::authorizationCancelled, {} };
            h.apple.authorizeError = { AppleCalendarServiceError::Kind::fullAccessRequired, {} };
        }
        BusyLog log(*h.model);
        if (apple) {
            QCoro::waitFor(h.model->connectAppleCalendar());
            QCOMPARE(log.apple, statusLog);
            QCOMPARE(h.model->hasAppleCalendarAuthorization(), !fails);
            QCOMPARE(h.model->appleCalendars(), fails ? QList<AppleCalendarListItem> {} : kApple);
            QCOMPARE(h.saved().settings.appleCalendar.selectedCalendarID.has_value(), !fails);
        } else {
            QCoro::waitFor(h.model->connectGoogleCalendar());
            QCOMPARE(log.google, statusLog);
            QCOMPARE(h.model->hasGoogleCalendarAuthorization(), !fails);
            QCOMPARE(h.google.fetchCount, fails ? 0 : 1);
            QCOMPARE(h.model->googleCalendars(), fails ? QList<GoogleCalendarListItem> {} : kGoogle);
        }
        QCOMPARE(h.model->errorMessage(), error);
        QCOMPARE(h.model->successMessage(), std::nullopt);
    }

    void googleDisconnectKeepsSelectedCalendar()
    {
        ModelHarness h;
        loadConnected(h);
        h.google.deleteError = { GoogleCalendarServiceError::Kind::googleAPIError, u"Keyring locked"_s };
        QCoro::waitFor(h.model->disconnectGoogleCalendar());
        QCOMPARE(h.model->errorMessage(), u"Could not disconnect Google Calendar: Keyring locked"_s);
        QVERIFY(h.model->hasGoogleCalendarAuthorization());
        QCOMPARE(h.model->googleCalendars(), kGoogle);

        h.google.deleteError.reset();
        QCoro::waitFor(h.model->disconnectGoogleCalendar());
        QVERIFY(!h.google.storedToken);
        QVERIFY(!h.model->hasGoogleCalendarAuthorization());
        QVERIFY(h.model->googleCalendars().isEmpty());
        QCOMPARE(h.model->settings().googleCalendar, GoogleCalendarSettings({ u"me"_s, u"Me"_s }));
        QVERIFY(!h.model->isGoogleCalendarBusy());
    }

    void appleDisconnectClearsSelectedCalendar()
    {
        ModelHarness h;
        loadConnected(h);
        QCoro::waitFor(h.model->disconnectAppleCalendar());
        QVERIFY(!h.model->hasAppleCalendarAuthorization());
        QVERIFY(h.model->appleCalendars().isEmpty());
        QCOMPARE(h.model->settings().appleCalendar, AppleCalendarSettings());
        QCOMPARE(h.saved().settings.appleCalendar, AppleCalendarSettings());
        QVERIFY(!h.model->isAppleCalendarBusy());
    }

    void draftRefused_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("expected");
        const QString noEntries = u"There are no entries in the selected range to export."_s;
        const QString noProjects = u"There are no projects in the selected range to export."_s;
        for (const bool apple : { false, true }) {
            const char* service = apple ? "apple" : "google";
            const QString connect = apple ? u"Connect Apple Calendar and refresh calendars first."_s
                                          : u"Connect Google Calendar and refresh calendars first."_s;
            QTest::addRow("%s not connected", service) << apple << Setup::notConnected << connect;
            QTest::addRow("%s no calendars", service) << apple << Setup::noCalendars << connect;
            QTest::addRow("%s nothing in range", service) << apple << Setup::nothingInRange << noEntries;
            QTest::addRow("%s only deleted projects", service) << apple << Setup::onlyDeletedProjects << noProjects;
        }
    }

    void draftRefused()
    {
        QFETCH(bool, apple);
        QFETCH(Setup, setup);
        QFETCH(QString, expected);

        ModelHarness h;
        const Project acme = project(u"Acme"_s), gone = project(u"Gone"_s);
        AppSnapshot snapshot;
        snapshot.projects = { acme };
        if (setup == Setup::nothingInRange) // one the day before, one ending where the range begins
            snapshot.entries = { entry(acme, kDay - 30 * kHour), entry(acme, kRange.lower - 1800) };
        else
            snapshot.entries = { entry(setup == Setup::onlyDeletedProjects ? gone : acme, kDay) };
        if (setup != Setup::notConnected) {
            h.google.storedToken = h.apple.fullAccess = true;
            if (setup != Setup::noCalendars) {
                h.google.calendars = kGoogle;
                h.apple.calendars = kApple;
            }
        }
        load(h, snapshot);
        const bool built = apple ? h.model->appleCalendarExportDraft(kRange).has_value()
                                 : h.model->googleCalendarExportDraft(kRange).has_value();
        QVERIFY(!built);
        QCOMPARE(h.model->errorMessage(), expected);
    }

    void draftListsProjectsByName_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::newRow("google") << false;
        QTest::newRow("apple") << true;
    }

    void draftListsProjectsByName()
    {
        QFETCH(bool, apple);

        ModelHarness h;
        const Project beta = project(u"beta"_s), alpha = project(u"Alpha"_s), delta = project(u"Delta"_s, true),
                      charlie = project(u"charlie"_s), idle = project(u"Idle"_s), gone = project(u"Gone"_s);
        AppSnapshot snapshot;
        snapshot.projects = { beta, alpha, delta, charlie, idle };
        for (const Project* p : { &beta, &alpha, &beta, &delta, &charlie, &gone })
            snapshot.entries.append(entry(*p, kDay));
        snapshot.entries.append(entry(idle, kDay - 30 * kHour));
        // Case-insensitive by name, archived projects included, equal names in stored order.
        QList<QUuid> expectedIDs { alpha.id, beta.id, charlie.id, delta.id };
        QList<int> expectedCounts { 1, 2, 1, 1 };
        for (int i = 0; i < 24; ++i) { // enough equal names that an unstable sort would shuffle them
            const Project same = project(i % 2 ? u"Same"_s : u"same"_s);
            snapshot.projects.append(same);
            for (int n = 0; n <= i % 3; ++n)
                snapshot.entries.append(entry(same, kDay + n * 60));
            expectedIDs << same.id;
            expectedCounts << i % 3 + 1;
        }
        loadConnected(h, snapshot);

        QList<QUuid> ids;
        QList<int> counts;
        QList<std::optional<QString>> calendars;
        QUuid draftID;
        const auto collect = [&](const auto& draft) {
            draftID = draft.id;
            for (const auto& s : draft.projectSelections) {
                QVERIFY(s.isSelected);
                QCOMPARE(s.projectName, h.model->project(s.projectID)->name);
                ids << s.projectID;
                counts << s.entryCount;
                calendars << s.calendarID;
            }
        };
        if (apple)
            collect(h.model->appleCalendarExportDraft(kRange).value());
        else
            collect(h.model->googleCalendarExportDraft(kRange).value());

        QCOMPARE(ids, expectedIDs);
        QCOMPARE(counts, expectedCounts);
        QCOMPARE(calendars, QList<std::optional<QString>>(ids.size(), apple ? u"home"_s : u"me"_s));
        QCOMPARE(h.model->errorMessage(), std::nullopt);
        const QUuid secondID =
            apple ? h.model->appleCalendarExportDraft(kRange)->id : h.model->googleCalendarExportDraft(kRange)->id;
        QVERIFY(!draftID.isNull() && secondID != draftID);
    }

    void draftAssignments_data()
    {
        QTest::addColumn<QList<bool>>("selected");
        QTest::addColumn<OptionalTexts>("calendars");
        QTest::addColumn<OptionalTexts>("assigned");
        QTest::addColumn<int>("skipped");
        const std::optional<QString> none;
        QTest::newRow("all skipped") << QList { true, true } << OptionalTexts { none, u""_s }
                                     << OptionalTexts { none, none } << 2;
        QTest::newRow("spaces only is skipped")
            << QList { true } << OptionalTexts { u"   "_s } << OptionalTexts { none } << 1;
        QTest::newRow("trimmed") << QList { true } << OptionalTexts { u" work\n"_s } << OptionalTexts { u"work"_s }
                                 << 0;
        QTest::newRow("unselected counts nowhere")
            << QList { false, false } << OptionalTexts { u"work"_s, none } << OptionalTexts { none, none } << 0;
        QTest::newRow("mixed") << QList { true, false, true } << OptionalTexts { u"a"_s, u"b"_s, none }
                               << OptionalTexts { u"a"_s, none, none } << 1;
    }

    void draftAssignments()
    {
        QFETCH(QList<bool>, selected);
        QFETCH(OptionalTexts, calendars);
        QFETCH(OptionalTexts, assigned);
        QFETCH(int, skipped);

        GoogleCalendarExportDraft draft { QUuid::createUuid(), {} };
        QHash<QUuid, QString> expected;
        for (qsizetype i = 0; i < selected.size(); ++i) {
            const QUuid id = QUuid::createUuid();
            draft.projectSelections.append({ id, u"P"_s, 1, selected[i], calendars[i] });
            if (assigned[i])
                expected.insert(id, *assigned[i]);
        }
        QCOMPARE(draft.selectedProjectCalendarAssignments(), expected);
        QCOMPARE(draft.skippedSelectedProjectCount(), skipped);
        QCOMPARE(draft.hasAnySelectedProjectWithCalendar(), !expected.isEmpty());
    }

    void exportRefused_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("expected");
        const QString choose = u"Choose at least one selected project with a calendar first."_s;
        QTest::newRow("google not connected")
            << false << false << u"Connect Google Calendar and refresh calendars first."_s;
        QTest::newRow("google nothing assigned") << false << true << choose;
        QTest::newRow("apple not connected")
            << true << false << u"Connect Apple Calendar and refresh calendars first."_s;
        QTest::newRow("apple nothing assigned") << true << true << choose;
    }

    void exportRefused()
    {
        QFETCH(bool, apple);
        QFETCH(bool, connected);
        QFETCH(QString, expected);

        ModelHarness h;
        const Project acme = project(u"Acme"_s), other = project(u"Other"_s);
        AppSnapshot snapshot;
        snapshot.projects = { acme, other };
        snapshot.entries = { entry(acme, kDay), entry(other, kDay) };
        if (connected)
            loadConnected(h, snapshot);
        else
            load(h, snapshot);
        // Connected: a blank calendar and an unselected project; otherwise a ready draft.
        const auto fill = [&](auto& draft) {
            draft.projectSelections = { { acme.id, acme.name, 1, true, connected ? u"  "_s : u"work"_s },
                { other.id, other.name, 1, !connected, u"work"_s } };
        };
        BusyLog log(*h.model);
        if (apple) {
            AppleCalendarExportDraft draft { QUuid::createUuid(), {} };
            fill(draft);
            QCoro::waitFor(h.model->exportAppleCalendar(draft, kRange));
        } else {
            GoogleCalendarExportDraft draft { QUuid::createUuid(), {} };
            fill(draft);
            QCoro::waitFor(h.model->exportGoogleCalendar(draft, kRange));
        }
        QCOMPARE(h.model->errorMessage(), expected);
        QCOMPARE(h.model->successMessage(), std::nullopt);
        QVERIFY(h.google.exportCalls.isEmpty() && h.apple.exportCalls.isEmpty());
        QVERIFY(log.google.isEmpty() && log.apple.isEmpty());
    }

    void googleExport()
    {
        ModelHarness h;
        const Project a = project(u"A"_s), b = project(u"B"_s), c = project(u"C"_s), d = project(u"D"_s),
                      archived = project(u"E"_s, true);
        const TimeEntry a1 = entry(a, kDay - 3 * kHour), c1 = entry(c, kDay - 2 * kHour), b1 = entry(b, kDay - kHour),
                        d1 = entry(d, kDay - kHour / 2), a2 = entry(a, kDay), aOld = entry(a, kDay - 30 * kHour);
        AppSnapshot snapshot;
        snapshot.projects = { a, b, c, d, archived };
        snapshot.entries = { a1, c1, b1, d1, a2, aOld };
        snapshot.googleCalendarEventLinks = { link<GoogleCalendarEventLink>(a1, u"work"_s, u"old"_s),
            link<GoogleCalendarEventLink>(aOld, u"work"_s, u"older"_s) };
        loadConnected(h, snapshot);

        GoogleCalendarExportDraft draft = h.model->googleCalendarExportDraft(kRange).value();
        selection(draft, a).calendarID = u"work"_s;
        selection(draft, b).calendarID = u" home "_s;
        selection(draft, c).calendarID.reset();
        selection(draft, d).isSelected = false;
        BusyLog log(*h.model);
        QCoro::waitFor(h.model->exportGoogleCalendar(draft, kRange));

        QCOMPARE(h.google.exportCalls.size(), 1);
        const auto& call = h.google.exportCalls.first();
        QCOMPARE(call.entries, QList({ a2, b1, a1 }));
        QCOMPARE(call.projects, snapshot.projects);
        QCOMPARE(call.settings, GoogleCalendarSettings({ u"me"_s, u"Me"_s }));
        QCOMPARE(call.calendarAssignments, (QHash<QUuid, QString> { { a.id, u"work"_s }, { b.id, u"home"_s } }));
        QCOMPARE(call.existingLinks, snapshot.googleCalendarEventLinks);
        QCOMPARE(h.model->successMessage(),
            u"Exported 3 entries to Google Calendar. Skipped 1 selected project without a calendar."_s);
        QCOMPARE(h.model->errorMessage(), std::nullopt);
        QCOMPARE(log.google, QStringList({ u"Working..."_s, u"Connected. Selected calendar: Me"_s }));

        // a1's link to "work" is replaced, the one of the entry outside the range stays.
        QStringList expected = linkTexts(QList { snapshot.googleCalendarEventLinks[1] });
        expected << fakeLink(a2, u"work"_s, u"event-"_s) << fakeLink(b1, u"home"_s, u"event-"_s)
                 << fakeLink(a1, u"work"_s, u"event-"_s);
        expected.sort();
        QCOMPARE(linkTexts(h.model->googleCalendarEventLinks()), expected);
        QCOMPARE(linkTexts(h.saved().googleCalendarEventLinks), expected);

        // A's entries into a second calendar: a link is added, the first ones stay. The service
        // places only one of the two, yet the summary counts both entries handed to it.
        for (auto& s : draft.projectSelections)
            s.isSelected = s.projectID == a.id;
        selection(draft, a).calendarID = u"me"_s;
        h.google.exportAnswer = [&a2](const auto&) {
            return GoogleCalendarExportResult { { { QUuid::createUuid(), a2.id, u"me"_s, u"event-x"_s, 1772400000 } },
                {} };
        };
        QCoro::waitFor(h.model->exportGoogleCalendar(draft, kRange));
        QCOMPARE(h.model->successMessage(), u"Exported 2 entries to Google Calendar."_s);
        expected << UuidText::upper(a2.id) + u"|me -> event-x @1772400000"_s;
        expected.sort();
        QCOMPARE(linkTexts(h.saved().googleCalendarEventLinks), expected);
    }

    void appleExport()
    {
        ModelHarness h;
        const Project a = project(u"A"_s), b = project(u"B"_s), c = project(u"C"_s, true);
        const TimeEntry a1 = entry(a, kDay), a2 = entry(a, kDay + kHour), b1 = entry(b, kDay), c1 = entry(c, kDay);
        AppSnapshot snapshot;
        snapshot.projects = { a, b, c };
        snapshot.entries = { a1, a2, b1, c1 };
        snapshot.appleCalendarEventLinks = { link<AppleCalendarEventLink>(a1, u"home"_s, u"old"_s) };
        loadConnected(h, snapshot);

        AppleCalendarExportDraft draft = h.model->appleCalendarExportDraft(kRange).value();
        selection(draft, b).calendarID.reset();
        selection(draft, c).calendarID = u"\t"_s;
        BusyLog log(*h.model);
        QCoro::waitFor(h.model->exportAppleCalendar(draft, kRange));

        QCOMPARE(h.apple.exportCalls.size(), 1);
        const auto& call = h.apple.exportCalls.first();
        QCOMPARE(call.entries, QList({ a2, a1 }));
        QCOMPARE(call.projects, snapshot.projects);
        QCOMPARE(call.calendarAssignments, (QHash<QUuid, QString> { { a.id, u"home"_s } }));
        QCOMPARE(call.existingLinks, snapshot.appleCalendarEventLinks);
        QCOMPARE(h.model->successMessage(),
            u"Exported 2 entries to Apple Calendar. Skipped 2 selected projects without a calendar."_s);
        QCOMPARE(log.apple, QStringList({ u"Working..."_s, u"Connected. Selected calendar: Home (On My Computer)"_s }));
        QStringList expected { fakeLink(a1, u"home"_s), fakeLink(a2, u"home"_s) };
        expected.sort();
        QCOMPARE(linkTexts(h.model->appleCalendarEventLinks()), expected);
        QCOMPARE(linkTexts(h.saved().appleCalendarEventLinks), expected);
    }

    void exportFailure_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::addColumn<bool>("partly");
        QTest::addColumn<GoogleCalendarServiceError::Kind>("googleKind"); // apple: always a missing calendar
        QTest::addColumn<QString>("expected");
        using G = GoogleCalendarServiceError::Kind;
        const QString quota = u"Could not export to Google Calendar: Quota exceeded"_s;
        const QString missing =
            u"Could not export to Apple Calendar: The Apple Calendar “cal-9” is no longer available."_s;
        QTest::newRow("google") << false << false << G::googleAPIError << quota;
        QTest::newRow("google part-way") << false << true << G::googleAPIError << quota;
        QTest::newRow("google sign-in expired")
            << false << false << G::authorizationExpired
            << u"Could not export to Google Calendar: Your Google sign-in expired. Please reconnect."_s;
        QTest::newRow("apple") << true << false << G::googleAPIError << missing;
        QTest::newRow("apple part-way") << true << true << G::googleAPIError << missing;
    }

    void exportFailure()
    {
        QFETCH(bool, apple);
        QFETCH(bool, partly);
        QFETCH(GoogleCalendarServiceError::Kind, googleKind);
        QFETCH(QString, expected);

        ModelHarness h;
        const Project acme = project(u"Acme"_s);
        const TimeEntry first = entry(acme, kDay), second = entry(acme, kDay + kHour);
        AppSnapshot snapshot;
        snapshot.projects = { acme };
        snapshot.entries = { first, second };
        snapshot.googleCalendarEventLinks = { link<GoogleCalendarEventLink>(first, u"me"_s, u"old"_s) };
        snapshot.appleCalendarEventLinks = { link<AppleCalendarEventLink>(first, u"home"_s, u"old"_s) };
        loadConnected(h, snapshot);
        // The newest entry was written before the service stopped.
        const auto written = link<GoogleCalendarEventLink>(second, u"me"_s, u"new"_s);
        const auto writtenApple = link<AppleCalendarEventLink>(second, u"home"_s, u"new"_s);
        h.google.exportAnswer = [&](const auto&) {
            return GoogleCalendarExportResult { partly ? QList { written } : QList<GoogleCalendarEventLink> {},
                GoogleCalendarServiceError { googleKind, u"Quota exceeded"_s } };
        };
        h.apple.exportAnswer = [&](const auto&) {
            return AppleCalendarExportResult { partly ? QList { writtenApple } : QList<AppleCalendarEventLink> {},
                AppleCalendarServiceError { AppleCalendarServiceError::Kind::missingCalendar, u"cal-9"_s } };
        };
        if (apple) {
            QCoro::waitFor(h.model->exportAppleCalendar(h.model->appleCalendarExportDraft(kRange).value(), kRange));
            auto links = snapshot.appleCalendarEventLinks;
            if (partly)
                links << writtenApple;
            QCOMPARE(linkTexts(h.model->appleCalendarEventLinks()), linkTexts(links));
            QCOMPARE(linkTexts(h.saved().appleCalendarEventLinks), linkTexts(links));
        } else {
            QCoro::waitFor(h.model->exportGoogleCalendar(h.model->googleCalendarExportDraft(kRange).value(), kRange));
            auto links = snapshot.googleCalendarEventLinks;
            if (partly)
                links << written;
            QCOMPARE(linkTexts(h.model->googleCalendarEventLinks()), linkTexts(links));
            QCOMPARE(linkTexts(h.saved().googleCalendarEventLinks), linkTexts(links));
            QVERIFY(h.model->hasGoogleCalendarAuthorization()); // only a refresh signs out
        }
        QCOMPARE(h.model->errorMessage(), expected);
        QCOMPARE(h.model->successMessage(), std::nullopt);
        QVERIFY(!h.model->isGoogleCalendarBusy() && !h.model->isAppleCalendarBusy());
    }

    void mergeKeepsLaterOfTwoStoredLinks()
    {
        ModelHarness h;
        const Project acme = project(u"Acme"_s);
        const TimeEntry e = entry(acme, kDay), other = entry(acme, kDay + kHour);
        AppSnapshot snapshot { { acme }, { e, other }, {}, {}, {}, {} };
        snapshot.googleCalendarEventLinks = { link<GoogleCalendarEventLink>(e, u"me"_s, u"first"_s),
            link<GoogleCalendarEventLink>(e, u"me"_s, u"second"_s) };
        load(h, snapshot);
        const auto added = link<GoogleCalendarEventLink>(other, u"me"_s, u"third"_s);
        h.model->mergeGoogleCalendarEventLinks({ added });
        QCOMPARE(linkTexts(h.model->googleCalendarEventLinks()),
            linkTexts(QList { snapshot.googleCalendarEventLinks[1], added }));
    }

    void exportSummary_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << false << 0 << 0 << u"Exported 0 entries to Google Calendar."_s;
        QTest::newRow("one") << false << 1 << 0 << u"Exported 1 entry to Google Calendar."_s;
        QTest::newRow("one, two skipped")
            << false << 1 << 2
            << u"Exported 1 entry to Google Calendar. Skipped 2 selected projects without a calendar."_s;
        QTest::newRow("apple one") << true << 1 << 0 << u"Exported 1 entry to Apple Calendar."_s;
        QTest::newRow("apple two, one skipped")
            << true << 2 << 1
            << u"Exported 2 entries to Apple Calendar. Skipped 1 selected project without a calendar."_s;
    }

    void exportSummary()
    {
        QFETCH(bool, apple);
        QFETCH(int, entries);
        QFETCH(int, skipped);
        QFETCH(QString, expected);
        ModelHarness h;
        QCOMPARE(apple ? h.model->appleCalendarExportSummary(entries, skipped)
                       : h.model->googleCalendarExportSummary(entries, skipped),
            expected);
    }

    void eventNotes_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<Seconds>("duration");
        QTest::addColumn<bool>("hasProject");
        QTest::addColumn<QString>("expected");
        const QString acme = u"Project: Acme\nTracked: "_s;
        QTest::newRow("notes trimmed") << u" Fixed the login bug.\n"_s << 5400.0 << true
                                       << u"Fixed the login bug.\n\n"_s + acme + u"1.50 h\nSource: Tivren"_s;
        QTest::newRow("inner breaks kept")
            << u"First\n\nSecond"_s << 900.0 << true << u"First\n\nSecond\n\n"_s + acme + u"0.25 h\nSource: Tivren"_s;
        QTest::newRow("empty notes") << QString() << 3600.0 << true << acme + u"1.00 h\nSource: Tivren"_s;
        QTest::newRow("blank notes") << u" \n\t"_s << 3599.0 << true << acme + u"1.00 h\nSource: Tivren"_s;
        QTest::newRow("end before start") << QString() << -600.0 << true << acme + u"0.00 h\nSource: Tivren"_s;
        QTest::newRow("hundreds of hours") << QString() << 360036.0 << true << acme + u"100.01 h\nSource: Tivren"_s;
        QTest::newRow("no project") << u"x"_s << 36.0 << false
                                    << u"x\n\nProject: Unknown\nTracked: 0.01 h\nSource: Tivren"_s;
    }

    void eventNotes()
    {
        QFETCH(QString, notes);
        QFETCH(Seconds, duration);
        QFETCH(bool, hasProject);
        QFETCH(QString, expected);
        const Project acme = project(u"Acme"_s);
        const TimeEntry e { QUuid::createUuid(), acme.id, kDay, kDay + duration, notes };
        const std::optional<Project> p = hasProject ? std::optional(acme) : std::nullopt;
        QCOMPARE(CalendarExportSupport::eventNotes(e, p, QLocale(u"en"_s)), expected);
    }

    void eventNotesUseFullStopInEveryLanguage()
    {
        const Project acme = project(u"Acme"_s);
        for (const QString& language : AppStrings::tableIdentifiers()) {
            const QString notes = CalendarExportSupport::eventNotes(entry(acme, kDay, 5400), acme, QLocale(language));
            QVERIFY2(notes.contains(u"1.50"_s) && notes.count(u'\n') == 2, qPrintable(language + u": "_s + notes));
        }
    }

    void eventTitle()
    {
        const QLocale english(u"en"_s);
        QCOMPARE(CalendarExportSupport::eventTitle(project(u"Acme"_s), english), u"Acme"_s);
        QCOMPARE(CalendarExportSupport::eventTitle(std::nullopt, english), u"Tivren Entry"_s);
    }

    void appleDisplayName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        const QString precomposed = u"Caf\u00e9"_s, decomposed = u"Cafe\u0301"_s;
        QTest::newRow("other source") << u"Work"_s << u"iCloud"_s << u"Work (iCloud)"_s;
        QTest::newRow("same as source") << u"Work"_s << u"Work"_s << u"Work"_s;
        QTest::newRow("no source") << u"Work"_s << QString() << u"Work"_s;
        QTest::newRow("case differs") << u"work"_s << u"Work"_s << u"work (Work)"_s;
        QTest::newRow("composed name") << precomposed << decomposed << precomposed;
        QTest::newRow("decomposed name") << decomposed << precomposed << decomposed;
    }

    void appleDisplayName()
    {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        QCOMPARE((AppleCalendarListItem { u"id"_s, name, source }).displayName(), expected);
    }
};

QTEST_GUILESS_MAIN(tst_AppModelCalendar)
#include "tst_AppModelCalendar.moc"
