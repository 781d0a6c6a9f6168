#include "app/text/AppStrings.h"
#include "support/TimelineTesting.h"
#include "support/ViewFixture.h"
#include "ui/timeline/day/DayTimelineArea.h"
#include "ui/timeline/day/DayTimelineView.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QDate thursday(2026, 3, 5);

TimeEntry entry(const Project& project, Instant start, Instant end, const QString& notes = {})
{
    return TimeEntry { QUuid::createUuid(), project.id, start, end, notes };
}

// "9:00 AM" as the English screens write it.
QString en(int hour, int minute = 0)
{
    return QLocale(u"en"_s).toString(QTime(hour, minute), QLocale::ShortFormat);
}

// Records the regions an area repaints.
class PaintRecorder : public QObject
{
public:
    QRegion painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class tst_DayTimelineView : public QObject, public ViewFixture<DayTimelineView>
{
    Q_OBJECT

    DayTimelineArea* area() const { return child<DayTimelineArea>(u"timelineArea"_s); }
    QRectF rectOf(const QUuid& id) const { return rectFor(area()->blockRects(), id); }
    void click(const QUuid& id) { QTest::mouseClick(area(), Qt::LeftButton, {}, rectOf(id).center().toPoint()); }
    // The area's height of one hour, from its hour lines.
    qreal hourHeight() const
    {
        const auto lines = area()->hourLines();
        return (lines.last().second - lines.first().second) / ((lines.last().first - lines.first().first) / 3600.0);
    }
    qreal yOf(Instant instant) const
    {
        const auto first = area()->hourLines().first();
        return first.second + (instant - first.first) / 3600.0 * hourHeight();
    }

    void open(AppSnapshot snapshot, QDate day, bool show = true)
    {
        if (snapshot.settings.languagePreference == AppLanguagePreference::system)
            snapshot.settings.languagePreference = AppLanguagePreference::english;
        snapshot.settings.currencyCode = u"EUR"_s;
        h->load(snapshot);
        h->model->tick();
        view = std::make_unique<DayTimelineView>(*h->model);
        view->setDay(localAt(day, 12));
        view->resize(900, 560);
        if (show) {
            view->show();
            QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        }
    }
private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        h->clock.time = localAt(thursday, 17);
        h->model->tick();
    }
    void cleanup()
    {
        view.reset();
        h.reset();
    }

    // An entry from the night before starts at the top, where its name shows.
    void nightBeforeStartsAtTheTop()
    {
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme"_s, 80);
        snapshot.projects = { acme };
        const TimeEntry night = entry(acme, localAt(thursday.addDays(-1), 22), localAt(thursday, 0, 45));
        snapshot.entries = { night };
        open(snapshot, thursday);
        QCOMPARE(area()->axis().first, localAt(thursday, 0));
        const QRectF rect = rectOf(night.id);
        QVERIFY2(qAbs(rect.top() - yOf(localAt(thursday, 0))) < 0.01, qPrintable(QString::number(rect.top())));
        QVERIFY(qAbs(rect.bottom() - yOf(localAt(thursday, 0, 45))) < 0.01);
    }

    void emptyDayAndHeader()
    {
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme"_s, 80);
        snapshot.projects = { acme };
        snapshot.entries = { entry(acme, localAt(thursday, 9), localAt(thursday, 10, 30)),
            entry(acme, localAt(thursday.addDays(-1), 23), localAt(thursday, 0, 45)) };
        open(snapshot, thursday, false);
        QCOMPARE(text(u"dayTitleLabel"_s), u"Thursday, March 5, 2026"_s);
        // Only the part of the night entry inside the day counts.
        QCOMPARE(text(u"dayTotalLabel"_s), u"2.25 h"_s);
        QVERIFY(shown(u"timelineArea"_s));
        QVERIFY(!shown(u"emptyState"_s));

        view->setDay(localAt(thursday.addDays(2), 9));
        QVERIFY(shown(u"emptyState"_s));
        QVERIFY(!shown(u"timelineArea"_s));
        QVERIFY(!shown(u"dayTotalLabel"_s));
        QCOMPARE(text(u"emptyTitleLabel"_s), u"No entries"_s);
        QCOMPARE(text(u"emptyDescriptionLabel"_s), u"No time was tracked on this day."_s);

        view->setDay(localAt(thursday, 9));
        setLanguage(AppLanguagePreference::dutch);
        QCOMPARE(text(u"dayTitleLabel"_s), u"donderdag 5 maart 2026"_s);
        QCOMPARE(text(u"dayTotalLabel"_s), u"2,25 u"_s);
    }

    void sidebarDetails_data()
    {
        QTest::addColumn<std::optional<double>>("rate");
        QTest::addColumn<bool>("projectExists");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("expected"); // project, hours, billed, amount, notes
        QTest::newRow("rated, rounded up")
            << std::optional(80.0) << true << 80 << u"Navigation"_s
            << QStringList { u"Acme"_s, u"1.33 h"_s, u"1.50 h billed"_s, u"€120.00"_s, u"Navigation"_s };
        QTest::newRow("rated, nothing to round")
            << std::optional(80.0) << true << 90 << QString()
            << QStringList { u"Acme"_s, u"1.50 h"_s, QString(), u"€120.00"_s, QString() };
        QTest::newRow("no rate: no billing lines")
            << std::optional<double>() << true << 80 << QString()
            << QStringList { u"Acme"_s, u"1.33 h"_s, QString(), QString(), QString() };
        QTest::newRow("deleted project") << std::optional(80.0) << false << 80 << u"Left over"_s
                                         << QStringList {
                                                u"Unknown Project"_s, u"1.33 h"_s, QString(), QString(), u"Left over"_s
                                            };
    }
    void sidebarDetails()
    {
        QFETCH(std::optional<double>, rate);
        QFETCH(bool, projectExists);
        QFETCH(int, minutes);
        QFETCH(QString, notes);
        QFETCH(QStringList, expected);
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme"_s, rate);
        if (projectExists)
            snapshot.projects = { acme };
        const TimeEntry e = entry(acme, localAt(thursday, 9), localAt(thursday, 9) + minutes * 60, notes);
        snapshot.entries = { e };
        open(snapshot, thursday, false);
        QVERIFY(!shown(u"detailSidebar"_s));
        view->toggleSelection(e.id);
        QVERIFY(shown(u"detailSidebar"_s));
        auto shownText = [this](const QString& label) {
            return shown(label) ? text(label) : QString();
        };
        QCOMPARE((QStringList { text(u"projectNameLabel"_s),
                     text(u"hoursLabel"_s),
                     shownText(u"billedLabel"_s),
                     shownText(u"amountLabel"_s),
                     shownText(u"notesLabel"_s) }),
            expected);
        QCOMPARE(text(u"spanLabel"_s), en(9) + u" – "_s + en(9 + minutes / 60, minutes % 60));
    }

    void clickTogglesSelection()
    {
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme"_s, 80);
        snapshot.projects = { acme };
        const TimeEntry a = entry(acme, localAt(thursday, 9), localAt(thursday, 10));
        const TimeEntry b = entry(acme, localAt(thursday, 13), localAt(thursday, 14));
        snapshot.entries = { a, b };
        open(snapshot, thursday);
        auto* sidebar = child(u"detailSidebar"_s);

        click(a.id);
        QCOMPARE(view->selectedEntryID(), std::optional(a.id));
        QVERIFY(view->isSidebarOpen());
        QTRY_COMPARE(sidebar->width(), 240);
        QCOMPARE(text(u"spanLabel"_s), en(9) + u" – "_s + en(10));

        // The area gave way to the sidebar; blocks followed.
        QVERIFY(rectOf(a.id).right() <= area()->width());
        click(b.id);
        QCOMPARE(view->selectedEntryID(), std::optional(b.id));
        QCOMPARE(text(u"spanLabel"_s), en(13) + u" – "_s + en(14));

        click(b.id);
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        QVERIFY(!view->isSidebarOpen());
        QTRY_VERIFY(!sidebar->isVisible());

        // Clicking between blocks changes nothing.
        QTest::mouseClick(area(), Qt::LeftButton, {}, QPoint(area()->width() / 2, int(rectOf(a.id).bottom()) + 20));
        QCOMPARE(view->selectedEntryID(), std::nullopt);
    }

    void keyboardReachesBlocks()
    {
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme"_s, 80);
        snapshot.projects = { acme };
        const TimeEntry late = entry(acme, localAt(thursday, 13), localAt(thursday, 14));
        const TimeEntry early = entry(acme, localAt(thursday, 9), localAt(thursday, 10));
        snapshot.entries = { late, early };
        open(snapshot, thursday);
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        // As when tabbing in from the week strip above.
        area()->clearFocus();
        area()->setFocus(Qt::TabFocusReason);
        QCOMPARE(area()->currentID(), std::optional(early.id));
        QCOMPARE(area()->accessibleDescription(), u"Acme: "_s + en(9) + u" – "_s + en(10));
        QTest::keyClick(area(), Qt::Key_Right);
        QCOMPARE(area()->currentID(), std::optional(late.id));
        QTest::keyClick(area(), Qt::Key_Return);
        QCOMPARE(view->selectedEntryID(), std::optional(late.id));
        QTest::keyClick(area(), Qt::Key_Escape);
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        QTest::keyClick(area(), Qt::Key_Space);
        QCOMPARE(view->selectedEntryID(), std::optional(late.id));
        QTest::keyClick(area(), Qt::Key_Space);
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        // Tab leaves after the last block, for the sidebar's buttons and beyond.
        QTest::keyClick(area(), Qt::Key_Right);
        QCOMPARE(area()->currentID(), std::optional(early.id));
        QTest::keyClick(area(), Qt::Key_Tab);
        QCOMPARE(area()->currentID(), std::optional(late.id));
        QVERIFY(area()->hasFocus());
    }

    void selectionLifecycle()
    {
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme"_s, 80);
        snapshot.projects = { acme };
        const TimeEntry a = entry(acme, localAt(thursday, 9), localAt(thursday, 10));
        const TimeEntry b = entry(acme, localAt(thursday, 13), localAt(thursday, 14));
        snapshot.entries = { a, b };
        open(snapshot, thursday, false);

        // A new day starts without a selection, also after coming back.
        view->toggleSelection(a.id);
        view->setDay(localAt(thursday.addDays(1), 12));
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        QVERIFY(!shown(u"detailSidebar"_s));
        view->setDay(localAt(thursday, 12));
        QCOMPARE(view->selectedEntryID(), std::nullopt);

        // Edit only asks.
        view->toggleSelection(a.id);
        QSignalSpy edits(view.get(), &DayTimelineView::editRequested);
        child<QPushButton>(u"editButton"_s)->click();
        QCOMPARE(edits.count(), 1);
        QCOMPARE(edits.first().first().value<TimeEntry>(), a);
        QCOMPARE(view->selectedEntryID(), std::optional(a.id));

        // Moved to another day elsewhere: the sidebar closes, the stale selection stays and comes
        // back with the entry.
        h->model->updateEntry(a, localAt(thursday.addDays(1), 9), localAt(thursday.addDays(1), 10), {});
        QVERIFY(!shown(u"detailSidebar"_s));
        QCOMPARE(view->selectedEntryID(), std::optional(a.id));
        h->model->updateEntry(*std::find_if(h->model->entries().cbegin(),
                                  h->model->entries().cend(),
                                  [&a](const TimeEntry& e) {
                                      return e.id == a.id;
                                  }),
            localAt(thursday, 9),
            localAt(thursday, 10, 30),
            {});
        QVERIFY(shown(u"detailSidebar"_s));
        QCOMPARE(text(u"hoursLabel"_s), u"1.50 h"_s);

        // Delete: at once, without asking, and the selection is gone.
        child<QPushButton>(u"deleteButton"_s)->click();
        QCOMPARE(h->model->entries().size(), 1);
        QCOMPARE(h->model->entries().first().id, b.id);
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        QVERIFY(!shown(u"detailSidebar"_s));
        QCOMPARE(area()->blockRects().size(), 1);
    }

    void runningSession_data()
    {
        QTest::addColumn<int>("daysBefore");
        QTest::newRow("started today") << 0;
        QTest::newRow("started yesterday") << 1;
    }
    void runningSession()
    {
        QFETCH(int, daysBefore);
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme"_s, 80);
        snapshot.projects = { acme };
        const Instant start = localAt(thursday.addDays(-daysBefore), 14, 20);
        snapshot.activeSession = ActiveTimerSession { acme.id, start };
        h->clock.time = localAt(thursday, 15, 20) + 10;
        open(snapshot, thursday);
        if (daysBefore > 0) {
            // Drawn on its own day only.
            QVERIFY(shown(u"emptyState"_s));
            QVERIFY(!shown(u"dayTotalLabel"_s));
            QCOMPARE(area()->runningRect(), std::nullopt);
            return;
        }
        QVERIFY(!shown(u"emptyState"_s));
        QCOMPARE(text(u"dayTotalLabel"_s), u"1.00 h"_s);
        const QRectF before = *area()->runningRect();
        QVERIFY(qAbs(before.top() - yOf(start)) < 0.01);
        QVERIFY(qAbs(before.height() - hourHeight()) < 0.5);
        QVERIFY(area()->axis().second >= h->model->now() + 3600);

        // A tick grows the block and repaints it alone.
        QApplication::processEvents();
        PaintRecorder recorder;
        area()->installEventFilter(&recorder);
        const auto linesBefore = area()->hourLines();
        h->advance(30);
        QTRY_VERIFY(!recorder.painted.isEmpty());
        const QRectF after = *area()->runningRect();
        QVERIFY(after.height() > before.height());
        QCOMPARE(area()->hourLines(), linesBefore);
        QVERIFY(before.united(after).adjusted(-3, -3, 3, 3).contains(recorder.painted.boundingRect()));
        QCOMPARE(text(u"dayTotalLabel"_s), u"1.01 h"_s);
        area()->removeEventFilter(&recorder);

        // Stopping turns it into an entry.
        h->model->stopTimer();
        QCOMPARE(area()->runningRect(), std::nullopt);
        QCOMPARE(area()->blockRects().size(), 1);
    }

    void screenshots()
    {
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TIVREN_SCREENSHOT_DIR not set");
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme Website Relaunch"_s, 85);
        const Project books = ratedProject(u"Bookkeeping"_s, std::nullopt, u"green"_s);
        const Project design = ratedProject(u"Northwind Design System"_s, 110, u"indigo"_s);
        const Project support = ratedProject(u"Support"_s, 60, u"orange"_s);
        snapshot.projects = { acme, books, design, support };
        const TimeEntry selected = entry(design,
            localAt(thursday, 9, 40),
            localAt(thursday, 11, 5),
            u"Client call about the new colour tokens and the button states"_s);
        snapshot.entries = { entry(
                                 acme, localAt(thursday, 8, 30), localAt(thursday, 10, 15), u"Navigation and footer"_s),
            selected,
            entry(support, localAt(thursday, 11, 15), localAt(thursday, 11, 20)),
            entry(books, localAt(thursday, 11, 30), localAt(thursday, 12, 10)),
            entry(acme, localAt(thursday, 13), localAt(thursday, 15, 10)),
            entry(support, localAt(thursday, 13, 45), localAt(thursday, 14, 30), u"Login problem"_s) };
        snapshot.activeSession = ActiveTimerSession { design.id, localAt(thursday, 15, 30) };
        for (auto [language, name] : { std::pair { AppLanguagePreference::english, u"en"_s },
                 std::pair { AppLanguagePreference::dutch, u"nl"_s },
                 std::pair { AppLanguagePreference::german, u"de"_s } }) {
            cleanup();
            init();
            snapshot.settings.languagePreference = language;
            h->clock.time = localAt(thursday, 16, 42);
            open(snapshot, thursday);
            view->resize(900, 640);
            view->toggleSelection(selected.id);
            QTRY_COMPARE(child(u"detailSidebar"_s)->width(), 240);
            QVERIFY(view->grab().save(dir + u"/tivren-day-"_s + name + u".png"_s));
        }
        QVERIFY(grabDark(*view, dir + u"/tivren-day-de-dark.png"_s));
        view->setDay(localAt(thursday.addDays(2), 12));
        QApplication::processEvents();
        QVERIFY(view->grab().save(dir + u"/tivren-day-empty.png"_s));
    }
};

QTEST_MAIN(tst_DayTimelineView)
#include "tst_DayTimelineView.moc"
