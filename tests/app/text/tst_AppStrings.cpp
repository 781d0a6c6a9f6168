// SPDX-License-Identifier: GPL-3.0-or-later
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
    void tablesAndLookup()
    {
        const std::tuple<QString, QString, QStringList> bundles[] = {
            { u"de-AT"_s, u"de"_s, { u"de-AT"_s, u"de_AT"_s, u"de"_s } },
            { QString(), u"fr"_s, { u"fr"_s } },
            { QString(), QString(), {} }
        };
        for (const auto& [identifier, language, expected] : bundles)
            QCOMPARE(AppStrings::bundleIdentifiers(identifier, language), expected);
        const std::pair<const char16_t*, QString> tables[] = {
            { u"nl", u"nl"_s }, { u"de_CH", u"de"_s }, { u"fr_CA", u"fr"_s }, { u"pt_BR", u"en"_s }, { u"C", u"en"_s }
        };
        for (const auto& [locale, table] : tables)
            QCOMPARE(AppStrings::bundle(QLocale(QString::fromUtf16(locale))).identifier(), table);
        const QLocale dutch(u"nl"_s);
        QCOMPARE(AppStrings::text(dutch, Text::en("Overview")), u"Overzicht"_s);
        QCOMPARE(AppStrings::text(dutch, u"A text no table has"_s), u"A text no table has"_s);
        QCOMPARE(title(MainSection::settings, QLocale(u"en"_s)), u"Settings"_s);
        QCOMPARE(mainSectionFromRawValue(u"timeline"), MainSection::timeline);
        QCOMPARE(mainSectionFromRawValue(u"Timeline"), std::nullopt);
    }

    void formatting()
    {
        const std::tuple<QString, QVariantList, QString> rows[] = {
            { u"Exported %@. Skipped %@."_s, { u"a"_s, u"b"_s }, u"Exported a. Skipped b."_s },
            { u"%d entries"_s, { 12 }, u"12 entries"_s },
            { u"%2$@ before %1$@"_s, { u"a"_s, u"b"_s }, u"b before a"_s },
            { u"%1$d min"_s, { 5 }, u"5 min"_s },
            { u"100%% %@"_s, { u"done"_s }, u"100% done"_s },
            { u"50%s %x"_s, {}, u"50%s %x"_s },
            { u"50%"_s, {}, u"50%"_s },
            { u"a %@ b"_s, {}, u"a  b"_s },
            { u"%@ and %@"_s, { u"%@"_s, u"x"_s }, u"%@ and x"_s }
        };
        for (const auto& [format, arguments, expected] : rows)
            QCOMPARE(AppStrings::format(format, arguments), expected);
    }

    // Counts read right in every language: French takes the singular for 0 as well. Locale, text,
    // and its forms for 0, 1 and other counts, %n standing for the count.
    void plurals()
    {
        const std::tuple<QString, QString, QString> rows[] = {
            { u"en_US"_s, u"%n entries"_s, u"%n entries|%n entry|%n entries"_s },
            { u"nl_NL"_s, u"%n entries"_s, u"%n registraties|%n registratie|%n registraties"_s },
            { u"nl"_s,
                u"%n projects in range"_s,
                u"%n projecten in periode|%n project in periode|%n projecten in periode"_s },
            { u"en"_s, u"time entries: %n"_s, u"time entries: %n|time entry: %n|time entries: %n"_s },
            { u"pt_BR"_s,
                u"%n selected projects"_s,
                u"%n selected projects|%n selected project|%n selected projects"_s },
            { u"fr"_s, u"%n entries"_s, u"%n\u00a0entrée|%n\u00a0entrée|%n\u00a0entrées"_s },
            { u"de"_s, u"%n min"_s, u"%n Min.|%n Min.|%n Min."_s }
        };
        for (const auto& [locale, text, expected] : rows) {
            const QStringList forms = expected.split(u'|');
            for (int count : { 0, 1, 2, 5, 21 })
                QCOMPARE(AppStrings::plural(QLocale(locale), text, count),
                    QString(forms[std::min(count, 2)]).replace(u"%n"_s, QString::number(count)));
        }
    }

    void notificationTexts()
    {
        const std::pair<double, QString> elapsed[] = {
            { 2700.9, u"45 min"_s }, { 3599, u"59 min"_s }, { 3600, u"1h 0m"_s }, { 7380, u"2h 3m"_s }
        };
        for (const auto& [seconds, expected] : elapsed)
            QCOMPARE(NotificationTexts::formattedElapsed(seconds), expected);
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
