// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/CsvExports.h"

#include "core/import/LocalTimes.h"

using namespace Qt::StringLiterals;

namespace tivren::ImportFormats {
namespace {

using LocalTimes::DateOrder;

// The columns of both exports, by their names in each.
struct Columns
{
    QString project, description, tags, startDate, startTime, endDate, endTime;
};

const Columns togglColumns {
    u"Project"_s, u"Description"_s, u"Tags"_s, u"Start date"_s, u"Start time"_s, u"End date"_s, u"End time"_s
};
const Columns clockifyColumns {
    u"Project"_s, u"Description"_s, u"Tags"_s, u"Start Date"_s, u"Start Time"_s, u"End Date"_s, u"End Time"_s
};

const Columns& columnsOf(ImportFormat format)
{
    return format == ImportFormat::clockifyCsv ? clockifyColumns : togglColumns;
}

QStringList required(const Columns& c)
{
    return { c.project, c.description, c.startDate, c.startTime, c.endDate, c.endTime };
}

// Clockify writes dates as its user's locale has them; the file's own values say which order.
Expected<DateOrder, ImportReason> dateOrder(const CsvHeader& header, const Columns& c, const QList<CsvRecord>& rows)
{
    QStringList dates;
    for (const CsvRecord& row : rows) {
        dates << row.fields.value(header.column(c.startDate)) << row.fields.value(header.column(c.endDate));
    }
    if (std::any_of(dates.cbegin(), dates.cend(), [](const QString& d) {
            return d.contains(u'-');
        }))
        return DateOrder::yearMonthDay;
    if (const auto order = LocalTimes::slashDateOrder(dates))
        return *order;
    return Unexpected(ImportReason { QT_TRANSLATE_NOOP("Tivren",
                                         "The dates could be month/day or day/month: no day in the file "
                                         "is above 12. Export it again with dates as YYYY-MM-DD."),
        {} });
}

// One record as an entry, or why not.
Expected<ImportedEntry, ImportReason> entryOf(
    const CsvHeader& header, const Columns& c, DateOrder order, const CsvRecord& row)
{
    auto field = [&](const QString& name) {
        return row.fields.value(header.column(name)).trimmed();
    };
    if (field(c.endDate).isEmpty() || field(c.endTime).isEmpty())
        return Unexpected(ImportReason {
            QT_TRANSLATE_NOOP("Tivren", "it has no end (a timer still running when the file was exported)"), {} });
    Instant instants[2] = {};
    const QString dateNames[2] = { c.startDate, c.endDate };
    const QString timeNames[2] = { c.startTime, c.endTime };
    for (int i = 0; i < 2; ++i) {
        const auto date = LocalTimes::date(field(dateNames[i]), order);
        const auto time = LocalTimes::time(field(timeNames[i]));
        if (!date || !time) {
            return Unexpected(ImportReason { QT_TRANSLATE_NOOP("Tivren", "“%@ %@” is not a date and time"),
                { field(dateNames[i]), field(timeNames[i]) } });
        }
        const auto instant = LocalTimes::localInstant(*date, *time);
        if (!instant)
            return Unexpected(instant.error());
        instants[i] = *instant;
    }
    if (instants[1] <= instants[0])
        return Unexpected(ImportReason { QT_TRANSLATE_NOOP("Tivren", "its end is not after its start"), {} });
    QStringList tags;
    for (const QString& tag : field(c.tags).split(u',', Qt::SkipEmptyParts))
        tags << tag.trimmed();
    return ImportedEntry { row.line, field(c.project), instants[0], instants[1], notes(field(c.description), tags) };
}

} // namespace

QString notes(const QString& description, const QStringList& tags)
{
    QStringList parts;
    if (!description.trimmed().isEmpty())
        parts << description.trimmed();
    for (const QString& tag : tags) {
        if (!tag.trimmed().isEmpty())
            parts << u'#' + tag.trimmed();
    }
    return parts.join(u' ');
}

std::optional<ImportFormat> csvFormat(const CsvHeader& header)
{
    if (header.has(required(togglColumns)))
        return ImportFormat::togglCsv;
    if (header.has(required(clockifyColumns)))
        return ImportFormat::clockifyCsv;
    return std::nullopt;
}

Expected<ImportReading, ImportReason> readCsvExport(ImportFormat format, const QList<CsvRecord>& records)
{
    const CsvHeader header(records.value(0).fields);
    const Columns& c = columnsOf(format);
    const QList<CsvRecord> rows = records.mid(1);
    DateOrder order = DateOrder::yearMonthDay;
    if (format == ImportFormat::clockifyCsv) {
        const auto decided = dateOrder(header, c, rows);
        if (!decided)
            return Unexpected(decided.error());
        order = *decided;
    }
    ImportReading reading { format, {}, {} };
    for (const CsvRecord& row : rows) {
        const auto entry = entryOf(header, c, order, row);
        if (entry)
            reading.entries << *entry;
        else
            reading.rejected << ImportRejection { row.line, entry.error() };
    }
    return reading;
}

} // namespace tivren::ImportFormats
