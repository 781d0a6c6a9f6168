#include "ui/TimelineView.h"

#include "app/AppModel.h"

namespace tivren {

TimelineView::TimelineView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
}

TimelineView::~TimelineView() = default;

} // namespace tivren
