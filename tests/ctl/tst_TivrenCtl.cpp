#include "core/BillingEngine.h"
#include "core/TivrenRepository.h"
#include "ctl/ReportCommand.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

struct Run
{
    int code;
    QString out;
    QString err;
};

Run run(const QStringList& args)
{
    Run result { 0, {}, {} };
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.code = TivrenCtl::run(QStringList { u"tivrenctl"_s } + args, out, err);
    out.flush();
    err.flush();
    return result;
}

} // namespace

class tst_TivrenCtl : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    AppSnapshot m_snapshot;

private Q_SLOTS:
    void initTestCase()
    {
        // TZ is Europe/Amsterdam (UTC+1 in March): 2026-03-02 runs from 2026-03-01T23:00:00Z.
        const Project acme(
            QUuid::createUuid(), u"Acme"_s, 80, 15, BillingRoundingStrategy::roundUpPerEntry, u"red"_s, false, 0);
        const Project hobby(QUuid::createUuid(),
            u"Hobby"_s,
            std::nullopt,
            60,
            BillingRoundingStrategy::roundUpPerEntry,
            u"blue"_s,
            false,
            0);
        m_snapshot.projects = { acme, hobby };
        m_snapshot.settings.currencyCode = u"EUR"_s;
        auto add = [&](const Project& p, const char* start, int minutes, const QString& notes) {
            const Instant s = *Iso8601::parse(QByteArrayView(start));
            m_snapshot.entries.append(TimeEntry { QUuid::createUuid(), p.id, s, s + minutes * 60, notes });
        };
        add(acme, "2026-03-01T22:50:00Z", 20, u"late"_s); // 10 of its minutes are on 2 March
        add(acme, "2026-03-02T08:00:00Z", 50, u"design, \"v2\""_s);
        add(hobby, "2026-03-02T12:00:00Z", 30, u""_s);
        add(acme, "2026-03-03T08:00:00Z", 60, u"next day"_s);
        m_path = m_dir.filePath(u"tivren-data.json"_s);
        QVERIFY(TivrenRepository::writeFile(m_path, m_snapshot));
    }

    void csvForALocalDay()
    {
        const QByteArray before = [&] {
            QFile f(m_path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const QDateTime modified = QFileInfo(m_path).lastModified();
        const Run r = run(
            { u"report"_s, u"--from"_s, u"2026-03-02"_s, u"--to"_s, u"2026-03-02"_s, u"--csv"_s, u"--data"_s, m_path });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString());
        const InstantRange day { *Iso8601::parse(u"2026-03-01T23:00:00Z"), *Iso8601::parse(u"2026-03-02T22:59:59Z") };
        QCOMPARE(r.out, BillingEngine::exportCSV(m_snapshot.entries, m_snapshot.projects, day));
        QCOMPARE(r.out.count(u'\n'), 3);
        QVERIFY(
            r.out.contains(u"\"Acme\",\"2026-03-01T22:50:00Z\",\"2026-03-01T23:10:00Z\",0.25,80.00,20.00,\"late\""_s));
        // Read-only: the file is untouched.
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(QFileInfo(m_path).lastModified(), modified);
    }

    void tableWithInstantBounds()
    {
        const Run r = run({ u"report"_s,
            u"--from"_s,
            u"2026-03-01T00:00:00Z"_s,
            u"--to"_s,
            u"2026-03-04T00:00:00+01:00"_s,
            u"--data"_s,
            m_path });
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(u'\n');
        const auto row = [&](const QString& name) {
            for (const QString& line : lines) {
                if (line.startsWith(name + u' '))
                    return line.simplified();
            }
            return QString();
        };
        QVERIFY2(r.out.contains(u"Amount (EUR)"_s), qPrintable(r.out));
        QCOMPARE(row(u"Acme"_s), u"Acme 2.17 2.50 200.00"_s);
        QCOMPARE(row(u"Hobby"_s), u"Hobby 0.50 1.00 -"_s);
        QCOMPARE(row(u"Total"_s), u"Total 2.67 3.50 200.00"_s);
    }

    void missingFileReadsAsEmpty()
    {
        const Run r = run({ u"report"_s,
            u"--from"_s,
            u"2026-01-01"_s,
            u"--to"_s,
            u"2026-12-31"_s,
            u"--csv"_s,
            u"--data"_s,
            m_dir.filePath(u"none.json"_s) });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes"_s);
        QVERIFY(!QFileInfo::exists(m_dir.filePath(u"none.json"_s)));
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList {} << 2 << u"no command"_s;
        QTest::newRow("unknown command") << QStringList { u"bill"_s } << 2 << u"unknown command 'bill'"_s;
        QTest::newRow("unknown option") << QStringList { u"report"_s, u"--form"_s, u"x"_s } << 2
                                        << u"unknown option '--form'"_s;
        QTest::newRow("missing --to") << QStringList { u"report"_s, u"--from"_s, u"2026-03-01"_s } << 2
                                      << u"both --from and --to"_s;
        QTest::newRow("option without value")
            << QStringList { u"report"_s, u"--from"_s } << 2 << u"--from needs a value"_s;
        QTest::newRow("bad date") << QStringList {
            u"report"_s, u"--from"_s, u"2026-02-30"_s, u"--to"_s, u"2026-03-01"_s
        } << 2 << u"'2026-02-30' is neither"_s;
        QTest::newRow("instant without zone")
            << QStringList { u"report"_s, u"--from"_s, u"2026-03-01T08:00:00"_s, u"--to"_s, u"2026-03-01"_s } << 2
            << u"is neither"_s;
        QTest::newRow("reversed range") << QStringList {
            u"report"_s, u"--from"_s, u"2026-03-02"_s, u"--to"_s, u"2026-03-01"_s
        } << 2 << u"is after --to"_s;
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
        QCOMPARE(r.err.count(u'\n'), 1);
    }

    void unreadableFile()
    {
        const QString broken = m_dir.filePath(u"broken.json"_s);
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"entries\": [{}]}");
        f.close();
        const Run r =
            run({ u"report"_s, u"--from"_s, u"2026-03-01"_s, u"--to"_s, u"2026-03-01"_s, u"--data"_s, broken });
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"entries[0].id"_s), qPrintable(r.err));
        QCOMPARE(r.err.count(u'\n'), 1);
        QVERIFY(!QFileInfo::exists(broken + u".unreadable"_s)); // a reader keeps no copies
    }

    void help()
    {
        const Run r = run({ u"--help"_s });
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(u"tivrenctl report --from A --to B [--csv] [--data FILE]"_s));
        QVERIFY(r.out.contains(TivrenRepository::defaultFileURL()));
        QCOMPARE(run({ u"report"_s, u"--help"_s }).out, r.out);
    }
};

QTEST_GUILESS_MAIN(tst_TivrenCtl)
#include "tst_TivrenCtl.moc"
