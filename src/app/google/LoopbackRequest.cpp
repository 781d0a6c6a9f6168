// The sign-in callback's request reader and reply: plain functions of text, apart from the
// listening and waiting, so they can be fuzzed on their own.
#include "app/google/GoogleOAuth.h"
#include "app/google/LoopbackAuthorizationReceiver.h"
#include "app/text/AppStrings.h"

#include <QHash>
#include <QLocale>
#include <QUrl>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

QString systemText(const QString& key, const QVariantList& arguments = {})
{
    return AppStrings::text(QLocale::system(), key, arguments);
}

} // namespace

QByteArray LoopbackAuthorizationReceiver::httpReply(const QString& body)
{
    const QByteArray content = body.toUtf8();
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
        + QByteArray::number(content.size()) + "\r\nConnection: close\r\n\r\n" + content;
}

LoopbackAuthorizationReceiver::CallbackResult LoopbackAuthorizationReceiver::parse(
    const QString& request, const QString& expectedState)
{
    using Kind = CallbackResult::Kind;
    const QStringList lines = request.split(u"\r\n"_s, Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return { Kind::unreadable, systemText(Text::en("Could not read the Google authorization callback.")) };
    const QStringList pieces = lines.first().split(u' ', Qt::SkipEmptyParts);
    const QString unparsable = systemText(Text::en("Could not parse the Google authorization callback."));
    if (pieces.size() < 2)
        return { Kind::unreadable, unparsable };
    const QUrl url(u"http://127.0.0.1"_s + pieces.at(1), QUrl::StrictMode);
    if (!url.isValid())
        return { Kind::unreadable, unparsable };
    if (url.path(QUrl::FullyDecoded) != GoogleOAuth::callbackPath)
        return { Kind::ignored, {} };

    QHash<QString, QStringList> items;
    for (const auto& [name, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
        items[name].append(value);
    const QString mismatch =
        systemText(Text::en("The Google authorization response did not match the current request."));
    // A repeated name makes the callback ambiguous: it is not the one this sign-in asked for.
    for (const QString& name : { u"error"_s, u"state"_s, u"code"_s }) {
        if (items.value(name).size() > 1)
            return { Kind::failure, mismatch };
    }
    const QString error = items.value(u"error"_s).value(0);
    if (!error.isEmpty())
        return { Kind::failure, systemText(Text::en("Google returned: %@"), { error }) };
    if (!items.contains(u"state"_s) || items.value(u"state"_s).first() != expectedState)
        return { Kind::failure, mismatch };
    const QString code = items.value(u"code"_s).value(0);
    if (code.isEmpty())
        return { Kind::failure, systemText(Text::en("Google did not return an authorization code.")) };
    return { Kind::code, code };
}

} // namespace tivren
