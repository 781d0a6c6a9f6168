// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/AutostartEntry.h"
#include "platform/session/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <qcoro/qcorotask.h>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool makeExecutable(const QString& path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath()) && writeFile(path, "#!/bin/sh\n")
        && QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

class tst_XdgAutostart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryInTheUsersAutostartFolder()
    {
        const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + u"/autostart/"_s;
        QCOMPARE(XdgAutostart::entryPath(), folder + u"org.tivren.Tivren.desktop"_s);
        QCOMPARE(XdgAutostart::earlierEntryPath(), folder + u"tivren.desktop"_s);
        XdgAutostart autostart(u"/opt/My Apps/tivren"_s);
        // waitFor needs a default-constructible result, which an Expected is not.
        auto set = [&autostart](bool enabled) -> QCoro::Task<bool> {
            co_return (co_await autostart.setEnabled(enabled)).hasValue();
        };
        QVERIFY(!QCoro::waitFor(autostart.isEnabled()));
        QVERIFY(QCoro::waitFor(set(true)) && QCoro::waitFor(autostart.isEnabled()));
        const QByteArray text = readFile(XdgAutostart::entryPath());
        QVERIFY2(text.startsWith("[Desktop Entry]\n") && text.contains("\nType=Application\n"), text.constData());
        QVERIFY2(text.contains("\nExec=\"/opt/My Apps/tivren\"\n"), text.constData());
        QVERIFY2(text.contains("\nIcon=org.tivren.Tivren\n"), text.constData());
        QVERIFY(QCoro::waitFor(set(false)) && !QFileInfo::exists(XdgAutostart::entryPath()));
        QVERIFY(QCoro::waitFor(set(false))); // already off: fine
    }

    // The state an entry was left in by the user's desktop, and whether Tivren wrote it.
    void entryIsRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("tivrens");
        QTest::newRow("plain entry") << QByteArray("[Desktop Entry]\nExec=tivren\n") << true << true;
        QTest::newRow("hidden by the desktop")
            << QByteArray("[Desktop Entry]\nExec=tivren\nHidden=true\n") << false << true;
        QTest::newRow("off in GNOME") << QByteArray("[Desktop Entry]\nExec=/usr/bin/tivren\n"
                                                    "X-GNOME-Autostart-enabled=false\n")
                                      << false << true;
        QTest::newRow("a build folder with a space")
            << QByteArray("[Desktop Entry]\nExec=\"/home/me/My Code/tivren\"\n") << true << true;
        QTest::newRow("an action's key is not the entry's")
            << QByteArray("[Desktop Entry]\nExec=tivren\n[Desktop Action x]\nHidden=true\n") << true << true;
        QTest::newRow("the user's own program")
            << QByteArray("[Desktop Entry]\nExec=/home/me/bin/tivren-sync --now\n") << true << false;
        QTest::newRow("tivren only as an argument")
            << QByteArray("[Desktop Entry]\nExec=notify-send tivren\n") << true << false;
        QTest::newRow("no Exec") << QByteArray("[Desktop Entry]\nName=Tivren\n") << true << false;
    }

    void entryIsRead()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren.desktop"_s);
        QVERIFY(writeFile(path, content));
        QTEST(XdgAutostart::read(path), "enabled");
        QTEST(AutostartEntry::isTivrens(content), "tivrens");
    }

    // An entry of an earlier Tivren moves to the new name once, on or off as the user left it; the
    // old file goes only when the new one is written, and a file that is not Tivren's stays.
    void earlierEntryMoves_data()
    {
        QTest::addColumn<QByteArray>("earlier");
        QTest::addColumn<QByteArray>("existing"); // under the new name; "dir" for a folder in the way
        QTest::addColumn<int>("outcome"); // -1: fails
        QTest::addColumn<bool>("enabledAfter");
        QTest::addColumn<bool>("earlierStays");
        const QByteArray on = "[Desktop Entry]\nType=Application\nExec=/home/me/build/tivren\n";
        const int moved = int(AutostartMigration::moved);
        QTest::newRow("none") << QByteArray() << QByteArray() << int(AutostartMigration::none) << false << false;
        QTest::newRow("on") << on << QByteArray() << moved << true << false;
        QTest::newRow("hidden") << QByteArray(on + "Hidden=true\n") << QByteArray() << moved << false << false;
        QTest::newRow("off in GNOME") << QByteArray(on + "X-GNOME-Autostart-enabled=false\n") << QByteArray() << moved
                                      << false << false;
        QTest::newRow("the user's own") << QByteArray("[Desktop Entry]\nExec=syncthing\n") << QByteArray()
                                        << int(AutostartMigration::leftAlone) << false << true;
        QTest::newRow("the new one is there, off") << on << QByteArray("[Desktop Entry]\nExec=tivren\nHidden=true\n")
                                                   << int(AutostartMigration::removed) << false << false;
        QTest::newRow("the new one cannot be written") << on << QByteArray("dir") << -1 << false << true;
    }

    void earlierEntryMoves()
    {
        QFETCH(QByteArray, earlier);
        QFETCH(QByteArray, existing);
        QFETCH(int, outcome);
        QTemporaryDir dir;
        const QString earlierPath = dir.filePath(u"tivren.desktop"_s);
        const QString path = dir.filePath(u"org.tivren.Tivren.desktop"_s);
        QVERIFY(earlier.isEmpty() || writeFile(earlierPath, earlier));
        if (existing == "dir")
            QVERIFY(QDir().mkpath(path + u"/x"_s));
        else if (!existing.isEmpty())
            QVERIFY(writeFile(path, existing));

        const auto result = XdgAutostart::migrate(earlierPath, path, u"/home/me/build/tivren"_s);
        QCOMPARE(result ? int(*result) : -1, outcome);
        QTEST(XdgAutostart::read(path), "enabledAfter");
        QTEST(QFileInfo::exists(earlierPath), "earlierStays");
        if (QFileInfo::exists(earlierPath))
            QCOMPARE(readFile(earlierPath), earlier);
        if (outcome == int(AutostartMigration::moved))
            QVERIFY(readFile(path).contains("\nExec=/home/me/build/tivren\n"));
        if (outcome >= int(AutostartMigration::moved)) { // once only
            const auto again = XdgAutostart::migrate(earlierPath, path, u"/home/me/build/tivren"_s);
            QVERIFY(again && *again == AutostartMigration::none);
        }
    }

    // Exec names the program when PATH finds the running one under its name, its path otherwise.
    void execNamesTheProgramOnPath_data()
    {
        QTest::addColumn<QString>("running"); // in the test's folder
        QTest::addColumn<QStringList>("onPath"); // folders of PATH, with a tivren each
        QTest::addColumn<QString>("exec"); // "<dir>" stands for the test's folder
        QTest::newRow("installed") << u"usr/bin/tivren"_s << QStringList { u"usr/bin"_s } << u"tivren"_s;
        QTest::newRow("a build folder, Tivren also installed")
            << u"build/src/tivren"_s << QStringList { u"usr/bin"_s } << u"<dir>/build/src/tivren"_s;
        QTest::newRow("a build folder, not installed")
            << u"build/src/tivren"_s << QStringList {} << u"<dir>/build/src/tivren"_s;
        QTest::newRow("another tivren comes first on PATH")
            << u"usr/bin/tivren"_s << QStringList { u"home/bin"_s, u"usr/bin"_s } << u"<dir>/usr/bin/tivren"_s;
        QTest::newRow("a folder with a space")
            << u"My Code/tivren"_s << QStringList {} << u"\"<dir>/My Code/tivren\""_s;
    }

    void execNamesTheProgramOnPath()
    {
        QFETCH(QString, running);
        QFETCH(QStringList, onPath);
        QFETCH(QString, exec);
        QTemporaryDir dir;
        QVERIFY(makeExecutable(dir.filePath(running)));
        QStringList path;
        for (const QString& folder : onPath) {
            QVERIFY(dir.filePath(folder + u"/tivren"_s) == dir.filePath(running)
                || makeExecutable(dir.filePath(folder + u"/tivren"_s)));
            path << dir.filePath(folder);
        }
        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", path.join(u':').toLocal8Bit());
        const QString chosen = AutostartEntry::execProgram(dir.filePath(running));
        qputenv("PATH", savedPath);
        QCOMPARE(chosen, exec.replace(u"<dir>"_s, dir.path()));
    }

    void failureIsDescribed()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(u"autostart"_s)); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const auto result = XdgAutostart::write(blocker.fileName() + u"/tivren.desktop"_s, u"/usr/bin/tivren"_s, true);
        QVERIFY2(!result && result.error().description.contains(u"autostart"_s), "a failure names the folder");
    }
};

QTEST_GUILESS_MAIN(tst_XdgAutostart)
#include "tst_XdgAutostart.moc"
