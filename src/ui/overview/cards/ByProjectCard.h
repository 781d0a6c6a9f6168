#pragma once

#include "core/billing/ProjectBillingSummary.h"
#include "ui/style/Style.h"

class QLabel;
class QVBoxLayout;

namespace tivren {

class AppModel;

// The overview's narrow column of the range's projects: colour, name, billed hours and amount (or
// the hours alone for a project without a rate), one row each.
//
// Object names for tests: byProjectCard, byProjectTitleLabel, byProjectEmptyState, and per row
// byProjectRow with nameLabel, hoursLabel and amountLabel.
class ByProjectCard : public Style::Card
{
    Q_OBJECT

public:
    ByProjectCard(AppModel& model, QWidget* parent);

    void retranslate();
    void setSummaries(const QList<ProjectBillingSummary>& summaries);

    static constexpr int width = 260;

private:
    QWidget* row(const ProjectBillingSummary& summary);

    AppModel& m_model;
    QLabel* m_title = nullptr;
    Style::EmptyState* m_empty = nullptr;
    QVBoxLayout* m_rows = nullptr;
};

} // namespace tivren
