// archive/EntryName.h: which entry names may be written below the target folder.
//
// A name is refused when it could leave the target folder or name something
// other than a plain file on Windows: absolute and drive paths, UNC and device
// paths, ".." and other components ending in a dot or a blank, empty
// components, ':' anywhere, control characters and the characters Windows
// forbids, reserved device names (CON, NUL.txt, COM1, ...) and names longer
// than ENTRY_NAME_MAX. Both '\' and '/' count as separators here. The installer
// refuses such entries; `payload pack` refuses to store them.
#pragma once

#include "archive/Types.h"

#include <cstddef>
#include <string_view>

// The longest name kept: a longer one could not be a path below any folder
// for the ANSI file functions (MAX_PATH, 260 with the terminating NUL).
inline constexpr std::size_t ENTRY_NAME_MAX = 259;

BOOL IsSafeEntryName(std::string_view name);
