#include "ui/OverviewView.h"

#include "app/AppModel.h"

namespace tivren {

OverviewView::OverviewView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
}

OverviewView::~OverviewView() = default;

} // namespace tivren
