// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/billing/RateText.h"

#include <QLocale>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;
using namespace tivren;

class tst_RateText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A rate as typed in the app's locale: "." everywhere, a decimal comma where the locale writes
    // one, and nothing that could be read two ways. An empty expected value means refused.
    void parse_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QList<std::tuple<const char*, const char*, QString, QString>> rows {
            { "en point", "en_US", u"85.50"_s, u"85.5"_s },
            { "en comma refused", "en_US", u"85,50"_s, {} },
            { "en grouping refused", "en_US", u"1,000"_s, {} },
            { "nl comma", "nl_NL", u"85,50"_s, u"85.5"_s },
            { "nl point still", "nl_NL", u"85.50"_s, u"85.5"_s },
            { "de comma", "de_DE", u"85,5"_s, u"85.5"_s },
            { "de negative comma", "de_DE", u"-12,25"_s, u"-12.25"_s },
            { "de grouping and comma refused", "de_DE", u"1.000,50"_s, {} },
            { "de two commas refused", "de_DE", u"1,000,50"_s, {} },
            { "fr comma", "fr_FR", u"85,50"_s, u"85.5"_s },
            { "es comma", "es_ES", u"120,75"_s, u"120.75"_s },
            { "de garbage", "de_DE", u"85 EUR"_s, {} },
            { "nl letters", "nl_NL", u"abc"_s, {} },
            { "de infinity", "de_DE", u"inf"_s, {} },
            { "de nan", "de_DE", u"nan"_s, {} },
            { "de exponent", "de_DE", u"1e2"_s, u"100"_s },
        };
        for (const auto& [name, locale, text, expected] : rows)
            QTest::newRow(name) << QString::fromLatin1(locale) << text << expected;
    }
    void parse()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const std::optional<double> rate = RateText::parse(text, QLocale(locale).decimalPoint().at(0));
        QCOMPARE(rate.has_value(), !expected.isEmpty());
        if (rate)
            QCOMPARE(*rate, expected.toDouble());
    }
};

QTEST_GUILESS_MAIN(tst_RateText)
#include "tst_RateText.moc"
