// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/cards/TimerCardParts.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"
#include "ui/style/TickingLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren::TimerCardParts {

Columns columns(QWidget* card)
{
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(16, 14, 16, 14);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    row->addLayout(texts, 1);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    row->addLayout(buttons);
    return { texts, buttons };
}

QPushButton* button(const QString& objectName, const QString& iconName, Columns columns, QWidget* card)
{
    auto* button = new QPushButton(card);
    button->setObjectName(objectName);
    button->setIcon(QIcon::fromTheme(iconName));
    columns.buttons->insertWidget(columns.buttons->count() - 1, button);
    return button;
}

TickingLabel* clockLabel(const QString& objectName, Columns columns, Style::Card* card)
{
    auto* label = new TickingLabel(card);
    // Inside the card's margins, so never over its rounded ends.
    label->setBackdrop([card, label](QPainter& painter) {
        card->paintInterior(painter, label);
    });
    Style::styleLabel(label, TextStyle::body, objectName, Tone::secondary);
    label->setFont(Style::fixedWidthFont(TextStyle::body, label->font()));
    // Aligned, its item may be wider than the label itself, as the column's other items are.
    columns.texts->addWidget(label, 0, Qt::AlignLeft);
    return label;
}

QString phaseLabel(const AppModel& model, PomodoroPhase phase)
{
    switch (phase) {
    case PomodoroPhase::work:
        //: Noun: the Pomodoro work phase, as opposed to a break.
        return model.localized(Text::en("Work"));
    case PomodoroPhase::shortBreak:
        return model.localized(Text::en("Short Break"));
    case PomodoroPhase::longBreak:
        return model.localized(Text::en("Long Break"));
    }
    return {};
}

QColor phaseColor(PomodoroPhase phase)
{
    switch (phase) {
    case PomodoroPhase::work:
        return projectColor(u"orange"_s);
    case PomodoroPhase::shortBreak:
        return projectColor(u"green"_s);
    case PomodoroPhase::longBreak:
        break;
    }
    return projectColor(u"blue"_s);
}

} // namespace tivren::TimerCardParts
