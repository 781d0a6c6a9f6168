// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QHBoxLayout;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tivren {

class AppModel;

// The form that creates a project (blank, as the content of the "New Project" window) or edits
// one (filled, as a sheet of the projects screen). Edits stay in the form until the user
// confirms; only then does the model change: a new project is appended, an existing one goes
// through AppModel::updateProject(). The form never closes itself: saved() and cancelled() tell
// the window or sheet around it to go away.
//
// Return confirms while the confirm button is enabled, Escape cancels. Texts follow the model's
// language and change with it.
class ProjectEditor : public QWidget
{
    Q_OBJECT

public:
    // Without a project the form creates one.
    explicit ProjectEditor(AppModel& model, std::optional<Project> project = std::nullopt, QWidget* parent = nullptr);
    ~ProjectEditor() override;

    [[nodiscard]] const std::optional<Project>& project() const { return m_project; }
    // Whether the confirm button may be pressed: a name, a rate that is empty or a number, and a
    // positive whole number of custom minutes when the increment is custom.
    [[nodiscard]] bool isValid() const;
    // 15, 30 or 60 for the presets; the typed custom minutes, or 0 when they are not a number.
    [[nodiscard]] int resolvedBillingIncrementMinutes() const;

public Q_SLOTS:
    // Writes the form into the model and emits saved(); does nothing while the form is invalid.
    void save();
    void cancel();
    // Blanks the form and puts the cursor in the name field once control returns to the event
    // loop. Happens by itself whenever a form without a project is shown again.
    void reset();

Q_SIGNALS:
    void saved();
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildForm();
    // The billing heading, increment and rounding rows of the form.
    void addBillingRows();
    QHBoxLayout* buildButtons();
    void load();
    void retranslate();
    void updateState();
    // The rate field as a number in the app's locale; nothing when it is empty or not a number.
    [[nodiscard]] std::optional<double> typedRate() const;

    AppModel& m_model;
    std::optional<Project> m_project;

    QFormLayout* m_form = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_rateEdit = nullptr;
    QLabel* m_rateError = nullptr;
    QLabel* m_colorLabel = nullptr;
    QComboBox* m_colorCombo = nullptr;
    QLabel* m_billingLabel = nullptr;
    QLabel* m_incrementLabel = nullptr;
    QComboBox* m_incrementCombo = nullptr;
    QLineEdit* m_customMinutesEdit = nullptr;
    QLabel* m_roundingLabel = nullptr;
    QComboBox* m_roundingCombo = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_saveButton = nullptr;
};

} // namespace tivren
