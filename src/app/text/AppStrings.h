// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/text/Text.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>

class QTranslator;

namespace tivren {

// One language's translations (translations/tivren_<language>.ts, compiled in); looking up a text
// it lacks gives the text (the English) back.
class StringTable
{
public:
    StringTable() = default;
    StringTable(QString identifier, const QTranslator* translator)
        : m_identifier(std::move(identifier))
        , m_translator(translator)
    {
    }

    // The table's language identifier ("nl", "de", ...; "en" for the English texts themselves).
    [[nodiscard]] const QString& identifier() const { return m_identifier; }
    [[nodiscard]] QString lookup(const QString& key) const;
    // The form of a Text::plural text for count, "%n" filled in; English forms where the table has none.
    [[nodiscard]] QString lookupPlural(const QString& key, int count) const;

private:
    QString m_identifier = QStringLiteral("en");
    const QTranslator* m_translator = nullptr;
};

// The translations and how a locale picks one. Two locales are in use at once: the app language
// of the windows and the menu, and the system language of notifications and service errors; every
// lookup names its locale, nothing depends on a global translator.
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
// Looks a Text::plural format up for count ("%n"), then fills in the other arguments.
[[nodiscard]] QString plural(const QLocale& locale, const QString& key, int count, const QVariantList& arguments = {});

// plural() under another name, for calls around a Text::plural: lupdate would take a call of
// plural() around a marked text for a second marking, in the wrong context.
[[nodiscard]] inline QString counted(
    const QLocale& locale, const QString& key, int count, const QVariantList& arguments = {})
{
    return plural(locale, key, count, arguments);
}

// printf-style formatting of the texts: "%@" takes a text, "%d" a whole number, "%%" is a percent
// sign; "%1$@" / "%2$d" take the numbered argument, so translations may reorder them.
[[nodiscard]] QString format(const QString& format, const QVariantList& arguments);

// The identifiers of the languages Tivren is translated to ("de", "es", "fr", "nl"); English has a
// table of its plural forms only.
[[nodiscard]] QStringList tableIdentifiers();

} // namespace AppStrings
} // namespace tivren
