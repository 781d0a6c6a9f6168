// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>

// Read by lupdate only: the translation context of every text Tivren shows.
#define TIVREN_TEXT_CONTEXT(context)

namespace tivren {

// Marks a user-visible English text for lupdate (see the README's "Texts and languages"); the English text is also its
// translation key, which AppStrings / AppModel::localized look up in the language they are asked for. lupdate reads
// Text::en as tr and Text::plural as QT_TR_N_NOOP, all in the one context "Tivren". Only literals: lupdate cannot see
// anything else.
class Text
{
    TIVREN_TEXT_CONTEXT(Tivren)

public:
    static constexpr const char* context = "Tivren";

    template <std::size_t size> [[nodiscard]] static QString en(const char (&text)[size])
    {
        return QString::fromUtf8(text, qsizetype(size) - 1);
    }

    // A text with "%n" that has a singular and plural forms in every language, English included.
    template <std::size_t size> [[nodiscard]] static QString plural(const char (&text)[size])
    {
        return QString::fromUtf8(text, qsizetype(size) - 1);
    }
};

} // namespace tivren
