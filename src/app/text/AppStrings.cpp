#include "app/text/AppStrings.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

using Tables = std::map<QString, QHash<QString, QString>>;

// Read once, on first use, from any thread (a function-local static is initialised safely);
// never changed afterwards.
const Tables& tables()
{
    static const Tables loaded = [] {
        Tables result;
        const QDir folder(u":/translations"_s);
        const QStringList names = folder.entryList({ u"*.json"_s }, QDir::Files);
        for (const QString& name : names) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
            QHash<QString, QString> table;
            table.reserve(object.size());
            for (auto it = object.begin(); it != object.end(); ++it)
                table.insert(it.key(), it.value().toString());
            result.emplace(name.chopped(5), std::move(table));
        }
        return result;
    }();
    return loaded;
}

} // namespace

QString StringTable::lookup(const QString& key) const
{
    if (!m_translations)
        return key;
    const auto it = m_translations->constFind(key);
    return it == m_translations->constEnd() || it->isEmpty() ? key : *it;
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
            return StringTable(identifier, &it->second);
        if (identifier == u"en"_s)
            break; // English is the texts themselves
    }
    return StringTable();
}

QString text(const QLocale& locale, const QString& key)
{
    return bundle(locale).lookup(key);
}

QString text(const QLocale& locale, const QString& key, const QVariantList& arguments)
{
    return format(text(locale, key), arguments);
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
    for (const auto& [identifier, table] : tables())
        identifiers.append(identifier);
    return identifiers;
}

const QHash<QString, QString>* translations(const QString& identifier)
{
    const Tables& all = tables();
    const auto it = all.find(identifier);
    return it == all.end() ? nullptr : &it->second;
}

} // namespace AppStrings
} // namespace tivren
