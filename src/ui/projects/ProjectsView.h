// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace tivren {

class AppModel;

// The "Projects" section of the main window: the active projects, then the archived ones, each
// with its colour, name and billing terms; the tracked project carries a "Running" badge. Edit
// opens the project editor as a sheet over the window; a new project gets a window of its own,
// which the shell opens through openNewProjectWindow.
//
// Rows are plain widgets rebuilt whenever projects, the running timer or the settings change:
// a freelancer keeps tens of projects, and rebuilding keeps the rows simply true to the model.
class ProjectsView : public QWidget
{
    Q_OBJECT

public:
    ProjectsView(AppModel& model, std::function<void()> openNewProjectWindow, QWidget* parent = nullptr);
    ~ProjectsView() override;

    // "15 min, round up per entry" in the model's language.
    [[nodiscard]] static QString billingDescription(const AppModel& model, const Project& project);

public Q_SLOTS:
    // Switches to this section when needed, then asks the shell for the "New Project" window.
    void addProject();
    // Opens the editor sheet for the project.
    void editProject(const Project& project);

private:
    QWidget* buildHeader();
    QWidget* buildEmptyState();
    QWidget* buildLists();
    void rebuild();
    void retranslate();
    QWidget* detailsView(const Project& project, QWidget* parent) const;
    QWidget* activeRow(const Project& project, QWidget* parent);
    QWidget* archivedRow(const Project& project, QWidget* parent);

    AppModel& m_model;
    std::function<void()> m_openNewProjectWindow;

    QLabel* m_titleLabel = nullptr;
    QPushButton* m_addButton = nullptr;
    QWidget* m_emptyState = nullptr;
    QLabel* m_emptyTitle = nullptr;
    QLabel* m_emptyDescription = nullptr;
    QWidget* m_lists = nullptr;
    QLabel* m_activeHeader = nullptr;
    QWidget* m_activeList = nullptr;
    QLabel* m_archivedHeader = nullptr;
    QWidget* m_archivedList = nullptr;
};

} // namespace tivren
