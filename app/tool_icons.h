#pragma once
// The toolbar's icons, drawn as shapes at whatever size and screen scale they are shown. The
// style's stock icons would do, but they decode every stored size of each image when created:
// a tenth of the program's start-up.

#include <QIcon>

namespace wintarvel::view {

enum class ToolIcon { NewFile, OpenFile, SaveFile, OpenData, Run };

QIcon toolIcon(ToolIcon which);

}  // namespace wintarvel::view
