#include <QTest>

class tst_DayTimelineView : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_DayTimelineView)
#include "tst_DayTimelineView.moc"
