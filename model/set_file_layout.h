#pragma once
// The columns of the set file that its writer and its reader share. The engine reads the file by
// position, so every width here is part of the format.

#include <cstddef>

namespace wintarvel::setfile {

inline constexpr const char* kLineBreak = "\r\n";  // on every platform: the engine expects it

// The title line: the study title, then the names of the two subgroups.
inline constexpr std::size_t kTitleWidth = 64;
inline constexpr std::size_t kSubgroupNameWidth = 8;

// Lists of names: each right-justified in its columns, so many to a line.
inline constexpr std::size_t kNameWidth = 10;
inline constexpr std::size_t kNamesPerLine = 8;

// A format record is cut into lines of this many characters.
inline constexpr std::size_t kFormatLineWidth = 80;

}  // namespace wintarvel::setfile
