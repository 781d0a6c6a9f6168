// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/google/GoogleOAuthTokenStore.h"

#include "app/text/AppStrings.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace tivren {

GoogleOAuthTokenStore::GoogleOAuthTokenStore(SecretStore& secrets)
    : m_secrets(secrets)
{
}

GoogleCalendarServiceError GoogleOAuthTokenStore::keyringError(const SecretStoreError& error)
{
    const QLocale locale = QLocale::system();
    switch (error.kind) {
    case SecretStoreError::Kind::locked:
        return { GoogleCalendarServiceError::Kind::systemError,
            AppStrings::text(locale, Text::en("The keyring is locked. Unlock it and try again.")) };
    case SecretStoreError::Kind::timedOut:
        return { GoogleCalendarServiceError::Kind::systemError,
            AppStrings::text(
                locale, Text::en("The keyring did not answer in time. Make sure it is unlocked and try again.")) };
    case SecretStoreError::Kind::failed:
        break;
    }
    return { GoogleCalendarServiceError::Kind::systemError,
        AppStrings::text(locale, Text::en("The keyring could not be used: %@"), { error.detail }) };
}

QCoro::Task<Expected<std::optional<GoogleOAuthToken>, GoogleCalendarServiceError>> GoogleOAuthTokenStore::load()
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    auto reading = m_secrets.read(serviceName.toString(), accountName.toString());
    const auto secret = co_await std::move(reading);
    if (!secret)
        co_return Unexpected(keyringError(secret.error()));
    if (!*secret)
        co_return std::optional<GoogleOAuthToken>();
    auto token = GoogleOAuth::decodeToken(**secret);
    if (!token)
        co_return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::authorizationExpired, {} });
    co_return token;
}

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> GoogleOAuthTokenStore::save(GoogleOAuthToken token)
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    auto writing = m_secrets.write(serviceName.toString(), accountName.toString(), GoogleOAuth::encodeToken(token));
    const auto written = co_await std::move(writing);
    if (!written)
        co_return Unexpected(keyringError(written.error()));
    co_return Done {};
}

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> GoogleOAuthTokenStore::checkWritable()
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    auto writing = m_secrets.write(serviceName.toString(), probeAccountName.toString(), QByteArrayLiteral("probe"));
    const auto written = co_await std::move(writing);
    if (!written)
        co_return Unexpected(keyringError(written.error()));
    auto removing = m_secrets.remove(serviceName.toString(), probeAccountName.toString());
    const auto removed = co_await std::move(removing);
    if (!removed)
        co_return Unexpected(keyringError(removed.error()));
    co_return Done {};
}

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> GoogleOAuthTokenStore::remove()
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    auto removing = m_secrets.remove(serviceName.toString(), accountName.toString());
    const auto removed = co_await std::move(removing);
    if (!removed)
        co_return Unexpected(keyringError(removed.error()));
    co_return Done {};
}

} // namespace tivren
