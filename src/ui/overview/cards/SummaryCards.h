// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <optional>

class QLabel;

namespace tivren {

namespace Style {
class Card;
}

// The overview's row of figures: hours, the amount due (only when a project bills) and the
// number of projects, each on a small card.
//
// Object names for tests: <name>Card, <name>TitleLabel and <name>ValueLabel for hours, amount
// and projects.
class SummaryCards : public QWidget
{
    Q_OBJECT

public:
    explicit SummaryCards(QWidget* parent = nullptr);

    void setTitles(const QString& hours, const QString& amount, const QString& projects);
    // Without an amount its card is hidden.
    void setFigures(const QString& hours, const std::optional<QString>& amount, const QString& projects);

private:
    struct Figure
    {
        Style::Card* card = nullptr;
        QLabel* title = nullptr;
        QLabel* value = nullptr;
    };
    Figure addFigure(const QString& name);

    Figure m_hours;
    Figure m_amount;
    Figure m_projects;
};

} // namespace tivren
