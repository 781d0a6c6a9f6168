#include "support/FormTesting.h"
#include "ui/shell/MainWindow.h"

#include <QFileInfo>
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
