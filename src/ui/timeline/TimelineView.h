// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/model/MainSection.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QPointer>
#include <QWidget>

class QButtonGroup;
class QDialog;
class QHBoxLayout;
class QLabel;
class QLocale;
class QStackedWidget;
class QToolButton;

namespace tivren {

class AppModel;
class DayTimelineView;
class WeekStripView;
class WeekTimelineView;

// The "Timeline" section: one week at a time, either as seven columns on one hour axis or as a
// strip of the week's days above the timeline of the chosen day. The header moves between weeks
// and switches the mode; editing an entry from either mode opens the entry editor here. Weeks
// start on Monday whatever the locale.
class TimelineView : public QWidget
{
    Q_OBJECT

public:
    enum class ViewMode
    {
        day,
        week,
    };

    explicit TimelineView(AppModel& model, QWidget* parent = nullptr);
    ~TimelineView() override;

    [[nodiscard]] Instant selectedWeekStart() const { return m_weekStart; }
    [[nodiscard]] Instant selectedDay() const { return m_selectedDay; }
    [[nodiscard]] ViewMode viewMode() const { return m_mode; }
    void setViewMode(ViewMode mode);
    void setSelectedDay(Instant day);

    [[nodiscard]] static Instant mondayOfWeek(Instant instant);
    // "March 2 – 8, 2026", "Mar 30 – Apr 5, 2026", "Dec 28, 2026 – Jan 3, 2027" in the locale's
    // own order of fields.
    [[nodiscard]] static QString weekRangeLabel(Instant start, const QLocale& locale);

public Q_SLOTS:
    void previousWeek();
    void nextWeek();
    void showThisWeek();
    void editEntry(const tivren::TimeEntry& entry);

private:
    void build();
    [[nodiscard]] QHBoxLayout* buildHeader(QWidget* content);
    void retranslate();
    void refreshWeek();
    void refreshTotal();
    void moveWeek(int days);

    AppModel& m_model;
    Instant m_weekStart = 0;
    Instant m_selectedDay = 0;
    ViewMode m_mode = ViewMode::week;
    MainSection m_lastSection = MainSection::overview;
    QPointer<QDialog> m_entrySheet;

    QLabel* m_titleLabel = nullptr;
    QLabel* m_totalLabel = nullptr;
    QButtonGroup* m_modes = nullptr;
    QToolButton* m_weekButton = nullptr;
    QToolButton* m_dayButton = nullptr;
    QToolButton* m_previousButton = nullptr;
    QLabel* m_rangeLabel = nullptr;
    QToolButton* m_nextButton = nullptr;
    QToolButton* m_thisWeekButton = nullptr;
    QStackedWidget* m_pages = nullptr;
    WeekTimelineView* m_weekView = nullptr;
    WeekStripView* m_strip = nullptr;
    DayTimelineView* m_dayView = nullptr;
};

} // namespace tivren
