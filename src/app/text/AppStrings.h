#pragma once

#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tivren {

// Marks a user-visible English text: the text is also its translation key. A test checks that
// every text marked with the _tr suffix in the sources has an entry in every translation table.
inline QString operator""_tr(const char16_t* text, size_t size)
{
    return QString::fromUtf16(text, qsizetype(size));
}

// One language's translations; looking up a key it lacks gives the key (the English text) back.
class StringTable
{
public:
    StringTable() = default;
    StringTable(QString identifier, const QHash<QString, QString>* translations)
        : m_identifier(std::move(identifier))
        , m_translations(translations)
    {
    }

    // The table's language identifier ("nl", "de", ...; "en" for the English texts themselves).
    [[nodiscard]] const QString& identifier() const { return m_identifier; }
    [[nodiscard]] QString lookup(const QString& key) const;

private:
    QString m_identifier = QStringLiteral("en");
    const QHash<QString, QString>* m_translations = nullptr;
};

// The translation tables (translations/<language>.json, compiled in as resources) and how a
// locale picks one. Two locales are in use at once: the app language of the windows and the
// menu, and the system language of notifications and service errors; every lookup names its
// locale, nothing depends on a global translator.
namespace AppStrings {

// The table names to try for a locale: its identifier, the identifier with "-" replaced by "_",
// then its language code, without duplicates ("de-AT" -> de-AT, de_AT, de).
[[nodiscard]] QStringList bundleIdentifiers(const QString& localeIdentifier, const QString& languageCode);
[[nodiscard]] QStringList bundleIdentifiers(const QLocale& locale);

// The first table of bundleIdentifiers() that exists, else English.
[[nodiscard]] StringTable bundle(const QLocale& locale);

// Looks key up in the locale's table.
[[nodiscard]] QString text(const QLocale& locale, const QString& key);
// Looks the format up in the locale's table and fills in the arguments (see format()).
[[nodiscard]] QString text(const QLocale& locale, const QString& key, const QVariantList& arguments);

// printf-style formatting of the texts: "%@" takes a text, "%d" a whole number, "%%" is a percent
// sign; "%1$@" / "%2$d" take the numbered argument, so translations may reorder them.
[[nodiscard]] QString format(const QString& format, const QVariantList& arguments);

// The identifiers of the languages that have a table ("de", "es", "fr", "nl").
[[nodiscard]] QStringList tableIdentifiers();
// A table's entries, for the checks of the tables themselves.
[[nodiscard]] const QHash<QString, QString>* translations(const QString& identifier);

} // namespace AppStrings
} // namespace tivren
