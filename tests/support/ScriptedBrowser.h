#pragma once

// The user's browser in the Google sign-in: records what it was asked to open, then asks for the
// tab icon and follows the redirect back with the callback query the test scripted.
#include "app/services/Browser.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrlQuery>

#include <functional>
#include <optional>

namespace tivren::testing {

class ScriptedBrowser final : public Browser
{
public:
    bool canOpen = true;
    std::function<std::optional<QString>(const QUrlQuery&)> callbackQuery; // nothing: the user never comes back
    QList<QUrl> opened;
    QList<QByteArray> pages; // what the listener answered, in order
    bool finished = false;

    bool openUrl(const QUrl& url) override
    {
        opened.append(url);
        const std::optional<QString> query = callbackQuery ? callbackQuery(QUrlQuery(url)) : std::nullopt;
        if (!canOpen || !query)
            return canOpen;
        QUrl icon = redirectURI(), callback = redirectURI();
        icon.setPath(QStringLiteral("/favicon.ico"));
        callback.setQuery(*query);
        visit({ icon, callback });
        return true;
    }

    [[nodiscard]] QUrl redirectURI() const
    {
        return QUrl(QUrlQuery(opened.value(0)).queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
    }

private:
    // One page after the other, from the event loop, as a real browser would.
    void visit(QList<QUrl> urls)
    {
        finished = urls.isEmpty();
        if (finished)
            return;
        QNetworkReply* reply = m_network.get(QNetworkRequest(urls.takeFirst()));
        QObject::connect(reply, &QNetworkReply::finished, &m_network, [this, reply, urls] {
            pages.append(reply->readAll());
            reply->deleteLater();
            visit(urls);
        });
    }

    QNetworkAccessManager m_network;
};

} // namespace tivren::testing
