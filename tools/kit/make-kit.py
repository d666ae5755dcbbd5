#!/usr/bin/python3
"""Packs the maker's kit into a zip (for Windows) or a tar.gz (for Linux) whose
bytes depend only on the files' contents and the order given: every entry has
the same time, no owner, and a mode by its kind, whatever the files on disk have.

    make-kit.py ARCHIVE FOLDER FILE...

ARCHIVE ends in .zip or .tar.gz; it holds FOLDER/ and in it each FILE under its
own name. Texts (.txt, UTF-8) go into the zip with a byte order mark and CRLF
line ends, which every Notepad shows right; programs get mode 755, texts 644.
"""
import gzip
import io
import os
import sys
import tarfile
import zipfile

# 2024-01-01 12:00 UTC: at noon the date is the same in every time zone.
TIME = (2024, 1, 1, 12, 0, 0)
EPOCH = 1704110400


def entries(folder, files, windows):
    yield folder + "/", None, 0o755
    for path in files:
        with open(path, "rb") as f:
            data = f.read()
        text = path.endswith(".txt")
        if text and windows:
            data = b"\xef\xbb\xbf" + data.replace(b"\n", b"\r\n")
        yield folder + "/" + os.path.basename(path), data, 0o644 if text else 0o755


def write_zip(out, items):
    with zipfile.ZipFile(out, "w") as z:
        for name, data, mode in items:
            info = zipfile.ZipInfo(name, TIME)
            info.create_system = 3  # Unix: the mode holds
            info.external_attr = ((0o040000 if data is None else 0o100000) | mode) << 16
            if data is None:
                info.external_attr |= 0x10  # MS-DOS directory
                z.writestr(info, b"")
            else:
                z.writestr(info, data, zipfile.ZIP_DEFLATED, 9)


def write_tar_gz(out, items):
    with open(out, "wb") as raw, \
         gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=0) as packed, \
         tarfile.open(fileobj=packed, mode="w", format=tarfile.USTAR_FORMAT) as tar:
        for name, data, mode in items:
            info = tarfile.TarInfo(name.rstrip("/"))
            info.mtime, info.mode = EPOCH, mode
            if data is None:
                info.type = tarfile.DIRTYPE
            else:
                info.size = len(data)
            tar.addfile(info, None if data is None else io.BytesIO(data))


def main(out, folder, *files):
    windows = out.endswith(".zip")
    temp = out + ".part"
    (write_zip if windows else write_tar_gz)(temp, entries(folder, files, windows))
    os.replace(temp, out)


if __name__ == "__main__":
    if len(sys.argv) < 4 or not sys.argv[1].endswith((".zip", ".tar.gz")):
        sys.exit(__doc__)
    main(*sys.argv[1:])
