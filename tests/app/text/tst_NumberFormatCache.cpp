// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/NumberFormatCache.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace tivren {

// Kept formatters must give what a freshly opened one gives, whatever came before them.
class tst_NumberFormatCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesAFreshFormatter_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("money");
        QTest::newRow("en") << u"en_US"_s << u"1,234.5"_s << u"€1,234.50"_s;
        QTest::newRow("nl") << u"nl_NL"_s << u"1.234,5"_s << u"€\u00a01.234,50"_s;
        QTest::newRow("de") << u"de_DE"_s << u"1.234,5"_s << u"1.234,50\u00a0€"_s;
    }

    void matchesAFreshFormatter()
    {
        QFETCH(QString, locale);
        QFETCH(QString, decimal);
        QFETCH(QString, money);
        // One cache through every language in turn, as when the user switches back and forth.
        for (const QString& before : { u"en_US"_s, u"de_DE"_s, u"nl_NL"_s }) {
            m_cache.decimal(9.25, 0, 2, QLocale(before)).value();
            QCOMPARE(m_cache.decimal(1234.5, 0, 2, QLocale(locale)), decimal);
            QCOMPARE(m_cache.currency(1234.5, u"EUR"_s, QLocale(locale)), money);
        }
    }

    void dropsFormattersOfAnotherLanguage()
    {
        NumberFormatCache cache;
        QVERIFY(cache.decimal(1, 0, 2, QLocale(u"en_US"_s)));
        QVERIFY(cache.decimal(1, 2, 2, QLocale(u"en_US"_s)));
        QVERIFY(cache.currency(1, u"EUR"_s, QLocale(u"en_US"_s)));
        QVERIFY(cache.decimal(2, 0, 2, QLocale(u"en_US"_s)));
        QCOMPARE(cache.size(), 3);
        QVERIFY(cache.decimal(1, 0, 2, QLocale(u"de_DE"_s)));
        QCOMPARE(cache.size(), 1);
        // A code ICU cannot use is refused and leaves nothing behind.
        QCOMPARE(cache.currency(1, u"EURO"_s, QLocale(u"de_DE"_s)), std::nullopt);
        QCOMPARE(cache.size(), 1);
    }

private:
    NumberFormatCache m_cache;
};

} // namespace tivren

QTEST_GUILESS_MAIN(tivren::tst_NumberFormatCache)
#include "tst_NumberFormatCache.moc"
