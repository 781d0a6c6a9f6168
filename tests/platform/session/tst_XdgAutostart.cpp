#include "platform/session/XdgAutostart.h"

#include <QDir>
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
            const auto result = co_await autostart.setEnabled(enabled);
            co_return result.hasValue();
        };
        QVERIFY(!QCoro::waitFor(autostart.isEnabled()));
        QVERIFY(QCoro::waitFor(set(true)));
        QVERIFY(QCoro::waitFor(autostart.isEnabled()));
        QFile entry(XdgAutostart::entryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY2(text.startsWith("[Desktop Entry]\n"), text.constData());
        QVERIFY2(text.contains("\nExec=\"/opt/My Apps/tivren\"\n"), text.constData());
        QVERIFY(text.contains("\nType=Application\n"));
        QVERIFY(QCoro::waitFor(set(false)));
        QVERIFY(!QFileInfo::exists(XdgAutostart::entryPath()));
        QVERIFY(QCoro::waitFor(set(false))); // already off: fine
    }

    void stateIsReadFromTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("plain entry") << QByteArray("[Desktop Entry]\nExec=tivren\n") << true;
        QTest::newRow("hidden by the desktop") << QByteArray("[Desktop Entry]\nExec=tivren\nHidden=true\n") << false;
        QTest::newRow("switched off in GNOME")
            << QByteArray("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n") << false;
    }

    void stateIsReadFromTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, enabled);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren.desktop"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(XdgAutostart::read(path), enabled);
    }

    void failureIsDescribed()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(u"autostart"_s)); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const auto result =
            XdgAutostart::write(dir.filePath(u"autostart/tivren.desktop"_s), u"/usr/bin/tivren"_s, true);
        QVERIFY(!result);
        QVERIFY2(result.error().description.contains(u"autostart"_s), qPrintable(result.error().description));
    }
};

QTEST_GUILESS_MAIN(tst_XdgAutostart)
#include "tst_XdgAutostart.moc"
