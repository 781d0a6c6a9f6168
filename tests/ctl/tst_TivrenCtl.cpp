// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/TivrenRepository.h"
#include "core/datafile/Uuid.h"
#include "platform/session/ControlService.h"
#include "support/ModelHarness.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QString csvHeader = u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes"_s;

struct Run
{
    int code; // -1: crashed, or killed after the time limit
    QString out;
    QString err;
};

// The real tivrenctl, in the time zone given or the test's own, standard output to a file if one is
// given. The test's event loop keeps turning: this process serves Tivren's bus name for the control verbs.
Run run(const QStringList& args, const QString& zone = {}, const QString& outputFile = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!zone.isEmpty())
        environment.insert(u"TZ"_s, zone);
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(TIVRENCTL), args);
    const QDeadlineTimer deadline(30000);
    while (!process.waitForFinished(5) && process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QCoreApplication::processEvents();
    process.kill();
    process.waitForFinished();
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

// A report of whole local days (or of instants).
Run report(const QString& from,
    const QString& to,
    const QString& data,
    const QStringList& more = {},
    const QString& zone = {},
    const QString& outputFile = {})
{
    return run(
        QStringList { u"report"_s, u"--from"_s, from, u"--to"_s, to, u"--data"_s, data } + more, zone, outputFile);
}

// printf's own rendering, the reference for amounts of any size.
QString printfFixed2(double value)
{
    QByteArray text(std::snprintf(nullptr, 0, "%.2f", value), '\0');
    std::snprintf(text.data(), size_t(text.size()) + 1, "%.2f", value);
    return QString::fromLatin1(text);
}

// The table row of a project (or Total), its columns separated by single spaces.
QString tableRow(const QString& table, const QString& name)
{
    const QStringList lines = table.split(u'\n').filter(QRegularExpression(u"^"_s + name + u' '));
    return lines.isEmpty() ? QString() : lines.first().simplified();
}

TimeEntry entryAt(const Project& project, const char* start, Seconds length, const QString& notes = {})
{
    return testEntry(project, *Iso8601::parse(QByteArrayView(start)), length, notes);
}

} // namespace

class tst_TivrenCtl : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<ModelHarness> h; // a running Tivren on this test's private bus, for the control verbs
    std::unique_ptr<ControlService> m_service;
    int m_shows = 0;
    Project acme, acorn, beta;

    QString writeData(const QString& name, const QList<Project>& projects, const QList<TimeEntry>& entries)
    {
        if (!TivrenRepository::writeFile(m_dir.filePath(name), snapshotOf(projects, entries, u"EUR"_s)))
            qFatal("could not write the test data file");
        return m_dir.filePath(name);
    }

    void serve(ControlService* service)
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(ControlService::objectPath));
        QVERIFY(service->registerOn(bus));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(run({ u"status"_s }).err, u"tivrenctl: Tivren is not running\n"_s);
        const Run projects = run({ u"projects"_s });
        QCOMPARE(std::tuple(projects.code, projects.out, projects.err),
            std::tuple(1, QString(), u"tivrenctl: Tivren is not running\n"_s));
        const Run panel = run({ u"status"_s, u"--waybar"_s });
        QCOMPARE(std::tuple(panel.code, panel.err), std::tuple(0, QString()));
        QCOMPARE(QJsonDocument::fromJson(panel.out.toUtf8()).object().value(u"class"_s), u"idle"_s);
        QVERIFY(QDBusConnection::sessionBus().registerService(QString::fromLatin1(ControlService::serviceName)));
        // TZ is Europe/Amsterdam (UTC+1 in March): 2026-03-02 runs from 2026-03-01T23:00:00Z.
        const Project acme = testProject(u"Acme"_s);
        Project hobby = testProject(u"Hobby"_s);
        hobby.hourlyRate.reset();
        hobby.billingIncrementMinutes = 60;
        m_path = writeData(u"tivren-data.json"_s,
            { acme, hobby },
            { entryAt(acme, "2026-03-01T22:50:00Z", 1200, u"late"_s), // 10 of its minutes are on 2 March
                entryAt(acme, "2026-03-02T08:00:00Z", 3000, u"design, \"v2\""_s),
                entryAt(hobby, "2026-03-02T12:00:00Z", 1800),
                entryAt(acme, "2026-03-03T08:00:00Z", 3600, u"next day"_s),
                // Tivren drops entries that do not end after they start when it loads; reports must agree.
                entryAt(acme, "2026-03-02T10:00:00Z", 0, u"broken"_s),
                entryAt(acme, "2026-03-02T11:00:00Z", -1200, u"broken"_s) });
    }

    void init()
    {
        m_service.reset();
        h = std::make_unique<ModelHarness>();
        acme = h->addProject(u"Acme"_s);
        acorn = h->addProject(u"Acorn"_s);
        beta = h->addProject(u"Beta"_s);
        m_service = std::make_unique<ControlService>(*h->model,
            ControlService::WindowActions { [this] {
                                               ++m_shows;
                                           },
                [] {} });
        serve(m_service.get());
    }

    // A reader only: the file stays as it was, and an absent one reads as empty.
    void reportsOfLocalDaysAndInstants()
    {
        const QDateTime modified = QFileInfo(m_path).lastModified();
        const Run r = report(u"2026-03-02"_s, u"2026-03-02"_s, m_path, { u"--csv"_s });
        QVERIFY2(r.code == 0 && r.err.isEmpty(), qPrintable(r.err));
        // Newest first; quotes doubled; the entry that began on 1 March counts in full.
        QCOMPARE(r.out,
            csvHeader
                + u"\n\"Hobby\",\"2026-03-02T12:00:00Z\",\"2026-03-02T12:30:00Z\",1.00,,,\"\"\n"
                  "\"Acme\",\"2026-03-02T08:00:00Z\",\"2026-03-02T08:50:00Z\",1.00,80.00,80.00,\"design, \"\"v2\"\"\"\n"
                  "\"Acme\",\"2026-03-01T22:50:00Z\",\"2026-03-01T23:10:00Z\",0.25,80.00,20.00,\"late\""_s);
        const Run table = report(u"2026-03-01T00:00:00Z"_s, u"2026-03-04T00:00:00+01:00"_s, m_path);
        QVERIFY2(table.code == 0 && table.out.contains(u"Amount (EUR)"_s), qPrintable(table.out));
        QCOMPARE(tableRow(table.out, u"Acme"_s), u"Acme 2.17 2.50 200.00"_s);
        QCOMPARE(tableRow(table.out, u"Hobby"_s), u"Hobby 0.50 1.00 -"_s);
        QCOMPARE(tableRow(table.out, u"Total"_s), u"Total 2.67 3.50 200.00"_s);
        QCOMPARE(QFileInfo(m_path).lastModified(), modified);
        const QString none = m_dir.filePath(u"none.json"_s);
        QCOMPARE(report(u"2026-01-01"_s, u"2026-12-31"_s, none, { u"--csv"_s }).out, csvHeader);
        QVERIFY(!QFileInfo::exists(none));
    }

    // One short line naming what was wrong, with nothing in it a terminal would act on.
    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString r = u"report"_s, day = u"2026-03-01"_s, huge(100000, u'x');
        const auto range = [&](const QString& from, const QString& to, const QStringList& more = {}) {
            return QStringList { r, u"--from"_s, from, u"--to"_s, to } + more;
        };
        const QString folder = m_dir.filePath(u"a\nb"_s), broken = m_dir.filePath(u"broken.json"_s);
        QVERIFY(QDir().mkpath(folder));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\"entries\": [{}]}") > 0);
        const std::tuple<QStringList, int, QString> rows[] = {
            { {}, 2, u"no command"_s },
            { { u"bill"_s }, 2, u"unknown command 'bill'"_s },
            { { r, u"--form"_s, u"x"_s }, 2, u"unknown option '--form'"_s },
            { { r, u"--from"_s, day }, 2, u"both --from and --to"_s },
            { { r, u"--from"_s }, 2, u"--from needs a value"_s },
            { { r, u"--from="_s, u"--to=2026-03-01"_s }, 2, u"'' is neither"_s },
            { { r, u"-x"_s }, 2, u"unknown option '-x'"_s },
            { { r, u"--csv=yes"_s }, 2, u"unknown option '--csv=yes'"_s },
            { { r, u"--from"_s, day, u"march"_s }, 2, u"unknown option 'march'"_s },
            { { u"stop"_s, u"--json"_s }, 2, u"unexpected argument '--json' for stop"_s },
            { { u"start"_s, u"ac"_s }, 1, u"\"ac\" matches several projects: Acme, Acorn."_s },
            { { u"start"_s }, 2, u"start"_s },
            { { u"status"_s, u"--yaml"_s }, 2, u"--yaml"_s },
            { { u"status"_s, u"--waybar"_s, u"--json"_s }, 2, u"'--waybar'"_s },
            { { u"projects"_s, u"--all"_s }, 2, u"'--all' for projects"_s },
            { { u"away"_s }, 2, u"away needs keep, discard or stop"_s },
            { { u"away"_s, u"Keep"_s }, 2, u"away needs keep, discard or stop"_s },
            { { u"away"_s, u"stop"_s, u"now"_s }, 2, u"away needs keep, discard or stop"_s },
            { { u"away"_s, u"keep"_s }, 1, u"No question about time away is open"_s },
            { range(u"2026-02-30"_s, day), 2, u"'2026-02-30' is neither"_s },
            { range(u"2026-03-01T08:00:00"_s, day), 2, u"is neither"_s },
            { range(u"2026-03-02T00:00:00Z"_s, u"2026-03-01T00:00:00Z"_s),
                2,
                u"(2026-03-02T00:00:00Z) is after --to"_s },
            { range(u"\x1b[2J"_s, day), 2, u"'\\x1b[2J'"_s },
            { range(day, huge), 2, QString(u'\'' + QString(59, u'x')) },
            { { u"\x1b]0;title\x07"_s }, 2, u"'\\x1b]0;title\\x07'"_s },
            { { u"stop"_s, u"abc\u202Edef"_s }, 2, u"'abc\\u202edef'"_s },
            { range(day, day, { u"--data"_s, folder }), 1, u"/a\\nb: "_s },
            { { u"start"_s, u"Acme\n\x1b[2J"_s + huge }, 1, u"\"Acme\\n\\x1b[2Jxxx"_s }, // echoed by Tivren
            { range(day, day, { u"--data"_s, broken }), 1, u"entries[0].id"_s },
        };
        for (const auto& [args, code, message] : rows)
            QTest::addRow("%s", qPrintable(message.left(40))) << args << code << message;
    }

    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = run(args);
        QTEST(r.code, "code");
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.startsWith(u"tivrenctl: "_s) && r.err.contains(message), qPrintable(r.err));
        QVERIFY2(r.err.count(u'\n') == 1 && r.err.endsWith(u'\n') && r.err.size() < 200, qPrintable(r.err));
        for (const QChar c : r.err.chopped(1))
            QVERIFY2(c.category() != QChar::Other_Control && c != u'\u202E', qPrintable(r.err));
        // A reader keeps no copies of a file it cannot read.
        QVERIFY(QDir(m_dir.path()).entryList({ u"*.unreadable*"_s }).isEmpty());
    }

    // "--from X" and "--from=X" are one option, in any order, and the last of a repeated one counts.
    void optionForms()
    {
        const QString d = u"2026-03-02"_s, old = u"2020-01-01"_s, data = u"--data="_s + m_path;
        for (const QStringList& args : { QStringList { u"--from="_s + d, u"--to="_s + d, data },
                 QStringList { u"--data"_s, m_path, u"--to="_s + d, u"--from"_s, d },
                 QStringList { u"--from="_s + old, u"--from"_s, d, u"--to"_s, old, u"--to="_s + d, data },
                 QStringList { u"--from"_s, d, u"--to"_s, d, u"--data"_s, u"--csv"_s, data } }) {
            const Run r = run(QStringList { u"report"_s, u"--csv"_s } + args);
            QVERIFY2(r.code == 0 && r.err.isEmpty(), qPrintable(args.join(u' ') + r.err));
            QCOMPARE(r.out.count(u'\n'), 3); // the header and the three entries of 2 March
        }
    }

    // A report lost on a full disk fails; one line, however the exit races Qt's D-Bus thread.
    void failuresAreOneLine()
    {
        for (const QStringList& more : { QStringList {}, QStringList { u"--csv"_s } }) {
            const Run r = report(u"2026-03-01"_s, u"2026-03-31"_s, m_path, more, {}, u"/dev/full"_s);
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.startsWith(u"tivrenctl: could not write to standard output"_s), qPrintable(r.err));
            QCOMPARE(r.err.count(u'\n'), 1);
        }
        for (int i = 0; i < 40; ++i) {
            const Run r = run({ u"start"_s, u"Nope"_s });
            QCOMPARE(r.code, 1);
            QCOMPARE(r.err, u"tivrenctl: No active project is called \"Nope\".\n"_s);
        }
    }

    // Amounts print every digit printf would, in the CSV and the table alike.
    void hugeAmounts_data()
    {
        QTest::addColumn<double>("rate");
        QTest::newRow("62 digits") << 1e61;
        QTest::newRow("301 digits") << 1e300;
        QTest::newRow("past the largest double") << 1.5e308; // two hours overflow to infinity
    }

    void hugeAmounts()
    {
        QFETCH(double, rate);
        Project big = testProject(u"Big"_s);
        big.hourlyRate = rate;
        big.billingIncrementMinutes = 60;
        const QString path = writeData(u"big.json"_s, { big }, { entryAt(big, "2026-03-02T09:00:00Z", 7200) });
        const QString amount = printfFixed2(2 * rate);
        QCOMPARE(report(u"2026-03-02"_s, u"2026-03-02"_s, path, { u"--csv"_s }).out.section(u'\n', 1),
            u"\"Big\",\"2026-03-02T09:00:00Z\",\"2026-03-02T11:00:00Z\",2.00,%1,%2,\"\""_s.arg(
                printfFixed2(rate), amount));
        const Run table = report(u"2026-03-02"_s, u"2026-03-02"_s, path);
        QCOMPARE(tableRow(table.out, u"Big"_s), u"Big 2.00 2.00 "_s + amount);
        QCOMPARE(tableRow(table.out, u"Total"_s), u"Total 2.00 2.00 "_s + amount);
    }

    // Havana turns its clocks back from 01:00 to 00:00 on 2 November 2025: the first 00:30 is that day's.
    void dayWhoseMidnightRepeats()
    {
        const Project acme = testProject(u"Acme"_s);
        const QString path = writeData(u"havana.json"_s,
            { acme },
            { entryAt(acme, "2025-11-02T03:30:00Z", 900, u"23:30 the day before"_s),
                entryAt(acme, "2025-11-02T04:30:00Z", 900, u"first 00:30"_s),
                entryAt(acme, "2025-11-02T05:30:00Z", 900, u"second 00:30"_s),
                entryAt(acme, "2025-11-03T04:30:00Z", 900, u"23:30"_s),
                entryAt(acme, "2025-11-03T05:30:00Z", 900, u"00:30 the day after"_s) });
        const Run r = report(u"2025-11-02"_s, u"2025-11-02"_s, path, { u"--csv"_s }, u"America/Havana"_s);
        QCOMPARE(r.code, 0);
        QStringList notes;
        for (const QString& line : r.out.split(u'\n').mid(1))
            notes << line.section(u',', 6);
        QCOMPARE(notes, (QStringList { u"\"23:30\""_s, u"\"second 00:30\""_s, u"\"first 00:30\""_s }));
    }

    // "Done" means on disk: the file is read the moment tivrenctl returns, without waiting for the model.
    void drivingTheTimer()
    {
        QCOMPARE(run({ u"start"_s, UuidText::upper(beta.id) }).code, 0);
        QCOMPARE(TivrenRepository::readFile(h->dataFile)->activeSession->projectID, beta.id);
        h->advance(75);
        QCOMPARE(run({ u"start"_s, u"BETA"_s }).code, 0); // any case; start keeps a running timer going
        QCOMPARE(run({ u"status"_s }).out, u"Beta 00:01:15\n"_s);
        h->model->updatePomodoroEnabled(true);
        h->advance(60);
        const QJsonObject status = QJsonDocument::fromJson(run({ u"status"_s, u"--json"_s }).out.toUtf8()).object();
        QCOMPARE(status,
            QJsonObject({ { u"project"_s, u"Beta"_s },
                { u"projectID"_s, UuidText::upper(beta.id) },
                { u"tracking"_s, true },
                { u"elapsedSeconds"_s, 135 },
                { u"pomodoroPhase"_s, u"work"_s },
                { u"pomodoroRemainingSeconds"_s, 1440 } }));
        QCOMPARE(run({ u"status"_s }).out, u"Beta 00:02:15 · Work 24:00 left\n"_s);
        QCOMPARE(run({ u"skip"_s }).code, 0);
        QCOMPARE(run({ u"status"_s }).out, u"Not tracking · Short break 05:00 left\n"_s);
        QCOMPARE(run({ u"toggle"_s, u"acme"_s }).code, 0);
        QCOMPARE(h->model->activeProject(), acme);
        QCOMPARE(run({ u"toggle"_s, u"acme"_s }).code, 0);
        QCOMPARE(h->model->activeSession(), std::nullopt);
        QCOMPARE(run({ u"start"_s, u"aco"_s }).code, 0); // the one project it starts
        QCOMPARE(h->model->activeProject(), acorn);
        h->advance(60);
        QCOMPARE(run({ u"stop"_s }).code, 0);
        QCOMPARE(h->model->pomodoroPhase(), std::nullopt);
        const AppSnapshot onDisk = *TivrenRepository::readFile(h->dataFile);
        QCOMPARE(onDisk.activeSession, std::nullopt);
        QCOMPARE(onDisk.entries, h->model->entries());
        QCOMPARE(run({ u"show"_s }).code, 0);
        QCOMPARE(m_shows, 1);

        // A change that could not be written is not confirmed.
        h->blockDataFolder();
        const Run refused = run({ u"start"_s, u"beta"_s });
        QVERIFY2(
            refused.code == 1 && refused.err.contains(u"could not be saved yet"_s) && refused.err.count(u'\n') == 1,
            qPrintable(refused.err));
    }

    // The question about time away shows in status --json until `away` answers it, on disk.
    void answeringTimeAway()
    {
        changeSettings(*h->model, [](AppSettings& s) {
            s.awayQuestionEnabled = true;
        });
        const Instant start = h->clock.time;
        h->model->startTracking(beta);
        h->advance(40 * 60);
        h->idleMonitor.away(start + 10 * 60, start + 40 * 60);
        const auto status = [] {
            return QJsonDocument::fromJson(run({ u"status"_s, u"--json"_s }).out.toUtf8()).object();
        };
        QCOMPARE(status().value(u"away"_s),
            QJsonObject({ { u"since"_s, u"2026-03-01T08:10:00Z"_s }, { u"minutes"_s, 30 } }));
        h->advance(60);
        const Run answered = run({ u"away"_s, u"discard"_s });
        QCOMPARE(std::tuple(answered.code, answered.out, answered.err), std::tuple(0, QString(), QString()));
        QVERIFY(!status().contains(u"away"_s));
        const AppSnapshot onDisk = *TivrenRepository::readFile(h->dataFile); // on disk before the reply
        QCOMPARE(onDisk.awayQuestion, std::nullopt);
        QCOMPARE(onDisk.entries.size(), 1);
        QCOMPARE(onDisk.entries.first().endDate, start + 10 * 60);
        QCOMPARE(onDisk.activeSession, (ActiveTimerSession { beta.id, start + 41 * 60 }));
        const Run again = run({ u"away"_s, u"stop"_s });
        QVERIFY2(
            again.code == 1 && again.err.contains(u"No question about time away is open"_s), qPrintable(again.err));
        QCOMPARE(h->model->activeSession(), onDisk.activeSession);
    }

    // A picker gets one pickable name per line and hands it back to start as it is; a panel gets
    // waybar's JSON in every state.
    void pickersAndPanels()
    {
        h->addProject(u"Two\nlines"_s);
        h->addProject(u"Old"_s, 80, true);
        const Project spaced = h->addProject(u"Zeta & Co"_s);
        const Run listed = run({ u"projects"_s });
        QVERIFY2(listed.code == 0 && listed.err.isEmpty(), qPrintable(listed.err));
        QCOMPARE(listed.out, u"Acme\nAcorn\nBeta\nZeta & Co\n"_s);
        QCOMPARE(run({ u"start"_s, listed.out.split(u'\n').at(3) }).code, 0);
        QCOMPARE(h->model->activeProject(), spaced);

        const auto waybar = [] {
            const Run r = run({ u"status"_s, u"--waybar"_s });
            return std::pair { r.code, QJsonDocument::fromJson(r.out.toUtf8()).object() };
        };
        h->advance(5);
        QCOMPARE(waybar(),
            std::pair(0,
                QJsonObject { { u"text"_s, u"Zeta &amp; Co 00:00:05"_s },
                    { u"tooltip"_s, u"Tracking Zeta &amp; Co for 00:00:05"_s },
                    { u"class"_s, u"tracking"_s },
                    { u"alt"_s, u"tracking"_s } }));
        h->model->updatePomodoroEnabled(true);
        QCOMPARE(run({ u"skip"_s }).code, 0);
        QCOMPARE(waybar().second.value(u"class"_s), u"break"_s);
        QCOMPARE(run({ u"stop"_s }).code, 0);
        QCOMPARE(waybar().second.value(u"class"_s), u"idle"_s);
    }

    void refusedWhileLoading()
    {
        ModelHarness loading({ false, false }, ModelHarness::Load::later);
        ControlService early(*loading.model, { [] {}, [] {} });
        serve(&early);
        for (const QString& verb : { u"stop"_s, u"skip"_s }) {
            const Run r = run({ verb });
            QVERIFY2(r.code == 1 && r.err.contains(u"Tivren is still loading"_s), qPrintable(r.err));
        }
        QCOMPARE(run({ u"status"_s }).out, u"Not tracking\n"_s); // reading is fine
        QVERIFY(!QFileInfo::exists(loading.dataFile));
    }
};

QTEST_GUILESS_MAIN(tst_TivrenCtl)
#include "tst_TivrenCtl.moc"
