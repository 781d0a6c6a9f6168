#include <QTest>

class tst_ProjectEditor : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_ProjectEditor)
#include "tst_ProjectEditor.moc"
