// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QWidget>

class QDateTimeEdit;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tivren {

class AppModel;

// The form in which the user corrects one recorded entry: its start, end and notes. It keeps its
// own copy of the three values; nothing reaches the model before Save. The project is shown,
// not edited. The caller presents it (a sheet or a dialog) and closes it on saved() or
// cancelled(); Return saves when Save is enabled, Escape cancels.
//
// The pickers show minutes. A value the user never touches is handed back exactly as it came, so
// changing only the notes keeps the stored seconds; a value the user edits becomes the shown
// minute, whole seconds, never a fraction the data file could not keep.
class TimeEntryEditor : public QWidget
{
    Q_OBJECT

public:
    TimeEntryEditor(AppModel& model, const TimeEntry& entry, QWidget* parent = nullptr);
    ~TimeEntryEditor() override;

    [[nodiscard]] const TimeEntry& entry() const { return m_entry; }
    [[nodiscard]] Instant startDate() const { return m_startDate; }
    [[nodiscard]] Instant endDate() const { return m_endDate; }
    [[nodiscard]] const QString& notes() const { return m_notes; }
    [[nodiscard]] bool canSave() const { return m_endDate > m_startDate; }

    // The editor as a window-modal sheet over parent's window, closed by Save or Cancel and
    // deleted on close.
    static QDialog* openSheet(AppModel& model, const TimeEntry& entry, QWidget* parent);

public Q_SLOTS:
    // Hands the edit to the model and reports saved(), whatever the model made of it (it keeps
    // its own check and message). Does nothing while Save is disabled.
    void save();
    void cancel();

Q_SIGNALS:
    void saved();
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void retranslate();
    void showProject();
    void showValidity();
    void showInstant(QDateTimeEdit* editor, Instant instant);

    AppModel& m_model;
    const TimeEntry m_entry;
    Instant m_startDate = 0;
    Instant m_endDate = 0;
    QString m_notes;

    QLabel* m_titleLabel = nullptr;
    QLabel* m_projectLabel = nullptr;
    QLabel* m_startLabel = nullptr;
    QLabel* m_endLabel = nullptr;
    QLabel* m_notesLabel = nullptr;
    QDateTimeEdit* m_startEdit = nullptr;
    QDateTimeEdit* m_endEdit = nullptr;
    QLineEdit* m_notesEdit = nullptr;
    QLabel* m_validationLabel = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_saveButton = nullptr;
};

} // namespace tivren
