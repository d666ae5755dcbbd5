// tests/gui/driver/Image.h
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gui {

// RGB pixels taken from the screen or drawn here for comparison.
class Image {
public:
    static Image CaptureScreen(const RECT& rect);
    static Image DrawIcon(HICON icon, int size, COLORREF background);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_rgb.empty(); }
    COLORREF Pixel(int x, int y) const;
    Image Crop(const RECT& rect) const;
    double DifferenceTo(const Image& other) const;
    bool SavePng(const std::string& path) const;

private:
    static Image FromDc(HDC source, int x, int y, int width, int height);

    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_rgb;
};

} // namespace gui
