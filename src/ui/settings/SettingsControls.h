// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/AppSettings.h"

#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

class QCheckBox;
class QGridLayout;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace tivren {

class AppModel;

// The controls the settings cards are made of, each set up the one way the settings use it.
namespace SettingsControls {

// A settings card: a frame with its heading (title and description) above its controls.
struct Card
{
    QWidget* frame = nullptr;
    QLabel* title = nullptr;
    QLabel* description = nullptr;
};

// A card named `name`, its labels <name>TitleLabel and <name>DescriptionLabel; the controls go into
// its column below them (addGroup).
[[nodiscard]] Card card(const QString& name, QWidget* parent);

// A labelled number in the next row of a two-column grid: the label <name>Label, the spin box
// <name>SpinBox, between minimum and maximum.
struct Stepper
{
    QLabel* label = nullptr;
    QSpinBox* spinBox = nullptr;
};
[[nodiscard]] Stepper stepper(QWidget* parent, QGridLayout* grid, const QString& name, int minimum, int maximum);

// Small print under a heading or a control, wrapped to the card.
[[nodiscard]] QLabel* captionLabel(const QString& objectName, QWidget* parent);
// A picker no wider than maximumWidth, whatever the length of its entries.
[[nodiscard]] QComboBox* picker(const QString& objectName, int maximumWidth, QWidget* parent);
[[nodiscard]] QCheckBox* toggle(const QString& objectName, QWidget* parent);
[[nodiscard]] QPushButton* button(const QString& objectName, QWidget* parent);
// Shows unit with the spin box's number the way the app language joins them.
void setUnit(QSpinBox* box, const AppModel& model, const QString& unit);
// Adds the widgets to the card's column as one group, closer together than the rest.
void addGroup(QWidget* card, std::initializer_list<QWidget*> widgets);
// Gives a button room for its text.
void fitText(QPushButton* button);
// A plain settings write: applies change to a copy of the settings and, when that changed
// anything, hands them to the model and saves.
void changeSettings(AppModel& model, const std::function<void(AppSettings&)>& change);
// Show a value without writing it back through the control's signal.
void setChecked(QCheckBox* box, bool checked);
void setValue(QSpinBox* box, int value);
// Shows the (id, name) choices with selectedID current (none when absent), without signals;
// rebuilt only when the list changed.
void showChoices(
    QComboBox* box, const QList<std::pair<QString, QString>>& choices, const std::optional<QString>& selectedID);
[[nodiscard]] QString languageLabel(const AppModel& model, AppLanguagePreference preference);

} // namespace SettingsControls
} // namespace tivren
