// SPDX-License-Identifier: GPL-3.0-or-later
// The sign-in callback's request reader and reply: plain functions of text, apart from the
// listening and waiting, so they can be fuzzed on their own.
#include "app/google/GoogleOAuth.h"
#include "app/google/LoopbackAuthorizationReceiver.h"
#include "app/google/OAuthCallbackPage.h"
#include "app/text/AppStrings.h"

#include <QHash>
#include <QLocale>
#include <QUrl>
#include <QUrlQuery>

#include <optional>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

QString systemText(const QString& key, const QVariantList& arguments = {})
{
    return AppStrings::text(QLocale::system(), key, arguments);
}

QString mismatchText()
{
    return systemText(Text::en("The Google authorization response did not match the current request."));
}

// The Host header's value; nothing when the head has none or several.
std::optional<QString> hostHeader(const QStringList& headLines)
{
    std::optional<QString> host;
    for (qsizetype i = 1; i < headLines.size(); ++i) {
        const QString& line = headLines.at(i);
        const qsizetype colon = line.indexOf(u':');
        if (colon <= 0 || QStringView(line).left(colon).compare(u"host", Qt::CaseInsensitive) != 0)
            continue;
        if (host)
            return std::nullopt;
        host = line.mid(colon + 1).trimmed();
    }
    return host;
}

// A page on another site that rebinds its own host name to 127.0.0.1 reaches the port with that
// name: only the names the redirect can carry count. A browser leaves out HTTP's own port only.
bool isOwnHost(const QString& host, quint16 port)
{
    const QString withPort = u':' + QString::number(port);
    for (const QString& name : { u"127.0.0.1"_s, u"localhost"_s }) {
        if (host.compare(name + withPort, Qt::CaseInsensitive) == 0
            || (port == 80 && host.compare(name, Qt::CaseInsensitive) == 0))
            return true;
    }
    return false;
}

LoopbackAuthorizationReceiver::CallbackResult callbackResult(const QUrl& url, const QString& expectedState)
{
    using Kind = LoopbackAuthorizationReceiver::CallbackResult::Kind;
    QHash<QString, QStringList> items;
    for (const auto& [name, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
        items[name].append(value);
    // Only Google, through the user's browser, knows the state: anything else is some other page's
    // or process's request. It is answered, but can neither end the sign-in nor put words in its alert.
    const QStringList states = items.value(u"state"_s);
    if (expectedState.isEmpty() || states.size() != 1 || states.first() != expectedState)
        return { Kind::foreign, mismatchText() };
    // A repeated name makes the callback ambiguous: it is not the one this sign-in asked for.
    for (const QString& name : { u"error"_s, u"code"_s }) {
        if (items.value(name).size() > 1)
            return { Kind::failure, mismatchText() };
    }
    const QString error = items.value(u"error"_s).value(0);
    if (!error.isEmpty())
        return { Kind::failure,
            systemText(Text::en("Google returned: %@"), { LoopbackAuthorizationReceiver::quotable(error) }) };
    const QString code = items.value(u"code"_s).value(0);
    if (code.isEmpty())
        return { Kind::failure, systemText(Text::en("Google did not return an authorization code.")) };
    return { Kind::code, code };
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 421:
        return "Misdirected Request";
    default:
        return "Bad Request";
    }
}

} // namespace

QString LoopbackAuthorizationReceiver::quotable(const QString& text)
{
    QList<char32_t> kept;
    for (const char32_t c : text.toUcs4()) {
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format: // bidirectional overrides could turn the text around
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            break;
        default:
            kept.append(c);
        }
    }
    if (kept.size() > maxReasonLength) {
        kept.resize(maxReasonLength - 1);
        kept.append(U'\u2026');
    }
    return QString::fromUcs4(kept.constData(), kept.size());
}

int LoopbackAuthorizationReceiver::statusCode(CallbackResult::Kind kind)
{
    switch (kind) {
    case CallbackResult::Kind::code:
    case CallbackResult::Kind::failure:
        return 200;
    case CallbackResult::Kind::ignored:
        return 404;
    case CallbackResult::Kind::misdirected:
        return 421;
    case CallbackResult::Kind::unreadable:
    case CallbackResult::Kind::foreign:
        break;
    }
    return 400;
}

QByteArray LoopbackAuthorizationReceiver::httpReply(int status, const QString& body)
{
    const QByteArray content = body.toUtf8();
    // The callback's address holds the code: the page is never kept, sniffed or named to another site.
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status)
        + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " + QByteArray::number(content.size())
        + "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nReferrer-Policy: no-referrer"
          "\r\nContent-Security-Policy: "
        + OAuthCallbackPage::contentSecurityPolicy() + "\r\nConnection: close\r\n\r\n" + content;
}

LoopbackAuthorizationReceiver::CallbackResult LoopbackAuthorizationReceiver::parse(
    const QString& request, const QString& expectedState, quint16 port)
{
    using Kind = CallbackResult::Kind;
    // Only the head counts: a body could carry lines that look like headers.
    const QStringList lines = request.left(request.indexOf(u"\r\n\r\n"_s)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return { Kind::unreadable, systemText(Text::en("Could not read the Google authorization callback.")) };
    const QStringList pieces = lines.first().split(u' ', Qt::SkipEmptyParts);
    const QString unparsable = systemText(Text::en("Could not parse the Google authorization callback."));
    if (pieces.size() < 2)
        return { Kind::unreadable, unparsable };
    const std::optional<QString> host = hostHeader(lines);
    if (!host || !isOwnHost(*host, port))
        return { Kind::misdirected, mismatchText() };
    const QUrl url(u"http://127.0.0.1"_s + pieces.at(1), QUrl::StrictMode);
    if (!url.isValid())
        return { Kind::unreadable, unparsable };
    if (url.path(QUrl::FullyDecoded) != GoogleOAuth::callbackPath)
        return { Kind::ignored, {} };
    return callbackResult(url, expectedState);
}

} // namespace tivren
