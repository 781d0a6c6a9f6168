#pragma once

#include "core/Instant.h"
#include "core/TimeEntry.h"

#include <QWidget>

namespace tivren {

class AppModel;

// One calendar day of tracked time on an hour axis.
class DayTimelineView : public QWidget
{
    Q_OBJECT

public:
    explicit DayTimelineView(AppModel& model, QWidget* parent = nullptr);
    ~DayTimelineView() override;

    [[nodiscard]] Instant day() const { return m_day; }
    // Shows another day; clears the selection.
    void setDay(Instant day);

Q_SIGNALS:
    // The user asked to edit an entry; the timeline screen opens the editor.
    void editRequested(const tivren::TimeEntry& entry);

private:
    AppModel& m_model;
    Instant m_day = 0;
};

} // namespace tivren
