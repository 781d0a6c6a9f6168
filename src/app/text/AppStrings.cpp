// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/AppStrings.h"

#include <QDir>
#include <QTranslator>

#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

using Tables = std::map<QString, std::unique_ptr<QTranslator>>;

const QString englishIdentifier = u"en"_s;

// Read once, on first use, from any thread (a function-local static is initialised safely);
// never changed afterwards, and QTranslator::translate only reads.
const Tables& tables()
{
    static const Tables loaded = [] {
        Tables result;
        const QDir folder(u":/i18n"_s);
        const QString prefix = u"tivren_"_s;
        const QStringList names = folder.entryList({ prefix + u"*.qm"_s }, QDir::Files);
        for (const QString& name : names) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(folder.filePath(name)))
                result.emplace(name.mid(prefix.size()).chopped(3), std::move(translator));
        }
        return result;
    }();
    return loaded;
}

const QTranslator* englishPlurals()
{
    const auto it = tables().find(englishIdentifier);
    return it == tables().end() ? nullptr : it->second.get();
}

QString translated(const QTranslator* translator, const QString& key, int count)
{
    return translator ? translator->translate(Text::context, key.toUtf8().constData(), nullptr, count) : QString();
}

} // namespace

QString StringTable::lookup(const QString& key) const
{
    const QString translation = translated(m_translator, key, -1);
    return translation.isEmpty() ? key : translation;
}

QString StringTable::lookupPlural(const QString& key, int count) const
{
    QString form = translated(m_translator, key, count);
    if (form.isEmpty())
        form = translated(englishPlurals(), key, count);
    if (form.isEmpty())
        form = key;
    return form.replace(u"%n"_s, QString::number(count));
}

namespace AppStrings {

QStringList bundleIdentifiers(const QString& localeIdentifier, const QString& languageCode)
{
    QStringList identifiers;
    auto add = [&identifiers](const QString& identifier) {
        if (!identifier.isEmpty() && !identifiers.contains(identifier))
            identifiers.append(identifier);
    };
    if (!localeIdentifier.isEmpty()) {
        add(localeIdentifier);
        add(QString(localeIdentifier).replace(u'-', u'_'));
    }
    add(languageCode);
    return identifiers;
}

QStringList bundleIdentifiers(const QLocale& locale)
{
    const QString languageCode =
        locale.language() == QLocale::C ? QString() : QLocale::languageToCode(locale.language());
    return bundleIdentifiers(locale.name(), languageCode);
}

StringTable bundle(const QLocale& locale)
{
    const Tables& all = tables();
    for (const QString& identifier : bundleIdentifiers(locale)) {
        if (const auto it = all.find(identifier); it != all.end())
            return StringTable(identifier, it->second.get());
        if (identifier == englishIdentifier)
            break; // English is the texts themselves
    }
    return StringTable(englishIdentifier, englishPlurals());
}

QString text(const QLocale& locale, const QString& key)
{
    return bundle(locale).lookup(key);
}

QString text(const QLocale& locale, const QString& key, const QVariantList& arguments)
{
    return format(text(locale, key), arguments);
}

QString plural(const QLocale& locale, const QString& key, int count, const QVariantList& arguments)
{
    return format(bundle(locale).lookupPlural(key, count), arguments);
}

QString format(const QString& format, const QVariantList& arguments)
{
    QString out;
    out.reserve(format.size() + 16 * arguments.size());
    qsizetype next = 0; // the argument a plain "%@" / "%d" takes
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        qsizetype j = i + 1;
        qsizetype index = -1;
        // An optional "N$" picks argument N (counted from 1).
        qsizetype k = j;
        while (k < format.size() && format[k].isDigit())
            ++k;
        if (k > j && k < format.size() && format[k] == u'$') {
            index = format.mid(j, k - j).toLongLong() - 1;
            j = k + 1;
        }
        if (j >= format.size()) {
            out += format.mid(i);
            break;
        }
        const QChar spec = format[j];
        if (spec == u'%' && index < 0) {
            out += u'%';
            i = j;
            continue;
        }
        if (spec != u'@' && spec != u'd') {
            out += c; // not a placeholder we know: keep the text as written
            continue;
        }
        if (index < 0)
            index = next++;
        const QVariant argument = index >= 0 && index < arguments.size() ? arguments[index] : QVariant();
        out += spec == u'd' ? QString::number(argument.toLongLong()) : argument.toString();
        i = j;
    }
    return out;
}

QStringList tableIdentifiers()
{
    QStringList identifiers;
    for (const auto& [identifier, table] : tables()) {
        if (identifier != englishIdentifier)
            identifiers.append(identifier);
    }
    return identifiers;
}

} // namespace AppStrings
} // namespace tivren
