#include "ui/WeekTimelineView.h"

#include "app/AppModel.h"

namespace tivren {

WeekTimelineView::WeekTimelineView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
}

WeekTimelineView::~WeekTimelineView() = default;

void WeekTimelineView::setWeekStart(Instant weekStart)
{
    m_weekStart = weekStart;
}

} // namespace tivren
