// tests/gui/driver/Image.cpp
#include "Image.h"

#include "PngEncoder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace gui {

namespace {

// A top-down 32-bit DIB section selected into a memory DC, released on scope exit.
class DibCanvas {
public:
    DibCanvas(int width, int height) : m_dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        if (m_bitmap != nullptr)
            m_old = SelectObject(m_dc, m_bitmap);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    ~DibCanvas() {
        if (m_bitmap != nullptr) {
            SelectObject(m_dc, m_old);
            DeleteObject(m_bitmap);
        }
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    const uint8_t* Bits() const { return static_cast<const uint8_t*>(m_bits); }

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

} // namespace

Image Image::CaptureScreen(const RECT& rect) {
    HDC screen = GetDC(nullptr);
    Image image =
        FromDc(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(nullptr, screen);
    return image;
}

Image Image::DrawIcon(HICON icon, int size, COLORREF background) {
    DibCanvas canvas(size, size);
    if (canvas.Bits() == nullptr)
        return Image();
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, size, size};
    FillRect(canvas.Dc(), &all, brush);
    DeleteObject(brush);
    DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    return FromDc(canvas.Dc(), 0, 0, size, size);
}

Image Image::FromDc(HDC source, int x, int y, int width, int height) {
    Image image;
    if (width <= 0 || height <= 0)
        return image;
    DibCanvas canvas(width, height);
    if (canvas.Bits() == nullptr ||
        !BitBlt(canvas.Dc(), 0, 0, width, height, source, x, y, SRCCOPY))
        return image;
    GdiFlush();
    image.m_width = width;
    image.m_height = height;
    image.m_rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    const uint8_t* bgra = canvas.Bits();
    for (size_t i = 0; i < image.m_rgb.size() / 3; ++i) {
        image.m_rgb[i * 3] = bgra[i * 4 + 2];
        image.m_rgb[i * 3 + 1] = bgra[i * 4 + 1];
        image.m_rgb[i * 3 + 2] = bgra[i * 4];
    }
    return image;
}

COLORREF Image::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const size_t at =
        (static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)) * 3;
    return RGB(m_rgb[at], m_rgb[at + 1], m_rgb[at + 2]);
}

Image Image::Crop(const RECT& rect) const {
    Image part;
    const int left = std::max(0, static_cast<int>(rect.left));
    const int top = std::max(0, static_cast<int>(rect.top));
    const int right = std::min(m_width, static_cast<int>(rect.right));
    const int bottom = std::min(m_height, static_cast<int>(rect.bottom));
    if (right <= left || bottom <= top)
        return part;
    part.m_width = right - left;
    part.m_height = bottom - top;
    for (int y = top; y < bottom; ++y) {
        const auto row = m_rgb.begin() + (static_cast<std::ptrdiff_t>(y) * m_width + left) * 3;
        part.m_rgb.insert(part.m_rgb.end(), row,
                          row + static_cast<std::ptrdiff_t>(part.m_width) * 3);
    }
    return part;
}

// The share of pixels that differ noticeably in any channel; 1 for images of
// different sizes.
double Image::DifferenceTo(const Image& other) const {
    if (m_width != other.m_width || m_height != other.m_height || Empty())
        return 1.0;
    size_t differing = 0;
    for (size_t i = 0; i < m_rgb.size(); i += 3) {
        for (size_t c = 0; c < 3; ++c) {
            if (std::abs(m_rgb[i + c] - other.m_rgb[i + c]) > 24) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / static_cast<double>(m_rgb.size() / 3);
}

bool Image::SavePng(const std::string& path) const {
    const std::vector<uint8_t> png = EncodePng(m_width, m_height, m_rgb);
    if (png.empty())
        return false;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

} // namespace gui
