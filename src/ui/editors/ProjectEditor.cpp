// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editors/ProjectEditor.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/billing/RateText.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

// The increment presets, in the picker's order; 0 stands for the typed custom minutes.
constexpr int customIncrement = 0;
constexpr int incrementPresets[] = { 15, 30, 60, customIncrement };

// Custom minutes as typed: a base-10 whole number, optionally signed; "0" and negatives parse
// here and are refused by the callers.
std::optional<int> parseMinutes(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString incrementLabel(int minutes)
{
    switch (minutes) {
    case 15:
        return Text::en("Quarter hour");
    case 30:
        return Text::en("Half hour");
    case 60:
        //: Billing increment: time is billed in whole hours.
        return Text::en("Hour");
    default:
        return Text::en("Custom");
    }
}

QString roundingLabel(BillingRoundingStrategy strategy)
{
    switch (strategy) {
    case BillingRoundingStrategy::roundUpPerEntry:
        return Text::en("Round up each entry");
    case BillingRoundingStrategy::roundNearestPerEntry:
        return Text::en("Round nearest each entry");
    case BillingRoundingStrategy::roundProjectTotal:
        return Text::en("Round project total");
    }
    return {};
}

// The names of projectColorNames() as shown, each written out so that lupdate finds it.
QString colorLabel(const QString& colorName)
{
    const std::pair<QStringView, QString> labels[] = { { u"blue", Text::en("Blue") },
        { u"red", Text::en("Red") },
        { u"orange", Text::en("Orange") },
        { u"green", Text::en("Green") },
        { u"mint", Text::en("Mint") },
        { u"teal", Text::en("Teal") },
        { u"indigo", Text::en("Indigo") },
        { u"pink", Text::en("Pink") } };
    for (const auto& [name, label] : labels) {
        if (name == colorName)
            return label;
    }
    return colorName;
}

void selectData(QComboBox* combo, const QVariant& data)
{
    const int index = combo->findData(data);
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

ProjectEditor::ProjectEditor(AppModel& model, std::optional<Project> project, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_project(std::move(project))
{
    setObjectName(u"projectEditor"_s);
    buildForm();
    load();
    retranslate();
    updateState();
    connect(&m_model, &AppModel::settingsChanged, this, &ProjectEditor::retranslate);
    // Another language can change what the rate field accepts.
    connect(&m_model, &AppModel::settingsChanged, this, &ProjectEditor::updateState);
}

ProjectEditor::~ProjectEditor() = default;

void ProjectEditor::buildForm()
{
    setMinimumWidth(360);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);

    m_titleLabel = Style::label(TextStyle::title, u"titleLabel"_s, this);
    layout->addWidget(m_titleLabel);

    // One form for both sections, so the picker labels line up in one column.
    m_form = new QFormLayout;
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    m_form->setVerticalSpacing(10);
    layout->addLayout(m_form);

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(u"nameLineEdit"_s);
    m_nameEdit->setClearButtonEnabled(true);
    m_form->addRow(m_nameEdit);

    m_rateEdit = new QLineEdit(this);
    m_rateEdit->setObjectName(u"rateLineEdit"_s);
    m_rateEdit->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    m_form->addRow(m_rateEdit);
    m_rateError = Style::label(TextStyle::caption, u"rateErrorLabel"_s, this);
    m_rateError->setWordWrap(true);
    QPalette red = m_rateError->palette();
    red.setColor(QPalette::WindowText, Style::destructiveColor());
    m_rateError->setPalette(red);
    m_form->addRow(m_rateError);

    m_colorLabel = new QLabel(this);
    m_colorCombo = new QComboBox(this);
    m_colorCombo->setObjectName(u"colorComboBox"_s);
    const qreal dpr = devicePixelRatioF();
    for (const QString& name : projectColorNames())
        m_colorCombo->addItem(swatchIcon(projectColor(name), dpr), QString(), name);
    m_colorLabel->setBuddy(m_colorCombo);
    m_form->addRow(m_colorLabel, m_colorCombo);

    addBillingRows();
    layout->addStretch();
    layout->addLayout(buildButtons());

    connect(m_cancelButton, &QPushButton::clicked, this, &ProjectEditor::cancel);
    connect(m_saveButton, &QPushButton::clicked, this, &ProjectEditor::save);
    for (QLineEdit* edit : { m_nameEdit, m_rateEdit, m_customMinutesEdit })
        connect(edit, &QLineEdit::textChanged, this, &ProjectEditor::updateState);
    connect(m_incrementCombo, &QComboBox::currentIndexChanged, this, &ProjectEditor::updateState);
}

void ProjectEditor::addBillingRows()
{
    m_billingLabel = Style::label(TextStyle::headline, u"billingLabel"_s, this);
    // Sets the billing fields apart from the ones above without a frame.
    m_billingLabel->setContentsMargins(0, 8, 0, 0);
    m_form->addRow(m_billingLabel);

    m_incrementLabel = new QLabel(this);
    m_incrementCombo = new QComboBox(this);
    m_incrementCombo->setObjectName(u"incrementComboBox"_s);
    for (int minutes : incrementPresets)
        m_incrementCombo->addItem(QString(), minutes);
    m_incrementLabel->setBuddy(m_incrementCombo);
    m_form->addRow(m_incrementLabel, m_incrementCombo);

    m_customMinutesEdit = new QLineEdit(this);
    m_customMinutesEdit->setObjectName(u"customMinutesLineEdit"_s);
    m_customMinutesEdit->setInputMethodHints(Qt::ImhDigitsOnly);
    m_form->addRow(QString(), m_customMinutesEdit);

    m_roundingLabel = new QLabel(this);
    m_roundingCombo = new QComboBox(this);
    m_roundingCombo->setObjectName(u"roundingComboBox"_s);
    for (BillingRoundingStrategy strategy : allBillingRoundingStrategies())
        m_roundingCombo->addItem(QString(), QVariant::fromValue(int(strategy)));
    m_roundingLabel->setBuddy(m_roundingCombo);
    m_form->addRow(m_roundingLabel, m_roundingCombo);
}

QHBoxLayout* ProjectEditor::buildButtons()
{

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(u"cancelButton"_s);
    // Return on a focused button presses that button rather than confirming the form.
    m_cancelButton->setAutoDefault(true);
    buttons->addWidget(m_cancelButton);
    m_saveButton = new QPushButton(this);
    m_saveButton->setObjectName(u"saveButton"_s);
    m_saveButton->setAutoDefault(true);
    m_saveButton->setDefault(true);
    buttons->addWidget(m_saveButton);
    return buttons;
}

void ProjectEditor::load()
{
    m_nameEdit->setText(m_project ? m_project->name : QString());
    m_rateEdit->setText(
        m_project && m_project->hourlyRate ? QString::asprintf("%.2f", *m_project->hourlyRate) : QString());
    const int minutes = m_project ? m_project->billingIncrementMinutes : 15;
    const int preset = m_incrementCombo->findData(minutes);
    m_incrementCombo->setCurrentIndex(preset >= 0 ? preset : m_incrementCombo->findData(customIncrement));
    m_customMinutesEdit->setText(preset >= 0 ? QString() : QString::number(minutes));
    selectData(m_roundingCombo,
        int(m_project ? m_project->billingRoundingStrategy : BillingRoundingStrategy::roundUpPerEntry));
    selectData(m_colorCombo, m_project ? m_project->colorName : u"blue"_s);
}

void ProjectEditor::retranslate()
{
    const QString title = m_model.localized(m_project ? Text::en("Edit Project") : Text::en("New Project"));
    m_titleLabel->setText(title);
    setWindowTitle(title);

    const QString namePlaceholder = m_model.localized(Text::en("Project name"));
    m_nameEdit->setPlaceholderText(namePlaceholder);
    m_nameEdit->setAccessibleName(namePlaceholder);
    const QString ratePlaceholder = m_model.localized(Text::en("Project hourly rate (optional)"));
    m_rateEdit->setPlaceholderText(ratePlaceholder);
    m_rateEdit->setAccessibleName(ratePlaceholder);
    m_rateError->setText(
        m_model.localized(Text::en("The rate must be a number, such as %@."), { m_model.decimalString(85.5, 2, 2) }));
    const QString customPlaceholder = m_model.localized(Text::en("Custom billing increment in minutes"));
    m_customMinutesEdit->setPlaceholderText(customPlaceholder);
    m_customMinutesEdit->setAccessibleName(customPlaceholder);

    m_colorLabel->setText(m_model.localized(Text::en("Color")));
    for (int i = 0; i < m_colorCombo->count(); ++i)
        m_colorCombo->setItemText(i, m_model.localized(colorLabel(m_colorCombo->itemData(i).toString())));
    m_billingLabel->setText(m_model.localized(Text::en("Billing")));
    m_incrementLabel->setText(m_model.localized(Text::en("Increment")));
    for (int i = 0; i < m_incrementCombo->count(); ++i)
        m_incrementCombo->setItemText(i, m_model.localized(incrementLabel(m_incrementCombo->itemData(i).toInt())));
    m_roundingLabel->setText(m_model.localized(Text::en("Rounding")));
    for (int i = 0; i < m_roundingCombo->count(); ++i) {
        const auto strategy = BillingRoundingStrategy(m_roundingCombo->itemData(i).toInt());
        m_roundingCombo->setItemText(i, m_model.localized(roundingLabel(strategy)));
    }

    m_cancelButton->setText(m_model.localized(Text::en("Cancel")));
    m_saveButton->setText(m_model.localized(m_project ? Text::en("Save") : Text::en("Create")));
}

void ProjectEditor::updateState()
{
    const bool custom = m_incrementCombo->currentData().toInt() == customIncrement;
    m_form->setRowVisible(m_customMinutesEdit, custom);
    m_form->setRowVisible(m_rateError, !m_rateEdit->text().trimmed().isEmpty() && !typedRate());
    m_saveButton->setEnabled(isValid());
}

bool ProjectEditor::isValid() const
{
    if (m_nameEdit->text().trimmed().isEmpty())
        return false;
    const QString rate = m_rateEdit->text().trimmed();
    if (!rate.isEmpty() && !typedRate())
        return false;
    return resolvedBillingIncrementMinutes() > 0;
}

std::optional<double> ProjectEditor::typedRate() const
{
    return RateText::parse(m_rateEdit->text().trimmed(), m_model.appLocale().decimalPoint().at(0));
}

int ProjectEditor::resolvedBillingIncrementMinutes() const
{
    const int preset = m_incrementCombo->currentData().toInt();
    if (preset != customIncrement)
        return preset;
    return parseMinutes(m_customMinutesEdit->text()).value_or(0);
}

void ProjectEditor::save()
{
    // The button is disabled while invalid, but Return and callers can still get here.
    if (!isValid())
        return;
    const QString name = m_nameEdit->text().trimmed();
    const QString rateText = m_rateEdit->text().trimmed();
    const std::optional<double> rate = rateText.isEmpty() ? std::nullopt : typedRate();
    const int minutes = resolvedBillingIncrementMinutes();
    const auto strategy = BillingRoundingStrategy(m_roundingCombo->currentData().toInt());
    const QString color = m_colorCombo->currentData().toString();

    if (m_project) {
        m_model.updateProject(*m_project, name, rate, minutes, strategy, color);
    } else {
        m_model.addProject(Project(QUuid::createUuid(), name, rate, minutes, strategy, color, false, m_model.now()));
    }
    Q_EMIT saved();
}

void ProjectEditor::cancel()
{
    Q_EMIT cancelled();
}

void ProjectEditor::reset()
{
    m_nameEdit->clear();
    m_rateEdit->clear();
    m_customMinutesEdit->clear();
    selectData(m_incrementCombo, 15);
    selectData(m_roundingCombo, int(BillingRoundingStrategy::roundUpPerEntry));
    selectData(m_colorCombo, u"blue"_s);
    updateState();
    // The window that shows the form activates only after this returns; focusing earlier would
    // land in a window that is not active yet.
    QTimer::singleShot(0, m_nameEdit, [edit = m_nameEdit] {
        edit->setFocus(Qt::OtherFocusReason);
    });
}

void ProjectEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        if (m_saveButton->isEnabled())
            save();
        event->accept();
        return;
    case Qt::Key_Escape:
        cancel();
        event->accept();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void ProjectEditor::showEvent(QShowEvent* event)
{
    // A window restored from the task bar shows spontaneously and keeps what the user typed; the
    // "New Project" window opened again starts blank.
    if (!m_project && !event->spontaneous())
        reset();
    QWidget::showEvent(event);
}

} // namespace tivren
