#include "support/ViewFixture.h"
#include "ui/export/CalendarExportSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <qcoro/qcorotask.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QList<GoogleCalendarListItem> kGoogle {
    { u"work"_s, u"Work"_s, false },
    { u"me"_s, u"ada@example.com"_s, true },
    { u"family"_s, u"Family"_s, false },
};
const QList<AppleCalendarListItem> kApple {
    { u"home"_s, u"Home"_s, u"iCloud"_s },
    { u"work"_s, u"Work"_s, u"Work"_s },
    { u"local"_s, u"Personal"_s, u"On This Computer"_s },
};
const InstantRange kRange { 1772323200, 1772409599 };

// "[x] work" is a selected project going to "work", "[ ] -" an unticked one without a calendar.
template <typename Draft> Draft draftOf(const QStringList& selections)
{
    const QList<std::pair<QString, int>> projects { { u"Acme Corporation"_s, 1 },
        { u"Globex Website Redesign"_s, 14 },
        { u"Initech"_s, 3 },
        { u"Umbrella R&D"_s, 7 } };
    Draft draft { QUuid::createUuid(), {} };
    for (qsizetype i = 0; i < selections.size(); ++i) {
        const QString calendar = selections[i].mid(4);
        const auto [name, entries] = projects.value(i, { u"Project %1"_s.arg(i), 2 });
        draft.projectSelections.append({ QUuid::createUuid(),
            name,
            entries,
            selections[i].startsWith(u"[x]"_s),
            calendar == u"-"_s ? std::nullopt : std::optional(calendar) });
    }
    return draft;
}

} // namespace

class tst_CalendarExportSheet : public QObject, ViewFixture<CalendarExportSheet>
{
    Q_OBJECT

    // The caller's drafts outlive the sheet: cleanup() and open() reset the view first.
    GoogleCalendarExportDraft googleDraft;
    AppleCalendarExportDraft appleDraft;

    void open(const QStringList& selections, bool apple = false)
    {
        view.reset();
        googleDraft = draftOf<GoogleCalendarExportDraft>(selections);
        appleDraft = draftOf<AppleCalendarExportDraft>(selections);
        if (apple)
            view = std::make_unique<AppleCalendarExportSheet>(*h->model, appleDraft);
        else
            view = std::make_unique<GoogleCalendarExportSheet>(*h->model, googleDraft);
    }
    QList<QFrame*> cards() const { return view->findChildren<QFrame*>(u"projectCardFrame"_s); }
    QCheckBox* checkBox(qsizetype card) const { return cards().at(card)->findChild<QCheckBox*>(u"projectCheckBox"_s); }
    QComboBox* picker(qsizetype card) const { return cards().at(card)->findChild<QComboBox*>(u"calendarComboBox"_s); }
    bool canExport() const { return child<QPushButton>(u"exportButton"_s)->isEnabled(); }
    // What each picker shows, as the user reads it.
    QStringList shownChoices() const
    {
        QStringList result;
        for (qsizetype i = 0; i < cards().size(); ++i)
            result << picker(i)->currentText() + (picker(i)->isEnabled() ? QString() : u" (disabled)"_s);
        return result;
    }
    // Picks an item the way a keyboard user does, so only what a user can reach counts.
    static void choose(QComboBox* combo, int item)
    {
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < item; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        setLanguage(AppLanguagePreference::english);
        h->google.calendars = kGoogle;
        h->apple.calendars = kApple;
        QCoro::waitFor(h->model->googleCalendar().connectService());
        QCoro::waitFor(h->model->desktopCalendar().connectService());
    }
    void cleanup()
    {
        view.reset();
        h.reset();
    }

    void countersNoteAndExport_data()
    {
        QTest::addColumn<QStringList>("selections");
        QTest::addColumn<int>("ready");
        QTest::addColumn<QStringList>("choices");

        QTest::newRow("all ready") << QStringList { u"[x] work"_s, u"[x] me"_s, u"[x] work"_s } << 3
                                   << QStringList { u"Work"_s, u"ada@example.com"_s, u"Work"_s };
        QTest::newRow("one skipped") << QStringList { u"[x] work"_s, u"[x] -"_s } << 1
                                     << QStringList { u"Work"_s, u"Skip this project"_s };
        QTest::newRow("unticked keeps its calendar") << QStringList { u"[ ] family"_s, u"[x] me"_s } << 1
                                                     << QStringList { u"Family (disabled)"_s, u"ada@example.com"_s };
        QTest::newRow("spaces count as skipped") << QStringList { u"[x]    "_s, u"[ ] work"_s } << 0
                                                 << QStringList { u"Skip this project"_s, u"Work (disabled)"_s };
        QTest::newRow("padded id is that calendar")
            << QStringList { u"[x]  me "_s } << 1 << QStringList { u"ada@example.com"_s };
        QTest::newRow("every project unticked") << QStringList { u"[ ] work"_s,
            u"[ ] me"_s } << 0 << QStringList { u"Work (disabled)"_s, u"ada@example.com (disabled)"_s };
        QTest::newRow("every project skipped") << QStringList { u"[x] -"_s, u"[x] -"_s } << 0
                                               << QStringList { u"Skip this project"_s, u"Skip this project"_s };
        // A calendar deleted since: no stand-in is shown, and the draft still holds it.
        QTest::newRow("calendar no longer listed") << QStringList { u"[x] gone"_s } << 1 << QStringList { QString() };
    }
    void countersNoteAndExport()
    {
        QFETCH(QStringList, selections);
        QFETCH(int, ready);
        QFETCH(QStringList, choices);
        open(selections);
        const GoogleCalendarExportDraft before = googleDraft;

        QCOMPARE(text(u"projectsCountLabel"_s),
            (selections.size() == 1 ? u"%1 project in range"_s : u"%1 projects in range"_s).arg(selections.size()));
        QCOMPARE(text(u"readyCountLabel"_s), u"%1 ready to export"_s.arg(ready));
        QCOMPARE(shown(u"noteLabel"_s), ready == 0);
        QCOMPARE(canExport(), ready > 0);
        QCOMPARE(shownChoices(), choices);
        // Showing the draft never writes to it.
        QCOMPARE(googleDraft, before);

        QSignalSpy exports(view.get(), &CalendarExportSheet::exportRequested);
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(exports.count(), ready > 0 ? 1 : 0);
    }

    void editsLandInCallersDraft_data()
    {
        QTest::addColumn<bool>("untick");
        QTest::newRow("untick every project") << true;
        QTest::newRow("skip every project") << false;
    }
    void editsLandInCallersDraft()
    {
        QFETCH(bool, untick);
        open({ u"[x] work"_s, u"[x] me"_s, u"[x] -"_s });
        GoogleCalendarExportDraft expected = googleDraft;
        QCOMPARE(text(u"readyCountLabel"_s), u"2 ready to export"_s);

        for (qsizetype i = 0; i < 3; ++i) {
            if (untick) {
                checkBox(i)->click();
                expected.projectSelections[i].isSelected = false;
                QVERIFY(!picker(i)->isEnabled());
            } else {
                choose(picker(i), 0);
                expected.projectSelections[i].calendarID = std::nullopt;
            }
            QCOMPARE(googleDraft, expected);
            QCOMPARE(text(u"readyCountLabel"_s), u"%1 ready to export"_s.arg(std::max<qsizetype>(1 - i, 0)));
        }
        QVERIFY(shown(u"noteLabel"_s));
        QVERIFY(!canExport());

        // One project back with a calendar is enough.
        if (untick) {
            checkBox(1)->click();
            expected.projectSelections[1].isSelected = true;
        } else {
            choose(picker(2), 3);
            expected.projectSelections[2].calendarID = u"family"_s;
        }
        QCOMPARE(googleDraft, expected);
        QCOMPARE(text(u"readyCountLabel"_s), u"1 ready to export"_s);
        QVERIFY(!shown(u"noteLabel"_s));
        QVERIFY(canExport());
    }

    void calendarsOfEachService_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("thirdID");
        QTest::newRow("google") << false << u"Export Google Calendar"_s
                                << QStringList { u"Skip this project"_s, u"Work"_s, u"ada@example.com"_s, u"Family"_s }
                                << u"family"_s;
        QTest::newRow("apple") << true << u"Export Apple Calendar"_s
                               << QStringList { u"Skip this project"_s,
                                      u"Home (iCloud)"_s,
                                      u"Work"_s,
                                      u"Personal (On This Computer)"_s }
                               << u"local"_s;
    }
    void calendarsOfEachService()
    {
        QFETCH(bool, apple);
        QFETCH(QString, title);
        QFETCH(QStringList, items);
        QFETCH(QString, thirdID);
        open({ u"[x] work"_s }, apple);
        QCOMPARE(text(u"titleLabel"_s), title);
        QStringList listed;
        for (int i = 0; i < picker(0)->count(); ++i)
            listed << picker(0)->itemText(i);
        QCOMPARE(listed, items);

        choose(picker(0), 3);
        const auto chosen = [&] {
            return apple ? appleDraft.projectSelections[0].calendarID : googleDraft.projectSelections[0].calendarID;
        };
        QCOMPARE(chosen(), std::optional(thirdID));

        // The list refreshed while the view is open without the chosen calendar: the picker
        // shows no choice and the draft keeps the calendar until the user picks another.
        h->google.calendars = kGoogle.mid(0, 2);
        h->apple.calendars = kApple.mid(0, 2);
        QCoro::waitFor(apple ? h->model->desktopCalendar().refresh() : h->model->googleCalendar().refresh());
        QCOMPARE(picker(0)->count(), 3);
        QCOMPARE(picker(0)->currentIndex(), -1);
        QCOMPARE(chosen(), std::optional(thirdID));
        choose(picker(0), 1);
        QCOMPARE(chosen(), std::optional(apple ? u"home"_s : u"work"_s));

        // The app's language changed while the view is open.
        setLanguage(AppLanguagePreference::german);
        QCOMPARE(
            text(u"titleLabel"_s), apple ? u"In Apple Kalender exportieren"_s : u"In Google Kalender exportieren"_s);
        QCOMPARE(picker(0)->itemText(0), u"Projekt überspringen"_s);
        QCOMPARE(text(u"readyCountLabel"_s), u"1 bereit zum Exportieren"_s);
        QCOMPARE(picker(0)->currentIndex(), 1);
    }

    void busyServiceLocksPickersAndExport_data()
    {
        QTest::addColumn<bool>("apple");
        QTest::newRow("google") << false;
        QTest::newRow("apple") << true;
    }
    void busyServiceLocksPickersAndExport()
    {
        QFETCH(bool, apple);
        open({ u"[x] work"_s, u"[ ] work"_s }, apple);
        // The caller: Return runs the export with the draft as edited.
        QObject::connect(view.get(), &CalendarExportSheet::exportRequested, view.get(), [this, apple] {
            if (apple)
                QCoro::waitFor(h->model->desktopCalendar().exportEntries(appleDraft, kRange));
            else
                QCoro::waitFor(h->model->googleCalendar().exportEntries(googleDraft, kRange));
        });
        QSignalSpy exports(view.get(), &CalendarExportSheet::exportRequested);
        QStringList seenWhileBusy;
        bool exportableWhileBusy = true;
        auto look = [&] {
            seenWhileBusy = shownChoices();
            exportableWhileBusy = canExport();
            // A second Return while the first export runs is not a second export.
            QTest::keyClick(view.get(), Qt::Key_Return);
        };
        h->google.exportAnswer = [&](const auto&) {
            look();
            return GoogleCalendarExportResult {};
        };
        h->apple.exportAnswer = [&](const auto&) {
            look();
            return AppleCalendarExportResult {};
        };

        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(exports.count(), 1);
        QCOMPARE(seenWhileBusy, (QStringList { u"Work (disabled)"_s, u"Work (disabled)"_s }));
        QVERIFY(!exportableWhileBusy);
        QCOMPARE(shownChoices(), (QStringList { u"Work"_s, u"Work (disabled)"_s }));
        QVERIFY(canExport());
    }

    void keyboardInsideAHostDialog()
    {
        QDialog dialog;
        open({ u"[x] work"_s });
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(view.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(child<QPushButton>(u"exportButton"_s)->isDefault());
        QSignalSpy exports(view.get(), &CalendarExportSheet::exportRequested);
        QSignalSpy cancels(view.get(), &CalendarExportSheet::cancelRequested);

        // From a picker and from the view alike; the dialog is closed by the caller only.
        QTest::keyClick(picker(0), Qt::Key_Return);
        QTest::keyClick(checkBox(0), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(exports.count(), 2);
        QTest::keyClick(picker(0), Qt::Key_Escape);
        QCOMPARE(cancels.count(), 1);
        QVERIFY(dialog.isVisible());
        child<QPushButton>(u"cancelButton"_s)->click();
        QCOMPARE(cancels.count(), 2);

        checkBox(0)->click();
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(exports.count(), 2);
        QVERIFY(dialog.isVisible());
        layout->removeWidget(view.get());
        view->setParent(nullptr);
    }

    // The sheet measures its cards with their texts, so at its own size a short list needs no scroll bar.
    void shortListsFitWithoutScrolling()
    {
        open({ u"[x] work"_s, u"[x] me"_s, u"[x] -"_s, u"[ ] family"_s });
        view->resize(view->sizeHint());
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QVERIFY(!child<QScrollArea>(u"cardsScrollArea"_s)->verticalScrollBar()->isVisible());
    }

    void longListsStayOnScreen()
    {
        const QString longName = u"Northwind Traders & Partners – "_s.repeated(8);
        googleDraft = draftOf<GoogleCalendarExportDraft>(QList<QString>(60, u"[x] work"_s));
        googleDraft.projectSelections[0].projectName = longName;
        view = std::make_unique<GoogleCalendarExportSheet>(*h->model, googleDraft);
        const QRect screen = view->screen()->availableGeometry();
        QVERIFY(view->sizeHint().height() <= screen.height());
        QVERIFY(view->minimumSizeHint().width() < screen.width());
        view->resize(view->sizeHint());
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        // The long name is cut to the card and given in full to the tool tip and screen readers.
        QVERIFY(checkBox(0)->geometry().right() <= cards().at(0)->width());
        QCOMPARE(checkBox(0)->toolTip(), longName);
        QCOMPARE(checkBox(0)->accessibleName(), longName);
    }

    void renders()
    {
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TIVREN_SCREENSHOT_DIR is not set");
        auto render = [&](const QStringList& selections, bool apple, const QString& file) {
            open(selections, apple);
            view->resize(view->sizeHint());
            view->show();
            QVERIFY(QTest::qWaitForWindowExposed(view.get()));
            QVERIFY(view->grab().save(dir + u"/tivren-"_s + file + u".png"_s));
        };
        const QStringList google { u"[x] work"_s, u"[x] me"_s, u"[x] -"_s, u"[ ] family"_s };
        render(google, false, u"google-export-en"_s);
        render({ u"[x] work"_s, u"[x] local"_s, u"[x] -"_s, u"[ ] home"_s }, true, u"apple-export-en"_s);
        setLanguage(AppLanguagePreference::german);
        render(google, false, u"google-export-de"_s);
        render({ u"[ ] work"_s, u"[x] -"_s, u"[x] -"_s, u"[ ] home"_s }, true, u"apple-export-nothing-ready-de"_s);
    }
};

QTEST_MAIN(tst_CalendarExportSheet)
#include "tst_CalendarExportSheet.moc"
