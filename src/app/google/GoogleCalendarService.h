// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/google/GoogleCalendarConfiguration.h"
#include "app/google/GoogleCalendarServicing.h"
#include "app/google/GoogleOAuth.h"
#include "app/google/GoogleOAuthTokenStore.h"
#include "app/model/Clock.h"
#include "app/services/Browser.h"
#include "app/services/SecretStore.h"
#include "app/services/SerialQueue.h"

#include <QByteArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QUrl>

#include <functional>

namespace tivren {

// One page of the calendar list: its calendars and where the next page is, if there is one.
struct GoogleCalendarListPage
{
    QList<GoogleCalendarListItem> calendars;
    std::optional<QString> nextPageToken;
};

// Google Calendar through its REST API v3: the OAuth sign-in (PKCE, loopback redirect), the token
// in the keyring, the calendar list and writing one event per exported entry. It runs one
// operation at a time; each request has an idle timeout and an overall time limit.
class GoogleCalendarService final : public GoogleCalendarServicing
{
public:
    GoogleCalendarService(QNetworkAccessManager& session,
        SecretStore& secrets,
        Browser& browser,
        const Clock& clock,
        GoogleCalendarConfiguration configuration);

    QCoro::Task<Expected<Done, GoogleCalendarServiceError>> authorize(GoogleCalendarSettings settings) override;
    QCoro::Task<Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError>> fetchCalendars(
        GoogleCalendarSettings settings) override;
    QCoro::Task<bool> hasStoredToken() override;
    QCoro::Task<Expected<Done, GoogleCalendarServiceError>> deleteStoredToken() override;
    QCoro::Task<GoogleCalendarExportResult> exportEntries(QList<TimeEntry> entries,
        QList<Project> projects,
        GoogleCalendarSettings settings,
        QHash<QUuid, QString> calendarAssignments,
        QList<GoogleCalendarEventLink> existingLinks) override;

    // The event an entry becomes: title, notes, start and end in UTC with the system's time
    // zone when it has a name, and the entry's and project's identifiers as private extended
    // properties.
    [[nodiscard]] static QJsonObject eventPayload(
        const TimeEntry& entry, const std::optional<Project>& project, const std::optional<QString>& timeZone);
    // Accepts a 2xx reply; otherwise the error the API's body names.
    [[nodiscard]] static Expected<Done, GoogleCalendarServiceError> validate(const HttpReply& reply);
    // One page of the calendar list, in Google's order.
    [[nodiscard]] static Expected<GoogleCalendarListPage, GoogleCalendarServiceError> decodeCalendarListPage(
        const QByteArray& body);
    // The calendar list as offered to the user: primary first, then by name.
    [[nodiscard]] static QList<GoogleCalendarListItem> sortedCalendars(QList<GoogleCalendarListItem> calendars);
    // The address of one page of the calendar list; nothing for the first.
    [[nodiscard]] static QUrl calendarListPageURL(QUrl url, const std::optional<QString>& pageToken);

    // Google's largest page, and how many pages are read before the list counts as endless.
    static constexpr int calendarListPageSize = 250;
    static constexpr int maxCalendarListPages = 20;

private:
    // Internal operations; they run inside the turn of the public one that calls them.
    QCoro::Task<Expected<GoogleOAuthToken, GoogleCalendarServiceError>> validAccessToken(
        GoogleCalendarSettings settings);
    QCoro::Task<Expected<GoogleOAuthToken, GoogleCalendarServiceError>> refreshToken(
        GoogleOAuthToken token, GoogleCalendarSettings settings);
    QCoro::Task<Expected<GoogleOAuthToken, GoogleCalendarServiceError>> requestToken(
        QMap<QString, QString> fields, std::optional<QString> previousRefreshToken);
    // Inserts the event under its own id, or replaces the linked one; gives the event's id.
    QCoro::Task<Expected<QString, GoogleCalendarServiceError>> upsertEvent(QJsonObject event,
        QString calendarID,
        QString ownEventID,
        std::optional<QString> linkedEventID,
        GoogleCalendarSettings settings);
    QCoro::Task<Expected<HttpReply, GoogleCalendarServiceError>> replaceEvent(
        QJsonObject event, QString calendarID, QString eventID, GoogleCalendarSettings settings);
    // One request; a reply without HTTP status only when the transfer itself failed.
    QCoro::Task<Expected<HttpReply, GoogleCalendarServiceError>> send(
        QNetworkRequest request, QByteArray verb, QByteArray body);
    // One Calendar API request with the access token (and a JSON body unless empty, a query added
    // to the URL when given); a token Google refuses gets one refresh and one more try.
    QCoro::Task<Expected<HttpReply, GoogleCalendarServiceError>> authorizedSend(QString path,
        QByteArray verb,
        QByteArray json,
        GoogleCalendarSettings settings,
        std::function<QUrl(QUrl)> query = {});
    [[nodiscard]] QNetworkRequest apiRequest(const QString& path, const GoogleOAuthToken& token) const;

    QNetworkAccessManager& m_session;
    GoogleOAuthTokenStore m_tokenStore;
    Browser& m_browser;
    const Clock& m_clock;
    GoogleCalendarConfiguration m_configuration;
    SerialQueue m_queue;
};

} // namespace tivren
