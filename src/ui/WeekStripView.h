#pragma once

#include <QWidget>

namespace tivren {

class AppModel;

} // namespace tivren
