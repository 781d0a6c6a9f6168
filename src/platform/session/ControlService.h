// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ControlBus.h"
#include "core/records/Project.h"

#include <QDBusContext>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace tivren {

class AppModel;

// Tivren's own session-bus service (org.tivren.Tivren, object /org/tivren/Tivren): how a second
// launch hands over to the running one, and how tivrenctl, desktop shortcuts and panel widgets
// drive the one process that writes the data file.
class ControlService : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tivren.Tivren1")

public:
    static constexpr const char* serviceName = ControlBus::serviceName;
    static constexpr const char* objectPath = ControlBus::objectPath;
    static constexpr const char* interfaceName = ControlBus::interfaceName;

    struct WindowActions
    {
        std::function<void()> showMainWindow;
        std::function<void()> openNewProjectWindow;
    };

    ControlService(AppModel& model, WindowActions windows, QObject* parent = nullptr);

public Q_SLOTS:
    Q_SCRIPTABLE void Show();
    // The "New Project" window, for the desktop entry's action.
    Q_SCRIPTABLE void NewProject();
    // The names of the active projects, in the order the window lists them (for pickers).
    Q_SCRIPTABLE QStringList Projects();
    // The verbs that change data reply only once the change is on disk.
    // A project by id, exact name or unambiguous beginning of a name (case-insensitive); errors
    // are D-Bus errors with a readable message.
    Q_SCRIPTABLE void Start(const QString& project);
    Q_SCRIPTABLE void Toggle(const QString& project);
    Q_SCRIPTABLE void Stop();
    Q_SCRIPTABLE void Skip();
    // {"tracking", "project", "projectID", "elapsedSeconds", "pomodoroPhase", "pomodoroRemainingSeconds"}
    Q_SCRIPTABLE QString Status();

private:
    // Refuses a changing verb while the data is still loading or cannot be saved.
    bool acceptsChanges();
    // Sends the method's reply once the change it made is on disk (an error when it could not be saved).
    void replyWhenSaved();
    // The active project the text names; replies with an error and returns nothing otherwise.
    std::optional<Project> findProject(const QString& text);

    AppModel& m_model;
    WindowActions m_windows;
};

} // namespace tivren
