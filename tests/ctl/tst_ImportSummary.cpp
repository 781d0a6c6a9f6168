// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ImportCommand.h"

#include <QJsonArray>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

// The running Tivren's answer to Import(); the reasons are those of lines 5, 9, 13, ...
QJsonObject preview(const QString& format,
    bool applied,
    const QStringList& projects,
    int entries,
    int duplicates,
    int rejected,
    const QStringList& reasons = {})
{
    QJsonArray rejections;
    for (qsizetype i = 0; i < reasons.size(); ++i)
        rejections.append(QJsonObject { { u"line"_s, int(5 + 4 * i) }, { u"reason"_s, reasons.at(i) } });
    return { { u"format"_s, format },
        { u"applied"_s, applied },
        { u"newProjects"_s, QJsonArray::fromStringList(projects) },
        { u"entriesAdded"_s, entries },
        { u"duplicates"_s, duplicates },
        { u"rejected"_s, rejected },
        { u"rejections"_s, rejections } };
}

} // namespace

class tst_ImportSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void summary_data()
    {
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("printed");
        QTest::newRow("preview with everything")
            << preview(u"Toggl Track CSV"_s,
                   false,
                   { u"Acme"_s, u"No Project"_s },
                   12,
                   1,
                   12,
                   { u"it has no end"_s, u"its end is not after its start"_s })
            << u"Toggl Track CSV: 12 entries to add, 1 duplicate to skip, 12 records rejected.\n"
               "Projects to create: Acme, No Project\n"
               "  line 5: it has no end\n"
               "  line 9: its end is not after its start\n"
               "  and 10 more\n"
               "Nothing was changed; run again with --yes to import.\n"_s;
        QTest::newRow("imported, one of each")
            << preview(u"Watson frames"_s, true, { u"Zeta"_s }, 1, 0, 1, { u"it is not a frame"_s })
            << u"Watson frames: 1 entry added, 0 duplicates skipped, 1 record rejected.\n"
               "New projects: Zeta\n"
               "  line 5: it is not a frame\n"_s;
        QTest::newRow("again: nothing new")
            << preview(u"Timewarrior export"_s, true, {}, 0, 4, 0)
            << u"Timewarrior export: 0 entries added, 4 duplicates skipped, 0 records rejected.\n"_s;
        QTest::newRow("a project name with a control character is shown escaped")
            << preview(u"Clockify CSV"_s, false, { u"Evil\x1b[2J"_s }, 1, 0, 0)
            << u"Clockify CSV: 1 entry to add, 0 duplicates to skip, 0 records rejected.\n"
               "Projects to create: Evil\\x1b[2J\n"
               "Nothing was changed; run again with --yes to import.\n"_s;
    }

    void summary()
    {
        QFETCH(QJsonObject, answer);
        QFETCH(QString, printed);
        QCOMPARE(TivrenCtl::importSummary(answer), printed);
    }
};

QTEST_GUILESS_MAIN(tst_ImportSummary)
#include "tst_ImportSummary.moc"
