// SPDX-License-Identifier: GPL-3.0-or-later
// The services module missing or unfit: every first use ends in one clear line through the
// service's own error, never a crash; the calendar store and Google share the one failed load.
#include "platform/ondemand/OnDemandCalendarStore.h"
#include "platform/ondemand/OnDemandGoogleCalendarService.h"
#include "support/Fakes.h"
#include "support/TaskResult.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// Never asked: nothing gets as far as signing in.
class NoBrowser final : public Browser
{
public:
    bool openUrl(const QUrl&) override { return false; }
};

} // namespace

class tst_OnDemandServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unusableModuleIsOneLineError_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // part of the loader's own words

        QTest::newRow("missing") << u"/nonexistent/tivren-services.so"_s << u"No such file"_s;
        QTest::newRow("not a library") << textFile() << u"file too short"_s;
        QTest::newRow("no entry point") << QStringLiteral(UNFIT_MODULE_WITHOUT_ENTRY) << u"tivrenServicesModule"_s;
        QTest::newRow("unresolved symbol") << QStringLiteral(UNFIT_MODULE_UNRESOLVED) << u"tivrenSymbolNobodyDefines"_s;
    }

    void unusableModuleIsOneLineError()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        ServicesModuleLoader loader(path);
        NoBrowser browser;
        FakeClock clock;
        OnDemandCalendarStore store(loader);
        OnDemandGoogleCalendarService google(loader, browser, clock);

        // Both first uses at once: they wait for the same load.
        auto listing = store.eventCalendars();
        auto fetching = google.fetchCalendars({});
        const auto calendars = resultOf(std::move(listing));
        const auto googleCalendars = resultOf(std::move(fetching));
        QVERIFY(calendars && googleCalendars);
        QVERIFY(!*calendars && !*googleCalendars);

        const CalendarStoreError& error = calendars->error();
        QCOMPARE(error.kind, CalendarStoreError::Kind::unavailable);
        QVERIFY2(error.message.startsWith(u"Tivren could not load a part of its installation ("_s),
            qPrintable(error.message));
        QVERIFY2(error.message.contains(reason), qPrintable(error.message));
        QVERIFY(!error.message.contains(u'\n'));
        QCOMPARE(googleCalendars->error(),
            (GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::systemError, error.message }));

        // A later use is told the same, without a second try.
        const auto saved = resultOf(store.save({}));
        QVERIFY(saved && !*saved);
        QCOMPARE(saved->error(), error);
    }

private:
    QString textFile()
    {
        QFile file(m_folder.filePath(u"tivren-services.so"_s));
        if (file.open(QIODevice::WriteOnly))
            file.write("not a library\n");
        return file.fileName();
    }

    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(tst_OnDemandServices)
#include "tst_OnDemandServices.moc"
