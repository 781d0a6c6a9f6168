// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/style/Style.h"

class QLabel;
class QPushButton;

namespace tivren {

class AppModel;

// A strip across the top of the main window while changes cannot be saved: why, and, after an
// unreadable data file that was kept aside, the way out ("Start Afresh", confirmed first).
class ReadOnlyBanner : public Style::Card
{
    Q_OBJECT

public:
    explicit ReadOnlyBanner(AppModel& model, QWidget* parent = nullptr);

private:
    void refresh();
    void confirmStartAfresh();

    AppModel& m_model;
    QLabel* m_reason = nullptr;
    QPushButton* m_startAfresh = nullptr;
};

} // namespace tivren
