// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarExportDraft.h"
#include "app/model/MainSection.h"
#include "core/billing/EntryStartIndex.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"
#include "ui/overview/EntryListView.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace tivren {

class AppModel;
class BreakTimerCard;
class ByProjectCard;
class DateRangePicker;
class ProjectLauncherCard;
class RunningTimerCard;
class SummaryCards;
namespace Style {
class Card;
class EmptyState;
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
    [[nodiscard]] static QList<EntryListDay> entriesByDay(
        const QList<TimeEntry>& entries, const EntryStartIndex& index, InstantRange range);
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
    QWidget* buildTimerCards();
    QWidget* buildSections();

    // Marks parts stale and refreshes them on the next turn (at once when now is true).
    void invalidate(int parts, bool now = false);
    void refresh();
    void retranslate();
    void refreshFigures();
    void refreshTimer();
    void refreshLiveTimes();
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

    SummaryCards* m_summaryCards = nullptr;
    RunningTimerCard* m_runningCard = nullptr;
    BreakTimerCard* m_breakCard = nullptr;
    ProjectLauncherCard* m_launcherCard = nullptr;

    QLabel* m_entriesTitle = nullptr;
    Style::EmptyState* m_entriesEmpty = nullptr;
    EntryListView* m_entryList = nullptr;
    ByProjectCard* m_byProjectCard = nullptr;
};

} // namespace tivren
