// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/CalendarExportSheetSource.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

template <typename Service> class DraftSource : public CalendarExportSheetSource
{
public:
    DraftSource(AppModel& model, CalendarExportDraft<Service>& draft)
        : m_model(model)
        , m_draft(draft)
    {
    }

    qsizetype selectionCount() const override { return m_draft.projectSelections.size(); }
    QString projectName(qsizetype index) const override { return selection(index).projectName; }
    int entryCount(qsizetype index) const override { return selection(index).entryCount; }
    bool isSelected(qsizetype index) const override { return selection(index).isSelected; }
    std::optional<QString> calendarID(qsizetype index) const override { return selection(index).calendarID; }
    void setSelected(qsizetype index, bool selected) override
    {
        if (index < m_draft.projectSelections.size())
            m_draft.projectSelections[index].isSelected = selected;
    }
    void setCalendarID(qsizetype index, const std::optional<QString>& calendarID) override
    {
        if (index < m_draft.projectSelections.size())
            m_draft.projectSelections[index].calendarID = calendarID;
    }
    qsizetype readyCount() const override { return m_draft.selectedProjectCalendarAssignments().size(); }
    bool hasAnySelectedProjectWithCalendar() const override { return m_draft.hasAnySelectedProjectWithCalendar(); }

protected:
    AppModel& m_model;

private:
    const CalendarProjectExportSelection<Service>& selection(qsizetype index) const
    {
        return m_draft.projectSelections.at(index);
    }

    CalendarExportDraft<Service>& m_draft;
};

class GoogleSource final : public DraftSource<GoogleCalendarService_Tag>
{
public:
    using DraftSource::DraftSource;

    QString title() const override { return Text::en("Export Google Calendar"); }
    QList<Calendar> calendars() const override
    {
        QList<Calendar> result;
        for (const GoogleCalendarListItem& item : m_model.googleCalendar().calendars())
            result.append({ item.id, item.name });
        return result;
    }
    bool isBusy() const override { return m_model.googleCalendar().isBusy(); }
    const CalendarConnectionBase& connection() const override { return m_model.googleCalendar(); }
    ModelSignal busyChanged() const override { return &CalendarConnectionBase::busyChanged; }
    ModelSignal calendarsChanged() const override { return &CalendarConnectionBase::calendarsChanged; }
};

class AppleSource final : public DraftSource<AppleCalendarService_Tag>
{
public:
    using DraftSource::DraftSource;

    QString title() const override { return Text::en("Export Apple Calendar"); }
    QList<Calendar> calendars() const override
    {
        QList<Calendar> result;
        for (const AppleCalendarListItem& item : m_model.desktopCalendar().calendars())
            result.append({ item.id, item.displayName() });
        return result;
    }
    bool isBusy() const override { return m_model.desktopCalendar().isBusy(); }
    const CalendarConnectionBase& connection() const override { return m_model.desktopCalendar(); }
    ModelSignal busyChanged() const override { return &CalendarConnectionBase::busyChanged; }
    ModelSignal calendarsChanged() const override { return &CalendarConnectionBase::calendarsChanged; }
};

} // namespace

std::unique_ptr<CalendarExportSheetSource> googleExportSource(AppModel& model, GoogleCalendarExportDraft& draft)
{
    return std::make_unique<GoogleSource>(model, draft);
}

std::unique_ptr<CalendarExportSheetSource> appleExportSource(AppModel& model, AppleCalendarExportDraft& draft)
{
    return std::make_unique<AppleSource>(model, draft);
}

} // namespace tivren
