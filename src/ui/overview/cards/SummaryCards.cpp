// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/cards/SummaryCards.h"

#include "ui/style/Style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

SummaryCards::SummaryCards(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    m_hours = addFigure(u"hours"_s);
    m_amount = addFigure(u"amount"_s);
    m_projects = addFigure(u"projects"_s);
}

SummaryCards::Figure SummaryCards::addFigure(const QString& name)
{
    Figure figure;
    figure.card = new Style::Card(this, 0.08);
    figure.card->setObjectName(name + u"Card"_s);
    auto* column = new QVBoxLayout(figure.card);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(4);
    figure.title = Style::label(TextStyle::body, name + u"TitleLabel"_s, figure.card, Tone::secondary);
    column->addWidget(figure.title);
    figure.value = Style::label(TextStyle::title3, name + u"ValueLabel"_s, figure.card);
    figure.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(figure.value);
    static_cast<QHBoxLayout*>(layout())->addWidget(figure.card, 1);
    return figure;
}

void SummaryCards::setTitles(const QString& hours, const QString& amount, const QString& projects)
{
    m_hours.title->setText(hours);
    m_amount.title->setText(amount);
    m_projects.title->setText(projects);
}

void SummaryCards::setFigures(const QString& hours, const std::optional<QString>& amount, const QString& projects)
{
    m_hours.value->setText(hours);
    m_amount.card->setVisible(amount.has_value());
    if (amount)
        m_amount.value->setText(*amount);
    m_projects.value->setText(projects);
}

} // namespace tivren
