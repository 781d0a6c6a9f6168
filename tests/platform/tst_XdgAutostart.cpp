#include <QTest>

class tst_XdgAutostart : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_XdgAutostart)
#include "tst_XdgAutostart.moc"
