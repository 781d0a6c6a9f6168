// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ControlBus.h"
#include "core/records/Project.h"
#include "platform/session/PanelState.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

namespace tivren {

class AppModel;

// Tivren's own session-bus service (org.tivren.Tivren, object /org/tivren/Tivren): how a second
// launch hands over to the running one, and how tivrenctl, desktop shortcuts and panel widgets
// drive the one process that writes the data file. The interface is described in
// org.tivren.Tivren1.xml, from which its adaptor is generated; its properties are what panels show.
class ControlService : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_PROPERTY(bool Tracking READ tracking)
    Q_PROPERTY(QString ProjectName READ projectName)
    Q_PROPERTY(qint64 ElapsedSeconds READ elapsedSeconds)
    Q_PROPERTY(qint64 TrackingSince READ trackingSince)
    Q_PROPERTY(QString Phase READ phase)
    Q_PROPERTY(qint64 PhaseRemainingSeconds READ phaseRemainingSeconds)
    Q_PROPERTY(qint64 PhaseEndsAt READ phaseEndsAt)

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

    // Puts the object on the bus; from then on every change of the panel state is announced there.
    bool registerOn(QDBusConnection bus);

    // The methods, called by the generated adaptor.
    void Show();
    void NewProject();
    QStringList Projects();
    // A project by id, exact name or unambiguous beginning of a name (case-insensitive); errors
    // are D-Bus errors with a readable message. The verbs that change data reply only once the
    // change is on disk.
    void Start(const QString& project);
    void Toggle(const QString& project);
    void Stop();
    void Skip();
    QString Status();
    // Answers the open question about time away: keep, discard or stop.
    void Away(const QString& answer);
    // Reads another tracker's export (the file's bytes) and replies, as JSON, what importing it
    // adds; with apply it adds that too, and replies once it is on disk.
    QString Import(const QByteArray& content, bool apply);

    [[nodiscard]] PanelState panelState() const;

private:
    bool tracking() const { return panelState().tracking; }
    QString projectName() const { return panelState().projectName; }
    qint64 elapsedSeconds() const;
    qint64 trackingSince() const;
    QString phase() const { return panelState().phase; }
    qint64 phaseRemainingSeconds() const;
    qint64 phaseEndsAt() const;
    // Sends PropertiesChanged for what changed since the last announcement.
    void announceChanges();

    // Refuses a changing verb while the data is still loading or cannot be saved.
    bool acceptsChanges();
    // Sends the method's reply once the change it made is on disk (an error when it could not be saved).
    void replyWhenSaved();
    void replyWhenSaved(const QDBusMessage& request, QDBusConnection bus, const QVariantList& results);
    // The active project the text names; replies with an error and returns nothing otherwise.
    std::optional<Project> findProject(const QString& text);

    AppModel& m_model;
    WindowActions m_windows;
    std::optional<QDBusConnection> m_bus;
    PanelState m_announced;
    // One announcement for the several model signals a single action sends.
    QTimer m_announceSoon;
};

} // namespace tivren
