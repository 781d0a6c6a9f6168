// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/XdgAutostart.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <qcoro/qcorotask.h>

using namespace Qt::StringLiterals;
using namespace tivren;

class tst_XdgAutostart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryInTheUsersAutostartFolder()
    {
        QCOMPARE(XdgAutostart::entryPath(), qEnvironmentVariable("XDG_CONFIG_HOME") + u"/autostart/tivren.desktop"_s);
        XdgAutostart autostart(u"/opt/My Apps/tivren"_s);
        // waitFor needs a default-constructible result, which an Expected is not.
        auto set = [&autostart](bool enabled) -> QCoro::Task<bool> {
            co_return (co_await autostart.setEnabled(enabled)).hasValue();
        };
        QVERIFY(!QCoro::waitFor(autostart.isEnabled()));
        QVERIFY(QCoro::waitFor(set(true)) && QCoro::waitFor(autostart.isEnabled()));
        QFile entry(XdgAutostart::entryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY2(text.startsWith("[Desktop Entry]\n") && text.contains("\nType=Application\n"), text.constData());
        QVERIFY2(text.contains("\nExec=\"/opt/My Apps/tivren\"\n"), text.constData());
        QVERIFY(QCoro::waitFor(set(false)) && !QFileInfo::exists(XdgAutostart::entryPath()));
        QVERIFY(QCoro::waitFor(set(false))); // already off: fine
    }

    void stateIsReadFromTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("plain entry") << QByteArray("[Desktop Entry]\nExec=tivren\n") << true;
        QTest::newRow("hidden by the desktop") << QByteArray("[Desktop Entry]\nExec=tivren\nHidden=true\n") << false;
        QTest::newRow("off in GNOME") << QByteArray("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n") << false;
    }

    void stateIsReadFromTheFile()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QFile file(dir.filePath(u"tivren.desktop"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        QTEST(XdgAutostart::read(file.fileName()), "enabled");
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
