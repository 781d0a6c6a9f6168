#pragma once

#include <QWidget>

namespace tivren {

class AppModel;

class OverviewView : public QWidget
{
    Q_OBJECT

public:
    explicit OverviewView(AppModel& model, QWidget* parent = nullptr);
    ~OverviewView() override;

private:
    AppModel& m_model;
};

} // namespace tivren
