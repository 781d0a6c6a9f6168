// SPDX-License-Identifier: GPL-3.0-or-later
// A desktop's idle monitor on a journey's private bus, as one of:
//   --mutter           org.gnome.Mutter.IdleMonitor (GetIdletime, milliseconds)
//   --screensaver      org.freedesktop.ScreenSaver (GetSessionIdleTime, milliseconds, as KDE)
//   --screensaver-seconds   the same in seconds, as LXQt
//   --screensaver-error     the name owned, every call an error, as GNOME's settings daemon
// The user is active until a journey says otherwise with
//   dbus-send --session --dest=NAME /journey org.tivren.JourneyIdle.SetIdleTime uint64:MSECS
// from when on the idle time grows from MSECS as a desktop's would; 0 is the user back.
// org.tivren.JourneyIdle.Asked answers how often the idle time was asked for since then.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QElapsedTimer>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The user's idle time as the desktop counts it.
class IdleClock : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tivren.JourneyIdle")

public:
    IdleClock() { m_since.start(); }

    [[nodiscard]] qulonglong idleMsecs() const
    {
        ++m_asked;
        return m_base + qulonglong(m_since.elapsed());
    }

public Q_SLOTS:
    void SetIdleTime(qulonglong msecs)
    {
        m_base = msecs;
        m_asked = 0;
        m_since.restart();
    }
    uint Asked() const { return m_asked; }

private:
    qulonglong m_base = 0;
    mutable uint m_asked = 0;
    QElapsedTimer m_since;
};

class MutterIdleMonitor : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")

public:
    explicit MutterIdleMonitor(const IdleClock& clock)
        : m_clock(clock)
    {
    }

public Q_SLOTS:
    qulonglong GetIdletime() const { return m_clock.idleMsecs(); }

private:
    const IdleClock& m_clock;
};

class ScreenSaver : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    enum class Answer
    {
        milliseconds,
        seconds,
        error,
    };

    ScreenSaver(const IdleClock& clock, Answer answer)
        : m_clock(clock)
        , m_answer(answer)
    {
    }

public Q_SLOTS:
    uint GetSessionIdleTime()
    {
        if (m_answer == Answer::error) {
            sendErrorReply(QDBusError::NotSupported, u"This method is not implemented"_s);
            return 0;
        }
        const qulonglong msecs = m_clock.idleMsecs();
        return uint(m_answer == Answer::seconds ? msecs / 1000 : msecs);
    }

private:
    const IdleClock& m_clock;
    Answer m_answer;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QString mode = QCoreApplication::arguments().value(1);
    IdleClock clock;
    MutterIdleMonitor mutter(clock);
    std::unique_ptr<ScreenSaver> screenSaver;
    QObject* service = &mutter;
    QString name = u"org.gnome.Mutter.IdleMonitor"_s;
    QString path = u"/org/gnome/Mutter/IdleMonitor/Core"_s;
    if (mode.startsWith(u"--screensaver"_s)) {
        const auto answer = mode == u"--screensaver-seconds"_s ? ScreenSaver::Answer::seconds
            : mode == u"--screensaver-error"_s                 ? ScreenSaver::Answer::error
                                                               : ScreenSaver::Answer::milliseconds;
        screenSaver = std::make_unique<ScreenSaver>(clock, answer);
        service = screenSaver.get();
        name = u"org.freedesktop.ScreenSaver"_s;
        path = u"/org/freedesktop/ScreenSaver"_s;
    } else if (mode != u"--mutter"_s) {
        mode.clear();
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (mode.isEmpty() || !bus.registerObject(path, service, QDBusConnection::ExportAllSlots)
        || !bus.registerObject(u"/journey"_s, &clock, QDBusConnection::ExportAllSlots) || !bus.registerService(name)) {
        std::fprintf(stderr,
            "usage: journey_idle_services --mutter | --screensaver | --screensaver-seconds | --screensaver-error\n");
        return 1;
    }
    return QCoreApplication::exec();
}

#include "journey_idle_services.moc"
