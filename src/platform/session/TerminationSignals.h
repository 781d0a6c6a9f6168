// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace tivren {

// SIGTERM, SIGINT and SIGHUP (the terminal closed, the session ending) as a Qt signal on the
// user-interface thread, so the program quits through its event loop and finishes its saves
// instead of dying in the middle of one. One per process: the handlers are process-wide.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    // Emitted once for every signal that arrived; a second one while quitting may cut short what
    // still waits for the user.
    void received();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tivren
