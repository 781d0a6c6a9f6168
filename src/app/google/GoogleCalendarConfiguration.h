// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

#include <chrono>

namespace tivren {

// The program's registration with Google as a desktop OAuth client.
struct GoogleOAuthClient
{
    QString clientID; // empty in a build configured without one: Connect then explains that
    QString clientSecret;
};

// Where Google's services are: scheme, host and port of each; the paths are fixed by the client.
struct GoogleEndpoints
{
    QUrl authorization; // opened in the browser
    QUrl token;
    QUrl calendarAPI;
};

struct GoogleCalendarConfiguration
{
    GoogleOAuthClient client;
    GoogleEndpoints endpoints;
    quint16 callbackPort = 8765; // 0: any free port (tests)
    // How long the browser may take to come back to the loopback listener before the sign-in
    // gives up and closes the port.
    std::chrono::milliseconds signInTimeLimit = std::chrono::minutes(5);
    // How long one connection to the listener may take to send its request.
    std::chrono::milliseconds callbackConnectionDeadline = std::chrono::seconds(10);
    // A request fails when no data moves for this long ...
    std::chrono::milliseconds requestIdleTimeout = std::chrono::seconds(60);
    // ... or when it takes longer than this as a whole.
    std::chrono::milliseconds requestTimeLimit = std::chrono::seconds(120);

    // The client and hosts this build was configured with (TIVREN_GOOGLE_* in CMake).
    [[nodiscard]] static GoogleCalendarConfiguration fromBuild();
};

} // namespace tivren
