// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editors/TimeEntryEditor.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/style/Style.h"

#include <QDateTime>
#include <QDateTimeEdit>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// The picker's value in local time. Milliseconds keep a fractional instant visible as it is;
// the picker shows minutes anyway.
QDateTime localDateTime(Instant instant)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(instant * 1000.0)));
}

Instant floorToMinute(Instant instant)
{
    return std::floor(instant / 60.0) * 60.0;
}

// What a picker's value means for the entry. The picker re-reads its text on Return and on
// leaving the field, which drops the seconds it does not show; so a value still on the stored
// minute is the stored instant, to the second, and any other is the shown minute. Flooring the
// epoch count floors local time too, as every zone in use is a whole number of minutes off UTC;
// building a local time from fields instead would be ambiguous in the autumn's repeated hour.
Instant editedInstant(const QDateTime& shown, Instant stored)
{
    const Instant minute = floorToMinute(Instant(shown.toSecsSinceEpoch()));
    return minute == floorToMinute(stored) ? stored : minute;
}

// The locale's short date with the full year (two-digit years are ambiguous in an editor) and
// its short time, which shows hours and minutes.
QString pickerFormat(const QLocale& locale)
{
    QString date = locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(u"yyyy"_s))
        date.replace(u"yy"_s, u"yyyy"_s);
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    return date + u' ' + time;
}

QDateTimeEdit* makePicker(const QString& name, QWidget* parent)
{
    auto* picker = new QDateTimeEdit(parent);
    picker->setObjectName(name);
    picker->setTimeSpec(Qt::LocalTime);
    picker->setCalendarPopup(true);
    return picker;
}

QLabel* makeFieldLabel(const QString& name, QWidget* field, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setBuddy(field);
    return label;
}

} // namespace

QDialog* TimeEntryEditor::openSheet(AppModel& model, const TimeEntry& entry, QWidget* parent)
{
    auto* sheet = new QDialog(parent);
    sheet->setObjectName(u"entryEditorDialog"_s);
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    auto* editor = new TimeEntryEditor(model, entry, sheet);
    (new QVBoxLayout(sheet))->addWidget(editor);
    connect(editor, &TimeEntryEditor::saved, sheet, &QDialog::accept);
    connect(editor, &TimeEntryEditor::cancelled, sheet, &QDialog::reject);
    sheet->open();
    return sheet;
}

TimeEntryEditor::TimeEntryEditor(AppModel& model, const TimeEntry& entry, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_entry(entry)
    , m_startDate(entry.startDate)
    , m_endDate(entry.endDate)
    , m_notes(entry.notes)
{
    build();
    connect(&m_model, &AppModel::settingsChanged, this, &TimeEntryEditor::retranslate);
    // A rename in another window shows up here too; the entry itself stays as it was opened.
    connect(&m_model, &AppModel::projectsChanged, this, &TimeEntryEditor::showProject);
    retranslate();
    showProject();
    showValidity();
}

TimeEntryEditor::~TimeEntryEditor() = default;

void TimeEntryEditor::build()
{
    setObjectName(u"timeEntryEditor"_s);
    setMinimumWidth(420);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);

    m_titleLabel = Style::label(TextStyle::title, u"titleLabel"_s, this);
    layout->addWidget(m_titleLabel);

    m_projectLabel = Style::label(TextStyle::body, u"projectLabel"_s, this, Tone::secondary);
    m_projectLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(m_projectLabel);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_startEdit = makePicker(u"startDateTimeEdit"_s, this);
    m_endEdit = makePicker(u"endDateTimeEdit"_s, this);
    m_notesEdit = new QLineEdit(m_entry.notes, this);
    m_notesEdit->setObjectName(u"notesLineEdit"_s);
    m_startLabel = makeFieldLabel(u"startLabel"_s, m_startEdit, this);
    m_endLabel = makeFieldLabel(u"endLabel"_s, m_endEdit, this);
    m_notesLabel = makeFieldLabel(u"notesLabel"_s, m_notesEdit, this);
    form->addRow(m_startLabel, m_startEdit);
    form->addRow(m_endLabel, m_endEdit);
    form->addRow(m_notesLabel, m_notesEdit);
    layout->addLayout(form);

    m_validationLabel = new QLabel(this);
    m_validationLabel->setObjectName(u"validationLabel"_s);
    m_validationLabel->setWordWrap(true);
    layout->addWidget(m_validationLabel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(u"cancelButton"_s);
    m_cancelButton->setAutoDefault(false);
    m_saveButton = new QPushButton(this);
    m_saveButton->setObjectName(u"saveButton"_s);
    // Drawn as the default button; Return reaches save() through keyPressEvent(), as a plain
    // widget has no dialog to route it.
    m_saveButton->setDefault(true);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_saveButton);
    layout->addLayout(buttons);

    showInstant(m_startEdit, m_startDate);
    showInstant(m_endEdit, m_endDate);
    connect(m_startEdit, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        m_startDate = editedInstant(value, m_entry.startDate);
        showValidity();
    });
    connect(m_endEdit, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        m_endDate = editedInstant(value, m_entry.endDate);
        showValidity();
    });
    // Stored as typed: notes are not trimmed.
    connect(m_notesEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_notes = text;
    });
    connect(m_saveButton, &QPushButton::clicked, this, &TimeEntryEditor::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &TimeEntryEditor::cancel);

    setFocusProxy(m_startEdit);
}

void TimeEntryEditor::retranslate()
{
    const QLocale locale = m_model.appLocale();
    setLocale(locale);
    setWindowTitle(m_model.localized(Text::en("Edit Entry")));
    m_titleLabel->setText(m_model.localized(Text::en("Edit Entry")));
    //: Noun, a field label: when the time entry began.
    m_startLabel->setText(m_model.localized(Text::en("Start")));
    m_endLabel->setText(m_model.localized(Text::en("End")));
    m_notesLabel->setText(m_model.localized(Text::en("Notes")));
    m_notesEdit->setPlaceholderText(m_model.localized(Text::en("Optional")));
    m_validationLabel->setText(m_model.localized(Text::en("The end time must be later than the start time.")));
    m_cancelButton->setText(m_model.localized(Text::en("Cancel")));
    m_saveButton->setText(m_model.localized(Text::en("Save")));
    for (QDateTimeEdit* picker : { m_startEdit, m_endEdit }) {
        // A new format re-reads the picker's text; the edited values must not move with it.
        const QSignalBlocker blocker(picker);
        picker->setDisplayFormat(pickerFormat(locale));
    }
    showInstant(m_startEdit, m_startDate);
    showInstant(m_endEdit, m_endDate);
}

void TimeEntryEditor::showProject()
{
    const std::optional<Project> project = m_model.project(m_entry.projectID);
    m_projectLabel->setText(project ? project->name : QString());
    m_projectLabel->setVisible(project.has_value());
}

void TimeEntryEditor::showValidity()
{
    m_saveButton->setEnabled(canSave());
    m_validationLabel->setVisible(!canSave());
}

void TimeEntryEditor::showInstant(QDateTimeEdit* editor, Instant instant)
{
    const QSignalBlocker blocker(editor);
    editor->setDateTime(localDateTime(instant));
}

void TimeEntryEditor::save()
{
    if (!canSave())
        return;
    m_model.updateEntry(m_entry, m_startDate, m_endDate, m_notes);
    Q_EMIT saved();
}

void TimeEntryEditor::cancel()
{
    Q_EMIT cancelled();
}

void TimeEntryEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        save();
        return;
    case Qt::Key_Escape:
        cancel();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace tivren
