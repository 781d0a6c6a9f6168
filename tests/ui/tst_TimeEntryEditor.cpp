#include <QTest>

class tst_TimeEntryEditor : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_TimeEntryEditor)
#include "tst_TimeEntryEditor.moc"
