// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/JsonExports.h"

#include "core/import/CsvExports.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren::ImportFormats {
namespace {

// Timewarrior's instants: 20260314T090000Z, always UTC.
std::optional<Instant> timewarriorInstant(const QJsonValue& value)
{
    const QDateTime parsed = QDateTime::fromString(value.toString(), u"yyyyMMdd'T'HHmmss'Z'"_s);
    if (!parsed.isValid())
        return std::nullopt;
    return Instant(QDateTime(parsed.date(), parsed.time(), Qt::UTC).toSecsSinceEpoch());
}

Expected<ImportedEntry, ImportReason> timewarriorEntry(const QJsonValue& value, int line)
{
    const QJsonObject interval = value.toObject();
    if (!interval.contains(u"end"_s))
        return Unexpected(
            ImportReason { QT_TRANSLATE_NOOP("Tivren", "it has no end (an interval still open in Timewarrior)"), {} });
    const auto start = timewarriorInstant(interval.value(u"start"_s));
    const auto end = timewarriorInstant(interval.value(u"end"_s));
    if (!start || !end)
        return Unexpected(
            ImportReason { QT_TRANSLATE_NOOP("Tivren", "its start or end is not a time like 20260314T090000Z"), {} });
    if (*end <= *start)
        return Unexpected(ImportReason { QT_TRANSLATE_NOOP("Tivren", "its end is not after its start"), {} });
    QStringList tags;
    for (const QJsonValue& tag : interval.value(u"tags"_s).toArray())
        tags << tag.toString();
    const QString project = tags.isEmpty() ? QString() : tags.takeFirst().trimmed();
    return ImportedEntry { line, project, *start, *end, notes(interval.value(u"annotation"_s).toString(), tags) };
}

Expected<ImportedEntry, ImportReason> watsonEntry(const QJsonValue& value, int line)
{
    const QJsonArray frame = value.toArray();
    if (frame.size() < 3 || !frame.at(0).isDouble() || !frame.at(1).isDouble() || !frame.at(2).isString())
        return Unexpected(
            ImportReason { QT_TRANSLATE_NOOP("Tivren", "it is not a frame [start, stop, project, …]"), {} });
    const Instant start = std::floor(frame.at(0).toDouble());
    const Instant end = std::floor(frame.at(1).toDouble());
    if (end <= start)
        return Unexpected(ImportReason { QT_TRANSLATE_NOOP("Tivren", "its end is not after its start"), {} });
    QStringList tags;
    for (const QJsonValue& tag : frame.at(4).toArray())
        tags << tag.toString();
    return ImportedEntry { line, frame.at(2).toString().trimmed(), start, end, notes(QString(), tags) };
}

} // namespace

QList<int> topLevelElementLines(const QByteArray& content)
{
    QList<int> lines;
    int line = 1, depth = 0;
    bool inString = false, expectElement = false;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content.at(i);
        if (c == '\n')
            ++line;
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (depth == 1 && expectElement && !blank && c != ']') {
            lines << line;
            expectElement = false;
        }
        if (c == '"')
            inString = true;
        else if (c == '[' || c == '{')
            expectElement = ++depth == 1;
        else if (c == ']' || c == '}')
            --depth;
        else if (c == ',' && depth == 1)
            expectElement = true;
    }
    return lines;
}

std::optional<ImportReading> readJsonExport(const QByteArray& content)
{
    const QJsonDocument document = QJsonDocument::fromJson(content);
    if (!document.isArray())
        return std::nullopt;
    const QJsonArray items = document.array();
    const bool watson = !items.isEmpty() && items.first().isArray();
    if (!watson && !items.isEmpty() && !items.first().toObject().contains(u"start"_s))
        return std::nullopt;
    const QList<int> lines = topLevelElementLines(content);
    ImportReading reading { watson ? ImportFormat::watsonFrames : ImportFormat::timewarriorJson, {}, {} };
    for (qsizetype i = 0; i < items.size(); ++i) {
        const int line = lines.value(i);
        const auto entry = watson ? watsonEntry(items.at(i), line) : timewarriorEntry(items.at(i), line);
        if (entry)
            reading.entries << *entry;
        else
            reading.rejected << ImportRejection { line, entry.error() };
    }
    return reading;
}

} // namespace tivren::ImportFormats
