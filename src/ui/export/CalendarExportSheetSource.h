// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarExportDraft.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace tivren {

class AppModel;
class CalendarConnectionBase;

// The draft and the service a sheet works on, behind one face so the widgets are written once.
class CalendarExportSheetSource
{
public:
    struct Calendar
    {
        QString id;
        QString label;
    };
    using ModelSignal = void (CalendarConnectionBase::*)();

    virtual ~CalendarExportSheetSource() = default;

    [[nodiscard]] virtual QString title() const = 0; // a translation key
    [[nodiscard]] virtual QList<Calendar> calendars() const = 0;
    [[nodiscard]] virtual bool isBusy() const = 0;
    [[nodiscard]] virtual const CalendarConnectionBase& connection() const = 0;
    [[nodiscard]] virtual ModelSignal busyChanged() const = 0;
    [[nodiscard]] virtual ModelSignal calendarsChanged() const = 0;

    [[nodiscard]] virtual qsizetype selectionCount() const = 0;
    [[nodiscard]] virtual QString projectName(qsizetype index) const = 0;
    [[nodiscard]] virtual int entryCount(qsizetype index) const = 0;
    [[nodiscard]] virtual bool isSelected(qsizetype index) const = 0;
    [[nodiscard]] virtual std::optional<QString> calendarID(qsizetype index) const = 0;
    virtual void setSelected(qsizetype index, bool selected) = 0;
    virtual void setCalendarID(qsizetype index, const std::optional<QString>& calendarID) = 0;
    [[nodiscard]] virtual qsizetype readyCount() const = 0;
    [[nodiscard]] virtual bool hasAnySelectedProjectWithCalendar() const = 0;
};

[[nodiscard]] std::unique_ptr<CalendarExportSheetSource> googleExportSource(
    AppModel& model, GoogleCalendarExportDraft& draft);
[[nodiscard]] std::unique_ptr<CalendarExportSheetSource> appleExportSource(
    AppModel& model, AppleCalendarExportDraft& draft);

} // namespace tivren
