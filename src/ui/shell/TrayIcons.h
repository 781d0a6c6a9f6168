#pragma once

#include <QIcon>

namespace tivren::TrayIcons {

// The tray's clock: an outlined face while idle, a filled one while a timer runs. Drawn at every
// size a panel may ask for, device-pixel-ratio aware, and readable on light and dark panels.
[[nodiscard]] QIcon idle();
[[nodiscard]] QIcon running();

// A round dot in a project's colour, for menus and lists.
[[nodiscard]] QIcon colorDot(const QColor& color);

} // namespace tivren::TrayIcons
