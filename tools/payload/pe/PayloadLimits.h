// tools/payload/pe/PayloadLimits.h: the sizes an archive and an installer cannot pass.
//
// cmake/Payload.cmake reads kInstallerPayloadLimit from this file; the README
// explains the figures.
#pragma once

#include <cstdint>

// A member's length field has 32 bits, and FAT32 holds no file of 4 GiB.
inline constexpr std::uint64_t kLargestStorableFile = 0xFFFFFFFFull;

// The installer decodes a file into one buffer whose size is an int, with a
// byte more to meet the end.
inline constexpr std::uint64_t kLargestDecodableFile = 0x7FFFFFFEull;

// The largest archive a 32-bit installer carries: its image, mapped as one
// block from 0x00400000, must leave the upper half of a 2 GiB address space
// to the system's DLLs, the heap and the threads' stacks.
inline constexpr std::uint64_t kInstallerPayloadLimit = 1073741824ull;

// What a 32-bit installer has below the system's DLLs, which may lie anywhere
// above 0x50000000: 1,276 MiB from 0x00400000, where its image begins. The
// image, the block into which the largest file is decoded and kInstallerReserve
// must all fit there.
inline constexpr std::uint64_t kInstallerSpace = 0x50000000ull - 0x00400000ull;

// The system reserves address space in units of 64 KiB.
inline constexpr std::uint64_t kAllocationGranularity = 0x10000ull;

// Room for all else the installer holds below the DLLs: the stacks of its
// threads (the image asks for 2 MiB each: the wizard's, the install worker's,
// and those that the system and the folder dialog start), the process heap
// and the C runtime's with the wizard's own data, zlib's state and buffers
// (about 100 KiB), the tables and shared sections the system maps into every
// GUI process, and what the 64 KiB granularity wastes between them. The
// install bench holds the whole installer to 32 MiB beyond its archive, the
// decode buffer of the largest demo file included; twice that leaves room for
// what a test machine does not load, such as a shell extension in the folder
// dialog or a screen reader's hooks.
inline constexpr std::uint64_t kInstallerReserve = 64ull << 20;

// The wizard's image without its payload, at most (4 MiB): code, data,
// resources and relocations span 0xB9000 bytes in setup-stub.exe, which
// tests/res/check_image.py holds to this figure. pack --installer and the
// CMake path, which have no stub at hand, count this much beside the archive.
inline constexpr std::uint64_t kWizardImage = 4194304ull;

// The largest file that a 32-bit installer whose image spans nImage bytes can
// decode: one block of the file's size and a byte more, in whole 64 KiB units,
// beside the image (also in whole units) and kInstallerReserve. 0 when none fits.
constexpr std::uint64_t LargestInstallerFile(std::uint64_t nImage) {
    const std::uint64_t nUsed =
        (nImage + kAllocationGranularity - 1) / kAllocationGranularity * kAllocationGranularity +
        kInstallerReserve;
    if (nUsed + kAllocationGranularity > kInstallerSpace)
        return 0;
    const std::uint64_t nLargest = kInstallerSpace - nUsed - 1;
    return nLargest < kLargestDecodableFile ? nLargest : kLargestDecodableFile;
}
