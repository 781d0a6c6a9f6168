// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/EntryDetailPanel.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/style/Glyphs.h"
#include "ui/style/Style.h"
#include "ui/timeline/NotesLabel.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

QLabel* wrappingLabel(TextStyle style, const QString& objectName, QWidget* parent, Tone tone = Tone::primary)
{
    QLabel* label = Style::label(style, objectName, parent, tone);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A hairline between the column's groups.
Style::Rule* columnRule(QWidget* parent)
{
    auto* rule = new Style::Rule(Qt::Horizontal, parent);
    rule->setObjectName(u"dividerWidget"_s);
    return rule;
}

} // namespace

EntryDetailPanel::EntryDetailPanel(Arrangement arrangement, QWidget* parent)
    : QWidget(parent)
    , m_arrangement(arrangement)
{
    setObjectName(u"entryDetailPanel"_s);
    makeButtons();
    if (arrangement == Arrangement::row)
        buildRow();
    else
        buildColumn();
}

void EntryDetailPanel::makeButtons()
{
    m_edit = new QPushButton(this);
    m_edit->setObjectName(u"editButton"_s);
    m_delete = new QPushButton(this);
    m_delete->setObjectName(u"deleteButton"_s);
    for (QPushButton* button : { m_edit, m_delete }) {
        button->setFont(Style::font(TextStyle::caption, button->font()));
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setAutoDefault(false);
    }
    colorDeleteButton();
}

// Identity, figures and notes side by side, the buttons at the trailing end.
void EntryDetailPanel::buildRow()
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 8, 0, 4);
    row->setSpacing(20);

    auto* identity = new QHBoxLayout;
    identity->setSpacing(8);
    auto* dotColumn = new QVBoxLayout;
    dotColumn->setContentsMargins(0, 3, 0, 0);
    m_dot = new Style::ColorDot(10, this);
    m_dot->setObjectName(u"projectColorDot"_s);
    dotColumn->addWidget(m_dot);
    dotColumn->addStretch();
    identity->addLayout(dotColumn);
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    auto* name = new Style::ElidedLabel({}, this);
    name->setObjectName(u"projectNameLabel"_s);
    name->setFont(Style::font(TextStyle::headline, name->font()));
    // Long names end in an ellipsis rather than push the figures away.
    name->setMaximumWidth(280);
    m_name = name;
    names->addWidget(m_name);
    m_date = Style::label(TextStyle::body, u"dateLabel"_s, this, Tone::secondary);
    names->addWidget(m_date);
    m_span = Style::label(TextStyle::body, u"spanLabel"_s, this, Tone::secondary);
    names->addWidget(m_span);
    names->addStretch();
    identity->addLayout(names);
    row->addLayout(identity);
    row->addWidget(new Style::Rule(Qt::Vertical, this));

    auto* figures = new QVBoxLayout;
    figures->setSpacing(3);
    auto figure = [this, figures](Glyph glyph, const QString& name, Tone tone, std::optional<QFont::Weight> weight) {
        auto* line = new QWidget(this);
        line->setObjectName(name + u"Row"_s);
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(6);
        layout->addWidget(new GlyphWidget(glyph, line->font(), line));
        QLabel* label = Style::label(TextStyle::body, name + u"Label"_s, line, tone);
        label->setFont(Style::font(TextStyle::body, label->font(), weight));
        layout->addWidget(label);
        layout->addStretch();
        figures->addWidget(line);
        return std::pair { line, label };
    };
    m_hours = figure(Glyph::hourglass, u"hours"_s, Tone::primary, std::nullopt).second;
    QWidget* billedRow = nullptr;
    QWidget* amountRow = nullptr;
    std::tie(billedRow, m_billed) = figure(Glyph::document, u"billed"_s, Tone::secondary, std::nullopt);
    std::tie(amountRow, m_amount) = figure(Glyph::banknote, u"amount"_s, Tone::primary, QFont::DemiBold);
    m_billedParts = { billedRow };
    m_amountParts = { amountRow };
    figures->addStretch();
    row->addLayout(figures);

    auto* notesRule = new Style::Rule(Qt::Vertical, this);
    row->addWidget(notesRule);
    m_notes = new NotesLabel(this);
    m_notes->setObjectName(u"notesLabel"_s);
    row->addWidget(m_notes, 0, Qt::AlignTop);
    m_notesParts = { notesRule, m_notes };
    row->addStretch(1);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    row->addLayout(buttons);
}

// On a card: the project over its span, hours and amount, the notes, then the buttons.
void EntryDetailPanel::buildColumn()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* card = new Style::Card(this, 0.06, 10);
    card->setObjectName(u"detailPanel"_s);
    outer->addWidget(card);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);

    auto* title = new QHBoxLayout;
    title->setSpacing(8);
    m_dot = new Style::ColorDot(10, card);
    m_dot->setObjectName(u"projectColorDot"_s);
    title->addWidget(m_dot, 0, Qt::AlignVCenter);
    QLabel* name = wrappingLabel(TextStyle::headline, u"projectNameLabel"_s, card);
    m_name = name;
    title->addWidget(m_name, 1);
    column->addLayout(title);
    column->addWidget(columnRule(card));

    const QFont callout = Style::font(TextStyle::callout, font());
    auto* lines = new QGridLayout;
    lines->setHorizontalSpacing(8);
    lines->setVerticalSpacing(6);
    lines->setColumnStretch(1, 1);
    lines->addWidget(new GlyphWidget(Glyph::clock, callout, card), 0, 0, Qt::AlignTop);
    m_span = wrappingLabel(TextStyle::callout, u"spanLabel"_s, card);
    lines->addWidget(m_span, 0, 1);
    lines->addWidget(new GlyphWidget(Glyph::hourglass, callout, card), 1, 0, Qt::AlignTop);
    auto* hours = new QVBoxLayout;
    hours->setSpacing(2);
    m_hours = wrappingLabel(TextStyle::callout, u"hoursLabel"_s, card);
    hours->addWidget(m_hours);
    m_billed = wrappingLabel(TextStyle::caption, u"billedLabel"_s, card, Tone::secondary);
    hours->addWidget(m_billed);
    lines->addLayout(hours, 1, 1);
    auto* amountGlyph = new GlyphWidget(Glyph::banknote, callout, card);
    lines->addWidget(amountGlyph, 2, 0, Qt::AlignTop);
    m_amount = wrappingLabel(TextStyle::callout, u"amountLabel"_s, card);
    m_amount->setFont(Style::font(TextStyle::callout, font(), QFont::DemiBold));
    lines->addWidget(m_amount, 2, 1);
    column->addLayout(lines);
    m_billedParts = { m_billed };
    m_amountParts = { amountGlyph, m_amount };

    auto* notesRule = columnRule(card);
    column->addWidget(notesRule);
    m_notes = wrappingLabel(TextStyle::callout, u"notesLabel"_s, card, Tone::secondary);
    column->addWidget(m_notes);
    m_notesParts = { notesRule, m_notes };
    column->addWidget(columnRule(card));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch();
}

void EntryDetailPanel::setContent(const Content& content)
{
    m_dot->setColor(content.color);
    if (auto* elided = qobject_cast<Style::ElidedLabel*>(m_name))
        elided->setText(content.name);
    else
        static_cast<QLabel*>(m_name)->setText(content.name);
    if (m_date) {
        m_date->setText(content.date);
        m_date->setVisible(!content.date.isEmpty());
    }
    m_span->setText(content.span);
    m_hours->setText(content.hours);
    m_billed->setText(content.billed);
    m_amount->setText(content.amount);
    if (auto* notes = qobject_cast<NotesLabel*>(m_notes))
        notes->setText(content.notes);
    else
        static_cast<QLabel*>(m_notes)->setText(content.notes);
    for (auto [parts, shown] : { std::pair { &m_billedParts, !content.billed.isEmpty() },
             std::pair { &m_amountParts, !content.amount.isEmpty() },
             std::pair { &m_notesParts, !content.notes.isEmpty() } }) {
        for (QWidget* part : *parts)
            part->setVisible(shown);
    }
    m_edit->setText(content.edit);
    m_delete->setText(content.remove);
    m_edit->setAccessibleName(content.editName);
    m_delete->setAccessibleName(content.removeName);
    // The buttons share the wider one's width.
    m_edit->setMinimumWidth(0);
    m_delete->setMinimumWidth(0);
    const int width = std::max(m_edit->sizeHint().width(), m_delete->sizeHint().width());
    m_edit->setMinimumWidth(width);
    m_delete->setMinimumWidth(width);
    updateGeometry();
    layout()->activate();
}

void EntryDetailPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        colorDeleteButton();
    QWidget::changeEvent(event);
}

void EntryDetailPanel::colorDeleteButton()
{
    // Only the text colour is set, so the rest of the button still follows the theme; on a dark
    // button the red is lifted so it stays readable.
    QPalette own;
    own.setColor(QPalette::ButtonText, Style::destructiveTextColor(palette()));
    m_delete->setPalette(own.resolve(m_delete->palette()));
}

void EntryDetailPanel::nameActions(Content& content, const AppModel& model)
{
    const QString subject = content.name + u", "_s + content.span;
    content.edit = model.localized(Text::en("Edit"));
    content.remove = model.localized(Text::en("Delete"));
    //: Read by screen readers for the Edit button of a time entry; %@ is its project and times.
    content.editName = model.localized(Text::en("Edit %@"), { subject });
    //: Read by screen readers for the Delete button of a time entry; %@ is its project and times.
    content.removeName = model.localized(Text::en("Delete %@"), { subject });
}

} // namespace tivren
