// SPDX-License-Identifier: GPL-3.0-or-later
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
        if (xml.isEndElement() && name == u"message")
            messages.insert(source, message);
        if (!xml.isStartElement())
            continue;
        if (name == u"name")
            context = xml.readElementText();
        else if (name == u"message")
            message = { context, xml.attributes().value(u"numerus"_s) == u"yes", false, {} };
        else if (name == u"source")
            source = xml.readElementText();
        else if (name == u"numerusform")
            message.forms << xml.readElementText();
        else if (name == u"translation") {
            message.finished = xml.attributes().value(u"type"_s).isEmpty();
            if (!message.numerus)
                message.forms = { xml.readElementText() };
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

// The placeholders of a format as (argument number, kind), in argument order; %n as number 0.
QList<std::pair<int, QChar>> placeholders(const QString& format)
{
    static const QRegularExpression pattern(uR"(%(?:(\d+)\$)?([@dn%]))"_s);
    QList<std::pair<int, QChar>> found;
    int next = 1;
    for (auto match = pattern.globalMatch(format); match.hasNext();) {
        const auto m = match.next();
        const QChar kind = m.captured(2).at(0);
        if (kind != u'%')
            found.append({ kind == u'n' ? 0 : m.captured(1).isEmpty() ? next++ : m.captured(1).toInt(), kind });
    }
    std::sort(found.begin(), found.end());
    return found;
}

// What is wrong with one language's translation of a text lupdate found.
QStringList checkTranslation(const QString& source, const TsMessage& text, const QHash<QString, TsMessage>& table)
{
    const auto translation = table.constFind(source);
    if (translation == table.cend() || !translation->finished)
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
        for (const QString& language : QStringList { u"en"_s } + languages) {
            const auto table = readTs(QStringLiteral(TIVREN_SOURCE_DIR "/translations/tivren_") + language + u".ts"_s);
            const QLocale locale(language);
            for (auto text = texts.cbegin(); text != texts.cend(); ++text) {
                if (language == u"en"_s && text->context != QLatin1StringView(Text::context))
                    problems << u"\""_s + text.key() + u"\" is in context "_s + text->context
                            + u", not marked by Text"_s;
                if (language == u"en"_s && !text->numerus)
                    continue; // English needs a table entry only for its plural forms
                for (const QString& problem : checkTranslation(text.key(), *text, table))
                    problems << language + u": \""_s + text.key() + u"\": "_s + problem;
                if (language != u"en"_s && !text->numerus && table.contains(text.key())
                    && AppStrings::text(locale, text.key()) != table[text.key()].forms.value(0))
                    problems << language + u": the build does not give the translation of \""_s + text.key() + u'"';
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_Translations.moc"
