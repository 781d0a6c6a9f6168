// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tivren {

// Why a file or one of its records cannot be imported, in one line for the user. Kept as its English
// text with "%@" where the arguments go, so that the app shows it in the user's language: the text
// is also the key of its translations (marked with QT_TRANSLATE_NOOP in the context "Tivren").
struct ImportReason
{
    const char* text = "";
    QStringList arguments;

    // The English line, the arguments filled in (for scripts and logs).
    [[nodiscard]] QString english() const;

    bool operator==(const ImportReason& other) const
    {
        return qstrcmp(text, other.text) == 0 && arguments == other.arguments;
    }
};

} // namespace tivren
