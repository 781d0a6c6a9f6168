// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"
#include "ui/style/Style.h"

#include <optional>

class QHBoxLayout;
class QLabel;
class QMenu;
class QToolButton;

namespace tivren {

class AppModel;

// The overview's quick start: up to three recently used projects as buttons and a menu of every
// active project; a calm empty state while there are none.
//
// Object names for tests: launcherCard, launcherEmptyState, launcherContentWidget,
// launcherTitleLabel, launcherTextLabel, startAnotherProjectButton, startProjectMenu, recentLabel,
// and a recentProjectButton for each recent project.
class ProjectLauncherCard : public Style::Card
{
    Q_OBJECT

public:
    ProjectLauncherCard(AppModel& model, QWidget* parent);

    void retranslate();
    void refresh();

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildContent();
    void refreshMenu(const QList<Project>& active, const std::optional<QUuid>& tracked);
    void refreshRecent(const QList<Project>& active, const std::optional<QUuid>& tracked);

    AppModel& m_model;
    Style::EmptyState* m_empty = nullptr;
    QWidget* m_content = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_text = nullptr;
    QToolButton* m_startMenuButton = nullptr;
    QMenu* m_startMenu = nullptr;
    QLabel* m_recentLabel = nullptr;
    QHBoxLayout* m_recentRow = nullptr;
};

} // namespace tivren
