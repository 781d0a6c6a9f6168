#include <QTest>

class tst_WeekTimelineView : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_WeekTimelineView)
#include "tst_WeekTimelineView.moc"
