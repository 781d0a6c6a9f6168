#include "support/ViewFixture.h"
#include "ui/editors/ProjectEditor.h"
#include "ui/projects/ProjectsView.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_ProjectsView : public QObject, ViewFixture<ProjectsView>
{
    Q_OBJECT

    int newWindowRequests = 0;

    QList<QWidget*> rows(const QString& list) const
    {
        return child(list)->findChildren<QWidget*>(u"projectRow"_s, Qt::FindDirectChildrenOnly);
    }
    QStringList names(const QString& list) const
    {
        QStringList result;
        for (QWidget* row : rows(list))
            result << row->findChild<QLabel*>(u"nameLabel"_s)->text();
        return result;
    }
    QWidget* row(const QString& list, const QString& name) const
    {
        for (QWidget* candidate : rows(list)) {
            if (candidate->findChild<QLabel*>(u"nameLabel"_s)->text() == name)
                return candidate;
        }
        return nullptr;
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
    void cleanup()
    {
        view.reset();
        h.reset();
    }

    void emptyStateAndAddProject()
    {
        QVERIFY(shown(u"emptyStateWidget"_s));
        QVERIFY(!shown(u"listContentWidget"_s));
        QCOMPARE(child(u"emptyTitleLabel"_s)->property("text").toString(), u"No projects yet"_s);

        static_cast<QPushButton*>(child(u"addProjectButton"_s))->click();
        QCOMPARE(h->model->selectedSection(), MainSection::projects);
        // The window comes a turn later, once the main window is in front.
        QCOMPARE(newWindowRequests, 0);
        QTRY_COMPARE(newWindowRequests, 1);

        // Already on the projects section: the section is left alone.
        QSignalSpy sectionSpy(h->model.get(), &AppModel::selectedSectionChanged);
        static_cast<QPushButton*>(child(u"addProjectButton"_s))->click();
        QTRY_COMPARE(newWindowRequests, 2);
        QCOMPARE(sectionSpy.count(), 0);

        h->addProject(u"Acme"_s);
        QVERIFY(!shown(u"emptyStateWidget"_s));
        QVERIFY(shown(u"listContentWidget"_s));
    }

    void archiveAndRestoreMoveRows()
    {
        h->addProject(u"Charlie"_s);
        h->addProject(u"Alpha"_s);
        h->addProject(u"Bravo"_s);
        QCOMPARE(names(u"activeListWidget"_s), (QStringList { u"Alpha"_s, u"Bravo"_s, u"Charlie"_s }));
        QVERIFY(!shown(u"archivedHeaderLabel"_s));
        QVERIFY(!shown(u"archivedListWidget"_s));

        row(u"activeListWidget"_s, u"Bravo"_s)->findChild<QPushButton*>(u"archiveButton"_s)->click();
        QCOMPARE(names(u"activeListWidget"_s), (QStringList { u"Alpha"_s, u"Charlie"_s }));
        QCOMPARE(names(u"archivedListWidget"_s), QStringList { u"Bravo"_s });
        QVERIFY(shown(u"archivedListWidget"_s));
        QWidget* archived = row(u"archivedListWidget"_s, u"Bravo"_s);
        QVERIFY(!archived->findChild<QPushButton*>(u"archiveButton"_s));

        // Only archived projects: an empty "Active" section, not the empty state.
        row(u"activeListWidget"_s, u"Alpha"_s)->findChild<QPushButton*>(u"archiveButton"_s)->click();
        row(u"activeListWidget"_s, u"Charlie"_s)->findChild<QPushButton*>(u"archiveButton"_s)->click();
        QVERIFY(names(u"activeListWidget"_s).isEmpty());
        QVERIFY(shown(u"activeHeaderLabel"_s));
        QVERIFY(!shown(u"emptyStateWidget"_s));
        QCOMPARE(names(u"archivedListWidget"_s), (QStringList { u"Alpha"_s, u"Bravo"_s, u"Charlie"_s }));

        row(u"archivedListWidget"_s, u"Bravo"_s)->findChild<QPushButton*>(u"restoreButton"_s)->click();
        row(u"archivedListWidget"_s, u"Alpha"_s)->findChild<QPushButton*>(u"restoreButton"_s)->click();
        QCOMPARE(names(u"activeListWidget"_s), (QStringList { u"Alpha"_s, u"Bravo"_s }));
        QCOMPARE(names(u"archivedListWidget"_s), QStringList { u"Charlie"_s });
    }

    void runningBadgeFollowsTimer()
    {
        const Project acme = h->addProject(u"Acme"_s);
        const Project beta = h->addProject(u"Beta"_s);
        auto badged = [this] {
            QStringList result;
            for (QWidget* r : rows(u"activeListWidget"_s)) {
                if (auto* badge = r->findChild<QLabel*>(u"runningBadgeLabel"_s))
                    result << r->findChild<QLabel*>(u"nameLabel"_s)->text() + u": "_s + badge->text();
            }
            return result;
        };
        QVERIFY(badged().isEmpty());
        h->model->startTracking(beta);
        QCOMPARE(badged(), QStringList { u"Beta: Running"_s });
        h->model->startTracking(acme);
        QCOMPARE(badged(), QStringList { u"Acme: Running"_s });
        h->model->stopTimer();
        QVERIFY(badged().isEmpty());
    }

    void billingDescription_data()
    {
        QTest::addColumn<std::optional<double>>("rate");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<BillingRoundingStrategy>("strategy");
        QTest::addColumn<QString>("terms");

        QTest::newRow("no rate") << std::optional<double>() << 15 << BillingRoundingStrategy::roundUpPerEntry
                                 << u"Time tracking only"_s;
        QTest::newRow("15 up") << std::optional<double>(80) << 15 << BillingRoundingStrategy::roundUpPerEntry
                               << u"15 min, round up per entry"_s;
        QTest::newRow("30 nearest") << std::optional<double>(95.5) << 30
                                    << BillingRoundingStrategy::roundNearestPerEntry
                                    << u"30 min, round nearest per entry"_s;
        QTest::newRow("60 total") << std::optional<double>(120) << 60 << BillingRoundingStrategy::roundProjectTotal
                                  << u"60 min, round project total"_s;
        QTest::newRow("custom 45") << std::optional<double>(0) << 45 << BillingRoundingStrategy::roundUpPerEntry
                                   << u"45 min, round up per entry"_s;
    }
    void billingDescription()
    {
        QFETCH(std::optional<double>, rate);
        QFETCH(int, minutes);
        QFETCH(BillingRoundingStrategy, strategy);
        QFETCH(QString, terms);

        const Project project = h->addProject(u"Acme"_s, rate);
        h->model->updateProject(project, project.name, rate, minutes, strategy, project.colorName);
        const QString expected = rate ? h->model->currencyString(*rate) + u" / hour • "_s + terms : terms;
        QCOMPARE(rows(u"activeListWidget"_s).constFirst()->findChild<QLabel*>(u"billingLabel"_s)->text(), expected);
    }

    void followsLanguageAndCurrency()
    {
        const Project acme = h->addProject(u"Acme"_s, 80);
        h->addProject(u"Old"_s, 50, true);
        h->model->startTracking(acme);
        h->model->updateCurrencyCode(u"EUR"_s);
        setLanguage(AppLanguagePreference::dutch);
        QWidget* r = row(u"activeListWidget"_s, u"Acme"_s);
        QCOMPARE(r->findChild<QPushButton*>(u"archiveButton"_s)->text(), u"Archiveren"_s);
        QCOMPARE(r->findChild<QLabel*>(u"runningBadgeLabel"_s)->text(), u"Loopt"_s);
        QVERIFY(r->findChild<QLabel*>(u"billingLabel"_s)->text().startsWith(h->model->currencyString(80)));
        QCOMPARE(row(u"archivedListWidget"_s, u"Old"_s)->findChild<QPushButton*>(u"restoreButton"_s)->text(),
            u"Herstellen"_s);
    }

    void editOpensSheetForProject()
    {
        const Project acme = h->addProject(u"Acme"_s);
        view->show();
        row(u"activeListWidget"_s, u"Acme"_s)->findChild<QPushButton*>(u"editButton"_s)->click();
        auto* sheet = view->findChild<QDialog*>(u"editorSheetDialog"_s);
        QVERIFY(sheet);
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        auto* editor = sheet->findChild<ProjectEditor*>();
        QCOMPARE(editor->project(), std::optional<Project>(acme));
        editor->cancel();
        QVERIFY(!sheet->isVisible());
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
