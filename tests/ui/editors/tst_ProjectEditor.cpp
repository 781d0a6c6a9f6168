// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormTesting.h"
#include "ui/editors/ProjectEditor.h"

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;
using enum tivren::BillingRoundingStrategy;

class tst_ProjectEditor : public QObject, ViewFixture<ProjectEditor>
{
    Q_OBJECT

    QLineEdit* edit(const QString& field) const { return child<QLineEdit>(field + u"LineEdit"_s); }
    QComboBox* combo(const QString& field) const { return child<QComboBox>(field + u"ComboBox"_s); }
    void open(std::optional<Project> project = std::nullopt)
    {
        view = std::make_unique<ProjectEditor>(*h->model, std::move(project));
    }

    void chooseCustom(const QString& minutes)
    {
        combo(u"increment"_s)->setCurrentIndex(combo(u"increment"_s)->count() - 1);
        edit(u"customMinutes"_s)->setText(minutes);
    }

private Q_SLOTS:
    void init()
    {
        view.reset();
        h = std::make_unique<ModelHarness>();
        open();
    }

    // Name, rate and custom increment as typed; no custom text keeps the quarter-hour preset.
    void form_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<std::optional<QString>>("custom");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("storedRate"); // NaN: no rate
        QTest::addColumn<int>("storedMinutes");
        const double none = qQNaN();
        const std::optional<QString> preset;
        auto rate = [&](const char* row, const QString& text, bool valid, double stored) {
            QTest::newRow(row) << u"Acme"_s << text << preset << valid << stored << 15;
        };
        auto custom = [&](const char* row, const QString& text, int stored) {
            QTest::newRow(row) << u"Acme"_s << QString() << std::optional(text) << (stored > 0) << none << stored;
        };
        QTest::newRow("no name") << QString() << QString() << preset << false << none << 0;
        QTest::newRow("blank name") << u" \t\n"_s << QString() << preset << false << none << 0;
        rate("rate only spaces", u"   \n"_s, true, none);
        rate("rate padded decimals", u" 85.50\t"_s, true, 85.5);
        rate("rate decimal comma", u"85,50"_s, false, none);
        rate("rate group separator", u"1,000"_s, false, none);
        rate("rate with currency", u"85 EUR"_s, false, none);
        rate("rate infinity", u"inf"_s, false, none);
        custom("custom padded", u" 90 "_s, 90);
        custom("custom zero", u"0"_s, 0);
        custom("custom negative", u"-5"_s, 0);
        custom("custom letters", u"abc"_s, 0);
        custom("custom empty", QString(), 0);
        custom("custom fraction", u"7.5"_s, 0);
    }

    void form()
    {
        QFETCH(QString, name);
        QFETCH(QString, rate);
        QFETCH(std::optional<QString>, custom);
        QFETCH(bool, valid);
        QFETCH(double, storedRate);
        edit(u"name"_s)->setText(name);
        edit(u"rate"_s)->setText(rate);
        if (custom)
            chooseCustom(*custom);
        QCOMPARE(edit(u"customMinutes"_s)->isHidden(), !custom);
        QCOMPARE(child(u"saveButton"_s)->isEnabled(), valid);
        QCOMPARE(child(u"rateErrorLabel"_s)->isHidden(), rate.trimmed().isEmpty() || valid);
        // The disabled button is not the only guard: Return and callers reach save() too.
        view->save();
        QCOMPARE(h->model->projects().size(), valid ? 1 : 0);
        if (!valid)
            return;
        const Project& saved = h->model->projects().constFirst();
        QCOMPARE(saved.hourlyRate.value_or(qQNaN()), storedRate);
        QTEST(saved.billingIncrementMinutes, "storedMinutes");
    }

    // The decimal comma of the app's language: taken where the language writes one, and the rate
    // field says in one line what it wants when it cannot read what was typed.
    void decimalComma()
    {
        edit(u"name"_s)->setText(u"Acme"_s);
        edit(u"rate"_s)->setText(u"85,50"_s);
        QVERIFY(!child(u"saveButton"_s)->isEnabled());
        QVERIFY(!child(u"rateErrorLabel"_s)->isHidden());
        QCOMPARE(text(u"rateErrorLabel"_s), u"The rate must be a number, such as 85.50."_s);
        setLanguage(AppLanguagePreference::german);
        QVERIFY(child(u"saveButton"_s)->isEnabled());
        QVERIFY(child(u"rateErrorLabel"_s)->isHidden());
        edit(u"rate"_s)->setText(u"85 €"_s);
        QVERIFY(!child(u"saveButton"_s)->isEnabled());
        QVERIFY(text(u"rateErrorLabel"_s).contains(u"85,50"_s));
        // The text typed so far stays in the field.
        QCOMPARE(edit(u"rate"_s)->text(), u"85 €"_s);
        edit(u"rate"_s)->setText(u"85,50"_s);
        view->save();
        QCOMPARE(h->model->projects().constFirst().hourlyRate, std::optional(85.5));
    }

    // One full record: every field of the form lands, the name trimmed, a preset wins over custom text.
    void createsProject()
    {
        h->addProject(u"Existing"_s);
        h->advance(3600);
        QSignalSpy saved(view.get(), &ProjectEditor::saved);
        edit(u"name"_s)->setText(u"  Acme \n"_s);
        edit(u"rate"_s)->setText(u"95.5"_s);
        chooseCustom(u"abc"_s);
        combo(u"increment"_s)->setCurrentIndex(2);
        QVERIFY(edit(u"customMinutes"_s)->isHidden());
        QVERIFY(chooseData(combo(u"rounding"_s), int(roundProjectTotal)) && chooseData(combo(u"color"_s), u"teal"_s));
        QTest::mouseClick(child(u"saveButton"_s), Qt::LeftButton);
        QCOMPARE(saved.count(), 1);
        const QList<Project>& projects = h->model->projects();
        QCOMPARE(projects.size(), 2);
        const Project& created = projects.constLast();
        QVERIFY(!created.id.isNull() && created.id != projects.constFirst().id);
        QCOMPARE(created, Project(created.id, u"Acme"_s, 95.5, 60, roundProjectTotal, u"teal"_s, false, h->clock.time));
        QCOMPARE(h->saved().projects, projects);
    }

    // A custom increment shows as such; saving untouched keeps the record, archive state and creation time included.
    void editsProject()
    {
        Project original = h->addProject(u"Acme"_s, 85, true);
        original.billingIncrementMinutes = 45;
        original.billingRoundingStrategy = roundNearestPerEntry;
        original.colorName = u"pink"_s;
        h->model->updateProject(original, original.name, 85, 45, original.billingRoundingStrategy, u"pink"_s);
        h->addProject(u"Other"_s);
        open(original);
        QCOMPARE(text(u"titleLabel"_s) + u'|' + edit(u"rate"_s)->text(), u"Edit Project|85.00"_s);
        QCOMPARE(combo(u"increment"_s)->currentText(), u"Custom"_s);
        QCOMPARE(edit(u"customMinutes"_s)->text(), u"45"_s);
        view->save();
        QCOMPARE(h->model->projects().constFirst(), original);
        edit(u"name"_s)->setText(u"Acme B.V."_s);
        edit(u"rate"_s)->clear();
        view->save();
        original.name = u"Acme B.V."_s;
        original.hourlyRate.reset();
        QCOMPARE(h->model->projects().constFirst(), original);
    }

    void keyboard()
    {
        QSignalSpy saved(view.get(), &ProjectEditor::saved);
        QSignalSpy cancelled(view.get(), &ProjectEditor::cancelled);
        QTest::keyClick(edit(u"name"_s), Qt::Key_Return);
        QCOMPARE(saved.count(), 0);
        QTest::keyClicks(edit(u"name"_s), u"Acme"_s);
        QTest::keyClick(edit(u"rate"_s), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(saved.count(), 1);
        QTest::keyClick(combo(u"increment"_s), Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(h->model->projects().size(), 1);
    }

    void reopeningStartsBlank()
    {
        view->show();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        edit(u"name"_s)->setText(u"Acme"_s);
        edit(u"rate"_s)->setText(u"10"_s);
        chooseCustom(u"45"_s);
        combo(u"rounding"_s)->setCurrentIndex(2);
        combo(u"color"_s)->setCurrentIndex(3);
        view->save();
        view->hide();
        edit(u"rate"_s)->setFocus();
        view->show();
        QVERIFY(edit(u"customMinutes"_s)->isHidden() && !child(u"saveButton"_s)->isEnabled());
        edit(u"name"_s)->setText(u"Beta"_s);
        view->save();
        const Project& blank = h->model->projects().constLast();
        QCOMPARE(blank, Project(blank.id, u"Beta"_s, {}, 15, roundUpPerEntry, u"blue"_s, false, h->clock.time));
        // Offscreen, a window shown again is not activated; the focus widget is where the cursor lands once it is.
        QTRY_COMPARE(view->focusWidget(), edit(u"name"_s));
    }

    void screenshot()
    {
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TIVREN_SCREENSHOT_DIR not set");
        open(h->addProject(u"Acme Corp"_s, 85));
        chooseCustom(u"45"_s);
        QVERIFY(renderTo(*view, dir, u"project-editor"_s));
    }
};

QTEST_MAIN(tst_ProjectEditor)
#include "tst_ProjectEditor.moc"
