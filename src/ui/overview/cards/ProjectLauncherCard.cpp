// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/cards/ProjectLauncherCard.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/overview/cards/RecentProjectButton.h"
#include "ui/style/Accessibility.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

ProjectLauncherCard::ProjectLauncherCard(AppModel& model, QWidget* parent)
    : Style::Card(parent, 0.06)
    , m_model(model)
{
    setObjectName(u"launcherCard"_s);
    // Either the empty state or the content shows, so the column's spacing never counts.
    QVBoxLayout* layout = Style::cardColumn(this);
    m_empty = new Style::EmptyState(
        Style::themeIcon(u"briefcase"_s, u"folder-documents"_s, QStyle::SP_DirIcon, style()), this);
    m_empty->setObjectName(u"launcherEmptyState"_s);
    layout->addWidget(m_empty);
    layout->addWidget(buildContent());
}

QWidget* ProjectLauncherCard::buildContent()
{
    m_content = new QWidget(this);
    m_content->setObjectName(u"launcherContentWidget"_s);
    auto* column = new QVBoxLayout(m_content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    auto* top = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_title = Style::label(TextStyle::headline, u"launcherTitleLabel"_s, m_content);
    texts->addWidget(m_title);
    m_text = Style::label(TextStyle::caption, u"launcherTextLabel"_s, m_content, Tone::secondary);
    m_text->setWordWrap(true);
    texts->addWidget(m_text);
    top->addLayout(texts, 1);
    m_startMenuButton = new QToolButton(m_content);
    m_startMenuButton->setObjectName(u"startAnotherProjectButton"_s);
    m_startMenuButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_startMenuButton->setPopupMode(QToolButton::InstantPopup);
    m_startMenuButton->setIcon(playStopIcon(palette().color(QPalette::WindowText), false));
    m_startMenu = new QMenu(m_startMenuButton);
    m_startMenu->setObjectName(u"startProjectMenu"_s);
    m_startMenuButton->setMenu(m_startMenu);
    top->addWidget(m_startMenuButton, 0, Qt::AlignTop);
    column->addLayout(top);
    m_recentLabel = Style::label(TextStyle::caption, u"recentLabel"_s, m_content, Tone::secondary, QFont::DemiBold);
    column->addWidget(m_recentLabel);
    m_recentRow = new QHBoxLayout;
    m_recentRow->setSpacing(10);
    column->addLayout(m_recentRow);
    return m_content;
}

void ProjectLauncherCard::changeEvent(QEvent* event)
{
    // The drawn play glyph takes the text colour, which a theme change replaces.
    if (event->type() == QEvent::PaletteChange && m_startMenuButton)
        m_startMenuButton->setIcon(playStopIcon(palette().color(QPalette::WindowText), false));
    Style::Card::changeEvent(event);
}

void ProjectLauncherCard::retranslate()
{
    m_empty->setTexts(m_model.localized(Text::en("No projects yet")),
        m_model.localized(Text::en("Create a project to start tracking time from the Overview.")));
    m_title->setText(m_model.localized(Text::en("Start Timer")));
    m_text->setText(
        m_model.localized(Text::en("Jump back into a recent project or start any active project from here.")));
    m_startMenuButton->setText(m_model.localized(Text::en("Start Another Project")));
    m_recentLabel->setText(m_model.localized(Text::en("Recent")));
}

void ProjectLauncherCard::refresh()
{
    const QList<Project> active = m_model.activeProjects();
    m_empty->setVisible(active.isEmpty());
    m_content->setVisible(!active.isEmpty());
    const std::optional<QUuid> tracked =
        m_model.activeSession() ? std::optional(m_model.activeSession()->projectID) : std::nullopt;
    refreshMenu(active, tracked);
    refreshRecent(active, tracked);
}

void ProjectLauncherCard::refreshMenu(const QList<Project>& active, const std::optional<QUuid>& tracked)
{
    m_startMenu->clear();
    for (const Project& project : active) {
        QAction* action = m_startMenu->addAction(Style::menuText(project.name));
        action->setIconVisibleInMenu(true);
        action->setIcon(project.id == tracked ? checkIcon(projectColor(project.colorName))
                                              : colorDotIcon(projectColor(project.colorName)));
        connect(action, &QAction::triggered, this, [this, project] {
            m_model.startTracking(project);
        });
    }
}

void ProjectLauncherCard::refreshRecent(const QList<Project>& active, const std::optional<QUuid>& tracked)
{
    Style::clearLayout(m_recentRow);
    const QList<Project> recent = active.isEmpty() ? QList<Project>() : m_model.recentlyUsedProjects(3);
    m_recentLabel->setVisible(!recent.isEmpty());
    // Made after the rest of the overview, the buttons would come last in the tab order; they
    // follow the menu button, as they follow it on the screen.
    QWidget* previous = m_startMenuButton;
    for (const Project& project : recent) {
        const bool running = project.id == tracked;
        const QString caption = running ? m_model.localized(Text::en("Running"))
            : project.hourlyRate
            ? m_model.localized(Text::en("%@ / hour"), { m_model.currencyString(*project.hourlyRate) })
            : m_model.localized(Text::en("Start timer"));
        auto* button = new RecentProjectButton(project, running, caption, m_content);
        // The first one is what Space and Ctrl+Enter start while nothing runs.
        if (previous == m_startMenuButton && !tracked && !m_model.pomodoroPhase())
            button->setToolTip(Accessibility::withShortcut(project.name, Shortcuts::toggleTimer()));
        QWidget::setTabOrder(previous, button);
        previous = button;
        connect(button, &QAbstractButton::clicked, this, [this, project] {
            m_model.startTracking(project);
        });
        m_recentRow->addWidget(button, 1);
        button->show();
    }
    // Fewer than three buttons keep the width a third would have.
    if (!recent.isEmpty() && recent.size() < 3)
        m_recentRow->addStretch(int(3 - recent.size()));
}

} // namespace tivren
