#include <QTest>

class tst_CalendarExportSheet : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_CalendarExportSheet)
#include "tst_CalendarExportSheet.moc"
