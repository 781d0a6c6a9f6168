// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ModelHarness.h"
#include "ui/overview/EntryListView.h"
#include "ui/shell/MainWindow.h"
#include "ui/timeline/week/WeekCanvas.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

// The main window as a keyboard and screen-reader user meets it.
class tst_KeyboardAccess : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        ModelHarness h;
        Project acme = testProject(u"Acme"_s);
        Project globex = testProject(u"Globex"_s);
        int newProjectWindows = 0;
        std::unique_ptr<MainWindow> window;

        Fixture()
        {
            const Instant start = h.clock.time - 86400;
            h.load(snapshotOf({ acme, globex },
                { testEntry(acme, start, 5400, u"Design review"_s), testEntry(globex, start - 7200, 1800) }));
            window = std::make_unique<MainWindow>(*h.model, [this] {
                ++newProjectWindows;
            });
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            QApplication::processEvents();
        }
        template <typename T> T* child(const QString& name) const { return window->findChild<T*>(name); }
        void press(QKeyCombination keys) const
        {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(),
                keys.key(),
                keys.keyboardModifiers());
            QApplication::processEvents();
        }
    };

    static QString accessibleName(QWidget* widget)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        return iface ? iface->text(QAccessible::Name) : QString();
    }

    // The widgets Tab visits from the window's start, in order, once round.
    static QList<QWidget*> tabStops(QWidget* window)
    {
        QList<QWidget*> stops;
        for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() && !w->focusProxy())
                stops.append(w);
        }
        return stops;
    }

private Q_SLOTS:
    void initTestCase() { QAccessible::setActive(true); }

    void shortcutsReachTheirActions()
    {
        Fixture f;
        f.press(Qt::CTRL | Qt::Key_3);
        QCOMPARE(f.h.model->selectedSection(), MainSection::projects);
        f.press(Qt::CTRL | Qt::Key_N);
        QCOMPARE(f.newProjectWindows, 1);
        f.press(Qt::CTRL | Qt::Key_1);
        QCOMPARE(f.h.model->selectedSection(), MainSection::overview);
        // Ctrl+Enter starts the project used last, and stops it again.
        f.press(Qt::CTRL | Qt::Key_Return);
        QVERIFY(f.h.model->activeSession());
        QCOMPARE(f.h.model->activeSession()->projectID, f.acme.id);
        f.press(Qt::CTRL | Qt::Key_Enter);
        QVERIFY(!f.h.model->activeSession());
        // Space with nothing that uses it focused starts it; on a button it presses the button.
        f.window->setFocus();
        f.press(Qt::Key_Space);
        QVERIFY(f.h.model->activeSession());
        auto* projects = f.child<QAbstractButton>(u"projectsSectionButton"_s);
        projects->setFocus();
        f.press(Qt::Key_Space);
        QCOMPARE(f.h.model->selectedSection(), MainSection::projects);
        QVERIFY(f.h.model->activeSession());
        // Away from the overview the timer keys do nothing.
        f.press(Qt::CTRL | Qt::Key_Return);
        QVERIFY(f.h.model->activeSession());
        f.press(Qt::CTRL | Qt::Key_W);
        QVERIFY(!f.window->isVisible());
    }

    void tooltipsNameTheirKeys_data()
    {
        QTest::addColumn<MainSection>("section");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("section") << MainSection::overview << u"timelineSectionButton"_s << u"Timeline (Ctrl+2)"_s;
        QTest::newRow("export") << MainSection::overview << u"exportCSVButton"_s << u"Export CSV (Ctrl+E)"_s;
        QTest::newRow("stop") << MainSection::overview << u"stopTimerButton"_s << u"Stop Timer (Ctrl+Enter)"_s;
        QTest::newRow("add project") << MainSection::projects << u"addProjectButton"_s << u"Add Project (Ctrl+N)"_s;
    }
    void tooltipsNameTheirKeys()
    {
        QFETCH(MainSection, section);
        QFETCH(QString, button);
        QFETCH(QString, tooltip);
        Fixture f;
        f.h.model->setSelectedSection(section); // a screen is built when first shown
        QCOMPARE(f.child<QAbstractButton>(button)->toolTip(), tooltip);
    }

    void tabOrderReadsTheScreenAndEveryStopIsNamed()
    {
        Fixture f;
        const QList<QWidget*> stops = tabStops(f.window.get());
        QVERIFY(!stops.isEmpty());
        for (QWidget* stop : stops)
            QVERIFY2(!accessibleName(stop).isEmpty(), qPrintable(stop->objectName() + u" has no name"_s));
        QCOMPARE(stops.first()->objectName(), u"overviewSectionButton"_s);
        const auto position = [&](const QString& name) {
            for (qsizetype i = 0; i < stops.size(); ++i) {
                if (stops[i]->objectName() == name)
                    return i;
            }
            return qsizetype(-1);
        };
        const qsizetype list = position(u"entryListView"_s);
        QVERIFY(list > 0);
        qsizetype recent = -1;
        for (qsizetype i = 0; i < stops.size(); ++i) {
            if (stops[i]->inherits("tivren::RecentProjectButton"))
                recent = i;
        }
        QVERIFY(recent > position(u"startAnotherProjectButton"_s));
        QVERIFY(recent < list);
    }

    void everyScreenNamesItsStops_data()
    {
        QTest::addColumn<MainSection>("section");
        for (MainSection section : allMainSections())
            QTest::newRow(qPrintable(rawValue(section))) << section;
    }
    void everyScreenNamesItsStops()
    {
        QFETCH(MainSection, section);
        Fixture f;
        f.h.model->setSelectedSection(section);
        QApplication::processEvents();
        for (QWidget* stop : tabStops(f.window.get()))
            QVERIFY2(!accessibleName(stop).isEmpty(), qPrintable(stop->objectName() + u" has no name"_s));
    }

    void entryRowsAreAccessibleChildren()
    {
        Fixture f;
        auto* list = f.child<EntryListView>(u"entryListView"_s);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
        QCOMPARE(iface->role(), QAccessible::List);
        QCOMPARE(iface->childCount(), 2);
        QAccessibleInterface* first = iface->child(0);
        QCOMPARE(first->role(), QAccessible::ListItem);
        QCOMPARE(iface->indexOfChild(first), 0);
        QCOMPARE(first->parent(), iface);
        const QString name = first->text(QAccessible::Name);
        QVERIFY2(name.startsWith(u"Acme, "_s) && name.contains(u"Design review"_s) && name.contains(u"1.50 h"_s),
            qPrintable(name));
        QVERIFY(iface->child(1)->text(QAccessible::Name).startsWith(u"Globex, "_s));
        QVERIFY(iface->child(2) == nullptr);
        QVERIFY(first->rect().isValid());
        QCOMPARE(iface->childAt(first->rect().center().x(), first->rect().center().y()), first);

        QAccessibleActionInterface* actions = first->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames(), QStringList({ u"Edit"_s, u"Delete"_s }));
        QSignalSpy edits(list, &EntryListView::editRequested);
        QSignalSpy deletes(list, &EntryListView::deleteRequested);
        actions->doAction(u"Edit"_s);
        QCOMPARE(edits.size(), 1);
        QCOMPARE(edits.first().first().value<TimeEntry>().projectID, f.acme.id);
        iface->child(1)->actionInterface()->doAction(u"Delete"_s);
        QTRY_COMPARE(iface->childCount(), 1);
        QCOMPARE(f.h.model->entries().size(), 1);
        QVERIFY(iface->child(0)->text(QAccessible::Name).startsWith(u"Acme, "_s));
    }

    void actionButtonsNameWhatTheyActOn()
    {
        Fixture f;
        f.h.model->setSelectedSection(MainSection::projects);
        QApplication::processEvents();
        QStringList names;
        for (auto* button : f.child<QWidget>(u"projectsView"_s)->findChildren<QPushButton*>()) {
            if (button->objectName() == u"editButton"_s || button->objectName() == u"archiveButton"_s)
                names.append(accessibleName(button));
        }
        names.sort();
        QCOMPARE(names, QStringList({ u"Archive Acme"_s, u"Archive Globex"_s, u"Edit Acme"_s, u"Edit Globex"_s }));
        f.h.model->setSelectedSection(MainSection::overview);
        QApplication::processEvents();
        QStringList rows;
        for (QWidget* row : f.window->findChildren<QWidget*>(u"byProjectRow"_s))
            rows.append(accessibleName(row));
        rows.sort();
        QCOMPARE(rows.size(), 2);
        QVERIFY2(rows[0].startsWith(u"Acme, "_s) && rows[0].contains(u"h, "_s), qPrintable(rows[0]));
    }

    void weekCanvasIsNamed()
    {
        Fixture f;
        f.h.model->setSelectedSection(MainSection::timeline);
        QApplication::processEvents();
        auto* canvas = f.window->findChild<WeekCanvas*>();
        QVERIFY(canvas);
        QCOMPARE(accessibleName(canvas), u"Week Timeline"_s);
    }
};

QTEST_MAIN(tst_KeyboardAccess)
#include "tst_KeyboardAccess.moc"
