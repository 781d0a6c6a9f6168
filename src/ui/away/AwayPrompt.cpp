// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/away/AwayPrompt.h"

#include "app/model/AppModel.h"
#include "app/services/AwayNotifying.h"
#include "app/text/AwayTexts.h"
#include "ui/away/AwayDialog.h"

#include <QEvent>

namespace tivren {

AwayPrompt::AwayPrompt(
    AppModel& model, AwayNotifying& notifier, std::function<QWidget*()> parentWindow, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_notifier(notifier)
    , m_parentWindow(std::move(parentWindow))
{
    m_raiseWait.setSingleShot(true);
    m_raiseWait.setInterval(raiseWaitMsecs);
    connect(&m_raiseWait, &QTimer::timeout, this, &AwayPrompt::notifyUnlessRaised);
    connect(&m_model, &AppModel::awayQuestionChanged, this, &AwayPrompt::follow);
    connect(&m_model, &AppModel::settingsChanged, this, &AwayPrompt::follow); // the app's language
    follow();
}

AwayPrompt::~AwayPrompt()
{
    delete m_dialog;
}

void AwayPrompt::follow()
{
    const std::optional<AwayQuestion>& question = m_model.awayQuestion();
    if (question != m_asked && m_notified) {
        m_notifier.withdrawAway();
        m_notified = false;
    }
    if (!question) {
        m_asked.reset();
        // Later: the answer may come from one of the dialog's own buttons.
        if (m_dialog) {
            m_dialog->hide();
            m_dialog->deleteLater();
            m_dialog = nullptr;
        }
        return;
    }
    if (!m_dialog) {
        QWidget* parent = m_parentWindow ? m_parentWindow() : nullptr;
        m_dialog = new AwayDialog(parent && parent->isVisible() ? parent : nullptr);
        m_dialog->installEventFilter(this);
        connect(m_dialog, &AwayDialog::answered, this, [this](AwayAnswer answer) {
            (void)m_model.answerAway(answer); // a question that went meanwhile needs nothing
        });
    }
    m_dialog->showText(AwayTexts::question(*question, m_model.appLocale()));
    if (question == m_asked)
        return; // only the language changed
    m_asked = question;
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_raiseWait.start();
}

bool AwayPrompt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dialog && event->type() == QEvent::WindowDeactivate && m_model.awayQuestion())
        m_raiseWait.start();
    return QObject::eventFilter(watched, event);
}

void AwayPrompt::notifyUnlessRaised()
{
    const std::optional<AwayQuestion>& question = m_model.awayQuestion();
    if (!question || question != m_asked || m_notified || (m_dialog && m_dialog->isActiveWindow()))
        return;
    m_notified = true;
    m_notifier.askAway(*question, [this](AwayAnswer answer) {
        m_notified = false;
        (void)m_model.answerAway(answer);
    });
}

} // namespace tivren
