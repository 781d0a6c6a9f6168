// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/text/AwayTexts.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tivren {

// The question about time away as a small window: what happened in one line, and a button per
// answer. Keep is the default; Escape or closing the window keeps the time too, since that changes
// nothing. It only shows and forwards: the answer goes out through answered().
//
// Object names for tests: awayDialog, awayBodyLabel, awayKeepButton, awayDiscardButton,
// awayStopButton.
class AwayDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AwayDialog(QWidget* parent = nullptr);

    void showText(const AwayQuestionText& text);

Q_SIGNALS:
    void answered(AwayAnswer answer);

protected:
    void closeEvent(QCloseEvent* event) override;

public Q_SLOTS:
    void reject() override;

private:
    QPushButton* addAnswer(AwayAnswer answer, const QString& objectName);

    QLabel* m_body = nullptr;
    QPushButton* m_keep = nullptr;
    QPushButton* m_discard = nullptr;
    QPushButton* m_stop = nullptr;
};

} // namespace tivren
