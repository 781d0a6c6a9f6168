// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/billing/ProjectBillingSummary.h"
#include "ui/style/Style.h"

class QLabel;
class QVBoxLayout;

namespace tivren {

class AppModel;

// The overview's narrow column of the range's projects: colour, name, billed hours and amount (or
// the hours alone for a project without a rate), one row each. It is as wide as its rows need, up
// to a share of the room beside the entries; past that the names are elided, never the figures.
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

    // The width with short rows, and the least it ever has.
    static constexpr int baseWidth = 260;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* row(const ProjectBillingSummary& summary);
    void fitWidth();

    AppModel& m_model;
    QLabel* m_title = nullptr;
    Style::EmptyState* m_empty = nullptr;
    QVBoxLayout* m_rows = nullptr;
};

} // namespace tivren
