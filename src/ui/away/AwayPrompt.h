// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/AwayQuestion.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class QWidget;

namespace tivren {

class AppModel;
class AwayDialog;
class AwayNotifying;

// Puts the model's question about time away to the user while it is open: as a dialog in the app's
// language, and, when that window does not have the focus a moment after it came up or after the
// user went to another window (a Wayland compositor may keep it back, another window may be in
// front), as a notification with the same answers as well. Either answer goes to the model; the
// other one is taken back when the question goes.
class AwayPrompt : public QObject
{
    Q_OBJECT

public:
    // parentWindow: the window to put the dialog over, or none (then it stands alone).
    AwayPrompt(
        AppModel& model, AwayNotifying& notifier, std::function<QWidget*()> parentWindow, QObject* parent = nullptr);
    ~AwayPrompt() override;

    // How long the dialog has to come forward before the notification asks too.
    static constexpr int raiseWaitMsecs = 1500;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    void notifyUnlessRaised();

    AppModel& m_model;
    AwayNotifying& m_notifier;
    std::function<QWidget*()> m_parentWindow;
    QPointer<AwayDialog> m_dialog;
    std::optional<AwayQuestion> m_asked; // the question the dialog shows
    bool m_notified = false;
    QTimer m_raiseWait; // from showing the dialog, or its losing the focus, to the notification
};

} // namespace tivren
