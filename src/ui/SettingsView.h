#pragma once

#include <QWidget>

namespace tivren {

class AppModel;

// The "Settings" section of the main window.
class SettingsView : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsView(AppModel& model, QWidget* parent = nullptr);
    ~SettingsView() override;

private:
    AppModel& m_model;
};

} // namespace tivren
