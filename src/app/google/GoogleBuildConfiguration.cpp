// SPDX-License-Identifier: GPL-3.0-or-later
// The only place the build's Google settings (CMake cache variables) reach the code.
#include "app/google/GoogleCalendarConfiguration.h"

using namespace Qt::StringLiterals;

#ifndef TIVREN_GOOGLE_CLIENT_ID
#error "TIVREN_GOOGLE_CLIENT_ID must be defined by the build (it may be empty)"
#endif

namespace tivren {
namespace {

QUrl https(const char* host)
{
    QUrl url;
    url.setScheme(u"https"_s);
    url.setAuthority(QString::fromUtf8(host));
    return url;
}

} // namespace

GoogleCalendarConfiguration GoogleCalendarConfiguration::fromBuild()
{
    GoogleCalendarConfiguration configuration;
    configuration.client = { QString::fromUtf8(TIVREN_GOOGLE_CLIENT_ID).trimmed(),
        QString::fromUtf8(TIVREN_GOOGLE_CLIENT_SECRET).trimmed() };
    configuration.endpoints = {
        https(TIVREN_GOOGLE_AUTHORIZATION_HOST), https(TIVREN_GOOGLE_TOKEN_HOST), https(TIVREN_GOOGLE_CALENDAR_API_HOST)
    };
    return configuration;
}

} // namespace tivren
