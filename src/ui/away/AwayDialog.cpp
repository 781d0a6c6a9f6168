// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/away/AwayDialog.h"

#include "ui/style/Style.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

using namespace Qt::StringLiterals;

namespace tivren {

AwayDialog::AwayDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"awayDialog"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(16);
    m_body = Style::label(TextStyle::body, u"awayBodyLabel"_s, this);
    m_body->setWordWrap(true);
    m_body->setMinimumWidth(320);
    layout->addWidget(m_body);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    m_stop = addAnswer(AwayAnswer::stop, u"awayStopButton"_s);
    m_discard = addAnswer(AwayAnswer::discard, u"awayDiscardButton"_s);
    m_keep = addAnswer(AwayAnswer::keep, u"awayKeepButton"_s);
    for (QPushButton* button : { m_stop, m_discard, m_keep })
        buttons->addWidget(button);
    layout->addLayout(buttons);
    m_keep->setDefault(true);
    m_keep->setFocus();
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* AwayDialog::addAnswer(AwayAnswer answer, const QString& objectName)
{
    auto* button = new QPushButton(this);
    button->setObjectName(objectName);
    connect(button, &QPushButton::clicked, this, [this, answer] {
        Q_EMIT answered(answer);
    });
    return button;
}

void AwayDialog::showText(const AwayQuestionText& text)
{
    setWindowTitle(text.title);
    m_body->setText(text.body);
    const std::tuple<QPushButton*, AwayAnswer, QString> answers[] = {
        { m_keep, AwayAnswer::keep, text.keepHint },
        { m_discard, AwayAnswer::discard, text.discardHint },
        { m_stop, AwayAnswer::stop, text.stopHint },
    };
    for (const auto& [button, answer, hint] : answers) {
        button->setText(AwayTexts::answerLabel(text, answer));
        button->setToolTip(hint);
        button->setAccessibleDescription(hint);
    }
}

void AwayDialog::reject()
{
    Q_EMIT answered(AwayAnswer::keep);
}

void AwayDialog::closeEvent(QCloseEvent* event)
{
    // The window's close button answers like Escape; the prompt closes the dialog itself once the
    // question is gone.
    event->ignore();
    reject();
}

} // namespace tivren
