// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/TrayMenu.h"

#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/LoginItemService.h"
#include "app/text/AppStrings.h"
#include "core/time/DurationFormat.h"
#include "ui/shell/TrayTexts.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace tivren {

TrayMenu::TrayMenu(AppModel& model, LoginItemService& loginItems, const Clock& clock, Actions actions, QWidget* parent)
    : QMenu(parent)
    , m_model(model)
    , m_loginItems(loginItems)
    , m_clock(clock)
    , m_actions(std::move(actions))
{
    setObjectName(u"trayMenu"_s);
    m_liveTimer.setInterval(1000);
    connect(&m_liveTimer, &QTimer::timeout, this, &TrayMenu::refreshLiveTexts);
    connect(this, &QMenu::aboutToShow, this, [this] {
        refreshLiveTexts();
        m_liveTimer.start();
        refreshLaunchAtLogin();
    });
    connect(this, &QMenu::aboutToHide, &m_liveTimer, &QTimer::stop);
    for (auto changed : { &AppModel::activeSessionChanged,
             &AppModel::pomodoroPhaseChanged,
             &AppModel::pomodoroPhaseStartChanged,
             &AppModel::pomodoroPhaseDurationChanged,
             &AppModel::projectsChanged,
             &AppModel::settingsChanged })
        connect(&m_model, changed, this, &TrayMenu::scheduleRebuild);
    rebuild();
    refreshLaunchAtLogin();
}

void TrayMenu::scheduleRebuild()
{
    // One operation changes several fields at once: rebuild once, after it has finished.
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] {
        m_rebuildPending = false;
        rebuild();
    });
}

void TrayMenu::refreshLaunchAtLogin()
{
    [](QPointer<TrayMenu> self, LoginItemService& service) -> QCoro::Task<> {
        const bool enabled = co_await service.isEnabled();
        if (self && self->m_launchAtLogin != enabled) {
            self->m_launchAtLogin = enabled;
            self->rebuild();
        }
    }(this, m_loginItems);
}

QAction* TrayMenu::addLine(const QString& text, bool headline)
{
    QAction* line = addAction(text);
    line->setEnabled(false);
    if (headline)
        line->setFont(Style::font(TextStyle::headline, line->font()));
    return line;
}

QString TrayMenu::phaseLabel() const
{
    return TrayTexts::phaseLabel(m_model, m_model.pomodoroPhase().value_or(PomodoroPhase::work));
}

void TrayMenu::rebuild()
{
    clear();
    m_elapsedLine = nullptr;
    m_phaseLine = nullptr;
    addTimerPart();
    addSeparator();
    addProjectsPart();
    addSeparator();
    addAppPart();
    refreshLiveTexts();
}

void TrayMenu::addTimerPart()
{
    const bool phaseShown = m_model.pomodoroPhase() && m_model.pomodoroPhaseStart() && m_model.pomodoroPhaseDuration();
    m_phasePrefix = phaseShown ? phaseLabel() + u" • "_s : QString();
    const auto project = m_model.activeProject();

    // What runs now.
    if (m_model.activeSession() && project) {
        addLine(m_model.localized(Text::en("Tracking %@"), { Style::menuText(project->name) }), true);
        m_elapsedLine = addLine(QString());
        if (phaseShown)
            m_phaseLine = addLine(QString());
        //: Verb, a button: stop tracking time.
        addAction(m_model.localized(Text::en("Stop Timer")), this, [this] {
            m_model.stopTracking(false);
        })->setObjectName(u"stopTimerAction"_s);
        if (m_model.pomodoroPhase())
            addAction(m_model.localized(Text::en("Skip Pomodoro Phase")), this, [this] {
                m_model.skipPomodoroPhase();
            })->setObjectName(u"skipPhaseAction"_s);
    } else if (phaseShown) {
        addLine(m_model.localized(Text::en("Pomodoro: %@"), { phaseLabel() }), true);
        m_phasePrefix.clear();
        m_phaseLine = addLine(QString());
        addAction(m_model.localized(Text::en("Skip Pomodoro Phase")), this, [this] {
            m_model.skipPomodoroPhase();
        })->setObjectName(u"skipPhaseAction"_s);
        //: Verb, a button: stop tracking time.
        addAction(m_model.localized(Text::en("Stop Timer")), this, [this] {
            m_model.stopTimer();
        })->setObjectName(u"stopTimerAction"_s);
    } else {
        addLine(m_model.localized(Text::en("No active timer")), true);
        addLine(m_model.localized(Text::en("Choose a project below to start tracking.")));
    }
}

void TrayMenu::addProjectsPart()
{
    // The projects to start.
    const QList<Project> projects = m_model.activeProjects();
    if (projects.isEmpty()) {
        addAction(m_model.localized(Text::en("Create Your First Project")), this, [this] {
            m_actions.createFirstProject();
        })->setObjectName(u"createFirstProjectAction"_s);
    } else {
        addLine(m_model.localized(Text::en("Projects")));
        for (const Project& p : projects) {
            // The rate after a tab is drawn right-aligned, where menus show shortcuts.
            const QString text = p.hourlyRate ? Style::menuText(p.name) + u'\t' + m_model.currencyString(*p.hourlyRate)
                                              : Style::menuText(p.name);
            QAction* start = addAction(colorDotIcon(projectColor(p.colorName)), text, this, [this, p] {
                m_model.startTracking(p);
            });
            start->setObjectName(u"projectAction"_s);
            start->setData(p.id);
        }
    }
}

void TrayMenu::addAppPart()
{
    // Into the main window.
    const std::pair<QString, MainSection> sections[] = {
        { m_model.localized(Text::en("Open Overview")), MainSection::overview },
        { m_model.localized(Text::en("Open Timeline")), MainSection::timeline },
        { m_model.localized(Text::en("Manage Projects")), MainSection::projects },
    };
    for (const auto& [text, section] : sections)
        addAction(text, this, [this, section = section] {
            m_actions.openSection(section);
        });
    addSeparator();

    QAction* launch = addAction(m_model.localized(Text::en("Launch at Login")));
    launch->setObjectName(u"launchAtLoginAction"_s);
    launch->setCheckable(true);
    launch->setChecked(m_launchAtLogin);
    connect(launch, &QAction::triggered, this, [this] {
        [](QPointer<TrayMenu> self, AppModel& model, bool enable) -> QCoro::Task<> {
            co_await model.setLaunchAtLogin(enable);
            if (self)
                self->refreshLaunchAtLogin();
        }(this, m_model, !m_launchAtLogin);
    });
    addAction(m_model.localized(Text::en("Quit")), this, [this] {
        m_actions.quit();
    })->setObjectName(u"quitAction"_s);
}

void TrayMenu::refreshLiveTexts()
{
    const Instant now = m_clock.now();
    if (m_elapsedLine && m_model.activeSession())
        m_elapsedLine->setText(formattedDuration(std::max(0.0, now - m_model.activeSession()->startDate)));
    if (m_phaseLine && m_model.pomodoroPhaseStart() && m_model.pomodoroPhaseDuration()) {
        const Seconds left = *m_model.pomodoroPhaseDuration() - (now - *m_model.pomodoroPhaseStart());
        m_phaseLine->setText(m_phasePrefix + formattedDuration(std::max(0.0, left)));
    }
}

} // namespace tivren
