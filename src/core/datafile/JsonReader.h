// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tivren {

// A strict, allocation-light pull parser for UTF-8 JSON (RFC 8259): the data file is read with it
// straight into records, several times faster than building a QJsonDocument first. Malformed
// input throws JsonReader::SyntaxError; callers catch it at their boundary.
class JsonReader
{
public:
    enum class Type
    {
        null,
        boolean,
        number,
        string,
        array,
        object,
        invalid, // anything else, including the end of the input
    };

    struct SyntaxError
    {
        qsizetype offset;
        QString reason;
    };

    // How deeply arrays and objects may nest inside a skipped or kept value.
    static constexpr int maxDepth = 256;

    explicit JsonReader(QByteArrayView text);

    // The type of the next value, judged by its first character; skips white space.
    [[nodiscard]] Type peek();

    void readNull();
    [[nodiscard]] bool readBool();
    [[nodiscard]] double readNumber();
    // The number exactly as written (checked like readNumber()): a view into the input.
    [[nodiscard]] QByteArrayView readNumberText();
    [[nodiscard]] QString readString();
    // The string's UTF-8 bytes: a view into the input when it has no escapes, else into a buffer
    // that the next call reuses.
    [[nodiscard]] QByteArrayView readStringBytes();

    // Objects: beginObject(), then `while (nextKey(key)) { read or skip the value }`.
    void beginObject();
    [[nodiscard]] bool nextKey(QByteArrayView& key);
    // Arrays: beginArray(), then `while (nextElement()) { read or skip the value }`.
    void beginArray();
    [[nodiscard]] bool nextElement();

    void skipValue();
    // Only white space may follow the document.
    void expectEnd();

    [[nodiscard]] qsizetype offset() const { return m_pos - m_begin; }
    // "line L, column C" of an offset, for messages.
    [[nodiscard]] QString describePosition(qsizetype offset) const;

private:
    [[noreturn]] void fail(const QString& reason) const;
    void skipWhitespace();
    void expect(char c);
    void skipValue(int depth);
    // Checks the number at the current position; returns its end and its value.
    const char* scanNumber(double& value);
    QByteArrayView readStringSlow(const char* start);
    // Appends the code point of the \u escape whose digits start at p (with the low surrogate
    // that must follow a high one); returns where the escape ends.
    const char* readUnicodeEscape(const char* p);

    const char* m_begin;
    const char* m_pos;
    const char* m_end;
    bool m_first = true; // no member read yet in the innermost open container
    QByteArray m_scratch;
};

} // namespace tivren
