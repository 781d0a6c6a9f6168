// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/TerminalText.h"

using namespace Qt::StringLiterals;

namespace tivren::TerminalText {
namespace {

// Characters that move the cursor, end the line or reorder what follows (bidirectional controls
// could make an error read differently from what was typed).
bool needsEscape(char32_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x061c || c == 0x200e || c == 0x200f
        || (c >= 0x2028 && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) || (c >= 0xd800 && c <= 0xdfff);
}

QString escaped(char32_t c)
{
    switch (c) {
    case u'\n':
        return u"\\n"_s;
    case u'\r':
        return u"\\r"_s;
    case u'\t':
        return u"\\t"_s;
    default:
        break;
    }
    const QString hex = QString::number(uint(c), 16);
    return c <= 0xff ? u"\\x"_s + hex.rightJustified(2, u'0') : u"\\u"_s + hex.rightJustified(4, u'0');
}

} // namespace

QString echoed(QStringView value, qsizetype limit)
{
    QString shown;
    for (qsizetype i = 0; i < value.size();) {
        // A surrogate pair stays whole; a lone surrogate is escaped like a control character.
        const bool pair = i + 1 < value.size() && value[i].isHighSurrogate() && value[i + 1].isLowSurrogate();
        const qsizetype width = pair ? 2 : 1;
        const char32_t c = pair ? QChar::surrogateToUcs4(value[i], value[i + 1]) : value[i].unicode();
        const QString piece = needsEscape(c) ? escaped(c) : value.sliced(i, width).toString();
        if (shown.size() + piece.size() > limit)
            return shown + u'…';
        shown += piece;
        i += width;
    }
    return shown;
}

} // namespace tivren::TerminalText
