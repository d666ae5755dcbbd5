// tools/payload/pack/PackResult.h
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Takes the next nSize bytes of a file or member; false stops the one who hands them.
using BytesSink = std::function<bool(const unsigned char* pData, std::size_t nSize)>;

// What the pack pipeline made of one file: a member, or the file's bytes when
// it does not pack, held in memory or left in a worker's staging file.
struct SPackResult {
    std::vector<unsigned char> bytes; // the bytes, unless they are in strFile
    std::string strFile;              // the staging file that holds them, or empty
    std::uint64_t nSize = 0;

    // Hands the bytes to sink in pieces of at most kPiece; false when sink
    // fails or the staging file cannot be read.
    bool Read(const BytesSink& sink) const;
    // Reads the staging file into bytes, which then hold the result.
    bool Load();

    static constexpr std::size_t kPiece = 1u << 20;
};
