// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormTesting.h"
#include "ui/shell/TrayMenu.h"
#include "ui/shell/TrayTexts.h"

#include <QAction>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

// The menu as a panel reads it is checked over real D-Bus in tst_TrayDBusMenu; here the live texts and actions.
class tst_TrayMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<TrayMenu> menu;
    QString calls; // the actions the menu asked for

    // The menu rebuilds on the next turn of the event loop.
    QStringList lines()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << (action->isSeparator() ? u"--"_s : action->text());
        return texts;
    }

    void open(MainSection section) { calls += section == MainSection::projects ? u"projects,"_s : u"other,"_s; }
    void createFirstProject() { calls += u"create,"_s; }
    void quit() { calls += u"quit"_s; }
    void trigger(const QString& text)
    {
        const auto actions = menu->actions();
        const auto found = std::ranges::find(actions, text, &QAction::text);
        QVERIFY2(found != actions.end(), qPrintable(text));
        (*found)->trigger();
    }

private Q_SLOTS:
    void init()
    {
        menu.reset();
        h = std::make_unique<ModelHarness>();
        calls.clear();
        const TrayMenu::Actions actions { std::bind_front(&tst_TrayMenu::open, this),
            std::bind_front(&tst_TrayMenu::createFirstProject, this),
            std::bind_front(&tst_TrayMenu::quit, this) };
        menu = std::make_unique<TrayMenu>(*h->model, h->loginItems, h->clock, actions);
    }

    // Archived projects only: the same as none. The D-Bus test follows "Create Your First Project".
    void withoutProjects()
    {
        h->addProject(u"Old"_s, 50, true);
        QVERIFY(lines().contains(u"Create Your First Project"_s));
        trigger(u"Manage Projects"_s);
        trigger(u"Quit"_s);
        QCOMPARE(calls, u"projects,quit"_s);
    }

    // A language chosen in Settings re-labels the open menu at once, without a restart.
    void followsTheAppLanguage()
    {
        h->addProject(u"Acme"_s);
        QVERIFY(lines().contains(u"Manage Projects"_s));
        setLanguage(*h->model, AppLanguagePreference::dutch);
        const QStringList dutch = lines();
        QVERIFY2(
            dutch.contains(u"Projecten beheren"_s) && dutch.contains(u"Afsluiten"_s), qPrintable(dutch.join(u'|')));
    }

    void trackingWithPomodoro()
    {
        const Project beta = h->addProject(u"beta"_s, std::nullopt);
        h->addProject(u"Alpha"_s, 85);
        h->model->updatePomodoroEnabled(true);
        lines();
        trigger(u"beta"_s);
        h->clock.time += 65;
        QCOMPARE(lines().mid(0, 10).join(u'|'),
            u"Tracking beta|00:01:05|Work • 00:23:55|Stop Timer|Skip Pomodoro Phase|--|Projects|Alpha\t$85.00|beta|--"_s);
        QCOMPARE(h->model->activeSession()->projectID, beta.id);
        if (const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR"); !dir.isEmpty()) {
            menu->adjustSize();
            menu->grab().save(dir + u"/tivren-tray-menu.png"_s);
        }
        // Opening the menu starts the live texts; they follow the clock each second.
        Q_EMIT menu->aboutToShow();
        h->clock.time += 2;
        QTRY_COMPARE_WITH_TIMEOUT(lines().at(1), u"00:01:07"_s, 2500);
        // Skip: a break with the timer stopped shows the second form.
        trigger(u"Skip Pomodoro Phase"_s);
        QCOMPARE(lines().mid(0, 4).join(u'|'), u"Pomodoro: Short break|00:05:00|Skip Pomodoro Phase|Stop Timer"_s);
        trigger(u"Stop Timer"_s);
        QCOMPARE(h->model->pomodoroPhase(), std::nullopt);
    }

    // The icon's tooltip: the session, then the Pomodoro phase; a break without tracking is the phase alone.
    void toolTipSaysWhatRuns()
    {
        const auto toolTip = [this] {
            return TrayTexts::toolTip(*h->model, h->clock.now());
        };
        QCOMPARE(toolTip(), u"Tivren — Not tracking"_s);
        const Project acme = h->addProject(u"Smith & Sons"_s);
        h->model->startTracking(acme);
        h->clock.time += 3723;
        QCOMPARE(toolTip(), u"Smith & Sons · 01:02:03"_s);
        h->model->stopTracking(false);
        h->model->updatePomodoroEnabled(true);
        h->model->startTracking(acme);
        h->clock.time += 65;
        QCOMPARE(toolTip(), u"Smith & Sons · 00:01:05 · Work 00:23:55"_s);
        h->model->skipPomodoroPhase();
        QCOMPARE(toolTip(), u"Short break 00:05:00"_s);
        h->model->stopTimer();
        setLanguage(*h->model, AppLanguagePreference::german);
        QVERIFY2(toolTip() != u"Tivren — Not tracking"_s, qPrintable(toolTip()));
    }

    void choosingTheTrackedProjectStopsIt()
    {
        h->addProject(u"Acme"_s);
        lines();
        trigger(u"Acme\t$80.00"_s);
        QVERIFY(h->model->activeSession().has_value());
        lines();
        trigger(u"Acme\t$80.00"_s);
        QCOMPARE(h->model->activeSession(), std::nullopt);
    }

    void timerOfAVanishedProjectShowsIdle()
    {
        AppSnapshot stored;
        stored.activeSession = ActiveTimerSession { QUuid::createUuid(), h->clock.time - 10 };
        h->load(stored);
        QCOMPARE(lines().first(), u"No active timer"_s);
    }

    void elapsedNeverNegative()
    {
        h->model->startTracking(h->addProject(u"Acme"_s));
        h->clock.time -= 3600; // the system clock was set back
        lines();
        Q_EMIT menu->aboutToShow();
        QCOMPARE(lines().at(1), u"00:00:00"_s);
    }
};

QTEST_MAIN(tst_TrayMenu)
#include "tst_TrayMenu.moc"
