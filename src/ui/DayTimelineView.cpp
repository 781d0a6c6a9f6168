#include "ui/DayTimelineView.h"

#include "app/AppModel.h"

namespace tivren {

DayTimelineView::DayTimelineView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
}

DayTimelineView::~DayTimelineView() = default;

void DayTimelineView::setDay(Instant day)
{
    m_day = day;
}

} // namespace tivren
