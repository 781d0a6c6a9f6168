#pragma once

// Google's OAuth token endpoint and Calendar API, played by a small HTTP server on 127.0.0.1 for
// the tests of the Google client: it answers the replies a test scripted for a method and path
// (in order; the last one repeats) and records every request it gets.
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>

#include <deque>
#include <map>

namespace tivren::testing {

class FakeGoogleServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray target; // as sent: path and query, percent-encoded
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;

        [[nodiscard]] QByteArray path() const
        {
            const qsizetype query = target.indexOf('?');
            return query < 0 ? target : target.left(query);
        }
        [[nodiscard]] QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
        // The form fields of a token request, decoded.
        [[nodiscard]] QString formValue(const QString& name) const
        {
            return QUrlQuery(QString::fromUtf8(body)).queryItemValue(name, QUrl::FullyDecoded);
        }
    };

    struct Reply
    {
        int status = 200;
        QByteArray body;
        bool silent = false; // never answer: a server that hangs
    };

    FakeGoogleServer()
    {
        m_server.listen(QHostAddress(QHostAddress::LocalHost));
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    read(socket);
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                    m_buffers.erase(socket);
                    socket->deleteLater();
                });
            }
        });
    }

    [[nodiscard]] QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }

    void script(const QByteArray& method, const QByteArray& path, Reply reply)
    {
        m_replies[method + ' ' + path].push_back(std::move(reply));
    }
    void scriptJson(const QByteArray& method, const QByteArray& path, int status, const QJsonObject& body)
    {
        script(method, path, { status, QJsonDocument(body).toJson(QJsonDocument::Compact) });
    }

    [[nodiscard]] QList<Request> requestsTo(const QByteArray& method, const QByteArray& path) const
    {
        QList<Request> found;
        for (const Request& request : requests) {
            if (request.method == method && request.path() == path)
                found.append(request);
        }
        return found;
    }

    QList<Request> requests;

private:
    void read(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (buffer.size() < headEnd + 4 + length)
            return;
        request.body = buffer.mid(headEnd + 4, length);
        buffer.remove(0, headEnd + 4 + length);
        requests.append(request);

        const QByteArray route = request.method + ' ' + request.path();
        Reply reply { 500, "{\"error\":{\"message\":\"nothing scripted for " + route + "\"}}" };
        if (auto found = m_replies.find(route); found != m_replies.end() && !found->empty()) {
            reply = found->front();
            if (found->size() > 1)
                found->pop_front();
        }
        if (reply.silent)
            return;
        socket->write("HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n"
            + "Content-Type: application/json; charset=utf-8\r\nContent-Length: "
            + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body);
        socket->disconnectFromHost();
    }

    QHash<QByteArray, std::deque<Reply>> m_replies;
    std::map<QTcpSocket*, QByteArray> m_buffers;
    QTcpServer m_server; // last: its connections go first, while the buffers still exist
};

} // namespace tivren::testing
