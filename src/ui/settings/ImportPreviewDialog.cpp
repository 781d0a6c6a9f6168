// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/ImportPreviewDialog.h"

#include "app/model/AppModel.h"
#include "ui/style/Style.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

ImportPreviewDialog::ImportPreviewDialog(const ImportPreview& preview, const AppModel& model, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"importPreviewDialog"_s);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(preview.title);
    setAccessibleName(preview.title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(10);
    m_title = Style::label(TextStyle::title3, u"importPreviewTitleLabel"_s, this);
    m_title->setText(preview.title);
    layout->addWidget(m_title);
    m_summary = Style::label(TextStyle::body, u"importPreviewSummaryLabel"_s, this);
    m_summary->setText(preview.summary);
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText); // project names and reasons come from the file
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setAccessibleName(preview.summary);
    m_summary->setMinimumWidth(360);
    layout->addWidget(m_summary);

    auto* buttons = new QDialogButtonBox(this);
    m_cancelButton = buttons->addButton(model.localized(Text::en("Cancel")), QDialogButtonBox::RejectRole);
    m_cancelButton->setObjectName(u"importCancelButton"_s);
    //: A button: adds the previewed time entries and projects
    m_importButton = buttons->addButton(model.localized(Text::en("Import")), QDialogButtonBox::AcceptRole);
    m_importButton->setObjectName(u"importConfirmButton"_s);
    for (QPushButton* button : { m_cancelButton, m_importButton })
        button->setAccessibleName(button->text());
    // Enter imports; with nothing to add there is nothing to confirm, and Enter closes instead.
    m_importButton->setEnabled(preview.addsSomething);
    (preview.addsSomething ? m_importButton : m_cancelButton)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace tivren
