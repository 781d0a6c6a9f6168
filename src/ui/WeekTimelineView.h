#pragma once

#include "core/Instant.h"
#include "core/TimeEntry.h"

#include <QWidget>

namespace tivren {

class AppModel;

// A Monday-to-Sunday week of tracked time: seven day columns on one hour axis.
class WeekTimelineView : public QWidget
{
    Q_OBJECT

public:
    explicit WeekTimelineView(AppModel& model, QWidget* parent = nullptr);
    ~WeekTimelineView() override;

    [[nodiscard]] Instant weekStart() const { return m_weekStart; }
    // Shows another week (the start of its Monday); clears the selection.
    void setWeekStart(Instant weekStart);

Q_SIGNALS:
    // The user asked to edit an entry; the timeline screen opens the editor.
    void editRequested(const tivren::TimeEntry& entry);

private:
    AppModel& m_model;
    Instant m_weekStart = 0;
};

} // namespace tivren
