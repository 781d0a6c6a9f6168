#include "core/time/SystemTimeZone.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

class tst_SystemTimeZone : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Only a name Google knows may leave the machine; a POSIX rule fails every export.
    void ianaName_data()
    {
        QTest::addColumn<bool>("tzSet");
        QTest::addColumn<QByteArray>("tz");
        QTest::addColumn<QByteArray>("systemID");
        QTest::addColumn<QString>("localtimeTarget");
        QTest::addColumn<QString>("expected"); // empty: no time zone is sent

        const QString amsterdamFile = u"/usr/share/zoneinfo/Europe/Amsterdam"_s;
        QTest::newRow("system id") << false << QByteArray() << QByteArray("Europe/Amsterdam") << QString()
                                   << u"Europe/Amsterdam"_s;
        QTest::newRow("system id UTC") << false << QByteArray() << QByteArray("UTC") << QString() << u"UTC"_s;
        QTest::newRow("odd system id, linked localtime")
            << false << QByteArray() << QByteArray("localtime") << u"/usr/share/zoneinfo/America/New_York"_s
            << u"America/New_York"_s;
        QTest::newRow("posix twin of a zone file")
            << false << QByteArray() << QByteArray() << u"/usr/share/zoneinfo/posix/Europe/Amsterdam"_s
            << u"Europe/Amsterdam"_s;
        QTest::newRow("copied localtime") << false << QByteArray() << QByteArray() << QString() << QString();
        QTest::newRow("link outside zoneinfo")
            << false << QByteArray() << QByteArray() << u"/etc/alternatives/localtime"_s << QString();
        QTest::newRow("unknown zone file")
            << false << QByteArray() << QByteArray() << u"/usr/share/zoneinfo/Mars/Olympus"_s << QString();
        QTest::newRow("TZ posix rule") << true << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3")
                                       << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3") << amsterdamFile << QString();
        QTest::newRow("TZ name") << true << QByteArray("America/New_York") << QByteArray("America/New_York")
                                 << amsterdamFile << u"America/New_York"_s;
        QTest::newRow("TZ with colon") << true << QByteArray(":America/New_York") << QByteArray() << amsterdamFile
                                       << u"America/New_York"_s;
        QTest::newRow("TZ zone file") << true << QByteArray("/usr/share/zoneinfo/America/New_York") << QByteArray()
                                      << amsterdamFile << u"America/New_York"_s;
        QTest::newRow("TZ empty") << true << QByteArray() << QByteArray("UTC") << amsterdamFile << QString();
    }

    void ianaName()
    {
        QFETCH(bool, tzSet);
        QFETCH(QByteArray, tz);
        QFETCH(QByteArray, systemID);
        QFETCH(QString, localtimeTarget);
        QFETCH(QString, expected);
        const QList<QByteArray> known { "America/New_York", "Europe/Amsterdam", "UTC" };
        const SystemTimeZone::Facts facts { tzSet ? std::optional(tz) : std::nullopt, systemID, localtimeTarget };
        QCOMPARE(SystemTimeZone::ianaName(facts, known),
            expected.isEmpty() ? std::nullopt : std::optional<QString>(expected));
    }
};

QTEST_GUILESS_MAIN(tst_SystemTimeZone)
#include "tst_SystemTimeZone.moc"
