#include "app/text/AppStrings.h"
#include "support/LanguageSwitch.h"
#include "support/ModelHarness.h"
#include "ui/shell/TrayMenu.h"

#include <QAction>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// The menu's lines as text, separators as "--", checked items with a leading "[x] ".
QStringList lines(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            texts << u"--"_s;
        else
            texts << (action->isChecked() ? u"[x] "_s : QString()) + action->text();
    }
    return texts;
}

QAction* find(const QMenu& menu, const QString& text)
{
    const auto actions = menu.actions();
    const auto found = std::ranges::find(actions, text, &QAction::text);
    return found == actions.end() ? nullptr : *found;
}

} // namespace

class tst_TrayMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<TrayMenu> menu;
    QList<MainSection> opened;
    int createFirst = 0;
    int quits = 0;

    void settle()
    {
        // The menu rebuilds on the next turn of the event loop.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        opened.clear();
        createFirst = quits = 0;
        menu = std::make_unique<TrayMenu>(*h->model,
            h->loginItems,
            h->clock,
            TrayMenu::Actions { [this](MainSection s) {
                                   opened << s;
                               },
                [this] {
                    ++createFirst;
                },
                [this] {
                    ++quits;
                } });
        settle();
    }

    void cleanup()
    {
        menu.reset();
        h.reset();
    }

    void withoutProjects()
    {
        h->addProject(u"Old"_s, 50, true); // archived only: the same as none
        settle();
        QCOMPARE(lines(*menu),
            (QStringList { u"No active timer"_s,
                u"Choose a project below to start tracking."_s,
                u"--"_s,
                u"Create Your First Project"_s,
                u"--"_s,
                u"Open Overview"_s,
                u"Open Timeline"_s,
                u"Manage Projects"_s,
                u"--"_s,
                u"Launch at Login"_s,
                u"Quit"_s }));
        find(*menu, u"Create Your First Project"_s)->trigger();
        QCOMPARE(createFirst, 1);
        find(*menu, u"Manage Projects"_s)->trigger();
        find(*menu, u"Quit"_s)->trigger();
        QCOMPARE(opened, QList<MainSection> { MainSection::projects });
        QCOMPARE(quits, 1);
    }

    void trackingWithPomodoro()
    {
        const Project beta = h->addProject(u"beta"_s, std::nullopt);
        h->addProject(u"Alpha"_s, 85);
        h->model->updatePomodoroEnabled(true);
        settle();
        find(*menu, u"beta"_s)->trigger();
        h->clock.time += 65;
        settle();
        QCOMPARE(lines(*menu).mid(0, 12),
            (QStringList { u"Tracking beta"_s,
                u"00:01:05"_s,
                u"Work • 00:23:55"_s,
                u"Stop Timer"_s,
                u"Skip Pomodoro Phase"_s,
                u"--"_s,
                u"Projects"_s,
                u"Alpha\t$85.00"_s,
                u"beta"_s,
                u"--"_s,
                u"Open Overview"_s,
                u"Open Timeline"_s }));
        QCOMPARE(find(*menu, u"beta"_s)->data().toUuid(), beta.id);
        if (const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR"); !dir.isEmpty()) {
            menu->adjustSize();
            menu->grab().save(dir + u"/tivren-tray-menu.png"_s);
        }

        // Opening the menu starts the live texts; they follow the clock each second.
        Q_EMIT menu->aboutToShow();
        h->clock.time += 2;
        QTRY_COMPARE_WITH_TIMEOUT(lines(*menu).at(1), u"00:01:07"_s, 2500);

        // Skip: a break with the timer stopped shows the second form.
        find(*menu, u"Skip Pomodoro Phase"_s)->trigger();
        settle();
        QCOMPARE(lines(*menu).mid(0, 4),
            (QStringList { u"Pomodoro: Short break"_s, u"00:05:00"_s, u"Skip Pomodoro Phase"_s, u"Stop Timer"_s }));
        find(*menu, u"Stop Timer"_s)->trigger();
        QCOMPARE(h->model->pomodoroPhase(), std::nullopt);
    }

    void choosingTheTrackedProjectStopsIt()
    {
        h->addProject(u"Acme"_s);
        settle();
        find(*menu, u"Acme\t$80.00"_s)->trigger();
        QVERIFY(h->model->activeSession().has_value());
        settle();
        find(*menu, u"Acme\t$80.00"_s)->trigger();
        QCOMPARE(h->model->activeSession(), std::nullopt);
    }

    void timerOfAVanishedProjectShowsIdle()
    {
        AppSnapshot stored;
        stored.activeSession = ActiveTimerSession { QUuid::createUuid(), h->clock.time - 10 };
        QVERIFY(TivrenRepository::writeFile(h->dataFile, stored));
        QCoro::waitFor(h->model->load());
        settle();
        QCOMPARE(lines(*menu).first(), u"No active timer"_s);
    }

    void elapsedNeverNegative()
    {
        const Project acme = h->addProject(u"Acme"_s);
        h->model->startTracking(acme);
        h->clock.time -= 3600; // the system clock was set back
        settle();
        Q_EMIT menu->aboutToShow();
        QCOMPARE(lines(*menu).at(1), u"00:00:00"_s);
    }

    void followsTheLanguageSetting()
    {
        setLanguage(*h->model, AppLanguagePreference::german);
        settle();
        QCOMPARE(lines(*menu).first(), u"Kein aktiver Timer"_s);
    }
};

QTEST_MAIN(tst_TrayMenu)
#include "tst_TrayMenu.moc"
