// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/SettingsControls.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/style/Style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren::SettingsControls {

QLabel* captionLabel(const QString& objectName, QWidget* parent)
{
    QLabel* label = Style::label(TextStyle::caption, objectName, parent, Tone::secondary);
    label->setWordWrap(true);
    return label;
}

Card card(const QString& name, QWidget* parent)
{
    Card card;
    card.frame = new Style::Card(parent);
    card.frame->setObjectName(name);
    auto* layout = new QVBoxLayout(card.frame);
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setSpacing(12);
    // Title and description sit closer together than the controls below them.
    auto* heading = new QVBoxLayout;
    heading->setSpacing(4);
    card.title = Style::label(TextStyle::headline, name + u"TitleLabel"_s, card.frame);
    heading->addWidget(card.title);
    card.description = captionLabel(name + u"DescriptionLabel"_s, card.frame);
    heading->addWidget(card.description);
    layout->addLayout(heading);
    return card;
}

Stepper stepper(QWidget* parent, QGridLayout* grid, const QString& name, int minimum, int maximum)
{
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    // Keeps the two columns at the leading edge instead of spread over the card.
    grid->setColumnStretch(2, 1);
    Stepper result;
    const int row = grid->rowCount();
    result.label = new QLabel(parent);
    result.label->setObjectName(name + u"Label"_s);
    result.spinBox = new QSpinBox(parent);
    result.spinBox->setObjectName(name + u"SpinBox"_s);
    result.spinBox->setRange(minimum, maximum);
    // A typed number is taken when it is complete (Enter or leaving the field), not digit by digit.
    result.spinBox->setKeyboardTracking(false);
    result.spinBox->setAlignment(Qt::AlignRight);
    result.label->setBuddy(result.spinBox);
    grid->addWidget(result.label, row, 0);
    grid->addWidget(result.spinBox, row, 1);
    return result;
}

QComboBox* picker(const QString& objectName, int maximumWidth, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setMaximumWidth(maximumWidth);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Long entries ("XAF – Central African CFA Franc") must not widen the card; the popup still
    // shows them whole.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(16);
    return box;
}

QCheckBox* toggle(const QString& objectName, QWidget* parent)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(objectName);
    return box;
}

QPushButton* button(const QString& objectName, QWidget* parent)
{
    auto* pushButton = new QPushButton(parent);
    pushButton->setObjectName(objectName);
    pushButton->setAutoDefault(false);
    return pushButton;
}

void changeSettings(AppModel& model, const std::function<void(AppSettings&)>& change)
{
    AppSettings settings = model.settings();
    change(settings);
    if (settings == model.settings())
        return;
    model.setSettings(settings);
    model.persist();
}

// Value and unit are one text ("%d %@") so that a translation decides how they join; the spin
// box shows whatever stands around the number as its prefix and suffix.
void setUnit(QSpinBox* box, const AppModel& model, const QString& unit)
{
    constexpr int marker = 918273645;
    const QString text = model.localized(Text::en("%d %@"), { marker, unit });
    const QString number = QString::number(marker);
    const qsizetype at = text.indexOf(number);
    if (at < 0) {
        box->setPrefix(QString());
        box->setSuffix(u' ' + unit);
        return;
    }
    box->setPrefix(text.left(at));
    box->setSuffix(text.mid(at + number.size()));
}

// Controls that belong together (a picker and its caption, a run of switches), set closer to each
// other than to the rest of the card.
void addGroup(QWidget* card, std::initializer_list<QWidget*> widgets)
{
    auto* group = new QVBoxLayout;
    group->setSpacing(6);
    for (QWidget* widget : widgets)
        group->addWidget(widget);
    static_cast<QVBoxLayout*>(card->layout())->addLayout(group);
}

// Room beside the text as well as around it: the style's own margin is tight for long labels.
void fitText(QPushButton* button)
{
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
}

void setChecked(QCheckBox* box, bool checked)
{
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

void setValue(QSpinBox* box, int value)
{
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

void showChoices(
    QComboBox* box, const QList<std::pair<QString, QString>>& choices, const std::optional<QString>& selectedID)
{
    const QSignalBlocker blocker(box);
    // Rebuilt only when the list itself changed: the user's own choice lands here too, from
    // inside the picker's signal.
    bool same = box->count() == choices.size();
    for (int i = 0; same && i < box->count(); ++i)
        same = box->itemData(i).toString() == choices[i].first && box->itemText(i) == choices[i].second;
    if (!same) {
        box->clear();
        for (const auto& [id, name] : choices)
            box->addItem(name, id);
    }
    int index = -1;
    for (int i = 0; selectedID && i < box->count(); ++i) {
        if (box->itemData(i).toString() == *selectedID) {
            index = i;
            break;
        }
    }
    box->setCurrentIndex(index);
}

QString languageLabel(const AppModel& model, AppLanguagePreference preference)
{
    switch (preference) {
    case AppLanguagePreference::system:
        return model.localized(Text::en("System Default"));
    case AppLanguagePreference::english:
        return model.localized(Text::en("English"));
    case AppLanguagePreference::dutch:
        return model.localized(Text::en("Dutch"));
    case AppLanguagePreference::german:
        return model.localized(Text::en("German"));
    case AppLanguagePreference::french:
        return model.localized(Text::en("French"));
    case AppLanguagePreference::spanish:
        return model.localized(Text::en("Spanish"));
    }
    return {};
}

} // namespace tivren::SettingsControls
