// tools/payload/pe/PayloadLimits.h: the sizes an archive and an installer cannot pass.
//
// cmake/Payload.cmake reads kInstallerPayloadLimit from this file; the README
// explains the figure.
#pragma once

#include <cstdint>

// A member's length field has 32 bits, and FAT32 holds no file of 4 GiB.
inline constexpr std::uint64_t kLargestStorableFile = 0xFFFFFFFFull;

// The largest archive a 32-bit installer carries: its image, mapped as one
// block from 0x00400000, must leave the upper half of a 2 GiB address space
// to the system's DLLs, the heap and the threads' stacks.
inline constexpr std::uint64_t kInstallerPayloadLimit = 1073741824ull;
