// archive/ArchivFormat.h: constants of the payload archive's layout.
//
// An archive is a flat run of entries: name bytes, ARCHIV_SEPARATOR, a 32-bit
// little-endian member length, then one gzip member of that many bytes.
#pragma once

#include "archive/Types.h"

#include <cstddef>

// Ends every entry name: blank, backslash, ~ # $ & *, blank.
inline constexpr char ARCHIV_SEPARATOR[] = " \\~#$&* ";
inline constexpr std::size_t ARCHIV_SEPARATOR_LENGTH = sizeof(ARCHIV_SEPARATOR) - 1;

// Size of the member length field that follows the separator.
inline constexpr std::size_t ARCHIV_LENGTH_FIELD = 4;

// The installer's payload: resource type "RT_ARCHIV", id 149.
inline constexpr UINT ARCHIV_RESOURCE_ID = 149;
inline constexpr char ARCHIV_RESOURCE_TYPE[] = "RT_ARCHIV";
