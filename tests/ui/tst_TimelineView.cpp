#include <QTest>

class tst_TimelineView : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_TimelineView)
#include "tst_TimelineView.moc"
