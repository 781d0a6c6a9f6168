#pragma once

#include <QWidget>

namespace tivren {

class AppModel;

class TimelineView : public QWidget
{
    Q_OBJECT

public:
    explicit TimelineView(AppModel& model, QWidget* parent = nullptr);
    ~TimelineView() override;

private:
    AppModel& m_model;
};

} // namespace tivren
