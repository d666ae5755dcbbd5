// archive/EntryName.h: which entry names may be written below the target folder.
//
// A name is refused when it could leave the target folder or name something
// other than a plain file on Windows: absolute and drive paths, UNC and device
// paths, ".." and other components ending in a dot or a blank, empty
// components, ':' anywhere, control characters and the characters Windows
// forbids, and reserved device names (CON, NUL.txt, COM1, ...). Both '\' and
// '/' count as separators here. The installer refuses such entries; `payload
// pack` refuses to store them.
#pragma once

#include "archive/Types.h"

#include <string_view>

BOOL IsSafeEntryName(std::string_view name);
