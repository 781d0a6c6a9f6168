// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScreenTesting.h"
#include "ui/editors/ProjectEditor.h"
#include "ui/projects/ProjectsView.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_ProjectsView : public QObject, ScreenFixture<ProjectsView>
{
    Q_OBJECT

    int newWindowRequests = 0;

    QList<QWidget*> rows(const QString& list) const
    {
        return child(list + u"ListWidget"_s)->findChildren<QWidget*>(u"projectRow"_s, Qt::FindDirectChildrenOnly);
    }

    // The list's rows as "Name (badge)".
    QStringList rowTexts(const QString& list) const
    {
        QStringList result;
        for (QWidget* row : rows(list)) {
            QString line = row->findChild<QLabel*>(u"nameLabel"_s)->text();
            if (auto* badge = row->findChild<QLabel*>(u"runningBadgeLabel"_s))
                line += u" ("_s + badge->text() + u')';
            result << line;
        }
        return result;
    }

    QPushButton* button(const QString& list, int row, const QString& name) const
    {
        return rows(list).at(row)->findChild<QPushButton*>(name);
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        setLanguage(AppLanguagePreference::english);
        newWindowRequests = 0;
        view = std::make_unique<ProjectsView>(*h->model, [this] {
            ++newWindowRequests;
        });
        view->resize(640, 480);
    }

    void cleanup() { stop(); }

    void emptyStateAndAddProject()
    {
        QVERIFY(shown(u"emptyStateWidget"_s) && !shown(u"listContentWidget"_s));
        QCOMPARE(text(u"emptyTitleLabel"_s), u"No projects yet"_s);
        child<QPushButton>(u"addProjectButton"_s)->click();
        QCOMPARE(h->model->selectedSection(), MainSection::projects);
        // The window comes a turn later, once the main window is in front.
        QCOMPARE(newWindowRequests, 0);
        QTRY_COMPARE(newWindowRequests, 1);
        // Already on the projects section: the section is left alone.
        QSignalSpy sectionSpy(h->model.get(), &AppModel::selectedSectionChanged);
        child<QPushButton>(u"addProjectButton"_s)->click();
        QTRY_COMPARE(newWindowRequests, 2);
        QCOMPARE(sectionSpy.count(), 0);
        h->addProject(u"Acme"_s);
        QVERIFY(!shown(u"emptyStateWidget"_s) && shown(u"listContentWidget"_s));
    }

    void archiveAndRestoreMoveRows()
    {
        for (const QString& name : { u"Charlie"_s, u"Alpha"_s, u"Bravo"_s })
            h->addProject(name);
        QCOMPARE(rowTexts(u"active"_s), (QStringList { u"Alpha"_s, u"Bravo"_s, u"Charlie"_s }));
        QVERIFY(!shown(u"archivedHeaderLabel"_s) && !shown(u"archivedListWidget"_s));
        button(u"active"_s, 1, u"archiveButton"_s)->click(); // Bravo
        QCOMPARE(rowTexts(u"active"_s), (QStringList { u"Alpha"_s, u"Charlie"_s }));
        QCOMPARE(rowTexts(u"archived"_s), QStringList { u"Bravo"_s });
        QVERIFY(shown(u"archivedListWidget"_s) && !button(u"archived"_s, 0, u"archiveButton"_s));
        // Only archived projects: an empty "Active" section, not the empty state.
        button(u"active"_s, 0, u"archiveButton"_s)->click();
        button(u"active"_s, 0, u"archiveButton"_s)->click();
        QVERIFY(rows(u"active"_s).isEmpty() && shown(u"activeHeaderLabel"_s) && !shown(u"emptyStateWidget"_s));
        QCOMPARE(rowTexts(u"archived"_s), (QStringList { u"Alpha"_s, u"Bravo"_s, u"Charlie"_s }));
        button(u"archived"_s, 1, u"restoreButton"_s)->click(); // Bravo
        button(u"archived"_s, 0, u"restoreButton"_s)->click();
        QCOMPARE(rowTexts(u"active"_s), (QStringList { u"Alpha"_s, u"Bravo"_s }));
        QCOMPARE(rowTexts(u"archived"_s), QStringList { u"Charlie"_s });
    }

    void billingDescription_data()
    {
        QTest::addColumn<std::optional<double>>("rate");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<BillingRoundingStrategy>("strategy");
        QTest::addColumn<QString>("terms");
        using enum BillingRoundingStrategy;
        QTest::newRow("no rate") << std::optional<double>() << 15 << roundUpPerEntry << u"Time tracking only"_s;
        QTest::newRow("15 up") << std::optional(80.0) << 15 << roundUpPerEntry << u"15 min, round up per entry"_s;
        QTest::newRow("30 nearest") << std::optional(95.5) << 30 << roundNearestPerEntry
                                    << u"30 min, round nearest per entry"_s;
        QTest::newRow("60 total") << std::optional(120.0) << 60 << roundProjectTotal
                                  << u"60 min, round project total"_s;
        QTest::newRow("custom 45") << std::optional(0.0) << 45 << roundUpPerEntry << u"45 min, round up per entry"_s;
    }

    void billingDescription()
    {
        QFETCH(std::optional<double>, rate);
        QFETCH(int, minutes);
        QFETCH(BillingRoundingStrategy, strategy);
        QFETCH(QString, terms);
        const Project project = h->addProject(u"Acme"_s, rate);
        h->model->updateProject(project, project.name, rate, minutes, strategy, project.colorName);
        const QString price = rate ? h->model->currencyString(*rate) + u" / hour • "_s : QString();
        QCOMPARE(rows(u"active"_s)[0]->findChild<QLabel*>(u"billingLabel"_s)->text(), price + terms);
    }

    void runningBadgeLanguageAndCurrency()
    {
        const Project acme = h->addProject(u"Acme"_s, 80);
        const Project beta = h->addProject(u"Beta"_s);
        h->addProject(u"Old"_s, 50, true);
        h->model->startTracking(beta);
        QCOMPARE(rowTexts(u"active"_s), (QStringList { u"Acme"_s, u"Beta (Running)"_s }));
        h->model->startTracking(acme);
        QCOMPARE(rowTexts(u"active"_s), (QStringList { u"Acme (Running)"_s, u"Beta"_s }));
        h->model->updateCurrencyCode(u"EUR"_s);
        setLanguage(AppLanguagePreference::dutch);
        QCOMPARE(rowTexts(u"active"_s), (QStringList { u"Acme (Loopt)"_s, u"Beta"_s }));
        QCOMPARE(button(u"active"_s, 0, u"archiveButton"_s)->text(), u"Archiveren"_s);
        QCOMPARE(button(u"archived"_s, 0, u"restoreButton"_s)->text(), u"Herstellen"_s);
        const QLabel* billing = rows(u"active"_s)[0]->findChild<QLabel*>(u"billingLabel"_s);
        QVERIFY(billing->text().startsWith(h->model->currencyString(80)));
        h->model->stopTimer();
        QCOMPARE(rowTexts(u"active"_s), (QStringList { u"Acme"_s, u"Beta"_s }));
    }

    void editOpensSheetForProject()
    {
        const Project acme = h->addProject(u"Acme"_s);
        view->show();
        button(u"active"_s, 0, u"editButton"_s)->click();
        auto* sheet = view->findChild<QDialog*>(u"editorSheetDialog"_s);
        QVERIFY(sheet);
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        auto* editor = sheet->findChild<ProjectEditor*>();
        QCOMPARE(editor->project(), std::optional<Project>(acme));
        editor->cancel();
        QTRY_VERIFY(!view->findChild<QDialog*>(u"editorSheetDialog"_s));
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            h->addProject(u"Northwind Redesign"_s, 95);
            const Project globex = h->addProject(u"Globex"_s, std::nullopt);
            h->model->updateProject(globex, globex.name, std::nullopt, 15, {}, u"teal"_s);
            h->model->updateProject(acme, acme.name, 80, 45, BillingRoundingStrategy::roundProjectTotal, u"orange"_s);
            h->addProject(u"Initech"_s, 60, true);
            h->model->startTracking(*h->model->project(acme.id));
            QVERIFY(view->grab().save(dir + u"/tivren-projects.png"_s));
        }
    }
};

QTEST_MAIN(tst_ProjectsView)
#include "tst_ProjectsView.moc"
