#pragma once

#include "app/calendar/CalendarExportDraft.h"
#include "app/model/MainSection.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"
#include "ui/overview/EntryListView.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace tivren {

class AppModel;
class DateRangePicker;
namespace Style {
class Card;
}

// The first section of the main window: for a chosen range of days, the billing totals, the
// running timer or Pomodoro break, quick ways to start a timer, the time per project and the
// entries day by day, where they can be edited or deleted. Its header exports the range to CSV
// and to the two calendars.
//
// All figures come from the billing engine over the model's data; the view keeps only its range
// and its open sheets. Model changes are gathered and applied once per turn of the event loop,
// and not at all while the view is hidden; the one-second clock touches only the timer cards.
class OverviewView : public QWidget
{
    Q_OBJECT

public:
    explicit OverviewView(AppModel& model, QWidget* parent = nullptr);
    ~OverviewView() override;

    [[nodiscard]] Instant rangeStart() const { return m_rangeStart; }
    [[nodiscard]] Instant rangeEnd() const { return m_rangeEnd; }
    // The closed range every figure uses: the earlier bound through 23:59:59 of the later
    // bound's day.
    [[nodiscard]] InstantRange range() const { return normalizedRange(m_rangeStart, m_rangeEnd); }
    void setRange(Instant start, Instant end);

    [[nodiscard]] static InstantRange normalizedRange(Instant start, Instant end);
    // The range's entries grouped by the local day they start on, newest day first.
    [[nodiscard]] static QList<EntryListDay> entriesByDay(const QList<TimeEntry>& entries, InstantRange range);
    // The longest entry of the days, which fills a duration bar; 1 when there are none.
    [[nodiscard]] static Seconds maxEntryDuration(const QList<EntryListDay>& days);

    [[nodiscard]] const std::optional<GoogleCalendarExportDraft>& googleCalendarExportDraft() const
    {
        return m_googleDraft;
    }
    [[nodiscard]] const std::optional<AppleCalendarExportDraft>& appleCalendarExportDraft() const
    {
        return m_appleDraft;
    }

public Q_SLOTS:
    void exportCSV();
    void exportGoogleCalendar();
    void exportAppleCalendar();
    // Opens the entry editor as a sheet over the window.
    void editEntry(const tivren::TimeEntry& entry);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Part
    {
        figures = 1,
        timer = 2,
        launcher = 4,
        exports = 8,
        texts = 16,
        everything = 31,
    };

    void build();
    QWidget* buildHeader();
    void arrangeHeader();
    QWidget* buildSummaryCards();
    QWidget* buildRunningCard();
    QWidget* buildBreakCard();
    QWidget* buildLauncher();
    QWidget* buildSections();

    // Marks parts stale and refreshes them on the next turn (at once when now is true).
    void invalidate(int parts, bool now = false);
    void refresh();
    void retranslate();
    void refreshFigures();
    void refreshTimer();
    void refreshLiveTimes();
    void refreshLauncher();
    void refreshExportButtons();
    void resetRange();
    template <typename Sheet, typename Draft> void openExportSheet(std::optional<Draft>& draft);

    AppModel& m_model;
    Instant m_rangeStart = 0;
    Instant m_rangeEnd = 0;
    MainSection m_lastSection = MainSection::overview;
    int m_stale = everything;
    bool m_refreshQueued = false;
    bool m_shownOnce = false;
    bool m_hasEntries = false;
    std::optional<GoogleCalendarExportDraft> m_googleDraft;
    std::optional<AppleCalendarExportDraft> m_appleDraft;
    QPointer<QDialog> m_entrySheet;

    QScrollArea* m_scrollArea = nullptr;
    QHBoxLayout* m_headerTop = nullptr;
    QHBoxLayout* m_headerBottom = nullptr;
    QWidget* m_exportButtons = nullptr;
    QLabel* m_titleLabel = nullptr;
    DateRangePicker* m_rangePicker = nullptr;
    QPushButton* m_csvButton = nullptr;
    QPushButton* m_googleButton = nullptr;
    QPushButton* m_appleButton = nullptr;

    QLabel* m_hoursTitle = nullptr;
    QLabel* m_hoursValue = nullptr;
    Style::Card* m_amountCard = nullptr;
    QLabel* m_amountTitle = nullptr;
    QLabel* m_amountValue = nullptr;
    QLabel* m_projectsTitle = nullptr;
    QLabel* m_projectsValue = nullptr;

    Style::Card* m_runningCard = nullptr;
    QLabel* m_runningHeadline = nullptr;
    QLabel* m_runningProject = nullptr;
    QLabel* m_runningElapsed = nullptr;
    QWidget* m_runningPhase = nullptr;
    QLabel* m_runningPhaseText = nullptr;
    QPushButton* m_stopButton = nullptr;
    QPushButton* m_skipPhaseButton = nullptr;

    Style::Card* m_breakCard = nullptr;
    QLabel* m_breakPhase = nullptr;
    QLabel* m_breakRemaining = nullptr;
    QPushButton* m_skipBreakButton = nullptr;
    QPushButton* m_stopBreakButton = nullptr;

    QWidget* m_launcherEmpty = nullptr;
    QLabel* m_launcherEmptyTitle = nullptr;
    QLabel* m_launcherEmptyText = nullptr;
    QWidget* m_launcherContent = nullptr;
    QLabel* m_launcherTitle = nullptr;
    QLabel* m_launcherText = nullptr;
    QToolButton* m_startMenuButton = nullptr;
    QMenu* m_startMenu = nullptr;
    QLabel* m_recentLabel = nullptr;
    QHBoxLayout* m_recentRow = nullptr;

    QLabel* m_entriesTitle = nullptr;
    QWidget* m_entriesEmpty = nullptr;
    QLabel* m_entriesEmptyTitle = nullptr;
    QLabel* m_entriesEmptyText = nullptr;
    EntryListView* m_entryList = nullptr;
    QLabel* m_byProjectTitle = nullptr;
    QWidget* m_byProjectEmpty = nullptr;
    QLabel* m_byProjectEmptyTitle = nullptr;
    QLabel* m_byProjectEmptyText = nullptr;
    QVBoxLayout* m_byProjectRows = nullptr;
};

} // namespace tivren
