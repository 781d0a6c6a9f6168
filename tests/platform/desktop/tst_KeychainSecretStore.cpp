// The keyring through QtKeychain: on a private bus with a GNOME Keyring of its own (--keyring), and
// on one without any Secret Service (the withoutSecretService run).
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
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QString service = u"Tivren.Test"_s;
const QString account = u"secret"_s;
const QByteArray secret = R"({"accessToken":"ya29.test-secret-1234","tokenType":"Bearer"})";

bool secretServiceRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(u"org.freedesktop.secrets"_s);
}

// Every file of this test's private HOME and XDG folders that holds the bytes.
QStringList filesContaining(const QByteArray& bytes)
{
    QStringList found;
    QDirIterator it(QDir::homePath() + u"/.."_s, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(bytes))
            found.append(file.fileName());
    }
    return found;
}

} // namespace

class tst_KeychainSecretStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storesReadsReplacesAndRemoves()
    {
        QVERIFY2(secretServiceRunning(), "run with scripts/isolated-run --keyring");
        KeychainSecretStore store(10s);
        const auto absent = resultOf(store.read(service, account));
        QVERIFY(absent && absent->hasValue());
        QVERIFY(!absent->value().has_value());
        const auto removedNothing = resultOf(store.remove(service, account));
        QVERIFY(removedNothing && removedNothing->hasValue());

        QVERIFY(resultOf(store.write(service, account, secret))->hasValue());
        QCOMPARE(resultOf(store.read(service, account))->value(), std::optional<QByteArray>(secret));
        QVERIFY(resultOf(store.write(service, account, "replaced"))->hasValue());
        QCOMPARE(resultOf(store.read(service, account))->value(), std::optional<QByteArray>("replaced"));
        // Another account of the same service is another item.
        QVERIFY(!resultOf(store.read(service, u"other"_s))->value().has_value());

        QVERIFY(resultOf(store.remove(service, account))->hasValue());
        QVERIFY(!resultOf(store.read(service, account))->value().has_value());
    }

    void lockedKeyringIsAnErrorNotAHang()
    {
        QVERIFY2(secretServiceRunning(), "run with scripts/isolated-run --keyring");
        KeychainSecretStore store(1500ms);
        QVERIFY(resultOf(store.write(service, account, secret))->hasValue());

        // Lock the default collection, as a screen lock or the user would.
        QDBusMessage alias = QDBusMessage::createMethodCall(u"org.freedesktop.secrets"_s,
            u"/org/freedesktop/secrets"_s,
            u"org.freedesktop.Secret.Service"_s,
            u"ReadAlias"_s);
        alias << u"default"_s;
        const QDBusMessage collection = QDBusConnection::sessionBus().call(alias);
        QCOMPARE(collection.type(), QDBusMessage::ReplyMessage);
        QDBusMessage lock = QDBusMessage::createMethodCall(u"org.freedesktop.secrets"_s,
            u"/org/freedesktop/secrets"_s,
            u"org.freedesktop.Secret.Service"_s,
            u"Lock"_s);
        lock << QVariant::fromValue(
            QList<QDBusObjectPath> { collection.arguments().value(0).value<QDBusObjectPath>() });
        QCOMPARE(QDBusConnection::sessionBus().call(lock).type(), QDBusMessage::ReplyMessage);

        // No unlock prompt can be shown on this bus: each call ends at once, none with a wrong
        // "nothing stored" or "deleted".
        QElapsedTimer clock;
        clock.start();
        const auto read = resultOf(store.read(service, account), 10000);
        QVERIFY2(read, "the read never ended");
        QCOMPARE(read->error(), (SecretStoreError { SecretStoreError::Kind::locked, {} }));
        const auto removed = resultOf(store.remove(service, account), 10000);
        QVERIFY(removed);
        QCOMPARE(removed->error(), (SecretStoreError { SecretStoreError::Kind::locked, {} }));
        const auto written = resultOf(store.write(service, account, "new"), 10000);
        QVERIFY(written && !written->hasValue());
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(GoogleOAuthTokenStore::keyringError(read->error()).message,
            u"The keyring is locked. Unlock it and try again."_s);
    }

    void withoutSecretService()
    {
        if (secretServiceRunning())
            QSKIP("a Secret Service is running on this bus");
        KeychainSecretStore keychain(10s);
        GoogleOAuthTokenStore tokens(keychain);
        QElapsedTimer clock;
        clock.start();
        const auto loaded = resultOf(tokens.load());
        QVERIFY(loaded && !loaded->hasValue());
        QCOMPARE(loaded->error().kind, GoogleCalendarServiceError::Kind::systemError);
        QVERIFY2(loaded->error().message.startsWith(u"The keyring could not be used: "_s),
            qPrintable(loaded->error().message));

        const auto written = resultOf(keychain.write(service, account, secret));
        QVERIFY(written && !written->hasValue());
        QCOMPARE(written->error().kind, SecretStoreError::Kind::failed);
        QVERIFY(!written->error().detail.isEmpty());
        const auto removed = resultOf(keychain.remove(service, account));
        QVERIFY(removed && !removed->hasValue());
        QVERIFY(clock.elapsed() < 5000);
        // No fallback to a file of its own.
        QCOMPARE(filesContaining("test-secret-1234"), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_KeychainSecretStore)
#include "tst_KeychainSecretStore.moc"
