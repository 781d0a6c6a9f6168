// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/google/GoogleCalendarServicing.h"
#include "core/Expected.h"

#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <qcoro/qcorotask.h>

#include <chrono>
#include <memory>
#include <optional>

class QTcpSocket;

namespace tivren {

// One sign-in's HTTP listener for the browser's redirect back from Google, on 127.0.0.1 only.
// It accepts connections from its creation until the first completion (a code, a failure the
// callback reported, cancel() or the time limit), then closes the port; it is not reused.
// Each connection gets one request of at most 8192 bytes within a short deadline; a request that
// cannot be read, or that does not carry this sign-in's state, is answered (when possible) and
// dropped without ending the wait: any local page or process can reach the port.
class LoopbackAuthorizationReceiver : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        std::chrono::milliseconds signIn = std::chrono::minutes(5);
        std::chrono::milliseconds connection = std::chrono::seconds(10);
    };

    // What one request asks.
    struct CallbackResult
    {
        enum class Kind
        {
            code, // value: the authorization code
            failure, // value: the reason, for the user; the callback carried this sign-in's state
            ignored, // another path, e.g. the browser asking for the tab's icon
            unreadable, // value: the reason; not an HTTP request at all, answered but no end of the wait
            foreign, // value: the reason; no or another state, answered but no end of the wait
            misdirected, // value: the reason; sent to another host name (DNS rebinding), no end of the wait
        };
        Kind kind;
        QString value;

        bool operator==(const CallbackResult&) const = default;
    };

    static constexpr qsizetype maxRequestSize = 8192;
    // The most of Google's error text a page or alert ever quotes.
    static constexpr qsizetype maxReasonLength = 200;
    static constexpr int maxOpenConnections = 16;

    // Starts listening on 127.0.0.1:port (0: any free port). A port in use fails here, before any
    // browser is involved; there is no fallback to another address or port.
    [[nodiscard]] static Expected<std::unique_ptr<LoopbackAuthorizationReceiver>, GoogleCalendarServiceError> listen(
        quint16 port, Limits limits);
    ~LoopbackAuthorizationReceiver() override;

    [[nodiscard]] quint16 port() const { return m_port; }
    [[nodiscard]] bool isListening() const { return m_server.isListening(); }

    // The code of the first callback whose state matches, or why there is none. Call once.
    [[nodiscard]] QCoro::Task<Expected<QString, GoogleCalendarServiceError>> waitForAuthorizationCode(
        QString expectedState);
    // Ends the wait with authorizationCancelled (the browser could not be opened).
    void cancel();

    // Reads one HTTP request: its Host header against the receiver's port, then the request line's
    // target against the expected state.
    [[nodiscard]] static CallbackResult parse(const QString& request, const QString& expectedState, quint16 port);
    // Text from the request made fit to quote: no control or format characters, at most
    // maxReasonLength characters.
    [[nodiscard]] static QString quotable(const QString& text);
    // The HTTP status a result is answered with.
    [[nodiscard]] static int statusCode(CallbackResult::Kind kind);
    // The complete HTTP reply for a page body (UTF-8, Content-Length in bytes), never cached.
    [[nodiscard]] static QByteArray httpReply(int status, const QString& body);

Q_SIGNALS:
    void finished();

private:
    explicit LoopbackAuthorizationReceiver(Limits limits);
    void acceptConnections();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const CallbackResult& result);
    // Completes the wait exactly once; later results are dropped.
    void finish(Expected<QString, GoogleCalendarServiceError> result);

    QTcpServer m_server;
    QTimer m_signInTimer;
    Limits m_limits;
    quint16 m_port = 0;
    std::optional<QString> m_expectedState; // set while waiting
    std::optional<Expected<QString, GoogleCalendarServiceError>> m_result;
};

} // namespace tivren
