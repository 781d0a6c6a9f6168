#include "core/datafile/SaveHelperSnapshots.h"
#include "core/datafile/TivrenRepository.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

const QString kHelper = QStringLiteral(TIVREN_SAVE_HELPER);

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// strace can inject a failure into one system call of a real process: a full disk in write(),
// an I/O error in fsync(). Returns an empty string when it works here.
QString straceProblem()
{
    const QString strace = QStandardPaths::findExecutable(u"strace"_s);
    if (strace.isEmpty())
        return u"strace is not installed"_s;
    QProcess probe;
    probe.start(strace, { u"-o"_s, u"/dev/null"_s, u"true"_s });
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
        return u"strace cannot trace here: "_s + QString::fromLocal8Bit(probe.readAllStandardError());
    return {};
}

// LeakSanitizer refuses to run under ptrace; the leak check is not what these tests are about.
void withoutLeakCheck(QProcess& process)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);
    process.setProcessEnvironment(environment);
}

} // namespace

class tst_SafeSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedMidSaveLeavesOneCompleteSnapshot()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        auto* random = QRandomGenerator::global();
        int next = 0;
        int sawMidWrite = 0;
        qsizetype orphans = 0;
        for (int round = 0; round < 200; ++round) {
            QProcess helper;
            helper.start(kHelper, { u"loop"_s, path, QString::number(next) });
            QVERIFY(helper.waitForReadyRead(10000)); // "ready": the first save of this round is done
            QThread::usleep(random->bounded(0, 25000));
            helper.kill();
            QVERIFY(helper.waitForFinished(10000));

            const LoadResult loaded = TivrenRepository::readFile(path);
            QVERIFY2(
                loaded, qPrintable(u"round %1: %2"_s.arg(round).arg(loaded ? QString() : loaded.error().description)));
            const int n = loaded->settings.workReminderIntervalMinutes;
            QVERIFY2(n >= next, qPrintable(u"round %1: snapshot %2 is older than %3"_s.arg(round).arg(n).arg(next)));
            QCOMPARE(*loaded, testing::numberedSnapshot(n));
            const auto leftovers =
                QDir(dir.path()).entryList({ u".tivren-data.json.tmp-*"_s }, QDir::Files | QDir::Hidden).size();
            sawMidWrite += leftovers > orphans ? 1 : 0;
            orphans = leftovers;
            next = n + 1;
        }
        qInfo("%d of 200 kills left a temporary file behind (a kill mid-write)", sawMidWrite);

        // The next start cleans up what the kills left.
        TivrenRepository repository(path);
        auto future = repository.load();
        future.waitForFinished();
        QVERIFY(future.result());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"tivren-data.json"_s });
    }

    void syncsTheFileAndItsFolder()
    {
        if (const QString problem = straceProblem(); !problem.isEmpty())
            QSKIP(qPrintable(problem));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        const QString log = dir.filePath(u"strace.log"_s);
        QProcess strace;
        withoutLeakCheck(strace);
        strace.start(u"strace"_s,
            { u"-f"_s,
                u"-qq"_s,
                u"-y"_s,
                u"-e"_s,
                u"trace=fsync,rename"_s,
                u"-o"_s,
                log,
                kHelper,
                u"once"_s,
                path,
                u"2"_s });
        QVERIFY(strace.waitForFinished(30000));
        QCOMPARE(strace.exitCode(), 0);
        // -y shows the path behind each descriptor: the temporary file is synced, renamed, then its folder.
        const QStringList calls = QString::fromLocal8Bit(readAll(log)).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(calls.size(), 3);
        QVERIFY2(calls[0].contains(u"fsync("_s) && calls[0].contains(dir.filePath(u".tivren-data.json.tmp-"_s)),
            qPrintable(calls[0]));
        QVERIFY2(calls[1].contains(u"rename("_s), qPrintable(calls[1]));
        QVERIFY2(calls[2].contains(u"fsync("_s) && calls[2].contains(u'<' + dir.path() + u'>'), qPrintable(calls[2]));
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
        if (const QString problem = straceProblem(); !problem.isEmpty())
            QSKIP(qPrintable(problem));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        QVERIFY(TivrenRepository::writeFile(path, testing::numberedSnapshot(5)));
        const QByteArray before = readAll(path);

        QProcess strace;
        withoutLeakCheck(strace);
        const QString syscall = injection.section(u':', 0, 0);
        strace.start(u"strace"_s,
            { u"-f"_s,
                u"-qq"_s,
                u"-o"_s,
                u"/dev/null"_s,
                u"-e"_s,
                u"trace="_s + syscall,
                u"-e"_s,
                u"inject="_s + injection,
                kHelper,
                u"once"_s,
                path,
                u"11"_s });
        QVERIFY(strace.waitForFinished(30000));
        QVERIFY2(strace.exitCode() == 3, strace.readAllStandardError().constData()); // the helper saw the save fail
        QCOMPARE(readAll(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"tivren-data.json"_s });
    }
};

QTEST_GUILESS_MAIN(tst_SafeSave)
#include "tst_SafeSave.moc"
