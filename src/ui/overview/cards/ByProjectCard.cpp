// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/cards/ByProjectCard.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/layout/SideColumn.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

ByProjectCard::ByProjectCard(AppModel& model, QWidget* parent)
    : Style::Card(parent, 0.06)
    , m_model(model)
{
    setObjectName(u"byProjectCard"_s);
    setFixedWidth(baseWidth);
    // The room beside the entries decides how far long names may widen the column.
    parent->installEventFilter(this);
    QVBoxLayout* column = Style::cardColumn(this);
    m_title = Style::label(TextStyle::headline, u"byProjectTitleLabel"_s, this);
    column->addWidget(m_title);
    m_empty = new Style::EmptyState(
        Style::themeIcon(u"x-office-calendar"_s, u"office-calendar"_s, QStyle::SP_MessageBoxInformation, style()),
        this);
    m_empty->setObjectName(u"byProjectEmptyState"_s);
    column->addWidget(m_empty);
    m_rows = new QVBoxLayout;
    m_rows->setSpacing(0);
    column->addLayout(m_rows);
}

void ByProjectCard::retranslate()
{
    m_title->setText(m_model.localized(Text::en("By Project")));
    m_empty->setTexts(m_model.localized(Text::en("No tracked time")),
        m_model.localized(Text::en("Tracked time in the selected date range will appear here.")));
}

void ByProjectCard::setSummaries(const QList<ProjectBillingSummary>& summaries)
{
    // A handful of rows, plain widgets.
    Style::clearLayout(m_rows);
    m_empty->setVisible(summaries.isEmpty());
    for (qsizetype i = 0; i < summaries.size(); ++i) {
        if (i > 0)
            m_rows->addWidget(Style::divider(this));
        m_rows->addWidget(row(summaries[i]));
    }
    fitWidth();
}

void ByProjectCard::fitWidth()
{
    // A row's minimum is its figures and the first letters of its name; its size hint the full name.
    SideColumn::Content content;
    for (int i = 0; i < m_rows->count(); ++i) {
        const QWidget* row = m_rows->itemAt(i)->widget();
        if (!row || row->objectName() != u"byProjectRow"_s)
            continue;
        content.figures = std::max(content.figures, row->minimumSizeHint().width());
        content.natural = std::max(content.natural, row->sizeHint().width());
    }
    const QMargins margins = layout()->contentsMargins();
    content.figures += margins.left() + margins.right();
    content.natural += margins.left() + margins.right();
    setFixedWidth(SideColumn::width(content, baseWidth, parentWidget()->width()));
}

void ByProjectCard::changeEvent(QEvent* event)
{
    Style::Card::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitWidth();
}

bool ByProjectCard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        fitWidth();
    return Style::Card::eventFilter(watched, event);
}

QWidget* ByProjectCard::row(const ProjectBillingSummary& summary)
{
    const Project& project = summary.project;
    const auto hours = [this](Seconds seconds) {
        return m_model.localized(Text::en("%@ h"), { m_model.decimalString(seconds / 3600.0, 2, 2) });
    };
    auto* row = new QWidget(this);
    row->setObjectName(u"byProjectRow"_s);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 8, 0, 8);
    line->setSpacing(8);
    auto* dot = new QLabel(row);
    dot->setPixmap(colorDotIcon(projectColor(project.colorName)).pixmap(10, 10));
    line->addWidget(dot);
    auto* name = new Style::ElidedLabel(project.name, row);
    name->setObjectName(u"nameLabel"_s);
    line->addWidget(name, 1);
    if (project.hourlyRate) {
        QLabel* billed = Style::label(TextStyle::body, u"hoursLabel"_s, row, Tone::secondary);
        billed->setText(hours(summary.duration));
        line->addWidget(billed);
        QLabel* amount = Style::label(TextStyle::body, u"amountLabel"_s, row, Tone::primary, QFont::DemiBold);
        amount->setText(m_model.currencyString(summary.amount));
        line->addWidget(amount);
    } else {
        QLabel* actual = Style::label(TextStyle::body, u"hoursLabel"_s, row, Tone::primary, QFont::DemiBold);
        actual->setText(hours(summary.actualDuration));
        line->addWidget(actual);
    }
    // A screen reader reads the row as one line, as it is seen.
    QStringList parts { project.name };
    for (const QString& figure : { u"hoursLabel"_s, u"amountLabel"_s }) {
        if (const auto* label = row->findChild<QLabel*>(figure))
            parts.append(label->text());
    }
    row->setAccessibleName(parts.join(u", "_s));
    return row;
}

} // namespace tivren
