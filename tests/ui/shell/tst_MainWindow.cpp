#include "support/LanguageSwitch.h"
#include "support/ModelHarness.h"
#include "ui/shell/MainWindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switcherFollowsTheModel()
    {
        ModelHarness h;
        MainWindow window(*h.model);
        window.show();
        QCOMPARE(window.windowTitle(), u"Tivren"_s);
        auto* stack = window.findChild<QStackedWidget*>(u"contentStack"_s);
        QCOMPARE(stack->currentWidget()->objectName(), u"overviewView"_s);
        QTest::mouseClick(window.findChild<QAbstractButton*>(u"projectsSectionButton"_s), Qt::LeftButton);
        QCOMPARE(h.model->selectedSection(), MainSection::projects);
        QCOMPARE(stack->currentWidget()->objectName(), u"projectsView"_s);
        h.model->setSelectedSection(MainSection::timeline);
        QVERIFY(window.findChild<QAbstractButton*>(u"timelineSectionButton"_s)->isChecked());

        setLanguage(*h.model, AppLanguagePreference::dutch);
        QCOMPARE(window.findChild<QAbstractButton*>(u"settingsSectionButton"_s)->text(), u"Instellingen"_s);
        QCOMPARE(window.windowTitle(), u"Tivren"_s);
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
        QFile file(h.dataFile);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\"projects\": 7}") > 0);
        file.close();
        QCoro::waitFor(h.model->load());
        QTRY_VERIFY(banner->isVisible());
        QVERIFY(window.findChild<QLabel*>(u"readOnlyReasonLabel"_s)->text().contains(u".unreadable-"_s));
        h.model->clearError();

        auto* startAfresh = window.findChild<QAbstractButton*>(u"startAfreshButton"_s);
        QVERIFY(startAfresh->isVisible());
        QTest::mouseClick(startAfresh, Qt::LeftButton);
        QAbstractButton* confirm = nullptr;
        QTRY_VERIFY((confirm = window.findChild<QAbstractButton*>(u"confirmStartAfreshButton"_s)) != nullptr);
        QVERIFY(h.model->readOnlyReason().has_value()); // nothing happens before the confirmation
        QTest::mouseClick(confirm, Qt::LeftButton);
        QTRY_VERIFY(!banner->isVisible());
        QCOMPARE(h.saved(), AppSnapshot {});
    }

    void alertsClearTheirMessage()
    {
        ModelHarness h;
        MainWindow window(*h.model);
        window.show();
        h.model->updateEntry(TimeEntry {}, 10, 5, {}); // sets the error message
        QMessageBox* alert = nullptr;
        QTRY_VERIFY((alert = window.findChild<QMessageBox*>()) != nullptr);
        QCOMPARE(alert->windowTitle(), u"Something went wrong"_s);
        QCOMPARE(alert->text(), u"The end time must be later than the start time."_s);
        alert->reject(); // dismissed by any means
        QTRY_COMPARE(h.model->errorMessage(), std::nullopt);
        QTRY_VERIFY(window.findChild<QMessageBox*>() == nullptr);

        // A message cleared elsewhere closes its alert.
        h.model->updateEntry(TimeEntry {}, 10, 5, {});
        QTRY_VERIFY(window.findChild<QMessageBox*>() != nullptr);
        h.model->clearError();
        QTRY_VERIFY(window.findChild<QMessageBox*>() == nullptr);
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
