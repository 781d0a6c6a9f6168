#include <QTest>

class tst_OverviewView : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_OverviewView)
#include "tst_OverviewView.moc"
