// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/ImportReading.h"

#include "core/import/CsvExports.h"
#include "core/import/CsvRecords.h"
#include "core/import/JsonExports.h"

using namespace Qt::StringLiterals;

namespace tivren {

QString importFormatName(ImportFormat format)
{
    switch (format) {
    case ImportFormat::togglCsv:
        return u"Toggl Track CSV"_s;
    case ImportFormat::clockifyCsv:
        return u"Clockify CSV"_s;
    case ImportFormat::timewarriorJson:
        return u"Timewarrior export"_s;
    case ImportFormat::watsonFrames:
        return u"Watson frames"_s;
    }
    return QString();
}

Expected<ImportReading, ImportReason> readImport(const QByteArray& content)
{
    const ImportReason unknown { QT_TRANSLATE_NOOP("Tivren",
                                     "This is not a Toggl Track or Clockify detailed CSV export, a "
                                     "Timewarrior export or Watson's frames file."),
        {} };
    if (content.trimmed().startsWith('[')) {
        if (auto reading = ImportFormats::readJsonExport(content))
            return *reading;
        return Unexpected(unknown);
    }
    const auto records = csvRecords(content);
    if (!records)
        return Unexpected(ImportReason { QT_TRANSLATE_NOOP("Tivren", "The CSV file ends inside a quoted field."), {} });
    if (records->isEmpty())
        return Unexpected(unknown);
    const auto format = ImportFormats::csvFormat(CsvHeader(records->first().fields));
    if (!format)
        return Unexpected(unknown);
    return ImportFormats::readCsvExport(*format, *records);
}

} // namespace tivren
