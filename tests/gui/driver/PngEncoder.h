// tests/gui/driver/PngEncoder.h
#pragma once

#include <cstdint>
#include <vector>

namespace gui {

// Encodes 8-bit RGB pixels, rows top to bottom, as a PNG file image: the
// signature, IHDR, one IDAT (zlib stream of rows with filter type 0) and IEND.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);

} // namespace gui
