// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/google/LoopbackAuthorizationReceiver.h"

#include "app/google/GoogleOAuth.h"
#include "app/google/OAuthCallbackPage.h"
#include "app/text/AppStrings.h"

#include <QHostAddress>
#include <QLocale>
#include <QStringDecoder>
#include <QTcpSocket>
#include <qcoro/qcorosignal.h>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

QString systemText(const QString& key, const QVariantList& arguments = {})
{
    return AppStrings::text(QLocale::system(), key, arguments);
}

} // namespace

LoopbackAuthorizationReceiver::LoopbackAuthorizationReceiver(Limits limits)
    : m_limits(limits)
{
    m_signInTimer.setSingleShot(true);
    connect(&m_signInTimer, &QTimer::timeout, this, [this] {
        finish(Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::systemError,
            systemText(Text::en("The Google sign-in was not finished in time. Please try again.")) }));
    });
}

LoopbackAuthorizationReceiver::~LoopbackAuthorizationReceiver()
{
    m_server.close();
}

Expected<std::unique_ptr<LoopbackAuthorizationReceiver>, GoogleCalendarServiceError>
LoopbackAuthorizationReceiver::listen(quint16 port, Limits limits)
{
    std::unique_ptr<LoopbackAuthorizationReceiver> receiver(new LoopbackAuthorizationReceiver(limits));
    // The redirect names 127.0.0.1, so nothing else is listened on: no other interface, no IPv6.
    if (!receiver->m_server.listen(QHostAddress(QHostAddress::LocalHost), port)) {
        return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::systemError,
            systemText(Text::en("Could not receive the Google sign-in on port %d: %@"),
                { int(port), receiver->m_server.errorString() }) });
    }
    receiver->m_port = receiver->m_server.serverPort();
    receiver->m_signInTimer.start(limits.signIn);
    return receiver;
}

QCoro::Task<Expected<QString, GoogleCalendarServiceError>> LoopbackAuthorizationReceiver::waitForAuthorizationCode(
    QString expectedState)
{
    m_expectedState = std::move(expectedState);
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackAuthorizationReceiver::acceptConnections);
    acceptConnections(); // those that arrived before the wait began
    if (!m_result) {
        auto finishing = qCoro(this, &LoopbackAuthorizationReceiver::finished);
        co_await finishing;
    }
    co_return *m_result;
}

void LoopbackAuthorizationReceiver::cancel()
{
    finish(Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::authorizationCancelled, {} }));
}

void LoopbackAuthorizationReceiver::acceptConnections()
{
    while (m_server.hasPendingConnections()) {
        QTcpSocket* socket = m_server.nextPendingConnection();
        if (m_result || m_server.findChildren<QTcpSocket*>(Qt::FindDirectChildrenOnly).size() > maxOpenConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // Never buffer more than one request's worth of a connection.
        socket->setReadBufferSize(maxRequestSize);
        // A slow or silent client must not hold a place for long.
        auto* deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        deadline->start(m_limits.connection);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            readRequest(socket);
        });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void LoopbackAuthorizationReceiver::readRequest(QTcpSocket* socket)
{
    const QByteArray data = socket->peek(maxRequestSize);
    // Wait for the end of the head (a GET has no body), up to the size limit.
    if (!data.contains("\r\n\r\n") && data.size() < maxRequestSize)
        return;
    // One request per connection: whatever follows is not read.
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    socket->readAll();

    // A request cut off at the size limit is never acted on: its code could be cut off too.
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(data);
    const CallbackResult result = decoder.hasError() || !data.contains("\r\n\r\n")
        ? CallbackResult { CallbackResult::Kind::unreadable,
              systemText(Text::en("Could not read the Google authorization callback.")) }
        : parse(text, m_expectedState.value_or(QString()), m_port);
    answer(socket, result);
    switch (result.kind) {
    case CallbackResult::Kind::code:
        finish(result.value);
        break;
    case CallbackResult::Kind::failure:
        finish(Unexpected(
            GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::oauthCallbackFailed, result.value }));
        break;
    case CallbackResult::Kind::ignored:
    case CallbackResult::Kind::unreadable:
    case CallbackResult::Kind::foreign:
    case CallbackResult::Kind::misdirected:
        break;
    }
}

void LoopbackAuthorizationReceiver::answer(QTcpSocket* socket, const CallbackResult& result)
{
    QString body;
    switch (result.kind) {
    case CallbackResult::Kind::code:
        body = OAuthCallbackPage::render(OAuthCallbackPage::State::success());
        break;
    case CallbackResult::Kind::failure:
    case CallbackResult::Kind::unreadable:
    case CallbackResult::Kind::foreign:
    case CallbackResult::Kind::misdirected:
        body = OAuthCallbackPage::render(OAuthCallbackPage::State::failure(result.value));
        break;
    case CallbackResult::Kind::ignored:
        body = u"<html><body></body></html>"_s;
        break;
    }
    socket->write(httpReply(statusCode(result.kind), body));
    socket->disconnectFromHost(); // after the reply is written
    // The sign-in may end (and the receiver go) before the browser has read its page: the
    // connection then finishes on its own, deleted once closed or at its deadline.
    socket->setParent(nullptr);
}

void LoopbackAuthorizationReceiver::finish(Expected<QString, GoogleCalendarServiceError> result)
{
    if (m_result)
        return;
    m_result.emplace(std::move(result));
    m_signInTimer.stop();
    m_server.close(); // connections already accepted are still answered
    Q_EMIT finished();
}

} // namespace tivren
