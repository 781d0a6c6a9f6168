// SPDX-License-Identifier: GPL-3.0-or-later
// The screenshots the AppStream metainfo shows in software centres: the main window at 1280x800
// on a freelancer's month, rendered offscreen. Every run renders them (so a screen that breaks or
// comes out blank fails here); TIVREN_METAINFO_SCREENSHOTS=<folder> keeps them, which is how
// scripts/render-screenshots refreshes data/screenshots/.
#include "support/FormTesting.h"
#include "ui/shell/MainWindow.h"

#include <QImage>
#include <QPixmap>
#include <QSet>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// Thursday afternoon near the end of a month, the time a freelancer looks at what to bill.
const QDate today(2026, 11, 26);

Project sampleProject(const QString& name, double rate, const QString& color, int increment)
{
    Project project = ratedProject(name, rate, color);
    project.billingIncrementMinutes = increment;
    return project;
}

// Four projects worked on through the last four weeks (and one finished before): mornings, afternoons, a short support
// call.
AppSnapshot freelancersMonth()
{
    const QList<Project> projects { sampleProject(u"Acme Corp website"_s, 95, u"teal"_s, 15),
        sampleProject(u"Globex redesign"_s, 80, u"orange"_s, 30),
        sampleProject(u"Initech support"_s, 70, u"indigo"_s, 6),
        sampleProject(u"Umbrella audit"_s, 110, u"pink"_s, 15),
        sampleProject(u"Stark annual report"_s, 90, u"green"_s, 15) };
    const QStringList notes { u"Landing page"_s, u"Style guide"_s, u"Ticket triage"_s, u"Interviews"_s };
    QList<TimeEntry> entries;
    for (int day = -27; day <= 0; ++day) {
        const QDate date = today.addDays(day);
        if (date.dayOfWeek() > 5)
            continue;
        const int first = (day + 27) % 4;
        const int second = (first + 1 + (day + 27) % 3) % 4;
        entries << testEntry(projects[first], localAt(date, 8, 45 + day % 3 * 5), 3 * 3600 + 20 * 60, notes[first]);
        if (day < 0)
            entries << testEntry(projects[second], localAt(date, 13, 30), 3 * 3600 + 45 * 60, notes[second]);
        if (day % 2 == 0 && day < 0)
            entries << testEntry(projects[2], localAt(date, 17, 15), 25 * 60, u"Call"_s);
    }
    entries << testEntry(projects[4], localAt(today.addDays(-40), 9, 0), 6 * 3600, u"Final edits"_s);
    AppSnapshot snapshot = snapshotOf(projects, entries, u"EUR"_s);
    snapshot.projects[4].isArchived = true; // finished last month
    snapshot.activeSession = ActiveTimerSession { projects[1].id, localAt(today, 13, 30) };
    return snapshot;
}

} // namespace

class tst_MetainfoScreenshots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void render_data()
    {
        QTest::addColumn<MainSection>("section");
        QTest::addColumn<QString>("name");
        QTest::newRow("overview") << MainSection::overview << u"overview"_s;
        QTest::newRow("timeline") << MainSection::timeline << u"timeline"_s;
        QTest::newRow("projects") << MainSection::projects << u"projects"_s;
    }

    void render()
    {
        QFETCH(MainSection, section);
        QFETCH(QString, name);
        ModelHarness h({ false, false }, ModelHarness::Load::later);
        h.clock.time = localAt(today, 15, 42);
        AppSnapshot snapshot = freelancersMonth();
        snapshot.settings.languagePreference = AppLanguagePreference::english;
        h.load(snapshot);
        h.model->tick();
        h.model->setSelectedSection(section);
        MainWindow window(*h.model);
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50); // screens built on first show settle their layout
        const QImage image = window.grab().toImage();
        QCOMPARE(image.size() / image.devicePixelRatio(), QSize(1280, 800));
        // A screen that failed to build is one colour, or nearly.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        }
        QVERIFY2(colours.size() > 20, qPrintable(u"%1 colours only"_s.arg(colours.size())));
        if (const QString dir = qEnvironmentVariable("TIVREN_METAINFO_SCREENSHOTS"); !dir.isEmpty())
            QVERIFY(QDir().mkpath(dir) && image.save(dir + u'/' + name + u".png"_s));
    }
};

QTEST_MAIN(tst_MetainfoScreenshots)
#include "tst_MetainfoScreenshots.moc"
