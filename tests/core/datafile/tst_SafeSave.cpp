// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/SaveHelperSnapshots.h"
#include "core/datafile/TivrenRepository.h"
#include "support/DataFileTesting.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QString kHelper = QStringLiteral(TIVREN_SAVE_HELPER);

// strace injects a failure into one system call of a real process: a full disk in write(), an I/O
// error in fsync(). Runs "tivren_save_helper once PATH N" under it; false when strace cannot run here.
bool underStrace(QProcess& strace, const QStringList& options, const QString& path, int n)
{
    if (QStandardPaths::findExecutable(u"strace"_s).isEmpty())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s); // LeakSanitizer refuses to run under ptrace
    strace.setProcessEnvironment(environment);
    strace.start(u"strace"_s,
        QStringList { u"-f"_s, u"-qq"_s } + options + QStringList { kHelper, u"once"_s, path, QString::number(n) });
    if (!strace.waitForFinished(30000) || strace.readAllStandardError().contains("ptrace"))
        return false;
    return true;
}

} // namespace

class tst_SafeSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedMidSaveLeavesOneCompleteSnapshot()
    {
        DataFolder f;
        int next = 0, sawMidWrite = 0;
        qsizetype orphans = 0;
        for (int round = 0; round < 200; ++round) {
            QProcess helper;
            helper.start(kHelper, { u"loop"_s, f.path, QString::number(next) });
            QVERIFY(helper.waitForReadyRead(10000)); // "ready": the first save of this round is done
            QThread::usleep(QRandomGenerator::global()->bounded(0, 25000));
            helper.kill();
            QVERIFY(helper.waitForFinished(10000));
            const LoadResult loaded = TivrenRepository::readFile(f.path);
            QVERIFY2(
                loaded, qPrintable(u"round %1: %2"_s.arg(round).arg(loaded ? QString() : loaded.error().description)));
            const int n = loaded->settings.workReminderIntervalMinutes;
            QVERIFY2(n >= next, qPrintable(u"round %1: snapshot %2 is older than %3"_s.arg(round).arg(n).arg(next)));
            QCOMPARE(*loaded, numberedSnapshot(n));
            const qsizetype leftovers = f.names(u".tivren-data.json.tmp-*"_s).size();
            sawMidWrite += leftovers > orphans ? 1 : 0;
            orphans = leftovers;
            next = n + 1;
        }
        qInfo("%d of 200 kills left a temporary file behind (a kill mid-write)", sawMidWrite);
        // The next start cleans up what the kills left.
        TivrenRepository repository(f.path);
        QVERIFY(await(repository.load()));
        QCOMPARE(f.names(), QStringList { u"tivren-data.json"_s });
    }

    void syncsTheFileAndItsFolder()
    {
        DataFolder f;
        const QString log = f.at(u"strace.log"_s);
        QProcess strace;
        if (!underStrace(strace, { u"-y"_s, u"-e"_s, u"trace=fsync,rename"_s, u"-o"_s, log }, f.path, 2))
            QSKIP("strace cannot trace here");
        QCOMPARE(strace.exitCode(), 0);
        // -y shows the path behind each descriptor: the temporary file is synced, renamed, then its folder.
        const QStringList calls = QString::fromLocal8Bit(readAll(log)).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(calls.size(), 3);
        QVERIFY2(calls[0].contains(u"fsync("_s) && calls[0].contains(f.at(u".tivren-data.json.tmp-"_s)),
            qPrintable(calls[0]));
        QVERIFY2(calls[1].contains(u"rename("_s), qPrintable(calls[1]));
        QVERIFY2(calls[2].contains(u"fsync("_s) && calls[2].contains(u'<' + f.dir.path() + u'>'), qPrintable(calls[2]));
    }

    void failingSystemCallKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("injection");
        // The helper makes no other write, fsync or rename calls than the save's own.
        QTest::newRow("disk full in write") << u"write:error=ENOSPC"_s;
        QTest::newRow("quota exceeded in write") << u"write:error=EDQUOT"_s;
        QTest::newRow("I/O error in fsync") << u"fsync:error=EIO"_s;
        QTest::newRow("rename refused") << u"rename:error=EXDEV"_s;
    }

    void failingSystemCallKeepsTheOldFile()
    {
        QFETCH(QString, injection);
        DataFolder f;
        QVERIFY(TivrenRepository::writeFile(f.path, numberedSnapshot(5)));
        const QByteArray before = readAll(f.path);
        const QString call = injection.section(u':', 0, 0);
        QProcess strace;
        if (!underStrace(strace,
                { u"-o"_s, u"/dev/null"_s, u"-e"_s, u"trace="_s + call, u"-e"_s, u"inject="_s + injection },
                f.path,
                11))
            QSKIP("strace cannot trace here");
        QCOMPARE(strace.exitCode(), 3); // the helper saw the save fail
        QCOMPARE(readAll(f.path), before);
        QCOMPARE(f.names(), QStringList { u"tivren-data.json"_s });
    }
};

QTEST_GUILESS_MAIN(tst_SafeSave)
#include "tst_SafeSave.moc"
