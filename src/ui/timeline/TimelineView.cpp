// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/TimelineView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "app/text/DayFormat.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "ui/editors/TimeEntryEditor.h"
#include "ui/style/ScreenPage.h"
#include "ui/style/Style.h"
#include "ui/timeline/day/DayTimelineView.h"
#include "ui/timeline/day/WeekStripView.h"
#include "ui/timeline/week/WeekTimelineView.h"

#include <QButtonGroup>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

TimelineView::TimelineView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(u"timelineView"_s);
    m_lastSection = m_model.selectedSection();
    m_weekStart = mondayOfWeek(m_model.now());
    m_selectedDay = LocalCalendar::startOfDay(m_model.now());
    build();

    connect(&m_model, &AppModel::entriesChanged, this, &TimelineView::refreshTotal);
    connect(&m_model, &AppModel::settingsChanged, this, &TimelineView::retranslate);
    connect(&m_model, &AppModel::selectedSectionChanged, this, [this] {
        // Coming back to the timeline starts again on this week, in week mode.
        const MainSection section = m_model.selectedSection();
        if (section == MainSection::timeline && m_lastSection != MainSection::timeline) {
            setViewMode(ViewMode::week);
            showThisWeek();
        }
        m_lastSection = section;
    });
    retranslate();
    refreshWeek();
}

TimelineView::~TimelineView() = default;

Instant TimelineView::mondayOfWeek(Instant instant)
{
    return LocalCalendar::mondayOfWeek(instant);
}

QString TimelineView::weekRangeLabel(Instant start, const QLocale& locale)
{
    const QDate first = LocalCalendar::localDate(start);
    const QDate last = first.addDays(6);
    auto format = [&locale](const QString& skeleton, QDate date) {
        return DayFormat(locale, skeleton).format(date);
    };
    if (first.year() == last.year() && first.month() == last.month()) {
        return format(u"MMMMd"_s, first) + u" \u2013 "_s + format(u"d"_s, last) + u", "_s + format(u"y"_s, first);
    }
    if (first.year() == last.year())
        return format(u"MMMd"_s, first) + u" \u2013 "_s + format(u"MMMd"_s, last) + u", "_s + format(u"y"_s, first);
    return format(u"yMMMd"_s, first) + u" \u2013 "_s + format(u"yMMMd"_s, last);
}

void TimelineView::build()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* page = new ScreenPage(u"timeline"_s, this);
    outer->addWidget(page);
    QWidget* content = page->widget();
    QVBoxLayout* layout = page->column();
    page->fillHeight();

    layout->addLayout(buildHeader(content));

    m_pages = new QStackedWidget(content);
    m_weekView = new WeekTimelineView(m_model, m_pages);
    connect(m_weekView, &WeekTimelineView::editRequested, this, &TimelineView::editEntry);
    m_pages->addWidget(m_weekView);
    auto* dayPage = new QWidget(m_pages);
    dayPage->setObjectName(u"dayPage"_s);
    auto* dayLayout = new QVBoxLayout(dayPage);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    dayLayout->setSpacing(20);
    m_strip = new WeekStripView(m_model, dayPage);
    connect(m_strip, &WeekStripView::selectedDayChanged, this, &TimelineView::setSelectedDay);
    dayLayout->addWidget(m_strip);
    m_dayView = new DayTimelineView(m_model, dayPage);
    connect(m_dayView, &DayTimelineView::editRequested, this, &TimelineView::editEntry);
    dayLayout->addWidget(m_dayView, 1);
    m_pages->addWidget(dayPage);
    layout->addWidget(m_pages, 1);

    m_weekButton->setChecked(true);
}

// The title and the week's total, the mode switch, and the week's navigation.
QHBoxLayout* TimelineView::buildHeader(QWidget* content)
{
    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    m_titleLabel = Style::label(TextStyle::title, u"titleLabel"_s, content);
    header->addWidget(m_titleLabel);
    m_totalLabel = Style::label(TextStyle::body, u"weekTotalLabel"_s, content, Tone::secondary);
    header->addWidget(m_totalLabel);
    header->addStretch();

    auto* modes = new QHBoxLayout;
    modes->setSpacing(0);
    m_modes = new QButtonGroup(this);
    m_weekButton = new QToolButton(content);
    m_weekButton->setObjectName(u"weekModeButton"_s);
    m_dayButton = new QToolButton(content);
    m_dayButton->setObjectName(u"dayModeButton"_s);
    int index = 0;
    for (QToolButton* button : { m_weekButton, m_dayButton }) {
        button->setCheckable(true);
        button->setStyleSheet(Style::segmentStyleSheet(index, 2));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_modes->addButton(button, index++);
        modes->addWidget(button);
    }
    m_weekButton->setIcon(QIcon::fromTheme(u"view-calendar-week"_s));
    m_dayButton->setIcon(QIcon::fromTheme(u"view-calendar-day"_s));
    connect(m_modes, &QButtonGroup::idClicked, this, [this](int id) {
        setViewMode(id == 0 ? ViewMode::week : ViewMode::day);
    });
    header->addLayout(modes);
    header->addSpacing(8);

    m_previousButton = new QToolButton(content);
    m_previousButton->setObjectName(u"previousWeekButton"_s);
    m_previousButton->setAutoRaise(true);
    m_previousButton->setArrowType(Qt::LeftArrow);
    connect(m_previousButton, &QToolButton::clicked, this, &TimelineView::previousWeek);
    header->addWidget(m_previousButton);
    m_rangeLabel = new QLabel(content);
    m_rangeLabel->setObjectName(u"weekRangeLabel"_s);
    m_rangeLabel->setAlignment(Qt::AlignCenter);
    header->addWidget(m_rangeLabel);
    m_nextButton = new QToolButton(content);
    m_nextButton->setObjectName(u"nextWeekButton"_s);
    m_nextButton->setAutoRaise(true);
    m_nextButton->setArrowType(Qt::RightArrow);
    connect(m_nextButton, &QToolButton::clicked, this, &TimelineView::nextWeek);
    header->addWidget(m_nextButton);
    m_thisWeekButton = new QToolButton(content);
    m_thisWeekButton->setObjectName(u"thisWeekButton"_s);
    connect(m_thisWeekButton, &QToolButton::clicked, this, &TimelineView::showThisWeek);
    header->addWidget(m_thisWeekButton);
    return header;
}

void TimelineView::retranslate()
{
    setLocale(m_model.appLocale());
    m_titleLabel->setText(m_model.localized(Text::en("Timeline")));
    m_weekButton->setText(m_model.localized(Text::en("Week")));
    m_dayButton->setText(m_model.localized(Text::en("Day")));
    m_thisWeekButton->setText(m_model.localized(Text::en("This Week")));
    m_previousButton->setToolTip(m_model.localized(Text::en("Previous Week")));
    m_nextButton->setToolTip(m_model.localized(Text::en("Next Week")));
    m_previousButton->setAccessibleName(m_previousButton->toolTip());
    m_nextButton->setAccessibleName(m_nextButton->toolTip());
    refreshWeek();
}

void TimelineView::setViewMode(ViewMode mode)
{
    m_mode = mode;
    (mode == ViewMode::week ? m_weekButton : m_dayButton)->setChecked(true);
    m_pages->setCurrentIndex(mode == ViewMode::week ? 0 : 1);
    if (mode == ViewMode::day)
        setSelectedDay(m_selectedDay);
}

void TimelineView::setSelectedDay(Instant day)
{
    m_selectedDay = LocalCalendar::startOfDay(day);
    // A day outside the shown week brings its week along.
    const Instant monday = mondayOfWeek(m_selectedDay);
    if (m_mode == ViewMode::day && LocalCalendar::localDate(monday) != LocalCalendar::localDate(m_weekStart)) {
        m_weekStart = monday;
        refreshWeek();
        return;
    }
    m_strip->setSelectedDay(m_selectedDay);
    m_dayView->setDay(m_selectedDay);
}

void TimelineView::previousWeek()
{
    moveWeek(-7);
}

void TimelineView::nextWeek()
{
    moveWeek(7);
}

void TimelineView::moveWeek(int days)
{
    m_weekStart = LocalCalendar::startOfDay(LocalCalendar::addingDays(m_weekStart, days));
    m_selectedDay = m_weekStart;
    refreshWeek();
}

void TimelineView::showThisWeek()
{
    m_selectedDay = LocalCalendar::startOfDay(m_model.now());
    m_weekStart = mondayOfWeek(m_model.now());
    refreshWeek();
}

void TimelineView::refreshWeek()
{
    m_rangeLabel->setText(weekRangeLabel(m_weekStart, m_model.appLocale()));
    m_weekView->setWeekStart(m_weekStart);
    m_strip->setWeekStart(m_weekStart);
    m_strip->setSelectedDay(m_selectedDay);
    m_dayView->setDay(m_selectedDay);
    refreshTotal();
}

void TimelineView::refreshTotal()
{
    const InstantRange week { m_weekStart, LocalCalendar::lastSecondOfDay(LocalCalendar::addingDays(m_weekStart, 6)) };
    const Seconds total = BillingEngine::totalDuration(m_model.entries(), m_model.entryIndex(), week);
    m_totalLabel->setVisible(total > 0);
    m_totalLabel->setText(m_model.localized(Text::en("%@h"), { m_model.decimalString(total / 3600.0, 1, 1) }));
}

void TimelineView::editEntry(const TimeEntry& entry)
{
    if (m_entrySheet)
        m_entrySheet->close();
    m_entrySheet = TimeEntryEditor::openSheet(m_model, entry, this);
}

} // namespace tivren
