// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <QList>

namespace tivren {

class JsonReader;

// The members of a JSON object that this version of Tivren does not know, kept so that a file
// written by a newer version loses nothing when this one saves it. Each value is held as compact
// canonical JSON: object keys sorted (of a key given twice, the last counts), strings escaped one
// way, numbers exactly as written. So equal values compare equal, and writing what was read gives
// the same bytes every time. New records have none.
class JsonExtras
{
public:
    struct Member
    {
        QByteArray key; // UTF-8, unescaped
        QByteArray value; // compact canonical JSON

        bool operator==(const Member&) const = default;
    };

    [[nodiscard]] bool isEmpty() const { return m_members.isEmpty(); }
    // Sorted by key, byte by byte (the order of the file's keys).
    [[nodiscard]] const QList<Member>& members() const { return m_members; }

    // Reads the reader's next value as the member `key`, replacing one of the same key. Throws
    // JsonReader::SyntaxError on malformed input, as the reader does.
    void read(QByteArray key, JsonReader& reader);

    bool operator==(const JsonExtras&) const = default;

private:
    QList<Member> m_members;
};

size_t qHash(const JsonExtras& extras, size_t seed = 0) noexcept;

} // namespace tivren
