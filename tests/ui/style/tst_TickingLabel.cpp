// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/TickingLabel.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

// Counts the layout requests any widget receives while it lives.
struct LayoutRequests : QObject
{
    int count = 0;
    LayoutRequests() { qApp->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::LayoutRequest;
        return false;
    }
};

void settle()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class tst_TickingLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A clock ticks once a second all day: a tick that changes only digits repaints the label and
    // lays nothing out again, yet never cuts the text off; a longer or shorter text, or another
    // font, fits the label anew.
    void relayoutsOnlyWhenTheWidthChanges_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("relayout");
        QTest::addColumn<bool>("fixedWidthFont");
        QTest::newRow("a second later") << u"00:01:05"_s << u"00:01:06"_s << false << true;
        QTest::newRow("every digit anew") << u"09:59:59"_s << u"10:00:00"_s << false << true;
        QTest::newRow("proportional font")
            << u"Work - 11:11 remaining"_s << u"Work - 08:08 remaining"_s << false << false;
        QTest::newRow("the same text") << u"00:01:05"_s << u"00:01:05"_s << false << true;
        QTest::newRow("past 99 hours") << u"99:59:59"_s << u"100:00:00"_s << true << true;
        QTest::newRow("back to short") << u"100:00:00"_s << u"0:00:00"_s << true << true;
    }
    void relayoutsOnlyWhenTheWidthChanges()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, relayout);
        QFETCH(bool, fixedWidthFont);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* label = new TickingLabel(&window);
        if (fixedWidthFont)
            label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        layout->addWidget(label);
        layout->addStretch();
        label->setTickingText(before);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        settle();
        LayoutRequests requests;
        label->setTickingText(after);
        settle();
        QCOMPARE(requests.count > 0, relayout);
        QCOMPARE(label->text(), after);
        QVERIFY(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(after)); // never cut off
        QCOMPARE(label->height(), label->sizeHint().height());
    }

    void refitsToANewFont()
    {
        TickingLabel label;
        label.setTickingText(u"00:01:05"_s);
        const QSize before = label.size();
        QFont bigger = label.font();
        bigger.setPointSizeF(bigger.pointSizeF() * 2);
        label.setFont(bigger);
        QVERIFY(label.width() > before.width());
        QCOMPARE(label.minimumSize(), label.sizeHint());
    }
};

QTEST_MAIN(tst_TickingLabel)
#include "tst_TickingLabel.moc"
