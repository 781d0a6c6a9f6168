#include <QTest>

class tst_SettingsView : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_SettingsView)
#include "tst_SettingsView.moc"
