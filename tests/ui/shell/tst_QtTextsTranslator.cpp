// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormTesting.h"
#include "ui/shell/QtTextsTranslator.h"

#include <QFileDialog>
#include <QMessageBox>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_QtTextsTranslator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt's own dialogs speak the app language, also one already open when the language changes.
    void qtDialogsFollowTheAppLanguage_data()
    {
        QTest::addColumn<AppLanguagePreference>("language");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("Dutch") << AppLanguagePreference::dutch << u"Annuleren"_s << u"Bestands&naam:"_s;
        QTest::newRow("German") << AppLanguagePreference::german << u"Abbrechen"_s << u"Datei&name:"_s;
        QTest::newRow("English") << AppLanguagePreference::english << u"Cancel"_s << u"File &name:"_s;
    }

    void qtDialogsFollowTheAppLanguage()
    {
        QFETCH(AppLanguagePreference, language);
        QFETCH(QString, cancel);
        ModelHarness h;
        setLanguage(*h.model, AppLanguagePreference::french);
        QtTextsTranslator translator(*h.model);
        QMessageBox openBefore(QMessageBox::Question, u"Tivren"_s, u"?"_s, QMessageBox::Cancel);
        QFileDialog fileDialog;
        fileDialog.setOption(QFileDialog::DontUseNativeDialog);
        setLanguage(*h.model, language);
        QMessageBox openedAfter(QMessageBox::Question, u"Tivren"_s, u"?"_s, QMessageBox::Cancel);
        QCOMPARE(openedAfter.button(QMessageBox::Cancel)->text(), cancel);
        QTRY_COMPARE(openBefore.button(QMessageBox::Cancel)->text(), cancel);
        QTEST(fileDialog.findChild<QLabel*>(u"fileNameLabel"_s)->text(), "fileName");
    }
};

QTEST_MAIN(tst_QtTextsTranslator)
#include "tst_QtTextsTranslator.moc"
