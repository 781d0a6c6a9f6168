// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace tivren::OAuthCallbackPage {

// What the browser is told after the Google sign-in came back to Tivren.
struct State
{
    enum class Kind
    {
        success,
        failure,
    };
    Kind kind = Kind::success;
    QString reason; // failure only: shown to the user, escaped

    [[nodiscard]] static State success() { return { Kind::success, {} }; }
    [[nodiscard]] static State failure(QString reason) { return { Kind::failure, std::move(reason) }; }
};

// The whole HTML document: English only, self-contained (inline styles and SVG, no network).
[[nodiscard]] QString render(const State& state);
// The Content-Security-Policy for the page: its own style element and nothing else (its icons are
// inline SVG, which loads nothing).
[[nodiscard]] QByteArray contentSecurityPolicy();

} // namespace tivren::OAuthCallbackPage
