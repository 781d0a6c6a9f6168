#include "core/datafile/TivrenRepository.h"
#include "platform/session/ControlService.h"
#include "support/ModelHarness.h"
#include "support/TestRecords.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

struct Run
{
    int code;
    QString out;
    QString err;
};

struct Launch
{
    QByteArray zone; // TZ of the run; the test's own when empty
    QString standardOutput; // a file instead of the pipe
};

// Runs the real tivrenctl. This process serves Tivren's bus name for the control verbs, so its
// event loop keeps turning while it waits.
Run run(const QStringList& args, const Launch& launch = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!launch.zone.isEmpty())
        environment.insert(u"TZ"_s, QString::fromLatin1(launch.zone));
    process.setProcessEnvironment(environment);
    if (!launch.standardOutput.isEmpty())
        process.setStandardOutputFile(launch.standardOutput);
    process.start(QStringLiteral(TIVRENCTL), args);
    const QDeadlineTimer deadline(30000);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        process.waitForFinished(5);
        QCoreApplication::processEvents();
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return { -1, {}, u"tivrenctl hung"_s };
    }
    const bool exited = process.exitStatus() == QProcess::NormalExit;
    return { exited ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

// A report of whole local days.
Run report(const QString& from,
    const QString& to,
    const QString& dataFile,
    const QStringList& more = {},
    const Launch& launch = {})
{
    return run(QStringList { u"report"_s, u"--from"_s, from, u"--to"_s, to, u"--data"_s, dataFile } + more, launch);
}

// printf's own rendering, the reference for amounts of any size.
QString printfFixed2(double value)
{
    const int size = std::snprintf(nullptr, 0, "%.2f", value);
    QByteArray text(size, '\0');
    std::snprintf(text.data(), size_t(size) + 1, "%.2f", value);
    return QString::fromLatin1(text);
}

// The table row of a project (or Total), its columns separated by single spaces.
QString tableRow(const QString& table, const QString& name)
{
    for (const QString& line : table.split(u'\n')) {
        if (line.startsWith(name + u' '))
            return line.simplified();
    }
    return {};
}

TimeEntry entryAt(const Project& project, const char* start, Seconds length, const QString& notes = {})
{
    return testEntry(project, *Iso8601::parse(QByteArrayView(start)), length, notes);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_TivrenCtl : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<ModelHarness> m_tivren;
    std::unique_ptr<ControlService> m_service;

    QString writeData(const QString& name, const QList<Project>& projects, const QList<TimeEntry>& entries)
    {
        const QString path = m_dir.filePath(name);
        AppSnapshot snapshot;
        snapshot.projects = projects;
        snapshot.entries = entries;
        snapshot.settings.currencyCode = u"EUR"_s;
        if (!TivrenRepository::writeFile(path, snapshot))
            qFatal("could not write the test data file");
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A running Tivren on this test's private bus, for the control verbs.
        m_tivren = std::make_unique<ModelHarness>();
        m_tivren->addProject(u"Acme"_s);
        m_service = std::make_unique<ControlService>(*m_tivren->model, [] {});
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerService(QString::fromLatin1(ControlService::serviceName)));
        QVERIFY(bus.registerObject(
            QString::fromLatin1(ControlService::objectPath), m_service.get(), QDBusConnection::ExportScriptableSlots));

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
                entryAt(acme, "2026-03-03T08:00:00Z", 3600, u"next day"_s) });
    }

    void cleanupTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(ControlService::objectPath));
        bus.unregisterService(QString::fromLatin1(ControlService::serviceName));
    }

    // A reader only: the file stays as it was, and an absent one reads as empty.
    void csvForALocalDay()
    {
        const QByteArray before = readAll(m_path);
        const QDateTime modified = QFileInfo(m_path).lastModified();
        const Run r = report(u"2026-03-02"_s, u"2026-03-02"_s, m_path, { u"--csv"_s });
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        // Newest first; quotes doubled; the entry that began on 1 March counts in full.
        QCOMPARE(r.out,
            u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes\n"
            "\"Hobby\",\"2026-03-02T12:00:00Z\",\"2026-03-02T12:30:00Z\",1.00,,,\"\"\n"
            "\"Acme\",\"2026-03-02T08:00:00Z\",\"2026-03-02T08:50:00Z\",1.00,80.00,80.00,\"design, \"\"v2\"\"\"\n"
            "\"Acme\",\"2026-03-01T22:50:00Z\",\"2026-03-01T23:10:00Z\",0.25,80.00,20.00,\"late\""_s);
        QCOMPARE(readAll(m_path), before);
        QCOMPARE(QFileInfo(m_path).lastModified(), modified);

        const QString none = m_dir.filePath(u"none.json"_s);
        const Run empty = report(u"2026-01-01"_s, u"2026-12-31"_s, none, { u"--csv"_s });
        QCOMPARE(empty.code, 0);
        QCOMPARE(empty.out, u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes"_s);
        QVERIFY(!QFileInfo::exists(none));
    }

    void tableWithInstantBounds()
    {
        const Run r = report(u"2026-03-01T00:00:00Z"_s, u"2026-03-04T00:00:00+01:00"_s, m_path);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(u"Amount (EUR)"_s), qPrintable(r.out));
        QCOMPARE(tableRow(r.out, u"Acme"_s), u"Acme 2.17 2.50 200.00"_s);
        QCOMPARE(tableRow(r.out, u"Hobby"_s), u"Hobby 0.50 1.00 -"_s);
        QCOMPARE(tableRow(r.out, u"Total"_s), u"Total 2.67 3.50 200.00"_s);
    }

    // Every refusal is one short line naming what was wrong, and whatever was typed comes back with
    // nothing a terminal would act on.
    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString r = u"report"_s, day = u"2026-03-01"_s, huge(100000, u'x');
        const auto range = [&](const QString& from, const QString& to) {
            return QStringList { r, u"--from"_s, from, u"--to"_s, to };
        };
        QTest::newRow("no command") << QStringList {} << 2 << u"no command"_s;
        QTest::newRow("unknown command") << QStringList { u"bill"_s } << 2 << u"unknown command 'bill'"_s;
        QTest::newRow("unknown option") << QStringList { r, u"--form"_s, u"x"_s } << 2 << u"unknown option '--form'"_s;
        QTest::newRow("missing --to") << QStringList { r, u"--from"_s, day } << 2 << u"both --from and --to"_s;
        QTest::newRow("option without value") << QStringList { r, u"--from"_s } << 2 << u"--from needs a value"_s;
        QTest::newRow("unknown option with a value")
            << QStringList { r, u"--form=2026-03-01"_s } << 2 << u"unknown option '--form=2026-03-01'"_s;
        QTest::newRow("empty attached value")
            << QStringList { r, u"--from="_s, u"--to=2026-03-01"_s } << 2 << u"'' is neither"_s;
        QTest::newRow("unknown short option") << QStringList { r, u"-x"_s } << 2 << u"unknown option '-x'"_s;
        QTest::newRow("flag given a value")
            << QStringList { r, u"--csv=yes"_s } << 2 << u"unknown option '--csv=yes'"_s;
        QTest::newRow("stray word") << QStringList { r, u"--from"_s, day, u"march"_s } << 2
                                    << u"unknown option 'march'"_s;
        QTest::newRow("control verb option")
            << QStringList { u"stop"_s, u"--json"_s } << 2 << u"unexpected argument '--json' for stop"_s;
        QTest::newRow("bad date") << range(u"2026-02-30"_s, day) << 2 << u"'2026-02-30' is neither"_s;
        QTest::newRow("instant without zone") << range(u"2026-03-01T08:00:00"_s, day) << 2 << u"is neither"_s;
        QTest::newRow("reversed instants") << range(u"2026-03-02T00:00:00Z"_s, u"2026-03-01T00:00:00Z"_s) << 2
                                           << u"(2026-03-02T00:00:00Z) is after --to"_s;
        QTest::newRow("escape sequence as a date") << range(u"\x1b[2J"_s, day) << 2 << u"'\\x1b[2J'"_s;
        QTest::newRow("huge date") << range(day, huge) << 2 << QString(u'\'' + QString(59, u'x'));
        QTest::newRow("command") << QStringList { u"\x1b]0;title\x07"_s } << 2 << u"'\\x1b]0;title\\x07'"_s;
        QTest::newRow("bidirectional override")
            << QStringList { u"stop"_s, u"abc\u202Edef"_s } << 2 << u"'abc\\u202edef'"_s;
        const QString folder = m_dir.filePath(u"a\nb"_s);
        QVERIFY(QDir().mkpath(folder));
        QTest::newRow("data file") << range(day, day) + QStringList { u"--data"_s, folder } << 1 << u"/a\\nb: "_s;
        QTest::newRow("project name, echoed by Tivren")
            << QStringList { u"start"_s, u"Acme\n\x1b[2J"_s + huge } << 1 << u"\"Acme\\n\\x1b[2Jxxx"_s;
        const QString broken = m_dir.filePath(u"broken.json"_s);
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\"entries\": [{}]}") > 0);
        QTest::newRow("unreadable file") << range(day, day) + QStringList { u"--data"_s, broken } << 1
                                         << u"entries[0].id"_s;
    }

    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = run(args);
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.startsWith(u"tivrenctl: "_s) && r.err.contains(message), qPrintable(r.err));
        QVERIFY2(r.err.count(u'\n') == 1 && r.err.endsWith(u'\n') && r.err.size() < 200, qPrintable(r.err));
        for (const QChar c : r.err.chopped(1))
            QVERIFY2(c.category() != QChar::Other_Control && c != u'\u202E', qPrintable(r.err));
        // A reader keeps no copies of a file it cannot read.
        QVERIFY(QDir(m_dir.path()).entryList({ u"*.unreadable*"_s }).isEmpty());
    }

    // "--from X" and "--from=X" are one option, in any order, and the last of a repeated one counts.
    void optionForms_data()
    {
        QTest::addColumn<QStringList>("args");
        const QString day = u"2026-03-02"_s;
        QTest::newRow("attached values") << QStringList { u"--from="_s + day, u"--to="_s + day, u"--data="_s + m_path };
        QTest::newRow("mixed order") << QStringList { u"--data"_s, m_path, u"--to="_s + day, u"--from"_s, day };
        QTest::newRow("repeated") << QStringList {
            u"--from=2020-01-01"_s, u"--from"_s, day, u"--to"_s, u"2020-01-01"_s, u"--to="_s + day, u"--data"_s, m_path
        };
        QTest::newRow("value that looks like an option")
            << QStringList { u"--from"_s, day, u"--to"_s, day, u"--data"_s, u"--csv"_s, u"--data="_s + m_path };
    }

    void optionForms()
    {
        QFETCH(QStringList, args);
        const Run r = run(QStringList { u"report"_s, u"--csv"_s } + args);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.count(u'\n'), 3); // the header and the three entries of 2 March
    }

    void help()
    {
        const Run r = run({ u"--help"_s });
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(u"tivrenctl report --from A --to B [--csv] [--data FILE]"_s));
        QVERIFY(r.out.contains(TivrenRepository::defaultFileURL()));
        QCOMPARE(run({ u"report"_s, u"--help"_s }).out, r.out);
    }

    // Tivren drops entries that do not end after they start when it loads; the report must agree.
    void entriesWithoutDurationAreNotBilled_data()
    {
        QTest::addColumn<int>("seconds"); // of the broken entry
        QTest::newRow("end equals start") << 0;
        QTest::newRow("end before start") << -1200;
    }

    void entriesWithoutDurationAreNotBilled()
    {
        QFETCH(int, seconds);
        Project acme = testProject(u"Acme"_s);
        acme.billingRoundingStrategy = BillingRoundingStrategy::roundProjectTotal;
        const QString path = writeData(u"broken-entries.json"_s,
            { acme },
            { entryAt(acme, "2026-03-02T09:00:00Z", 3000, u"work"_s),
                entryAt(acme, "2026-03-02T10:00:00Z", seconds, u"broken"_s) });
        const Run csv = report(u"2026-03-02"_s, u"2026-03-02"_s, path, { u"--csv"_s });
        QCOMPARE(csv.out,
            u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes\n"
            "\"Acme\",\"2026-03-02T09:00:00Z\",\"2026-03-02T09:50:00Z\",0.75,80.00,60.00,\"work\""_s);
        QCOMPARE(tableRow(report(u"2026-03-02"_s, u"2026-03-02"_s, path).out, u"Acme"_s), u"Acme 0.83 0.75 60.00"_s);
    }

    // A report lost on a full disk is a failure, not an empty success.
    void lostOutputFails_data()
    {
        QTest::addColumn<QStringList>("more");
        QTest::newRow("table") << QStringList {};
        QTest::newRow("csv") << QStringList { u"--csv"_s };
    }

    void lostOutputFails()
    {
        QFETCH(QStringList, more);
        const Run r = report(u"2026-03-01"_s, u"2026-03-31"_s, m_path, more, { {}, u"/dev/full"_s });
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith(u"tivrenctl: could not write to standard output"_s), qPrintable(r.err));
        QCOMPARE(r.err.count(u'\n'), 1);
    }

    // Qt's D-Bus thread can race the exit handlers, so one run proves little: each must leave one line.
    void controlErrorIsOneLine()
    {
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
        const Run csv = report(u"2026-03-02"_s, u"2026-03-02"_s, path, { u"--csv"_s });
        QCOMPARE(csv.out.split(u'\n').value(1),
            u"\"Big\",\"2026-03-02T09:00:00Z\",\"2026-03-02T11:00:00Z\",2.00,"_s + printfFixed2(rate) + u',' + amount
                + u",\"\""_s);
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
        const Run r = report(u"2025-11-02"_s, u"2025-11-02"_s, path, { u"--csv"_s }, { "America/Havana", {} });
        QCOMPARE(r.code, 0);
        QStringList notes;
        for (const QString& line : r.out.split(u'\n').mid(1))
            notes << line.section(u',', 6);
        QCOMPARE(notes, (QStringList { u"\"23:30\""_s, u"\"second 00:30\""_s, u"\"first 00:30\""_s }));
    }
};

QTEST_GUILESS_MAIN(tst_TivrenCtl)
#include "tst_TivrenCtl.moc"
