// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/CsvRecords.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

std::optional<QList<CsvRecord>> csvRecords(const QByteArray& content)
{
    QString text = QString::fromUtf8(content);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<CsvRecord> records;
    CsvRecord record { 1, {} };
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    auto endRecord = [&] {
        record.fields << field;
        const bool blank = record.fields.size() == 1 && record.fields.first().isEmpty() && !fieldStarted;
        if (!blank)
            records << record;
        record = CsvRecord { line, {} };
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                // A line break inside a field, as Windows writes it: kept as one line feed.
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"') {
            quoted = fieldStarted = true;
        } else if (c == u',') {
            record.fields << field;
            field.clear();
            fieldStarted = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            ++line;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (fieldStarted || !field.isEmpty() || !record.fields.isEmpty())
        endRecord();
    return records;
}

CsvHeader::CsvHeader(const QStringList& names)
{
    for (const QString& name : names)
        m_names << name.trimmed();
}

int CsvHeader::column(const QString& name) const
{
    return int(m_names.indexOf(name));
}

bool CsvHeader::has(const QStringList& names) const
{
    return std::all_of(names.cbegin(), names.cend(), [this](const QString& name) {
        return m_names.contains(name);
    });
}

} // namespace tivren
