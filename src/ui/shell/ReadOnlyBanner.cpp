// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/ReadOnlyBanner.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tivren {

ReadOnlyBanner::ReadOnlyBanner(AppModel& model, QWidget* parent)
    : Style::Card(parent, 0.14, 0)
    , m_model(model)
{
    setObjectName(u"readOnlyBanner"_s);
    setTint(Style::destructiveColor(), 0.14);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 10, 14, 10);
    m_reason = new QLabel(this);
    m_reason->setObjectName(u"readOnlyReasonLabel"_s);
    m_reason->setWordWrap(true);
    m_reason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(m_reason, 1);
    m_startAfresh = new QPushButton(this);
    m_startAfresh->setObjectName(u"startAfreshButton"_s);
    row->addWidget(m_startAfresh, 0, Qt::AlignVCenter);
    connect(m_startAfresh, &QPushButton::clicked, this, &ReadOnlyBanner::confirmStartAfresh);
    connect(&m_model, &AppModel::readOnlyReasonChanged, this, &ReadOnlyBanner::refresh);
    connect(&m_model, &AppModel::settingsChanged, this, &ReadOnlyBanner::refresh);
    refresh();
}

void ReadOnlyBanner::refresh()
{
    const auto& reason = m_model.readOnlyReason();
    setVisible(reason.has_value());
    m_reason->setText(reason.value_or(QString()));
    setAccessibleName(reason.value_or(QString()));
    m_startAfresh->setText(m_model.localized(Text::en("Start Afresh")));
    m_startAfresh->setVisible(m_model.canStartAfresh());
}

void ReadOnlyBanner::confirmStartAfresh()
{
    auto* question = new QMessageBox(QMessageBox::Warning,
        m_model.localized(Text::en("Start Afresh")),
        m_model.localized(Text::en("Tivren will begin with no projects and no entries and save that. The unreadable "
                                   "file stays where it was kept.")),
        QMessageBox::Cancel,
        window());
    question->setAttribute(Qt::WA_DeleteOnClose);
    question->setWindowModality(Qt::WindowModal);
    question->button(QMessageBox::Cancel)->setText(m_model.localized(Text::en("Cancel")));
    auto* confirm = question->addButton(m_model.localized(Text::en("Start Afresh")), QMessageBox::DestructiveRole);
    confirm->setObjectName(u"confirmStartAfreshButton"_s);
    connect(confirm, &QAbstractButton::clicked, this, [this] {
        m_model.startAfresh();
    });
    question->open();
}

} // namespace tivren
