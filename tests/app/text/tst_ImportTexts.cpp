// SPDX-License-Identifier: GPL-3.0-or-later
// The import preview and its success line: counts with their plural forms, the first rejections,
// and whether there is anything to import at all.
#include "app/text/ImportTexts.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

// A plan with `entries` new entries, the named new projects, duplicates and `rejected` rejections
// on lines 2, 3, ...
ImportPlan planOf(int entries, const QStringList& projects, int duplicates, int rejected)
{
    ImportPlan plan;
    plan.newEntries.resize(entries);
    for (const QString& name : projects) {
        Project project;
        project.name = name;
        plan.newProjects.append(project);
    }
    plan.duplicates = duplicates;
    for (int i = 0; i < rejected; ++i)
        plan.rejected.append({ i + 2, ImportReason { "%@", { u"reason %1"_s.arg(i + 2) } } });
    return plan;
}

} // namespace

class tst_ImportTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void preview_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<ImportPlan>("plan");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<bool>("addsSomething");
        QTest::addColumn<QString>("imported");

        QTest::newRow("one of each") << u"en"_s << planOf(1, { u"Acme"_s }, 1, 1)
                                     << u"1 entry will be added.\n1 new project: Acme\n"
                                        "1 entry is already in Tivren and will be skipped.\n"
                                        "1 record cannot be imported:\nLine 2: reason 2"_s
                                     << true << u"Imported 1 entry. Created 1 project."_s;
        QTest::newRow("only entries, into existing projects")
            << u"en"_s << planOf(12, {}, 0, 0) << u"12 entries will be added."_s << true << u"Imported 12 entries."_s;
        QTest::newRow("the fourth rejection and after are counted")
            << u"en"_s << planOf(2, { u"A"_s, u"B, C"_s }, 0, 5)
            << u"2 entries will be added.\n2 new projects: A, B, C\n5 records cannot be imported:\n"
               "Line 2: reason 2\nLine 3: reason 3\nLine 4: reason 4\nand 2 more"_s
            << true << u"Imported 2 entries. Created 2 projects."_s;
        QTest::newRow("the same file again")
            << u"en"_s << planOf(0, {}, 3, 0)
            << u"Nothing new to add.\n3 entries are already in Tivren and will be skipped."_s << false
            << u"Imported 0 entries."_s;
        QTest::newRow("nothing readable") << u"en"_s << planOf(0, {}, 0, 1)
                                          << u"Nothing new to add.\n1 record cannot be imported:\nLine 2: reason 2"_s
                                          << false << u"Imported 0 entries."_s;
        QTest::newRow("Dutch") << u"nl"_s << planOf(1, { u"Acme"_s, u"Globex"_s }, 2, 0)
                               << u"1 registratie wordt toegevoegd.\n2 nieuwe projecten: Acme, Globex\n"
                                  "2 registraties staan al in Tivren en worden overgeslagen."_s
                               << true << u"1 registratie geïmporteerd. 2 projecten aangemaakt."_s;
        QTest::newRow("German")
            << u"de"_s << planOf(0, {}, 1, 6)
            << u"Nichts Neues hinzuzufügen.\n1 Eintrag ist bereits in Tivren und wird übersprungen.\n"
               "6 Datensätze können nicht importiert werden:\nZeile 2: reason 2\nZeile 3: reason 3\n"
               "Zeile 4: reason 4\nund 3 weitere"_s
            << false << u"0 Einträge importiert."_s;
    }

    void preview()
    {
        QFETCH(QString, language);
        QFETCH(ImportPlan, plan);
        const QLocale locale(language);
        const ImportPreview shown = ImportTexts::preview(ImportFormat::clockifyCsv, plan, locale);
        QTEST(shown.summary, "summary");
        QTEST(shown.addsSomething, "addsSomething");
        QTEST(ImportTexts::imported(plan, locale), "imported");
        QCOMPARE(shown.title.contains(u"Clockify CSV"_s), true);
    }

    // Why a record or a file cannot be imported, in the user's language, the arguments in place.
    void reasons_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<ImportReason>("reason");
        QTest::addColumn<QString>("line");
        const ImportReason notADate { "“%@ %@” is not a date and time", { u"31/02/2026"_s, u"9:00"_s } };
        const ImportReason skipped { "%@ %@ does not exist in this time zone (the clocks moved forward)",
            { u"2026-03-29"_s, u"02:30:00"_s } };
        QTest::newRow("English") << u"en"_s << notADate << u"“31/02/2026 9:00” is not a date and time"_s;
        QTest::newRow("German") << u"de"_s << notADate << u"„31/02/2026 9:00“ ist kein Datum mit Uhrzeit"_s;
        QTest::newRow("Spanish")
            << u"es"_s << skipped
            << u"2026-03-29 02:30:00 no existe en esta zona horaria (los relojes se adelantaron)"_s;
        QTest::newRow("Dutch, no arguments") << u"nl"_s << ImportReason { "its end is not after its start", {} }
                                             << u"het einde ligt niet na het begin"_s;
        QTest::newRow("a line worded already passes through")
            << u"fr"_s << ImportReason { "%@", { u"Permission denied"_s } } << u"Permission denied"_s;
    }

    void reasons()
    {
        QFETCH(QString, language);
        QFETCH(ImportReason, reason);
        QTEST(ImportTexts::reason(reason, QLocale(language)), "line");
        if (language == u"en"_s)
            QTEST(reason.english(), "line");
    }

    // Every format is named, by the same name in every language.
    void titleNamesTheTracker_data()
    {
        QTest::addColumn<ImportFormat>("format");
        QTest::addColumn<QString>("title");
        QTest::newRow("Toggl") << ImportFormat::togglCsv << u"Import from Toggl Track CSV"_s;
        QTest::newRow("Clockify") << ImportFormat::clockifyCsv << u"Import from Clockify CSV"_s;
        QTest::newRow("Timewarrior") << ImportFormat::timewarriorJson << u"Import from Timewarrior export"_s;
        QTest::newRow("Watson") << ImportFormat::watsonFrames << u"Import from Watson frames"_s;
    }

    void titleNamesTheTracker()
    {
        QFETCH(ImportFormat, format);
        QTEST(ImportTexts::preview(format, {}, QLocale(u"en"_s)).title, "title");
        QVERIFY(ImportTexts::preview(format, {}, QLocale(u"fr"_s)).title.endsWith(importFormatName(format)));
    }
};

QTEST_GUILESS_MAIN(tst_ImportTexts)
#include "tst_ImportTexts.moc"
