#include "app/model/MainSection.h"
#include "app/text/AppStrings.h"
#include "app/text/NotificationTexts.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

class tst_AppStrings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identifiers_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("en") << u"en"_s << u"en"_s << QStringList { u"en"_s };
        QTest::newRow("nl_NL") << u"nl_NL"_s << u"nl"_s << QStringList { u"nl_NL"_s, u"nl"_s };
        QTest::newRow("de-AT") << u"de-AT"_s << u"de"_s << QStringList { u"de-AT"_s, u"de_AT"_s, u"de"_s };
        QTest::newRow("empty identifier") << QString() << u"fr"_s << QStringList { u"fr"_s };
        QTest::newRow("nothing") << QString() << QString() << QStringList {};
    }

    void identifiers()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        QCOMPARE(AppStrings::bundleIdentifiers(identifier, language), expected);
    }

    void tableForLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("table");
        QTest::newRow("Dutch") << u"nl"_s << u"nl"_s;
        QTest::newRow("Swiss German") << u"de_CH"_s << u"de"_s;
        QTest::newRow("Mexican Spanish") << u"es_MX"_s << u"es"_s;
        QTest::newRow("French of Canada") << u"fr_CA"_s << u"fr"_s;
        QTest::newRow("Brazilian Portuguese") << u"pt_BR"_s << u"en"_s;
        QTest::newRow("English") << u"en_GB"_s << u"en"_s;
        QTest::newRow("C") << u"C"_s << u"en"_s;
    }

    void tableForLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, table);
        QCOMPARE(AppStrings::bundle(QLocale(locale)).identifier(), table);
    }

    void lookupAndFallbacks()
    {
        const QLocale dutch(u"nl"_s);
        QCOMPARE(AppStrings::text(dutch, Text::en("Overview")), u"Overzicht"_s);
        QCOMPARE(AppStrings::text(dutch, u"A text no table has"_s), u"A text no table has"_s);
        QCOMPARE(AppStrings::text(QLocale(u"pt_BR"_s), Text::en("Overview")), u"Overview"_s);
        QCOMPARE(title(MainSection::settings, QLocale(u"en"_s)), u"Settings"_s);
        QCOMPARE(mainSectionFromRawValue(u"timeline"), MainSection::timeline);
        QCOMPARE(mainSectionFromRawValue(u"Timeline"), std::nullopt);
    }

    void formatting_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text") << u"Could not load saved data: %@"_s << QVariantList { u"disk"_s }
                              << u"Could not load saved data: disk"_s;
        QTest::newRow("number") << u"%d entries"_s << QVariantList { 12 } << u"12 entries"_s;
        QTest::newRow("two in order") << u"Exported %@. Skipped %@."_s << QVariantList { u"a"_s, u"b"_s }
                                      << u"Exported a. Skipped b."_s;
        QTest::newRow("reordered") << u"%2$@ before %1$@"_s << QVariantList { u"a"_s, u"b"_s } << u"b before a"_s;
        QTest::newRow("numbered number") << u"%1$d min"_s << QVariantList { 5 } << u"5 min"_s;
        QTest::newRow("percent") << u"100%% %@"_s << QVariantList { u"done"_s } << u"100% done"_s;
        QTest::newRow("unknown kept") << u"50%s %x"_s << QVariantList {} << u"50%s %x"_s;
        QTest::newRow("trailing percent") << u"50%"_s << QVariantList {} << u"50%"_s;
        QTest::newRow("missing argument") << u"a %@ b"_s << QVariantList {} << u"a  b"_s;
        QTest::newRow("argument holding a placeholder")
            << u"%@ and %@"_s << QVariantList { u"%@"_s, u"x"_s } << u"%@ and x"_s;
    }

    void formatting()
    {
        QFETCH(QString, format);
        QFETCH(QVariantList, arguments);
        QFETCH(QString, expected);
        QCOMPARE(AppStrings::format(format, arguments), expected);
    }

    // Counts read right in every language: French takes the singular for 0 as well.
    void plurals_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // for 0, 1, 2, 5 and 21, %n standing for the count
        QTest::newRow("en entries") << u"en_US"_s << u"%n entries"_s << u"%n entries|%n entry|%n entries"_s;
        QTest::newRow("nl entries") << u"nl_NL"_s << u"%n entries"_s
                                    << u"%n registraties|%n registratie|%n registraties"_s;
        QTest::newRow("en projects in range") << u"en_GB"_s << u"%n projects in range"_s
                                              << u"%n projects in range|%n project in range|%n projects in range"_s;
        QTest::newRow("nl projects in range")
            << u"nl"_s << u"%n projects in range"_s
            << u"%n projecten in periode|%n project in periode|%n projecten in periode"_s;
        QTest::newRow("en labelled count")
            << u"en"_s << u"time entries: %n"_s << u"time entries: %n|time entry: %n|time entries: %n"_s;
        QTest::newRow("no table: English forms") << u"pt_BR"_s << u"%n selected projects"_s
                                                 << u"%n selected projects|%n selected project|%n selected projects"_s;
        QTest::newRow("fr entries") << u"fr"_s << u"%n entries"_s << u"%n\u00a0entrée|%n\u00a0entrée|%n\u00a0entrées"_s;
        QTest::newRow("de minutes") << u"de"_s << u"%n min"_s << u"%n Min.|%n Min.|%n Min."_s;
    }

    void plurals()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QStringList forms = expected.split(u'|'); // for 0, 1, and every other count
        for (int count : { 0, 1, 2, 5, 21 }) {
            const QString form = forms[count < 2 ? count : 2];
            QCOMPARE(AppStrings::plural(QLocale(locale), text, count),
                QString(form).replace(u"%n"_s, QString::number(count)));
        }
    }

    void elapsedTexts_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("45 min") << 2700.9 << u"45 min"_s;
        QTest::newRow("just under an hour") << 3599.0 << u"59 min"_s;
        QTest::newRow("an hour") << 3600.0 << u"1h 0m"_s;
        QTest::newRow("2h 3m") << 7380.0 << u"2h 3m"_s;
        QTest::newRow("three hours") << 10800.0 << u"3h 0m"_s;
    }

    void elapsedTexts()
    {
        QFETCH(double, seconds);
        QFETCH(QString, expected);
        QCOMPARE(NotificationTexts::formattedElapsed(seconds), expected);
    }

    void notificationTextsFollowTheGivenLanguage()
    {
        const QLocale english(u"en_US"_s);
        QCOMPARE(NotificationTexts::phaseBegan(PomodoroPhase::work, english),
            (NotificationText { u"Back to work"_s, u"Your break is over - the next Pomodoro has started."_s }));
        QCOMPARE(NotificationTexts::workReminder(3900, english).body,
            u"You've been working for 1h 5m — consider taking a short break."_s);
        // The whole body is one translatable format, the elapsed text filled in afterwards.
        const QLocale dutch(u"nl_NL"_s);
        const QString dutchFormat =
            AppStrings::text(dutch, u"You've been working for %@ — consider taking a short break."_s);
        QVERIFY(dutchFormat.startsWith(u"Je "_s));
        QCOMPARE(NotificationTexts::workReminder(2700, dutch).body, AppStrings::format(dutchFormat, { u"45 min"_s }));
        QCOMPARE(NotificationTexts::skipAction(dutch), u"Overslaan"_s);
    }
};

QTEST_GUILESS_MAIN(tst_AppStrings)
#include "tst_AppStrings.moc"
