// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calendar/CalendarExportSupport.h"
#include "app/text/AppStrings.h"
#include "core/datafile/Uuid.h"
#include "support/ModelHarness.h"

#include <QStringList>
#include <QTest>
#include <qcoro/qcorotask.h>

#include <tuple>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

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
    // As a screen with calendar choices does when it is first shown.
    h.model->googleCalendar().wantCalendars();
    h.model->desktopCalendar().wantCalendars();
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

constexpr Instant kDay = 1772352000; // 2026-03-01T08:00:00Z, the fake clock's time
constexpr Seconds kHour = 3600;
const InstantRange kRange { kDay - 8 * kHour, kDay + 16 * kHour }; // all of March 1st (UTC)

using Draft = GoogleCalendarExportDraft;
using Kind = GoogleCalendarServiceError::Kind; // Google's errors

enum class Setup
{
    noCalendars,
    nothingInRange,
    onlyDeletedProjects,
    disconnectedAfterDraft,
    nothingAssigned
};

using ConnectRow =
    std::tuple<bool, QList<GoogleCalendarListItem>, bool, bool, std::optional<Kind>, QString, QStringList>;
using RefusalRow = std::tuple<bool, Setup, QString>;
using NotesRow = std::tuple<QString, Seconds, QString>;

} // namespace

class tst_AppModelCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A start that shows no screen with calendars fetches none (loading no calendar services); the
    // first screen that wants them gets them, once, whether it asks before or after the restore.
    void calendarsWaitUntilAScreenWantsThem_data()
    {
        QTest::addColumn<bool>("askedBeforeLoad");
        QTest::newRow("asked after the restore") << false;
        QTest::newRow("asked before it") << true;
    }
    void calendarsWaitUntilAScreenWantsThem()
    {
        QFETCH(bool, askedBeforeLoad);
        ModelHarness h;
        h.google.storedToken = true;
        h.google.calendars = QList<GoogleCalendarListItem> { { u"me"_s, u"Me"_s, true } };
        if (askedBeforeLoad)
            h.model->googleCalendar().wantCalendars();
        h.load({});
        QVERIFY(h.model->googleCalendar().hasAuthorization());
        if (!askedBeforeLoad) {
            QCOMPARE(h.google.fetchCount, 0);
            QVERIFY(h.model->googleCalendar().calendars().isEmpty());
            h.model->googleCalendar().wantCalendars();
        }
        QTRY_COMPARE(h.model->googleCalendar().calendars().size(), 1);
        h.model->googleCalendar().wantCalendars();
        QCOMPARE(h.google.fetchCount, 1);
    }

    // service, calendars listed (Apple's: each from "iCloud"), "b" was chosen before, authorization
    // fails, error of a later refresh (Apple's: access denied), start of the error text, status at
    // each change of the busy flag
    void connect_data()
    {
        QTest::addColumn<ConnectRow>("row");
        const GoogleCalendarListItem a { u"a"_s, u"A"_s, false }, b { u"b"_s, u"Bee"_s, false },
            c { u"c"_s, u"C"_s, false }, p { u"me"_s, u"Me"_s, true };
        const QString busy = u"Working..."_s, off = u"Not connected."_s, on = u"Connected. Selected calendar: "_s;
        const QString me = on + u"Me"_s, first = on + u"A (iCloud)"_s, old = on + u"Old"_s;
        const QString cancelled = u"Could not connect Google"_s, noAccess = u"Could not connect Apple"_s;
        const QString expired = u"Your Google sign-in expired. Please reconnect."_s, denied = u"Could not load Apple"_s;
        const QString quota = u"Could not load Google calendars: Quota exceeded"_s;
        const QString gone = u"The selected calendar “Old” is no longer listed. Choose another one."_s;
        QTest::newRow("google keeps") << ConnectRow { false, { p, b }, true, false, {}, {}, { busy, on + u"Bee"_s } };
        QTest::newRow("google: primary") << ConnectRow { false, { a, p }, false, false, {}, {}, { busy, me } };
        QTest::newRow("apple: first") << ConnectRow { true, { a, p }, false, false, {}, {}, { busy, first } };
        QTest::newRow("google: first") << ConnectRow { false, { c, a }, false, false, {}, {}, { busy, on + u"C"_s } };
        QTest::newRow("google: chosen one gone")
            << ConnectRow { false, { a, p }, true, false, {}, gone, { busy, old } };
        QTest::newRow("apple: chosen one gone") << ConnectRow { true, { a, p }, true, false, {}, gone, { busy, old } };
        QTest::newRow("no calendars") << ConnectRow {
            false, {}, false, false, {}, {}, { busy, u"Connected to Google Calendar."_s }
        };
        QTest::newRow("google cancelled") << ConnectRow { false, { a, p }, true, true, {}, cancelled, { busy, off } };
        QTest::newRow("apple without full access")
            << ConnectRow { true, { a, p }, true, true, {}, noAccess, { busy, off } };
        QTest::newRow("google sign-in expired") << ConnectRow {
            false, { a, p }, false, false, Kind::authorizationExpired, expired, { busy, me, busy, off }
        };
        QTest::newRow("google API error")
            << ConnectRow { false, { a, p }, false, false, Kind::googleAPIError, quota, { busy, me, busy, me } };
        QTest::newRow("apple access denied")
            << ConnectRow { true, { a, p }, false, false, Kind::googleAPIError, denied, { busy, first, busy, first } };
    }

    void connect()
    {
        QFETCH(ConnectRow, row);
        const auto& [apple, calendars, chosenBefore, authorizationFails, refreshError, error, statusLog] = row;
        ModelHarness h;
        AppSnapshot snapshot;
        if (chosenBefore) {
            snapshot.settings.googleCalendar = { u"b"_s, u"Old"_s };
            snapshot.settings.appleCalendar = { u"b"_s, u"Old"_s };
        }
        loadWithCalendars(h, snapshot, false, false);
        h.google.calendars = calendars;
        for (const auto& c : calendars)
            h.apple.calendars->append({ c.id, c.name, u"iCloud"_s });
        if (authorizationFails) {
            h.google.authorizeError = { Kind::authorizationCancelled, {} };
            h.apple.authorizeError = { AppleCalendarServiceError::Kind::fullAccessRequired, {} };
        }
        const CalendarService s { h, apple, kRange };
        QStringList log;
        qsizetype listedWhenSignalled = 0;
        QObject::connect(&s.base(), &CalendarConnectionBase::busyChanged, h.model.get(), [&log, &s] {
            log << s.base().statusText();
        });
        QObject::connect(&s.base(), &CalendarConnectionBase::calendarsChanged, h.model.get(), [&] {
            listedWhenSignalled = s.listed();
        });
        s.connect();
        if (refreshError) {
            h.google.calendars = Unexpected(GoogleCalendarServiceError { *refreshError, u"Quota exceeded"_s });
            h.apple.calendars =
                Unexpected(AppleCalendarServiceError { AppleCalendarServiceError::Kind::accessDenied, {} });
            s.refresh();
        }
        QCOMPARE(log, statusLog);
        QCOMPARE(s.listed(), log.last() == u"Not connected."_s ? 0 : calendars.size());
        QCOMPARE(listedWhenSignalled, s.listed()); // every change of the list was told
        QVERIFY2(
            error.isEmpty() ? !h.model->errorMessage() : h.errorText().startsWith(error), qPrintable(h.errorText()));
        QCOMPARE(h.saved().settings, h.model->settings());
    }

    // A chosen calendar gone from the list stays chosen, and no draft sends entries to it.
    void goneCalendarIsOfferedToNoProject()
    {
        ModelHarness h;
        const Project acme = testProject(u"Acme"_s);
        AppSnapshot snapshot = snapshotOf({ acme }, { testEntry(acme, kDay, 1800) });
        snapshot.settings.googleCalendar = { u"gone"_s, u"Gone"_s };
        loadWithCalendars(h, snapshot);
        QTRY_COMPARE(h.model->googleCalendar().calendars().size(), 2);
        QCOMPARE(h.errorText(), u"The selected calendar “Gone” is no longer listed. Choose another one."_s);
        QCOMPARE(h.model->settings().googleCalendar.selectedCalendarID, u"gone"_s);
        const auto draft = h.model->googleCalendar().exportDraft(kRange);
        QCOMPARE(draft.value().projectSelections.value(0).calendarID, std::nullopt);
    }

    // The account is the primary calendar's id, from the list last fetched for this sign-in.
    void googleAccountFollowsTheConnection()
    {
        ModelHarness h;
        loadWithCalendars(h);
        GoogleCalendarConnection& google = h.model->googleCalendar();
        QTRY_COMPARE(h.model->googleCalendarAccount(), u"me"_s);
        QCOMPARE(google.accountText(), u"Signed in as me"_s);
        QCOMPARE(h.model->desktopCalendar().accountText(), QString());

        h.google.calendars = QList<GoogleCalendarListItem> { { u"other@example.com"_s, u"Other"_s, true } };
        QCoro::waitFor(google.refresh());
        QCOMPARE(h.model->googleCalendarAccount(), u"other@example.com"_s);

        // Connected again, maybe as someone else: the old account is not shown for the new one.
        h.google.calendars = Unexpected(GoogleCalendarServiceError { Kind::googleAPIError, u"Quota exceeded"_s });
        QCoro::waitFor(google.connectService());
        QCOMPARE(h.model->googleCalendarAccount(), std::nullopt);
        h.google.calendars = QList<GoogleCalendarListItem> { { u"me"_s, u"Me"_s, true } };
        QCoro::waitFor(google.refresh());
        QCOMPARE(h.model->googleCalendarAccount(), u"me"_s);

        QCoro::waitFor(google.disconnectService());
        QCOMPARE(h.model->googleCalendarAccount(), std::nullopt);
    }

    void disconnectForgetsOnlyAppleChoice()
    {
        ModelHarness h;
        loadWithCalendars(h);
        h.google.deleteError = { Kind::googleAPIError, u"Keyring locked"_s };
        GoogleCalendarConnection& google = h.model->googleCalendar();
        QCoro::waitFor(google.disconnectService());
        QVERIFY(h.model->errorMessage() && google.hasAuthorization()); // still signed in
        h.google.deleteError.reset();
        QCoro::waitFor(google.disconnectService());
        QCoro::waitFor(h.model->desktopCalendar().disconnectService());
        QVERIFY(!h.google.storedToken && !google.hasAuthorization() && !h.model->desktopCalendar().hasAuthorization());
        QVERIFY(google.calendars().isEmpty() && h.model->desktopCalendar().calendars().isEmpty());
        QCOMPARE(h.model->settings().googleCalendar, GoogleCalendarSettings({ u"me"_s, u"Me"_s }));
        QCOMPARE(h.saved().settings.appleCalendar, AppleCalendarSettings());
    }

    // service, situation, error text; nothing reaches a service
    void draftOrExportRefused_data()
    {
        QTest::addColumn<RefusalRow>("row");
        const QString google = u"Connect Google Calendar and refresh calendars first."_s;
        const QString apple = u"Connect Apple Calendar and refresh calendars first."_s;
        const QString noEntries = u"There are no entries in the selected range to export."_s;
        const QString noProjects = u"There are no projects in the selected range to export."_s;
        const QString choose = u"Choose at least one selected project with a calendar first."_s;
        QTest::newRow("google no calendars") << RefusalRow { false, Setup::noCalendars, google };
        QTest::newRow("nothing in range") << RefusalRow { false, Setup::nothingInRange, noEntries };
        QTest::newRow("only deleted projects") << RefusalRow { true, Setup::onlyDeletedProjects, noProjects };
        QTest::newRow("apple disconnected after draft") << RefusalRow { true, Setup::disconnectedAfterDraft, apple };
        QTest::newRow("no selected project with a calendar") << RefusalRow { false, Setup::nothingAssigned, choose };
    }

    void draftOrExportRefused()
    {
        QFETCH(RefusalRow, row);
        const auto& [apple, setup, expected] = row;
        ModelHarness h;
        const CalendarService s { h, apple, kRange };
        const Project acme = testProject(u"Acme"_s), other = testProject(u"Other"_s);
        AppSnapshot snapshot =
            snapshotOf({ acme, other }, { testEntry(acme, kDay, 1800), testEntry(other, kDay, 1800) });
        if (setup == Setup::nothingInRange) // the day before, ending where the range begins, starting where it ends
            snapshot.entries = { testEntry(acme, kDay - 30 * kHour, 1800),
                testEntry(acme, kRange.lower - 1800, 1800),
                testEntry(acme, kRange.upper, 1800) };
        if (setup == Setup::onlyDeletedProjects)
            snapshot.entries = { testEntry(testProject(u"Gone"_s), kDay, 1800) };
        loadWithCalendars(h, snapshot, true, setup != Setup::noCalendars);
        std::optional<Draft> draft = s.draft();
        QCOMPARE(draft.has_value(), setup >= Setup::disconnectedAfterDraft);
        if (setup == Setup::disconnectedAfterDraft)
            s.disconnect();
        if (setup == Setup::nothingAssigned) { // a blank calendar, and a calendar of an unselected project
            draft->projectSelections[0].calendarID = u"  "_s;
            draft->projectSelections[1].isSelected = false;
        }
        if (draft)
            s.exportDraft(*draft);
        QCOMPARE(h.model->errorMessage(), expected);
        QVERIFY(h.google.exportCalls.isEmpty() && h.apple.exportCalls.isEmpty());
    }

    void draftAndExport_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::newRow("google") << false;
        QTest::newRow("apple") << true;
    }

    void draftAndExport()
    {
        QFETCH(bool, apple);
        ModelHarness h;
        const CalendarService s { h, apple, kRange };
        const Project a = testProject(u"a"_s), b = testProject(u"B"_s), c = testProject(u"c"_s),
                      d = testProject(u"D"_s), e = testProject(u"e"_s, true);
        const TimeEntry a1 = testEntry(a, kDay - 3 * kHour, 1800), c1 = testEntry(c, kDay - 2 * kHour, 1800),
                        b1 = testEntry(b, kDay - kHour, 1800), d1 = testEntry(d, kDay - kHour / 2, 1800),
                        a2 = testEntry(a, kDay, 1800), e1 = testEntry(e, kDay + kHour, 1800),
                        aOld = testEntry(a, kDay - 30 * kHour, 1800);
        AppSnapshot snapshot = snapshotOf({ c, e, b, a, d }, { a1, c1, b1, d1, a2, e1, aOld });
        // The draft's order: by name ignoring case, archived projects too, equal names as stored.
        QList<std::pair<QUuid, int>> listed,
            expected { { a.id, 2 }, { b.id, 1 }, { c.id, 1 }, { d.id, 1 }, { e.id, 1 } };
        for (int i = 0; i < 24; ++i) { // equal names, enough that an unstable sort would shuffle them
            snapshot.projects.append(testProject(i % 2 ? u"Same"_s : u"same"_s));
            snapshot.entries.append(testEntry(snapshot.projects.last(), kDay, 1800));
            expected.append({ snapshot.projects.last().id, 1 });
        }
        // a1 was exported before; a hand-edited file holds two links of aOld into one calendar.
        for (const auto& [linked, event] : { std::pair(a1, u"old"_s), { aOld, u"first"_s }, { aOld, u"second"_s } }) {
            snapshot.googleCalendarEventLinks.append({ QUuid::createUuid(), linked.id, u"work"_s, event, 1000 });
            snapshot.appleCalendarEventLinks.append({ QUuid::createUuid(), linked.id, u"work"_s, event, 1000 });
        }
        loadWithCalendars(h, snapshot);
        // The link the fakes answer for an exported entry, and the links saved, in any order.
        const auto exported = [apple](const TimeEntry& t, const QString& calendar) {
            return linkText(t.id, calendar, (apple ? u""_s : u"event-"_s) + t.id.toString(QUuid::WithoutBraces));
        };
        const auto checkSavedLinks = [&h, apple](QStringList links) {
            const AppSnapshot data = h.saved();
            links.sort();
            QCOMPARE(apple ? linkTexts(data.appleCalendarEventLinks) : linkTexts(data.googleCalendarEventLinks), links);
        };

        // Each project selected, into the chosen calendar.
        Draft draft = s.draft().value();
        auto& rows = draft.projectSelections;
        for (const auto& row : rows) {
            QVERIFY(row.isSelected && row.calendarID == (apple ? u"home"_s : u"me"_s));
            listed.append({ row.projectID, row.entryCount });
        }
        QCOMPARE(listed, expected);

        rows.resize(5); // a to e
        rows[0].calendarID = u"work"_s;
        rows[1].calendarID = u" home "_s;
        rows[2].calendarID.reset();
        rows[3].isSelected = false;
        rows[4].calendarID = u"\t"_s;
        s.exportDraft(draft);
        const auto checkCall = [&](const auto& calls) {
            QCOMPARE(calls.size(), 1);
            QCOMPARE(calls[0].entries, QList({ a2, b1, a1 }));
            QCOMPARE(calls[0].projects, snapshot.projects);
            const QHash<QUuid, QString> assignments { { a.id, u"work"_s }, { b.id, u"home"_s } };
            QCOMPARE(calls[0].calendarAssignments, assignments);
            QCOMPARE(linkTexts(calls[0].existingLinks), linkTexts(snapshot.googleCalendarEventLinks));
        };
        apple ? checkCall(h.apple.exportCalls) : checkCall(h.google.exportCalls);
        QCOMPARE(h.model->successMessage(),
            u"Exported 3 entries to %1 Calendar. Skipped 2 selected projects without a calendar."_s.arg(s.name()));
        // a1's link into "work" is replaced, and of aOld's two the later one stays.
        QStringList links { linkText(aOld.id, u"work"_s, u"second"_s), exported(a1, u"work"_s) };
        links << exported(a2, u"work"_s) << exported(b1, u"home"_s);
        checkSavedLinks(links);

        // B again into a second calendar: the link into the first one stays beside the new one.
        // C, still without a calendar, is the one project skipped.
        for (auto& row : rows)
            row.isSelected = row.projectID == b.id || row.projectID == rows[2].projectID;
        rows[1].calendarID = u"work"_s;
        s.exportDraft(draft);
        QCOMPARE(h.model->successMessage(),
            u"Exported 1 entry to %1 Calendar. Skipped 1 selected project without a calendar."_s.arg(s.name()));
        links << exported(b1, u"work"_s);
        checkSavedLinks(links);

        // B once more: the service rewrites the event, then stops. The link it returned is kept.
        const QUuid id = QUuid::createUuid();
        h.google.exportAnswer = [&](const auto&) {
            return GoogleCalendarExportResult { { { id, b1.id, u"work"_s, u"new"_s, 1000 } },
                GoogleCalendarServiceError { Kind::googleAPIError, u"Quota exceeded"_s } };
        };
        h.apple.exportAnswer = [&](const auto&) {
            return AppleCalendarExportResult { { { id, b1.id, u"work"_s, u"new"_s, 1000 } },
                AppleCalendarServiceError { AppleCalendarServiceError::Kind::missingCalendar, u"cal-9"_s } };
        };
        s.exportDraft(draft);
        QVERIFY(h.errorText().startsWith(u"Could not export to"_s));
        links.replace(links.indexOf(exported(b1, u"work"_s)), linkText(b1.id, u"work"_s, u"new"_s));
        checkSavedLinks(links);
    }

    void eventNotes()
    {
        const Project acme = testProject(u"Acme"_s);
        const QString head = u"Project: Acme\nTracked: "_s, tail = u" h\nSource: Tivren"_s;
        const NotesRow notes[] = { { u" Done.\n"_s, 5400, u"Done.\n\n"_s + head + u"1.50"_s + tail },
            { u" \n\t"_s, 3599, head + u"1.00"_s + tail },
            { QString(), -600, head + u"0.00"_s + tail } }; // notes trimmed, blank, an end before the start
        for (const auto& [written, duration, expected] : notes) {
            const TimeEntry e = testEntry(acme, kDay, duration, written);
            QCOMPARE(CalendarExportSupport::eventNotes(e, acme, QLocale(u"en"_s)), expected);
            // In every language: as many lines, and the hours with a full stop.
            const QString hours = expected.section(u"Tracked: "_s, 1).section(u' ', 0, 0);
            for (const QString& language : AppStrings::tableIdentifiers()) {
                const QString text = CalendarExportSupport::eventNotes(e, acme, QLocale(language));
                QVERIFY2(
                    text.contains(hours) && text.count(u'\n') == expected.count(u'\n'), qPrintable(language + text));
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_AppModelCalendar)
#include "tst_AppModelCalendar.moc"
