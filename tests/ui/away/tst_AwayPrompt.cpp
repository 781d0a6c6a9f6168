// SPDX-License-Identifier: GPL-3.0-or-later
// The question about time away as the user meets it: the dialog while the question is open, its
// buttons, Escape, and the notification when the dialog could not come to the front.
#include "support/FormTesting.h"
#include "support/ModelHarness.h"
#include "ui/away/AwayDialog.h"
#include "ui/away/AwayPrompt.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

constexpr Seconds minute = 60;

struct PromptHarness
{
    ModelHarness h;
    FakeAwayNotifier notifier;
    Project acme;
    Instant started = 0;
    std::unique_ptr<AwayPrompt> prompt;

    PromptHarness()
    {
        changeSettings(*h.model, [](AppSettings& s) {
            s.awayQuestionEnabled = true;
            s.awayThresholdMinutes = 10;
            s.languagePreference = AppLanguagePreference::english;
        });
        acme = h.addProject(u"Acme"_s);
        started = h.clock.time;
        h.model->startTracking(acme);
        prompt = std::make_unique<AwayPrompt>(*h.model, notifier, nullptr);
    }

    // Away from 5 to 28 minutes after the start, back at 28.
    void goAway()
    {
        h.advance(28 * minute);
        h.idleMonitor.away(started + 5 * minute, started + 28 * minute);
    }

    static AwayDialog* dialog()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<AwayDialog*>(widget); shown && shown->isVisible())
                return shown;
        }
        return nullptr;
    }
};

QString timeOfDay(Instant instant)
{
    return QLocale(u"en"_s).toString(QDateTime::fromSecsSinceEpoch(qint64(instant)).time(), QLocale::ShortFormat);
}

} // namespace

class tst_AwayPrompt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each way of answering in the dialog, and what is left running.
    void dialogAnswers_data()
    {
        QTest::addColumn<QString>("button"); // empty: Escape
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("entries");
        QTest::newRow("Keep") << u"awayKeepButton"_s << true << 0;
        QTest::newRow("Escape keeps") << QString() << true << 0;
        QTest::newRow("Discard") << u"awayDiscardButton"_s << true << 1;
        QTest::newRow("Stop") << u"awayStopButton"_s << false << 1;
    }

    void dialogAnswers()
    {
        QFETCH(QString, button);
        PromptHarness p;
        QCOMPARE(PromptHarness::dialog(), nullptr);
        p.goAway();
        AwayDialog* dialog = PromptHarness::dialog();
        QVERIFY(dialog);
        const QString since = timeOfDay(p.started + 5 * minute);
        QCOMPARE(dialog->windowTitle(), u"Time Away"_s);
        QCOMPARE(dialog->findChild<QLabel*>(u"awayBodyLabel"_s)->text(),
            u"You were away for 23 min (since %1)."_s.arg(since));
        QCOMPARE(dialog->findChild<QPushButton*>(u"awayStopButton"_s)->text(), u"Stop at %1"_s.arg(since));
        QVERIFY(dialog->findChild<QPushButton*>(u"awayKeepButton"_s)->isDefault());

        if (button.isEmpty())
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(p.h.model->awayQuestion(), std::nullopt);
        QTRY_COMPARE(PromptHarness::dialog(), nullptr);
        QTEST(p.h.model->activeSession().has_value(), "running");
        QTEST(int(p.h.model->entries().size()), "entries");
        if (!p.h.model->entries().isEmpty())
            QCOMPARE(p.h.model->entries().first().endDate, p.started + 5 * minute);
    }

    // A dialog that did not come to the front: the notification asks too, and its answer counts.
    void notifiesWhenTheDialogStaysBehind()
    {
        PromptHarness p;
        QWidget other;
        other.show();
        p.goAway();
        QVERIFY(PromptHarness::dialog());
        other.activateWindow(); // the user's window keeps the focus
        QTRY_VERIFY_WITH_TIMEOUT(p.notifier.posted.has_value(), AwayPrompt::raiseWaitMsecs * 3);
        QCOMPARE(p.notifier.posted, p.h.model->awayQuestion());
        p.notifier.answered(AwayAnswer::stop);
        QCOMPARE(p.h.model->awayQuestion(), std::nullopt);
        QCOMPARE(p.h.model->activeSession(), std::nullopt);
        QTRY_COMPARE(PromptHarness::dialog(), nullptr);
    }

    // Answered elsewhere (tivrenctl away): the dialog closes and the notification is taken back.
    void answeredElsewhere()
    {
        PromptHarness p;
        QWidget other;
        other.show();
        p.goAway();
        other.activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(p.notifier.posted.has_value(), AwayPrompt::raiseWaitMsecs * 3);
        QVERIFY(p.h.model->answerAway(AwayAnswer::keep));
        QCOMPARE(p.notifier.posted, std::nullopt);
        QVERIFY(p.notifier.withdrawals > 0);
        QTRY_COMPARE(PromptHarness::dialog(), nullptr);
        QVERIFY(p.h.model->activeSession());
    }

    // The dialog follows the app's language while it is open.
    void followsTheLanguage()
    {
        PromptHarness p;
        p.goAway();
        setLanguage(*p.h.model, AppLanguagePreference::dutch);
        AwayDialog* dialog = PromptHarness::dialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->findChild<QPushButton*>(u"awayKeepButton"_s)->text(), u"Behouden"_s);
    }

    void screenshots()
    {
        TIVREN_RENDER_DIR_OR_SKIP(dir);
        PromptHarness p;
        p.goAway();
        for (const auto language : { AppLanguagePreference::english, AppLanguagePreference::french }) {
            setLanguage(*p.h.model, language);
            QVERIFY(renderTo(*PromptHarness::dialog(), dir, u"away-"_s + rawValue(language)));
        }
    }
};

QTEST_MAIN(tst_AwayPrompt)
#include "tst_AwayPrompt.moc"
