#include "support/LanguageSwitch.h"
#include "support/ModelHarness.h"
#include "support/WidgetTesting.h"
#include "ui/editors/ProjectEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_ProjectEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<ProjectEditor> editor;

    template <typename T> T* child(const QString& name) { return requireChild<T>(editor.get(), name); }
    QLineEdit* nameEdit() { return child<QLineEdit>(u"nameLineEdit"_s); }
    QLineEdit* rateEdit() { return child<QLineEdit>(u"rateLineEdit"_s); }
    QLineEdit* customEdit() { return child<QLineEdit>(u"customMinutesLineEdit"_s); }
    QComboBox* incrementCombo() { return child<QComboBox>(u"incrementComboBox"_s); }
    QComboBox* roundingCombo() { return child<QComboBox>(u"roundingComboBox"_s); }
    QComboBox* colorCombo() { return child<QComboBox>(u"colorComboBox"_s); }
    QPushButton* saveButton() { return child<QPushButton>(u"saveButton"_s); }

    void open(std::optional<Project> project = std::nullopt)
    {
        editor = std::make_unique<ProjectEditor>(*h->model, std::move(project));
    }
    void chooseCustom(const QString& minutes)
    {
        incrementCombo()->setCurrentIndex(incrementCombo()->count() - 1);
        customEdit()->setText(minutes);
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        open();
    }
    void cleanup()
    {
        editor.reset();
        h.reset();
    }

    // Name, rate and custom increment as typed; no custom text keeps the quarter-hour preset.
    void form_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<std::optional<QString>>("custom");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<double>("storedRate"); // NaN: no rate
        QTest::addColumn<int>("storedMinutes");

        const double none = qQNaN();
        const std::optional<QString> preset;
        auto rate = [&](const char* row, const QString& text, bool valid, double stored) {
            QTest::newRow(row) << u"Acme"_s << text << preset << valid << u"Acme"_s << stored << 15;
        };
        auto custom = [&](const char* row, const QString& text, int stored) {
            QTest::newRow(row) << u"Acme"_s << QString() << std::optional(text) << (stored > 0) << u"Acme"_s << none
                               << stored;
        };
        QTest::newRow("no name") << QString() << QString() << preset << false << QString() << none << 0;
        QTest::newRow("blank name") << u" \t\n"_s << QString() << preset << false << QString() << none << 0;
        QTest::newRow("name trimmed") << u"  Acme Corp \n"_s << QString() << preset << true << u"Acme Corp"_s << none
                                      << 15;
        rate("rate only spaces", u"   \n"_s, true, none);
        rate("rate padded decimals", u" 85.50\t"_s, true, 85.5);
        rate("rate negative", u"-12.5"_s, true, -12.5);
        rate("rate plus sign", u"+7"_s, true, 7.0);
        rate("rate exponent", u"1.2e2"_s, true, 120.0);
        rate("rate decimal comma", u"85,50"_s, false, none);
        rate("rate group separator", u"1,000"_s, false, none);
        rate("rate with currency", u"85 EUR"_s, false, none);
        rate("rate infinity", u"inf"_s, false, none);
        rate("rate overflow", u"1e999"_s, false, none);
        custom("custom 45", u"45"_s, 45);
        custom("custom plus sign", u"+20"_s, 20);
        custom("custom padded", u" 90 "_s, 90);
        custom("custom zero", u"0"_s, 0);
        custom("custom negative", u"-5"_s, 0);
        custom("custom letters", u"abc"_s, 0);
        custom("custom empty", QString(), 0);
        custom("custom fraction", u"7.5"_s, 0);
        custom("custom too large", u"99999999999"_s, 0);
    }
    void form()
    {
        QFETCH(QString, name);
        QFETCH(QString, rate);
        QFETCH(std::optional<QString>, custom);
        QFETCH(bool, valid);
        QFETCH(double, storedRate);

        nameEdit()->setText(name);
        rateEdit()->setText(rate);
        if (custom)
            chooseCustom(*custom);
        QCOMPARE(customEdit()->isHidden(), !custom);
        QCOMPARE(saveButton()->isEnabled(), valid);

        // The disabled button is not the only guard: Return and callers reach save() too.
        editor->save();
        QCOMPARE(h->model->projects().size(), valid ? 1 : 0);
        if (!valid)
            return;
        const Project& saved = h->model->projects().constFirst();
        QTEST(saved.name, "storedName");
        QCOMPARE(saved.hourlyRate.has_value(), !qIsNaN(storedRate));
        if (saved.hourlyRate)
            QCOMPARE(*saved.hourlyRate, storedRate);
        QTEST(saved.billingIncrementMinutes, "storedMinutes");
    }

    void presetIgnoresCustomText()
    {
        nameEdit()->setText(u"Acme"_s);
        chooseCustom(u"abc"_s);
        incrementCombo()->setCurrentIndex(1);
        QVERIFY(customEdit()->isHidden());
        editor->save();
        QCOMPARE(h->model->projects().constFirst().billingIncrementMinutes, 30);
    }

    void createsProject()
    {
        h->addProject(u"Existing"_s);
        h->advance(3600);
        QSignalSpy saved(editor.get(), &ProjectEditor::saved);

        nameEdit()->setText(u"Acme"_s);
        rateEdit()->setText(u"95.5"_s);
        incrementCombo()->setCurrentIndex(2);
        roundingCombo()->setCurrentIndex(roundingCombo()->findData(int(BillingRoundingStrategy::roundProjectTotal)));
        colorCombo()->setCurrentIndex(colorCombo()->findData(u"teal"_s));
        QTest::mouseClick(saveButton(), Qt::LeftButton);

        QCOMPARE(saved.count(), 1);
        const QList<Project>& projects = h->model->projects();
        QCOMPARE(projects.size(), 2);
        const Project& created = projects.constLast();
        QVERIFY(!created.id.isNull() && created.id != projects.constFirst().id);
        QCOMPARE(created,
            Project(created.id,
                u"Acme"_s,
                95.5,
                60,
                BillingRoundingStrategy::roundProjectTotal,
                u"teal"_s,
                false,
                h->clock.time));
        QCOMPARE(h->saved().projects, projects);
    }

    void editsProject_data()
    {
        QTest::addColumn<int>("increment");
        QTest::addColumn<QString>("shownIncrement");
        QTest::addColumn<QString>("shownCustom");

        QTest::newRow("custom 45") << 45 << u"Custom"_s << u"45"_s;
        QTest::newRow("half hour") << 30 << u"Half hour"_s << u""_s;
    }
    void editsProject()
    {
        QFETCH(int, increment);
        QFETCH(QString, shownIncrement);
        QFETCH(QString, shownCustom);

        Project original = h->addProject(u"Acme"_s, 85, true);
        original.billingIncrementMinutes = increment;
        original.billingRoundingStrategy = BillingRoundingStrategy::roundNearestPerEntry;
        original.colorName = u"pink"_s;
        h->model->updateProject(original, original.name, 85, increment, original.billingRoundingStrategy, u"pink"_s);
        h->addProject(u"Other"_s);
        open(original);

        QCOMPARE(child<QLabel>(u"titleLabel"_s)->text(), u"Edit Project"_s);
        QCOMPARE(saveButton()->text(), u"Save"_s);
        QCOMPARE(nameEdit()->text(), u"Acme"_s);
        QCOMPARE(rateEdit()->text(), u"85.00"_s);
        QCOMPARE(incrementCombo()->currentText(), shownIncrement);
        QCOMPARE(customEdit()->text(), shownCustom);
        QCOMPARE(customEdit()->isHidden(), shownCustom.isEmpty());
        QCOMPARE(roundingCombo()->currentText(), u"Round nearest each entry"_s);
        QCOMPARE(colorCombo()->currentText(), u"Pink"_s);

        // Saving untouched keeps the record as it was, archive state and creation time included.
        editor->save();
        QCOMPARE(h->model->projects().constFirst(), original);

        nameEdit()->setText(u"Acme B.V. "_s);
        rateEdit()->clear();
        editor->save();
        QCOMPARE(h->model->projects().size(), 2);
        const Project& edited = h->model->projects().constFirst();
        QCOMPARE(edited.name, u"Acme B.V."_s);
        QVERIFY(!edited.hourlyRate);
        QCOMPARE(edited.id, original.id);
        QVERIFY(edited.isArchived);
    }

    void keyboard()
    {
        QSignalSpy saved(editor.get(), &ProjectEditor::saved);
        QSignalSpy cancelled(editor.get(), &ProjectEditor::cancelled);

        QTest::keyClick(nameEdit(), Qt::Key_Return);
        QCOMPARE(saved.count(), 0);
        QTest::keyClicks(nameEdit(), u"Acme"_s);
        QTest::keyClick(rateEdit(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(h->model->projects().size(), 1);

        QTest::keyClick(incrementCombo(), Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(h->model->projects().size(), 1);
    }

    void reopeningStartsBlank()
    {
        editor->show();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        nameEdit()->setText(u"Acme"_s);
        rateEdit()->setText(u"10"_s);
        chooseCustom(u"45"_s);
        roundingCombo()->setCurrentIndex(2);
        colorCombo()->setCurrentIndex(3);
        editor->save();
        editor->hide();
        rateEdit()->setFocus();

        editor->show();
        QCOMPARE(nameEdit()->text(), QString());
        QCOMPARE(rateEdit()->text(), QString());
        QCOMPARE(customEdit()->text(), QString());
        QVERIFY(customEdit()->isHidden());
        QCOMPARE(incrementCombo()->currentText(), u"Quarter hour"_s);
        QCOMPARE(roundingCombo()->currentText(), u"Round up each entry"_s);
        QCOMPARE(colorCombo()->currentData().toString(), u"blue"_s);
        QVERIFY(!saveButton()->isEnabled());
        // The offscreen platform does not activate a window shown again; the focus widget is
        // where the cursor lands once it is.
        QTRY_COMPARE(editor->focusWidget(), nameEdit());
        QCOMPARE(h->model->projects().size(), 1);
    }

    void followsAppLanguage()
    {
        setLanguage(*h->model, AppLanguagePreference::dutch);

        QCOMPARE(saveButton()->text(), u"Aanmaken"_s);
        QCOMPARE(colorCombo()->currentText(), u"Blauw"_s);
        // Every colour has its written-out label, not the stored name.
        for (int i = 0; i < colorCombo()->count(); ++i)
            QVERIFY(colorCombo()->itemText(i) != colorCombo()->itemData(i).toString());
    }

    void screenshot()
    {
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TIVREN_SCREENSHOT_DIR not set");
        open(h->addProject(u"Acme Corp"_s, 85));
        chooseCustom(u"45"_s);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        QVERIFY(editor->grab().save(dir + u"/tivren-project-editor.png"_s));
    }
};

QTEST_MAIN(tst_ProjectEditor)
#include "tst_ProjectEditor.moc"
