// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calendar/AppleCalendarServicing.h"
#include "app/calendar/CalendarExportDraft.h"
#include "app/google/GoogleCalendarServicing.h"
#include "support/FormTesting.h"
#include "ui/export/CalendarExportSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QTest>
#include <QUuid>
#include <QVBoxLayout>
#include <qcoro/qcorotask.h>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// The calendars and export drafts that the export sheet's tests are built from.
inline const QList<GoogleCalendarListItem> exportGoogleCalendars {
    { QStringLiteral("work"), QStringLiteral("Work"), false },
    { QStringLiteral("me"), QStringLiteral("ada@example.com"), true },
    { QStringLiteral("family"), QStringLiteral("Family"), false },
};
inline const QList<AppleCalendarListItem> exportAppleCalendars {
    { QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("iCloud") },
    { QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("Work") },
    { QStringLiteral("local"), QStringLiteral("Personal"), QStringLiteral("On This Computer") },
};

// One card per comma-separated item: "[x] work" is a selected project going to "work", "[ ] -" an
// unticked one without a calendar.
template <typename Draft> Draft exportDraftOf(const QString& cards)
{
    const QStringList names { QStringLiteral("Acme Corporation"),
        QStringLiteral("Globex Website Redesign"),
        QStringLiteral("Initech"),
        QStringLiteral("Umbrella R&D") };
    const QStringList selections = cards.split(u',');
    Draft draft { QUuid::createUuid(), {} };
    for (qsizetype i = 0; i < selections.size(); ++i) {
        const QString calendar = selections[i].mid(4);
        draft.projectSelections.append({ QUuid::createUuid(),
            names.value(i, QStringLiteral("Project %1").arg(i)),
            QList { 1, 14, 3, 7 }.value(i, 2), // entries in range: the singular and plural both shown
            selections[i].startsWith(QStringLiteral("[x]")),
            calendar == QStringLiteral("-") ? std::nullopt : std::optional(calendar) });
    }
    return draft;
}

// Picks an item the way a keyboard user does, so only what a user can reach counts.
inline void chooseByKeyboard(QComboBox* combo, int item)
{
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < item; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

} // namespace

class tst_CalendarExportSheet : public QObject, ViewFixture<CalendarExportSheet>
{
    Q_OBJECT

    // The caller's drafts outlive the sheet: cleanup() and open() reset the view first.
    GoogleCalendarExportDraft googleDraft;
    AppleCalendarExportDraft appleDraft;

    void open(const QString& cards, bool apple = false)
    {
        view.reset();
        googleDraft = exportDraftOf<GoogleCalendarExportDraft>(cards);
        appleDraft = exportDraftOf<AppleCalendarExportDraft>(cards);
        if (apple)
            view = std::make_unique<AppleCalendarExportSheet>(*h->model, appleDraft);
        else
            view = std::make_unique<GoogleCalendarExportSheet>(*h->model, googleDraft);
    }

    // The sheet's project cards, and their check boxes and calendar pickers.
    QList<QFrame*> cards() const { return view->findChildren<QFrame*>(u"projectCardFrame"_s); }
    QCheckBox* checkBox(qsizetype card) const { return cards().at(card)->findChild<QCheckBox*>(u"projectCheckBox"_s); }
    QComboBox* picker(qsizetype card) const { return cards().at(card)->findChild<QComboBox*>(u"calendarComboBox"_s); }

    // What each card's picker shows, as the user reads it.
    QStringList shownChoices() const
    {
        QStringList result;
        for (qsizetype i = 0; i < cards().size(); ++i)
            result << picker(i)->currentText() + (picker(i)->isEnabled() ? QString() : u" (disabled)"_s);
        return result;
    }

    bool canExport() const { return child(u"exportButton"_s)->isEnabled(); }
    QString ready() const { return text(u"readyCountLabel"_s); }
    static void services()
    {
        QTest::addColumn<bool>("apple");
        QTest::newRow("google") << false;
        QTest::newRow("apple") << true;
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        setLanguage(AppLanguagePreference::english);
        h->google.calendars = exportGoogleCalendars;
        h->apple.calendars = exportAppleCalendars;
        QCoro::waitFor(h->model->googleCalendar().connectService());
        QCoro::waitFor(h->model->desktopCalendar().connectService());
    }

    void cleanup() { stop(); }

    // Only a ticked project with a calendar is ready; with none ready the export is refused.
    void countersNoteAndExport_data()
    {
        QTest::addColumn<QString>("selections");
        QTest::addColumn<int>("ready");
        QTest::addColumn<QString>("choices");
        QTest::newRow("all ready") << u"[x] work,[x] me,[x] work"_s << 3 << u"Work,ada@example.com,Work"_s;
        QTest::newRow("one skipped") << u"[x] work,[x] -"_s << 1 << u"Work,Skip this project"_s;
        QTest::newRow("unticked keeps its calendar")
            << u"[ ] family,[x] me"_s << 1 << u"Family (disabled),ada@example.com"_s;
        QTest::newRow("spaces count as skipped")
            << u"[x]    ,[ ] work"_s << 0 << u"Skip this project,Work (disabled)"_s;
        QTest::newRow("padded id is that calendar") << u"[x]  me "_s << 1 << u"ada@example.com"_s;
        QTest::newRow("every project unticked")
            << u"[ ] work,[ ] me"_s << 0 << u"Work (disabled),ada@example.com (disabled)"_s;
        // A calendar deleted since: no stand-in is shown, and the draft still holds it.
        QTest::newRow("calendar no longer listed") << u"[x] gone"_s << 1 << QString();
    }

    void countersNoteAndExport()
    {
        QFETCH(QString, selections);
        QFETCH(int, ready);
        QFETCH(QString, choices);
        open(selections);
        const GoogleCalendarExportDraft before = googleDraft;
        const qsizetype projects = googleDraft.projectSelections.size();
        QCOMPARE(text(u"projectsCountLabel"_s),
            (projects == 1 ? u"%1 project in range"_s : u"%1 projects in range"_s).arg(projects));
        QCOMPARE(this->ready(), u"%1 ready to export"_s.arg(ready));
        QCOMPARE(shown(u"noteLabel"_s), ready == 0);
        QCOMPARE(canExport(), ready > 0);
        QCOMPARE(shownChoices(), choices.split(u','));
        QCOMPARE(googleDraft, before); // showing the draft never writes to it
        QSignalSpy exports(view.get(), &CalendarExportSheet::exportRequested);
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(exports.count(), ready > 0 ? 1 : 0);
    }

    // Edits land in the caller's draft, and the counters, the note and the export follow them.
    void editsLandInCallersDraft()
    {
        open(u"[x] work,[x] me,[x] -"_s);
        GoogleCalendarExportDraft expected = googleDraft;
        checkBox(0)->click();
        expected.projectSelections[0].isSelected = false;
        QVERIFY(!picker(0)->isEnabled());
        chooseByKeyboard(picker(1), 0);
        expected.projectSelections[1].calendarID.reset();
        QCOMPARE(googleDraft, expected);
        QCOMPARE(ready(), u"0 ready to export"_s);
        QVERIFY(shown(u"noteLabel"_s) && !canExport());
        chooseByKeyboard(picker(2), 3); // one project back with a calendar is enough
        expected.projectSelections[2].calendarID = u"family"_s;
        QCOMPARE(googleDraft, expected);
        QCOMPARE(ready(), u"1 ready to export"_s);
        QVERIFY(!shown(u"noteLabel"_s) && canExport());
        checkBox(0)->click();
        QCOMPARE(ready(), u"2 ready to export"_s);
    }

    void calendarsOfEachService_data() { services(); }
    void calendarsOfEachService()
    {
        QFETCH(bool, apple);
        open(u"[x] work"_s, apple);
        const QString service = apple ? u"Apple"_s : u"Google"_s;
        QCOMPARE(text(u"titleLabel"_s), u"Export %1 Calendar"_s.arg(service));
        // Google's sheet says who is signed in; the desktop calendar has no account to name.
        QCOMPARE(
            shown(u"accountLabel"_s) ? text(u"accountLabel"_s) : QString(), apple ? QString() : u"Signed in as me"_s);
        QCOMPARE(comboItems(picker(0)).join(u','),
            apple ? u"Skip this project,Home (iCloud),Work,Personal (On This Computer)"_s
                  : u"Skip this project,Work,ada@example.com,Family"_s);
        chooseByKeyboard(picker(0), 3);
        const auto chosen = [&] {
            return apple ? appleDraft.projectSelections[0].calendarID : googleDraft.projectSelections[0].calendarID;
        };
        const std::optional<QString> third = apple ? u"local"_s : u"family"_s;
        QCOMPARE(chosen(), third);
        // The list refreshed while the view is open without the chosen calendar: the picker
        // shows no choice and the draft keeps the calendar until the user picks another.
        h->google.calendars = exportGoogleCalendars.mid(0, 2);
        h->apple.calendars = exportAppleCalendars.mid(0, 2);
        QCoro::waitFor(apple ? h->model->desktopCalendar().refresh() : h->model->googleCalendar().refresh());
        QCOMPARE(picker(0)->count(), 3);
        QCOMPARE(picker(0)->currentIndex(), -1);
        QCOMPARE(chosen(), third);
        chooseByKeyboard(picker(0), 1);
        QCOMPARE(chosen(), std::optional(apple ? u"home"_s : u"work"_s));
        // The app's language changed while the view is open.
        setLanguage(AppLanguagePreference::german);
        QCOMPARE(text(u"titleLabel"_s) + u'|' + picker(0)->itemText(0),
            u"In %1 Kalender exportieren|Projekt überspringen"_s.arg(service));
        QCOMPARE(picker(0)->currentIndex(), 1);
    }

    void busyServiceLocksPickersAndExport_data() { services(); }
    void busyServiceLocksPickersAndExport()
    {
        QFETCH(bool, apple);
        open(u"[x] work,[ ] work"_s, apple);
        // The caller: Return runs the export with the draft as edited.
        QObject::connect(view.get(), &CalendarExportSheet::exportRequested, view.get(), [this, apple] {
            const InstantRange range { 1772323200, 1772409599 };
            if (apple)
                QCoro::waitFor(h->model->desktopCalendar().exportEntries(appleDraft, range));
            else
                QCoro::waitFor(h->model->googleCalendar().exportEntries(googleDraft, range));
        });
        QSignalSpy exports(view.get(), &CalendarExportSheet::exportRequested);
        QStringList whileBusy;
        auto look = [&] {
            whileBusy = shownChoices() << QString::number(canExport());
            QTest::keyClick(view.get(), Qt::Key_Return); // not a second export while the first runs
        };
        h->google.exportAnswer = [&](const auto&) {
            return look(), GoogleCalendarExportResult {};
        };
        h->apple.exportAnswer = [&](const auto&) {
            return look(), AppleCalendarExportResult {};
        };
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(exports.count(), 1);
        QCOMPARE(whileBusy, u"Work (disabled),Work (disabled),0"_s.split(u','));
        QCOMPARE(shownChoices() << QString::number(canExport()), u"Work,Work (disabled),1"_s.split(u','));
    }

    void keyboardInsideAHostDialog()
    {
        QDialog dialog;
        open(u"[x] work"_s);
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
        child<QPushButton>(u"cancelButton"_s)->click();
        QCOMPARE(cancels.count(), 2);
        checkBox(0)->click();
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(exports.count(), 2);
        QVERIFY(dialog.isVisible());
        layout->removeWidget(view.get());
        view->setParent(nullptr);
    }

    // The sheet measures its cards with their texts, so at its own size a short list needs no scroll
    // bar, and a long one stays on screen with long names cut, in full for tool tips and screen readers.
    void sizedToItsCards()
    {
        open(u"[x] work,[x] me,[x] -,[ ] family"_s);
        view->resize(view->sizeHint());
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QVERIFY(!child<QScrollArea>(u"cardsScrollArea"_s)->verticalScrollBar()->isVisible());
        const QString longName = u"Northwind Traders & Partners – "_s.repeated(8);
        view.reset();
        googleDraft = exportDraftOf<GoogleCalendarExportDraft>(QStringList(60, u"[x] work"_s).join(u','));
        googleDraft.projectSelections[0].projectName = longName;
        view = std::make_unique<GoogleCalendarExportSheet>(*h->model, googleDraft);
        const QRect screen = view->screen()->availableGeometry();
        QVERIFY(view->sizeHint().height() <= screen.height());
        QVERIFY(view->minimumSizeHint().width() < screen.width());
        view->resize(view->sizeHint());
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QVERIFY(checkBox(0)->geometry().right() <= cards().at(0)->width());
        QCOMPARE(checkBox(0)->toolTip(), longName);
        QCOMPARE(checkBox(0)->accessibleName(), longName);
    }

    void renders()
    {
        TIVREN_RENDER_DIR_OR_SKIP(dir);
        auto render = [&](const QString& selections, bool apple, const QString& file) {
            open(selections, apple);
            view->resize(view->sizeHint());
            QVERIFY(renderTo(*view, dir, file));
        };
        const QString google = u"[x] work,[x] me,[x] -,[ ] family"_s;
        render(google, false, u"google-export-en"_s);
        render(u"[x] work,[x] local,[x] -,[ ] home"_s, true, u"apple-export-en"_s);
        setLanguage(AppLanguagePreference::german);
        render(google, false, u"google-export-de"_s);
        render(u"[ ] work,[x] -,[x] -,[ ] home"_s, true, u"apple-export-nothing-ready-de"_s);
    }
};

QTEST_MAIN(tst_CalendarExportSheet)
#include "tst_CalendarExportSheet.moc"
