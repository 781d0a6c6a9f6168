// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormTesting.h"
#include "ui/shell/MainWindow.h"

#include <QFileInfo>
#include <QLayout>
#include <QMessageBox>
#include <QStackedWidget>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_MainWindow : public QObject
{
    Q_OBJECT

    static QAbstractButton* button(const MainWindow& window, const QString& name)
    {
        return window.findChild<QAbstractButton*>(name);
    }

private Q_SLOTS:
    void switcherFollowsTheModel()
    {
        ModelHarness h;
        MainWindow window(*h.model);
        window.show();
        auto* stack = window.findChild<QStackedWidget*>(u"contentStack"_s);
        QCOMPARE(stack->currentWidget()->objectName(), u"overviewView"_s);
        QTest::mouseClick(button(window, u"projectsSectionButton"_s), Qt::LeftButton);
        QCOMPARE(h.model->selectedSection(), MainSection::projects);
        QCOMPARE(stack->currentWidget()->objectName(), u"projectsView"_s);
        h.model->setSelectedSection(MainSection::timeline);
        QVERIFY(button(window, u"timelineSectionButton"_s)->isChecked());
        setLanguage(*h.model, AppLanguagePreference::dutch);
        QCOMPARE(button(window, u"settingsSectionButton"_s)->text(), u"Instellingen"_s);
    }

    // The smallest window fits the work area of small, scaled screens (less a panel and a title
    // bar), and every screen fits into it: nothing is squeezed below its own minimum.
    void minimumSizeFitsSmallScreens_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<AppLanguagePreference>("language");
        QTest::newRow("1280x720 at 125 %") << QSize(1280, 720) << 1.25 << AppLanguagePreference::english;
        QTest::newRow("1600x1000 at 200 %") << QSize(1600, 1000) << 2.0 << AppLanguagePreference::english;
        QTest::newRow("1600x1000 at 200 %, German") << QSize(1600, 1000) << 2.0 << AppLanguagePreference::german;
    }
    void minimumSizeFitsSmallScreens()
    {
        QFETCH(QSize, screen);
        QFETCH(qreal, scale);
        QFETCH(AppLanguagePreference, language);
        const int panel = 32, titleBar = 38;
        const QSize workArea = QSize(int(screen.width() / scale), int(screen.height() / scale - panel - titleBar));
        QVERIFY(MainWindow::minimumWindowSize.width() <= workArea.width());
        QVERIFY(MainWindow::minimumWindowSize.height() <= workArea.height());

        ModelHarness h;
        setLanguage(*h.model, language);
        MainWindow window(*h.model);
        window.show();
        QCOMPARE(window.minimumSize(), MainWindow::minimumWindowSize);
        for (MainSection section : allMainSections()) {
            h.model->setSelectedSection(section);
            QCoreApplication::processEvents();
            const QSize needed = window.layout()->totalMinimumSize();
            QVERIFY2(needed.width() <= window.minimumWidth() && needed.height() <= window.minimumHeight(),
                qPrintable(u"%1 needs %2x%3"_s.arg(rawValue(section)).arg(needed.width()).arg(needed.height())));
        }
    }

    // Until the data file is read the window shows no screen at all, so never "No projects yet"
    // over projects still loading; the section chosen meanwhile is the one built.
    void screensWaitForTheData()
    {
        ModelHarness h({ false, false }, ModelHarness::Load::later);
        MainWindow window(*h.model);
        window.show();
        auto* stack = window.findChild<QStackedWidget*>(u"contentStack"_s);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.findChild<QWidget*>(u"overviewView"_s));
        QTest::mouseClick(button(window, u"projectsSectionButton"_s), Qt::LeftButton);
        QVERIFY(button(window, u"projectsSectionButton"_s)->isChecked());
        QVERIFY(!window.findChild<QWidget*>(u"projectsView"_s));

        AppSnapshot snapshot;
        snapshot.projects.append(Project(QUuid::createUuid(),
            u"Acme"_s,
            80,
            15,
            BillingRoundingStrategy::roundUpPerEntry,
            u"blue"_s,
            false,
            h.clock.time));
        h.load(snapshot);
        QCOMPARE(stack->currentWidget()->objectName(), u"projectsView"_s);
        QVERIFY(!window.findChild<QWidget*>(u"overviewView"_s));
        h.model->setSelectedSection(MainSection::overview);
        QVERIFY(window.findChild<QWidget*>(u"launcherContentWidget"_s)->isVisible());
        QVERIFY(!window.findChild<QWidget*>(u"launcherEmptyState"_s)->isVisible());
    }

    // After an unreadable file the window says why nothing is saved, and starting afresh needs a confirmation.
    void readOnlyBannerOffersAFreshStart()
    {
        ModelHarness h({ false, false }, ModelHarness::Load::later);
        MainWindow window(*h.model);
        window.show();
        auto* banner = window.findChild<QWidget*>(u"readOnlyBanner"_s);
        QVERIFY(banner && !banner->isVisible());
        QVERIFY(QDir().mkpath(QFileInfo(h.dataFile).path()));
        writeRaw(h.dataFile, "{\"projects\": 7}");
        QCoro::waitFor(h.model->load());
        QTRY_VERIFY(banner->isVisible());
        // The empty screen is what there is to show now.
        QCOMPARE(
            window.findChild<QStackedWidget*>(u"contentStack"_s)->currentWidget()->objectName(), u"overviewView"_s);
        QVERIFY(window.findChild<QLabel*>(u"readOnlyReasonLabel"_s)->text().contains(u".unreadable-"_s));
        h.model->clearError();
        QTest::mouseClick(button(window, u"startAfreshButton"_s), Qt::LeftButton);
        QTRY_VERIFY(button(window, u"confirmStartAfreshButton"_s));
        QVERIFY(h.model->readOnlyReason().has_value()); // nothing happens before the confirmation
        QTest::mouseClick(button(window, u"confirmStartAfreshButton"_s), Qt::LeftButton);
        QTRY_VERIFY(!banner->isVisible());
        QCOMPARE(h.saved(), AppSnapshot {});
    }

    // Dismissed by any means, an alert clears its message; a message cleared elsewhere closes its alert.
    void alertsClearTheirMessage()
    {
        ModelHarness h;
        MainWindow window(*h.model);
        window.show();
        h.model->updateEntry(TimeEntry {}, 10, 5, {}); // sets the error message
        QTRY_VERIFY(window.findChild<QMessageBox*>());
        QCOMPARE(window.findChild<QMessageBox*>()->windowTitle(), u"Something went wrong"_s);
        QCOMPARE(window.findChild<QMessageBox*>()->text(), u"The end time must be later than the start time."_s);
        window.findChild<QMessageBox*>()->reject();
        QTRY_COMPARE(h.model->errorMessage(), std::nullopt);
        QTRY_VERIFY(!window.findChild<QMessageBox*>());
        h.model->updateEntry(TimeEntry {}, 10, 5, {});
        QTRY_VERIFY(window.findChild<QMessageBox*>());
        h.model->clearError();
        QTRY_VERIFY(!window.findChild<QMessageBox*>());
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
