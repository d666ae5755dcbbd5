#!/usr/bin/python3
# tools/art/make-art.py: draws the installer's pictures and writes them into res/.
#
#   /usr/bin/python3 tools/art/make-art.py [output folder]
#
# ImageMagick's `convert` renders the drawings (Magick Vector Graphics) with the
# DejaVu fonts; this script writes the files itself so that every header field is
# what the dialogs expect: 24-bit bottom-up DIBs with a 40-byte header, and an
# icon of six uncompressed DIB images (no PNG), each with its AND mask.
import os
import random
import struct
import subprocess
import sys

FONTS = "/usr/share/fonts/truetype/dejavu/"
BOLD = FONTS + "DejaVuSans-Bold.ttf"

SIDEBAR_SIZE = (161, 313)
SIDEBAR_PPM = 2834  # 72 dpi
HORIZON = 214  # sidebar: where the sky ends behind the hills
BAND = 248  # sidebar: top of the yellow-orange band
HEADER_SIZE = (498, 58)
ICON_SIZES = (48, 32, 16)


def render(mvg, width, height, base=None):
    """Draws on base (RGBA bytes, top row first; transparent if None) with convert and
    returns the RGBA bytes of the result."""
    base = base or bytes(width * height * 4)
    return subprocess.run(
        ["convert", "-size", f"{width}x{height}", "-depth", "8", "rgba:-", "-draw", mvg,
         "-depth", "8", "rgba:-"],
        input=base, check=True, capture_output=True).stdout


def linear(name, x1, y1, x2, y2, start, end):
    """A two-colour gradient definition (convert honours only two stops)."""
    return "\n".join([
        "push defs", f"push gradient '{name}' linear {x1},{y1} {x2},{y2}",
        f"stop-color '{start}' 0", f"stop-color '{end}' 1", "pop gradient", "pop defs"])


def blend(stops, t):
    """The colour at t (0 to 1) of a gradient through (colour, offset) stops."""
    for (c0, o0), (c1, o1) in zip(stops, stops[1:]):
        if t <= o1:
            f = (t - o0) / (o1 - o0)
            return bytes(round(int(c0[i:i + 2], 16) * (1 - f) + int(c1[i:i + 2], 16) * f)
                         for i in (1, 3, 5)) + b"\xff"
    raise ValueError(f"{t} lies beyond the last stop")


def gradient(width, height, bands, horizontal=False):
    """RGBA bytes filled with gradients through several stops, which convert's own
    gradients cannot do; bands are (first, last, stops) along the gradient axis."""
    length = width if horizontal else height
    line = []
    for i in range(length):
        first, last, stops = next(band for band in bands if band[0] <= i <= band[1])
        line.append(blend(stops, (i - first) / max(1, last - first)))
    if horizontal:
        return b"".join(line) * height
    return b"".join(colour * width for colour in line)


def filled(fill, shape, extra=""):
    """One shape in its own graphic context, so that a gradient fill does not leak."""
    return f"push graphic-context\n{extra}\nfill '{fill}'\n{shape}\npop graphic-context"


def glow(cx, cy, radius, colour, steps=6, strength=0.12):
    """A soft halo from stacked translucent discs (MVG has no blur)."""
    parts = []
    for i in range(steps, 0, -1):
        r = radius * i / steps
        parts.append(filled(colour, f"circle {cx},{cy} {cx + r},{cy}",
                            f"fill-opacity {strength}"))
    return "\n".join(parts)


def console(cx, cy, rx, ry, thickness):
    """The handheld seen slightly from above: a flat silver disc with a dark face."""
    face_rx, face_ry = rx * 0.74, ry * 0.70
    return "\n".join([
        linear("rim", cx, cy, cx, cy + ry + thickness, "#aab1be", "#4f5664"),
        linear("top", cx - rx * 0.6, cy - ry, cx + rx * 0.6, cy + ry, "#ffffff", "#a2a9b6"),
        linear("face", cx, cy - face_ry, cx, cy + face_ry, "#3a4356", "#0a0e16"),
        filled("url(#rim)", f"ellipse {cx},{cy + thickness} {rx},{ry} 0,360",
               "stroke '#353a46'\nstroke-width 0.8"),
        filled("url(#top)", f"ellipse {cx},{cy} {rx},{ry} 0,360",
               "stroke '#7d8493'\nstroke-width 0.6"),
        filled("url(#face)", f"ellipse {cx},{cy} {face_rx},{face_ry} 0,360",
               "stroke '#05070b'\nstroke-width 0.8"),
        filled("#ffffff", f"ellipse {cx - face_rx * 0.25},{cy - face_ry * 0.45} "
               f"{face_rx * 0.55},{face_ry * 0.28} 0,360", "fill-opacity 0.16"),
        filled("#ff8a1a", f"circle {cx + rx * 0.86},{cy} {cx + rx * 0.86 + 1.3},{cy}"),
    ])


def hero():
    """The game's hero on a hill crest: hooded, cape blowing, lantern staff raised."""
    ink = "#040a12"
    return "\n".join([
        glow(57.5, 165, 13, "#ffe27a", 6, 0.10),
        filled(ink, "path 'M 46,177 C 40,180 35,187 29,193 L 36,191 L 34,195 "
               "L 41,190 L 44,186 Z'"),
        filled(ink, "polygon 44.5,195 46.5,185 49,185 48,195"),
        filled(ink, "polygon 50,195 50.5,185 53,185 54,195"),
        filled(ink, "path 'M 45.5,177 L 53.5,177 C 55,181 55.5,185 55.5,188 "
               "L 44,188 C 44,184 44.5,180 45.5,177 Z'"),
        filled(ink, "circle 49.8,172.8 49.8,169.2"),
        filled(ink, "polygon 46.2,173 49,168.6 44.2,167.4"),
        "push graphic-context\nstroke '" + ink + "'\nstroke-linecap round\n"
        "stroke-width 1.2\nline 56.2,195 57.6,166.5\n"
        "stroke-width 1.6\nline 53,179 56.6,181.5\npop graphic-context",
        filled("#fff6c8", "circle 57.7,165 57.7,163"),
        filled("#ffffff", "circle 57.5,164.6 57.5,163.8"),
    ])


def title(text, y, size):
    """Gold lettering with a dark outline and a soft drop shadow."""
    font = f"font '{BOLD}'\nfont-size {size}\ngravity north"
    return "\n".join([
        linear("title", 0, y + size * 0.15, 0, y + size * 0.95, "#fff6b8", "#ff8a14"),
        f"push graphic-context\n{font}\nfill '#000000'\nfill-opacity 0.5\n"
        f"text 2,{y + 3} '{text}'\npop graphic-context",
        f"push graphic-context\n{font}\nfill '#3a1606'\nstroke '#3a1606'\n"
        f"stroke-width 3.2\nstroke-linejoin round\ntext 0,{y} '{text}'\npop graphic-context",
        f"push graphic-context\n{font}\nfill 'url(#title)'\ntext 0,{y} '{text}'\n"
        "pop graphic-context",
    ])


def sidebar_mvg():
    w = SIDEBAR_SIZE[0]
    horizon, band = HORIZON, BAND
    rng = random.Random(1031)
    stars = "\n".join(
        filled("#ffffff", f"circle {x},{y} {x + r},{y}", f"fill-opacity {a}")
        for x, y, r, a in ((rng.uniform(2, w - 2), rng.uniform(50, 150),
                            rng.choice((0.4, 0.5, 0.7)), rng.uniform(0.4, 0.95))
                           for _ in range(44)))
    fireflies = "\n".join(
        glow(x, y, 3.2, "#ffe680", 3, 0.25) + "\n" +
        filled("#fff6c0", f"circle {x},{y} {x + 0.8},{y}")
        for x, y in ((rng.uniform(75, 150), rng.uniform(204, 236)) for _ in range(6)))
    return "\n".join([
        stars,
        # Moon with its halo.
        glow(121, 88, 34, "#ffe9b0", 7, 0.06),
        filled("#fff4d2", "circle 121,88 121,73"),
        filled("#eadcb4", "circle 115,84 115,81", "fill-opacity 0.7"),
        filled("#eadcb4", "circle 126,95 126,93", "fill-opacity 0.6"),
        # Far mountains and the tower on the highest one.
        filled("#3a2c66", "polygon 0,176 18,160 34,168 58,140 76,156 92,148 110,164 "
               f"128,150 146,162 {w},152 {w},{horizon} 0,{horizon}"),
        filled("#2b2153", "polygon 88,150 88,124 85,124 91,112 97,124 94,124 94,152"),
        filled("#2b2153", "polygon 84,126 84,122 98,122 98,126"),
        filled("#ffd45a", "rectangle 90,129 92,133"),
        filled("#2b2153", "polygon 0,190 26,176 48,182 80,166 112,180 136,172 "
               f"{w},182 {w},{horizon} 0,{horizon}"),
        # Near hills.
        linear("hill", 0, 186, 0, band, "#1a4060", "#0b1d2e"),
        filled("url(#hill)", f"path 'M 0,{band} L 0,204 C 26,192 40,190 56,194 "
               f"C 80,200 110,212 {w},198 L {w},{band} Z'"),
        filled("#08131f", f"path 'M 0,{band} L 0,230 C 40,216 84,222 120,232 "
               f"C 138,237 152,236 {w},232 L {w},{band} Z'"),
        hero(),
        fireflies,
        title("Korvanu", 12, 31),
        # Yellow-orange band with the console and the console maker's logo.
        filled("#fff6c4", f"rectangle 0,{band} {w},{band + 1}"),
        filled("#7a3a00", f"rectangle 0,{band + 2} {w},{band + 2}", "fill-opacity 0.25"),
        filled("#6a3000", "ellipse 58,295 44,8 0,360", "fill-opacity 0.18"),
        filled("#6a3000", "ellipse 58,294 38,6 0,360", "fill-opacity 0.22"),
        console(58, 280, 44, 17, 5),
        "push graphic-context\nstroke '#5a2600'\nstroke-width 2.2\nfill none\n"
        "circle 125,278 125,270\npop graphic-context",
        filled("#5a2600", "circle 131,272 131,269.2"),
        "push graphic-context\nfont '" + BOLD + "'\nfont-size 13\nfill '#5a2600'\n"
        "text 110,303 'orva'\npop graphic-context",
    ])


def sidebar_base():
    w, h = SIDEBAR_SIZE
    sky = [("#060a22", 0), ("#1b2356", 0.3), ("#4a3379", 0.5), ("#b4547c", 0.62),
           ("#f39a5e", 0.72), ("#f39a5e", 1)]
    band = [("#ffd84a", 0), ("#ffae22", 0.6), ("#f3860f", 1)]
    return gradient(w, h, [(0, BAND - 1, sky), (BAND, h - 1, band)])


def header_base():
    w, h = HEADER_SIZE
    fade = [("#ffffff", 0), ("#c3d2ec", 0.32), ("#37599c", 0.72), ("#0a2461", 1)]
    return gradient(w, h, [(0, 329, [("#ffffff", 0), ("#ffffff", 1)]), (330, w - 1, fade)],
                    horizontal=True)


def header_mvg():
    return "\n".join([
        glow(458, 29, 27, "#9fc0ff", 6, 0.07),
        console(458, 26, 26, 10, 4),
    ])


def icon_mvg(size):
    """The console seen from the front: a silver disc with a dark face."""
    s = size / 48
    c = size / 2
    rim = 22.5 * s
    face = 15.5 * s if size > 16 else 4.8
    parts = [
        linear("rim", size * 0.2, 0, size * 0.8, size, "#ffffff", "#7d8596"),
        linear("face", 0, c - face, 0, c + face, "#4a5670", "#0a0e16"),
        filled("url(#rim)", f"circle {c},{c} {c + rim},{c}",
               f"stroke '#3a404c'\nstroke-width {max(1.0, 1.2 * s)}"),
        filled("url(#face)", f"circle {c},{c} {c + face},{c}",
               f"stroke '#05070b'\nstroke-width {max(0.8, 1.0 * s)}"),
    ]
    if size > 16:
        parts.append(filled("#ffffff", f"ellipse {c - 3 * s},{c - 7 * s} "
                            f"{9 * s},{4.5 * s} 0,360", "fill-opacity 0.22"))
        parts.append(filled("#ff8a1a", f"circle {c + 16.4 * s},{c + 12.4 * s} "
                            f"{c + 16.4 * s + 2.2 * s},{c + 12.4 * s}"))
    return "\n".join(parts)


def bgr_rows(rgba, width, height, channels):
    """Bottom-up rows of BGR or BGRA pixels, each padded to a multiple of four bytes."""
    stride = (width * channels + 3) & ~3
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b, a = rgba[(y * width + x) * 4:(y * width + x) * 4 + 4]
            row += bytes((b, g, r, a))[:channels]
        out += row + bytes(stride - len(row))
    return bytes(out)


def info_header(width, height, bits, image_size, ppm, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, ppm, ppm,
                       colours, 0)


def write_bmp(path, rgba, width, height, ppm):
    pixels = bgr_rows(rgba, width, height, 3)
    offset = 14 + 40
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(info_header(width, height, 24, len(pixels), ppm))
        f.write(pixels)


def and_mask(rgba, size):
    """1 marks a transparent pixel; rows bottom-up, padded to four bytes."""
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if rgba[(y * size + x) * 4 + 3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def quantise(rgba, size):
    """Reduces the opaque colours to at most 255 with convert; returns palette and indices."""
    opaque = bytearray(rgba)
    for i in range(0, len(opaque), 4):
        if opaque[i + 3] < 128:
            opaque[i:i + 3] = b"\0\0\0"
        opaque[i + 3] = 255
    reduced = subprocess.run(
        ["convert", "-size", f"{size}x{size}", "-depth", "8", "rgba:-", "-alpha", "off",
         "+dither", "-colors", "255", "-depth", "8", "rgb:-"],
        input=bytes(opaque), check=True, capture_output=True).stdout
    palette, indices = [], []
    for i in range(0, len(reduced), 3):
        colour = reduced[i:i + 3]
        if colour not in palette:
            palette.append(colour)
        indices.append(palette.index(colour))
    return palette, indices


def icon_image_8bpp(rgba, size):
    palette, indices = quantise(rgba, size)
    table = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    table += bytes(4 * (256 - len(palette)))
    stride = (size + 3) & ~3
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        pixels += bytes(indices[y * size:(y + 1) * size]) + bytes(stride - size)
    mask = and_mask(rgba, size)
    return (info_header(size, size * 2, 8, len(pixels) + len(mask), 0, 256) + table +
            bytes(pixels) + mask)


def icon_image_32bpp(rgba, size):
    pixels = bgr_rows(rgba, size, size, 4)
    mask = and_mask(rgba, size)
    return info_header(size, size * 2, 32, len(pixels) + len(mask), 0) + pixels + mask


def write_ico(path):
    drawings = {size: render(icon_mvg(size), size, size) for size in ICON_SIZES}
    images = [(size, 8, icon_image_8bpp(drawings[size], size)) for size in ICON_SIZES]
    images += [(size, 32, icon_image_32bpp(drawings[size], size)) for size in ICON_SIZES]
    offset = 6 + 16 * len(images)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for size, bits, data in images:
            f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(data), offset))
            offset += len(data)
        for _, _, data in images:
            f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "res")
    w, h = SIDEBAR_SIZE
    sidebar = render(sidebar_mvg(), w, h, sidebar_base())
    write_bmp(os.path.join(out, "sidebar.bmp"), sidebar, w, h, SIDEBAR_PPM)
    w, h = HEADER_SIZE
    header = render(header_mvg(), w, h, header_base())
    write_bmp(os.path.join(out, "header.bmp"), header, w, h, 0)
    write_ico(os.path.join(out, "setup.ico"))


if __name__ == "__main__":
    main()
