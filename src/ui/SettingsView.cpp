#include "ui/SettingsView.h"

#include "app/AppModel.h"

using namespace Qt::StringLiterals;

namespace tivren {

SettingsView::SettingsView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(u"settingsView"_s);
}

SettingsView::~SettingsView() = default;

} // namespace tivren
