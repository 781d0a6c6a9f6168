#include "app/text/AppStrings.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

struct TsMessage
{
    QString context;
    bool numerus = false;
    bool finished = false;
    QStringList forms; // the translation, or one per numerus form
};

// The messages of a .ts file by source text.
QHash<QString, TsMessage> readTs(const QString& path)
{
    QHash<QString, TsMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context, source;
    TsMessage message;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        const auto name = xml.name();
        if (xml.isStartElement() && name == u"name") {
            context = xml.readElementText();
        } else if (xml.isStartElement() && name == u"message") {
            message = { context, xml.attributes().value(u"numerus"_s) == u"yes", false, {} };
        } else if (xml.isStartElement() && name == u"source") {
            source = xml.readElementText();
        } else if (xml.isStartElement() && name == u"translation") {
            const auto type = xml.attributes().value(u"type"_s);
            message.finished = type.isEmpty();
            if (!message.numerus)
                message.forms = { xml.readElementText() };
        } else if (xml.isStartElement() && name == u"numerusform") {
            message.forms << xml.readElementText();
        } else if (xml.isEndElement() && name == u"message") {
            messages.insert(source, message);
        }
    }
    return messages;
}

// Every text lupdate finds in src/, read as the build reads it (cmake/TivrenTranslations.cmake).
QHash<QString, TsMessage> textsInSources(const QString& folder)
{
    const QString ts = folder + u"/sources.ts"_s;
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(TIVREN_SOURCE_DIR));
    const QStringList options = QStringLiteral(TIVREN_LUPDATE_OPTIONS).split(u'|');
    lupdate.start(QStringLiteral(TIVREN_LUPDATE), options + QStringList { u"-I"_s, u"src"_s, u"src"_s, u"-ts"_s, ts });
    if (!lupdate.waitForFinished(120000) || lupdate.exitCode() != 0)
        qWarning("lupdate failed: %s", lupdate.readAllStandardError().constData());
    return readTs(ts);
}

// The placeholders of a format as (argument number, kind), in argument order.
QList<std::pair<int, QChar>> placeholders(const QString& format)
{
    static const QRegularExpression spec(uR"(%(?:(\d+)\$)?([@dn%]))"_s);
    QList<std::pair<int, QChar>> found;
    int next = 1;
    for (auto match = spec.globalMatch(format); match.hasNext();) {
        const auto m = match.next();
        if (m.captured(2) == u"%"_s)
            continue;
        if (m.captured(2) == u"n"_s) {
            found.append({ 0, u'n' });
            continue;
        }
        const int position = m.captured(1).isEmpty() ? next++ : m.captured(1).toInt();
        found.append({ position, m.captured(2).at(0) });
    }
    std::sort(found.begin(), found.end());
    return found;
}

QString translationsFile(const QString& language)
{
    return QStringLiteral(TIVREN_SOURCE_DIR "/translations/tivren_") + language + u".ts"_s;
}

const TsMessage* find(const QHash<QString, TsMessage>& table, const QString& source)
{
    const auto it = table.constFind(source);
    return it == table.cend() ? nullptr : &*it;
}

// What is wrong with one language's translation of a text lupdate found.
QStringList checkTranslation(const QString& source, const TsMessage& text, const TsMessage* translation)
{
    if (!translation || !translation->finished)
        return { u"not translated"_s };
    if (translation->numerus != text.numerus)
        return { u"plural forms differ from the source"_s };
    QStringList problems;
    for (const QString& form : translation->forms) {
        if (form.isEmpty())
            problems << u"an empty form"_s;
        else if (placeholders(form) != placeholders(source))
            problems << u"placeholders differ in \""_s + form + u'"';
    }
    return problems;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every text lupdate finds in the sources has a finished translation in every language, with
    // the same placeholders, and the built program gives it; English has every plural form.
    void everyTextIsTranslated()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QHash<QString, TsMessage> texts = textsInSources(folder.path());
        QVERIFY2(texts.size() > 200, qPrintable(QString::number(texts.size())));
        const QStringList languages = AppStrings::tableIdentifiers();
        QCOMPARE(languages, (QStringList { u"de"_s, u"es"_s, u"fr"_s, u"nl"_s }));
        QStringList problems;
        auto check = [&problems](const QString& language, const QString& source, const QStringList& found) {
            for (const QString& problem : found)
                problems << language + u": \""_s + source + u"\": "_s + problem;
        };
        const QHash<QString, TsMessage> english = readTs(translationsFile(u"en"_s));
        for (auto text = texts.cbegin(); text != texts.cend(); ++text) {
            if (text->context != QLatin1StringView(Text::context))
                problems << u"\""_s + text.key() + u"\" is in context "_s + text->context + u", not marked by Text"_s;
            if (text->numerus)
                check(u"en"_s, text.key(), checkTranslation(text.key(), *text, find(english, text.key())));
        }
        for (const QString& language : languages) {
            const QHash<QString, TsMessage> table = readTs(translationsFile(language));
            const QLocale locale(language);
            for (auto text = texts.cbegin(); text != texts.cend(); ++text) {
                const TsMessage* found = find(table, text.key());
                check(language, text.key(), checkTranslation(text.key(), *text, found));
                if (found && !text->numerus && AppStrings::text(locale, text.key()) != found->forms.value(0))
                    problems << language + u": the build does not give the translation of \""_s + text.key() + u'"';
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_Translations.moc"
