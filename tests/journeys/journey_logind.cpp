// SPDX-License-Identifier: GPL-3.0-or-later
// systemd-logind on a journey's private bus, standing in for the system bus: owns
// org.freedesktop.login1 and answers the manager's GetSessionByPID and GetSession with its one
// session, /org/freedesktop/login1/session/journey, writing a line to LOG for every lookup
// ("GetSessionByPID <pid>", "GetSession <id>"). A journey makes it signal, from the name's owner
// as logind does, with
//   dbus-send --session --dest=org.freedesktop.login1 /journey org.tivren.JourneyLogind.METHOD
// where METHOD is Sleep or Resume (the manager's PrepareForSleep true or false), Lock or Unlock
// (the session's signals of those names), or LockedHint with boolean:true|false (the session's
// PropertiesChanged, as when the desktop locks the screen itself).
//   journey_logind LOG
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFile>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString managerPath = u"/org/freedesktop/login1"_s;
const QString sessionPath = u"/org/freedesktop/login1/session/journey"_s;

QFile s_log;

void writeLine(const QString& line)
{
    s_log.write(line.toUtf8() + '\n');
    s_log.flush();
}

class Manager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public Q_SLOTS:
    QDBusObjectPath GetSessionByPID(uint pid)
    {
        writeLine(u"GetSessionByPID "_s + QString::number(pid));
        return QDBusObjectPath(sessionPath);
    }
    QDBusObjectPath GetSession(const QString& id)
    {
        writeLine(u"GetSession "_s + id);
        return QDBusObjectPath(sessionPath);
    }
};

class JourneyControl : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tivren.JourneyLogind")

public:
    explicit JourneyControl(QDBusConnection bus)
        : m_bus(std::move(bus))
    {
    }

public Q_SLOTS:
    void Sleep() { prepareForSleep(true); }
    void Resume() { prepareForSleep(false); }
    void Lock() { m_bus.send(QDBusMessage::createSignal(sessionPath, u"org.freedesktop.login1.Session"_s, u"Lock"_s)); }
    void Unlock()
    {
        m_bus.send(QDBusMessage::createSignal(sessionPath, u"org.freedesktop.login1.Session"_s, u"Unlock"_s));
    }
    void LockedHint(bool locked)
    {
        m_bus.send(QDBusMessage::createSignal(sessionPath, u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s)
            << u"org.freedesktop.login1.Session"_s << QVariantMap { { u"LockedHint"_s, locked } } << QStringList());
    }

private:
    void prepareForSleep(bool start)
    {
        m_bus.send(QDBusMessage::createSignal(managerPath, u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s)
            << start);
    }

    QDBusConnection m_bus;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    s_log.setFileName(QString::fromLocal8Bit(argc > 1 ? argv[1] : ""));
    Manager manager;
    JourneyControl control(bus);
    if (!s_log.open(QIODevice::WriteOnly | QIODevice::Append)
        || !bus.registerObject(managerPath, &manager, QDBusConnection::ExportAllSlots)
        || !bus.registerObject(u"/journey"_s, &control, QDBusConnection::ExportAllSlots)
        || !bus.registerService(u"org.freedesktop.login1"_s)) {
        std::fprintf(stderr, "usage: journey_logind LOG (on a bus of its own)\n");
        return 1;
    }
    return QCoreApplication::exec();
}

#include "journey_logind.moc"
