#include <QTest>

class tst_ProjectsView : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_ProjectsView)
#include "tst_ProjectsView.moc"
