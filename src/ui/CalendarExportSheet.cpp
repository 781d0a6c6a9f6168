#include "ui/CalendarExportSheet.h"

#include "app/AppModel.h"

namespace tivren {

GoogleCalendarExportSheet::GoogleCalendarExportSheet(AppModel& model, GoogleCalendarExportDraft& draft, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_draft(draft)
{
}

GoogleCalendarExportSheet::~GoogleCalendarExportSheet() = default;

AppleCalendarExportSheet::AppleCalendarExportSheet(AppModel& model, AppleCalendarExportDraft& draft, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_draft(draft)
{
}

AppleCalendarExportSheet::~AppleCalendarExportSheet() = default;

} // namespace tivren
