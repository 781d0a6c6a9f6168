// SPDX-License-Identifier: GPL-3.0-or-later
// A GNOME Keyring of its own on a private bus (--keyring), and a bus without any Secret Service.
#include "app/google/GoogleOAuthTokenStore.h"
#include "platform/desktop/KeychainSecretStore.h"
#include "support/TaskResult.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QString service = u"Tivren.Test"_s, account = u"secret"_s;
const QByteArray secret = R"({"accessToken":"ya29.test-secret-1234","tokenType":"Bearer"})";
const std::optional<QByteArray> none;

bool secretServiceRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(u"org.freedesktop.secrets"_s);
}

} // namespace

class tst_KeychainSecretStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storesReadsReplacesAndRemoves()
    {
        QVERIFY2(secretServiceRunning(), "run with scripts/isolated-run --keyring");
        KeychainSecretStore store(1500ms);
        QCOMPARE(resultOf(store.read(service, account))->value(), none);
        QVERIFY(resultOf(store.remove(service, account))->hasValue()); // nothing to remove is fine
        QVERIFY(resultOf(store.write(service, account, "first"))->hasValue());
        QVERIFY(resultOf(store.write(service, account, secret))->hasValue());
        QCOMPARE(resultOf(store.read(service, account))->value(), std::optional(secret));
        QCOMPARE(resultOf(store.read(service, u"other"_s))->value(), none); // another account, another item
        QVERIFY(resultOf(store.write(service, u"other"_s, "other"))->hasValue());
        QVERIFY(resultOf(store.remove(service, u"other"_s))->hasValue());
        QCOMPARE(resultOf(store.read(service, u"other"_s))->value(), none);
        QCOMPARE(resultOf(store.read(service, account))->value(), std::optional(secret));

        // Locked (no unlock prompt on this bus): each call ends at once, none as "nothing stored" or "deleted".
        QDBusMessage lock = QDBusMessage::createMethodCall(u"org.freedesktop.secrets"_s,
            u"/org/freedesktop/secrets"_s,
            u"org.freedesktop.Secret.Service"_s,
            u"Lock"_s);
        lock << QVariant::fromValue(
            QList<QDBusObjectPath> { QDBusObjectPath(u"/org/freedesktop/secrets/aliases/default"_s) });
        QCOMPARE(QDBusConnection::sessionBus().call(lock).type(), QDBusMessage::ReplyMessage);
        QElapsedTimer clock;
        clock.start();
        const SecretStoreError locked { SecretStoreError::Kind::locked, {} };
        QCOMPARE(resultOf(store.read(service, account), 10000).value().error(), locked);
        QCOMPARE(resultOf(store.remove(service, account), 10000).value().error(), locked);
        QVERIFY(!resultOf(store.write(service, account, "new"), 10000).value().hasValue());
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(
            GoogleOAuthTokenStore::keyringError(locked).message, u"The keyring is locked. Unlock it and try again."_s);
    }

    void withoutSecretService()
    {
        if (secretServiceRunning())
            QSKIP("a Secret Service is running on this bus");
        KeychainSecretStore keychain(10s);
        GoogleOAuthTokenStore tokens(keychain);
        QElapsedTimer clock;
        clock.start();
        const auto loaded = resultOf(tokens.load()).value();
        QVERIFY(!loaded.hasValue() && loaded.error().kind == GoogleCalendarServiceError::Kind::systemError);
        QVERIFY2(loaded.error().message.startsWith(u"The keyring could not be used: "_s),
            qPrintable(loaded.error().message));
        const auto written = resultOf(keychain.write(service, account, secret)).value();
        QVERIFY(!written.hasValue() && written.error().kind == SecretStoreError::Kind::failed);
        QVERIFY(!written.error().detail.isEmpty());
        QVERIFY(!resultOf(keychain.remove(service, account)).value().hasValue());
        QVERIFY(clock.elapsed() < 5000);
        // No fallback to a file of its own.
        QDirIterator it(QDir::homePath() + u"/.."_s, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY2(!file.open(QIODevice::ReadOnly) || !file.readAll().contains("test-secret-1234"),
                qPrintable(file.fileName()));
        }
    }
};

QTEST_GUILESS_MAIN(tst_KeychainSecretStore)
#include "tst_KeychainSecretStore.moc"
