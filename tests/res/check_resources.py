#!/usr/bin/python3
"""Reads the installer's resources with pefile, without Windows, and checks them
against resource_table.py.

    check_resources.py <program> [<payload archive it embeds, which may be empty>]
"""
import re
import struct
import sys
import unittest
import xml.etree.ElementTree as ET

import pefile

import resource_table as table

GERMAN = 1031
RT_BITMAP, RT_ICON, RT_STRING, RT_DIALOG = 2, 3, 6, 5
RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 14, 16, 24

# The system's constants that the table names.
SYSTEM = dict(
    WS_POPUP=0x80000000, WS_CHILD=0x40000000, WS_VISIBLE=0x10000000, WS_DISABLED=0x08000000,
    WS_CAPTION=0x00C00000, WS_BORDER=0x00800000, WS_VSCROLL=0x00200000, WS_SYSMENU=0x00080000,
    WS_GROUP=0x00020000, WS_MINIMIZEBOX=0x00020000, WS_TABSTOP=0x00010000,
    DS_MODALFRAME=0x80, DS_SHELLFONT=0x48,
    SS_LEFT=0x0, SS_ICON=0x3, SS_BITMAP=0xE, SS_ETCHEDHORZ=0x10, SS_ETCHEDFRAME=0x12,
    SS_NOPREFIX=0x80, SS_REALSIZEIMAGE=0x800,
    BS_PUSHBUTTON=0, BS_DEFPUSHBUTTON=1, BS_AUTOCHECKBOX=3, BS_GROUPBOX=7,
    ES_MULTILINE=0x4, ES_AUTOHSCROLL=0x80, ES_READONLY=0x800,
    WS_EX_TRANSPARENT=0x20, WS_EX_APPWINDOW=0x40000,
    IDOK=1, IDCANCEL=2)
IDS = table.resource_ids()


def value(expression):
    """An id or style of the table: names of res/resource.h or of the system,
    or numbers, joined with |."""
    result = 0
    for name in expression.split("|"):
        name = name.strip()
        result |= (IDS[name] if name in IDS else SYSTEM[name]) if name[0].isalpha() else int(name)
    return result


def control(cid, cls, text, style, ex_style, rect):
    text = value(text.name) if isinstance(text, table.Image) else text
    return value(cid), cls, text, value(style), value(ex_style), rect


STRINGS = {value(name): text for name, text in table.STRINGS.items()}
DIALOGS = {value(name): (value(style), value(ex_style), rect, caption, weight,
                         [control(*c) for c in controls])
           for name, (style, ex_style, rect, caption, weight, controls) in table.DIALOGS.items()}
FINISH_PREFACE, LICENSE_TEXT = IDS["IDS_FINISH_PREFACE"], IDS["IDS_LICENSE_TEXT"]
# The system's predefined control classes may be written as ordinals.
CLASS_ORDINALS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC"}


class Program:
    """The resources of one PE file: {(type, name): {language: bytes}}."""

    def __init__(self, path):
        # Only the resource directory: a full parse of a program that carries a
        # 200 MB payload takes minutes.
        self.pe = pefile.PE(path, fast_load=True)
        self.pe.parse_data_directories(
            directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
        self.res = {}
        for kind in self.pe.DIRECTORY_ENTRY_RESOURCE.entries:
            type_key = str(kind.name) if kind.name is not None else kind.id
            for entry in kind.directory.entries:
                name_key = str(entry.name) if entry.name is not None else entry.id
                for lang in entry.directory.entries:
                    data = lang.data.struct
                    self.res.setdefault((type_key, name_key), {})[lang.id] = \
                        self.pe.get_data(data.OffsetToData, data.Size)

    def german(self, kind, name):
        """The data of a resource that must exist in German only."""
        langs = self.res.get((kind, name), {})
        if list(langs) != [GERMAN]:
            raise AssertionError(f"resource {kind}/{name}: languages {list(langs)}")
        return langs[GERMAN]

    def strings(self):
        table = {}
        for (kind, block), langs in self.res.items():
            if kind != RT_STRING:
                continue
            data, at = self.german(kind, block), 0
            for i in range(16):
                (n,) = struct.unpack_from("<H", data, at)
                if n:
                    table[(block - 1) * 16 + i] = data[at + 2:at + 2 + 2 * n].decode("utf-16-le")
                at += 2 + 2 * n
        return table


class Reader:
    """Walks a DLGTEMPLATEEX."""

    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.at)
        self.at += struct.calcsize("<" + fmt)
        return values

    def sz_or_ord(self):
        if self.take("H")[0] == 0xFFFF:
            return self.take("H")[0]
        start = self.at - 2
        while struct.unpack_from("<H", self.data, self.at - 2)[0]:
            self.at += 2
        return self.data[start:self.at - 2].decode("utf-16-le")

    def align(self):
        self.at = (self.at + 3) & ~3


def parse_dialog(data):
    r = Reader(data)
    version, signature, help_id, ex_style, style, count, x, y, cx, cy = r.take("HHIIIHhhhh")
    dialog = dict(version=version, signature=signature, help_id=help_id, ex_style=ex_style,
                  style=style, rect=(x, y, cx, cy), menu=r.sz_or_ord(),
                  window_class=r.sz_or_ord(), caption=r.sz_or_ord())
    dialog["points"], dialog["weight"], dialog["italic"], dialog["charset"] = r.take("HHBB")
    dialog["face"] = r.sz_or_ord()
    dialog["controls"] = []
    for _ in range(count):
        r.align()
        help_id, ex_style, style, x, y, cx, cy, cid = r.take("IIIhhhhi")
        cls, text = r.sz_or_ord(), r.sz_or_ord()
        (extra,) = r.take("H")
        r.at += extra
        dialog["controls"].append(dict(help_id=help_id, ex_style=ex_style, style=style,
                                       rect=(x, y, cx, cy), id=cid, cls=cls, text=text,
                                       extra=extra))
    return dialog


def class_name(cls):
    return CLASS_ORDINALS.get(cls, str(cls)).upper() if isinstance(cls, int) else cls.upper()


class ResourceTest(unittest.TestCase):
    program = None
    payload = None

    @classmethod
    def setUpClass(cls):
        cls.exe = Program(cls.program)


class StringTableTest(ResourceTest):
    def test_texts_are_exact(self):
        table = self.exe.strings()
        for sid, text in STRINGS.items():
            self.assertEqual(table.get(sid), text, f"string {sid}")

    def test_only_the_listed_ids_exist(self):
        ids = {i for i in self.exe.strings() if 101 <= i <= 143}
        self.assertEqual(ids, set(STRINGS) | {FINISH_PREFACE, LICENSE_TEXT})
        for absent in list(range(128, 138)) + [141]:
            self.assertNotIn(absent, ids)

    def test_forum_address_ends_string_125(self):
        text = self.exe.strings()[FINISH_PREFACE]
        self.assertTrue(text.startswith(table.FORUM_LEAD), text)
        self.assertRegex(text[len(table.FORUM_LEAD):], r"^[\w.-]+\.[a-z]+(/[\w./-]*)?$")

    def test_every_text_fits_the_ansi_code_page(self):
        for sid, text in self.exe.strings().items():
            text.encode("cp1252")


class LicenseTest(ResourceTest):
    def setUp(self):
        self.text = self.exe.strings()[LICENSE_TEXT]
        self.lines = self.text.split("\r\n")

    def test_counts(self):
        self.assertEqual(len(self.text), table.LICENSE["length"])
        self.assertEqual(self.text.count("\r\n"), table.LICENSE["lines"] - 1)
        self.assertEqual(len(self.lines), table.LICENSE["lines"])
        self.assertTrue(self.text.startswith("\r\n") and self.text.endswith("\r\n"))
        self.assertLessEqual(max(len(line) for line in self.lines), table.LICENSE["longest_line"])
        for line in self.lines:
            self.assertNotRegex(line, "[\r\n\t]")
        self.text.encode("cp1252")

    def test_structure(self):
        self.assertTrue(self.lines[1] and self.lines[2] and not self.lines[3])
        self.assertIn("Valdero GmbH", self.lines[1] + self.lines[2])
        headings = [i for i, line in enumerate(self.lines) if re.match(r"\d\.\) ", line)]
        self.assertEqual([self.lines[i][:3] for i in headings],
                         [f"{n}.)" for n in range(1, 8)])
        for i in headings:
            self.assertRegex(self.lines[i], r"^\d\.\) [A-ZÄÖÜ][A-ZÄÖÜ ]+$")
        intro = "\n".join(self.lines[4:headings[0]]).strip("\n")
        self.assertEqual(len(intro.split("\n\n")), 3)
        restrictions = "\n".join(self.lines[headings[1]:headings[2]])
        self.assertRegex(restrictions, r"[\w.-]+@[\w.-]+\.[a-z]+")
        self.assertRegex(restrictions, r"\+49[\d ]+")
        self.assertIn("Deutschland", "\n".join(self.lines[headings[6]:]))


class DialogTest(ResourceTest):
    def test_templates_match_the_tables(self):
        for did, (style, ex_style, rect, caption, weight, controls) in DIALOGS.items():
            with self.subTest(dialog=did):
                d = parse_dialog(self.exe.german(RT_DIALOG, did))
                self.assertEqual((d["version"], d["signature"], d["help_id"]), (1, 0xFFFF, 0))
                self.assertEqual(hex(d["style"]), hex(style))
                self.assertEqual(hex(d["ex_style"]), hex(ex_style))
                self.assertEqual(d["rect"], rect)
                self.assertEqual((d["menu"], d["window_class"], d["caption"]), ("", "", caption))
                self.assertEqual((d["points"], d["weight"], d["italic"], d["charset"], d["face"]),
                                 (8, weight, 0, 1, "MS Shell Dlg"))
                self.assertEqual(len(d["controls"]), len(controls))
                for got, want in zip(d["controls"], controls):
                    cid, cls, text, cstyle, cex, crect = want
                    where = f"dialog {did} control {cid} {text!r}"
                    self.assertEqual((got["id"], class_name(got["cls"]), got["text"]),
                                     (cid, cls.upper(), text), where)
                    self.assertEqual((hex(got["style"]), hex(got["ex_style"]), got["rect"]),
                                     (hex(cstyle), hex(cex), crect), where)
                    self.assertEqual((got["help_id"], got["extra"]), (0, 0), where)


class PictureTest(ResourceTest):
    def bitmap_header(self, bid):
        data = self.exe.german(RT_BITMAP, bid)
        size, w, h, planes, bits, compression, image, xppm, yppm = struct.unpack_from(
            "<IiiHHIIii", data)
        self.assertEqual((size, planes, bits, compression), (40, 1, 24, 0))
        self.assertGreaterEqual(len(data), 40 + ((w * 3 + 3) & ~3) * h)
        return w, h, xppm, yppm

    def expect_bitmap(self, name):
        w, h, ppm = table.BITMAPS[name]
        self.assertEqual(self.bitmap_header(IDS[name]), (w, h, ppm, ppm))

    def test_sidebar(self):
        self.expect_bitmap("IDB_SIDEBAR")

    def test_header_band(self):
        self.expect_bitmap("IDB_HEADER")

    def test_icon_group_has_six_dib_images(self):
        group = self.exe.german(RT_GROUP_ICON, IDS["IDI_SETUP"])
        reserved, kind, count = struct.unpack_from("<HHH", group)
        self.assertEqual((reserved, kind, count), (0, 1, 6))
        found = set()
        for i in range(count):
            w, h, _, _, planes, bits, size, iid = struct.unpack_from("<BBBBHHIH", group,
                                                                     6 + 14 * i)
            image = self.exe.german(RT_ICON, iid)
            self.assertEqual(len(image), size)
            self.assertFalse(image.startswith(b"\x89PNG"), f"icon {iid} is PNG")
            hsize, iw, ih, iplanes, ibits, compression = struct.unpack_from("<IiiHHI", image)
            self.assertEqual((hsize, iw, ih, iplanes, ibits, compression),
                             (40, w, 2 * h, 1, bits, 0))
            self.assertEqual(planes, 1)
            found.add((w, bits))
            if bits == 32:
                alpha = set(image[40 + 3:40 + w * h * 4:4])
                self.assertTrue({0, 255} <= alpha and len(alpha) > 2, f"icon {iid} alpha")
        self.assertEqual(found, {(s, b) for s in (48, 32, 16) for b in (8, 32)})


class VersionTest(ResourceTest):
    def test_fixed_part(self):
        self.exe.german(RT_VERSION, 1)
        fixed = self.exe.pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x10000, 1))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x10000, 1))
        self.assertEqual((fixed.FileFlagsMask, fixed.FileFlags), (0x3F, 0))
        self.assertEqual((fixed.FileOS, fixed.FileType, fixed.FileSubtype), (0x4, 0x1, 0))
        self.assertEqual((fixed.FileDateMS, fixed.FileDateLS), (0, 0))

    def test_string_table_and_translation(self):
        tables, translations = [], []
        for info in self.exe.pe.FileInfo[0]:
            if info.Key == b"StringFileInfo":
                tables += info.StringTable
            if info.Key == b"VarFileInfo":
                translations += [var.entry for var in info.Var]
        self.assertEqual([t.LangID for t in tables], [b"040704e4"])
        entries = {k.decode(): v.decode() for k, v in tables[0].entries.items()}
        notice = entries.pop("Copyright")
        self.assertIn("Valdero GmbH", notice)
        self.assertEqual(entries, table.VERSION_STRINGS)
        self.assertEqual(translations, [{b"Translation": "0x0407 0x04e4"}])


class ManifestTest(ResourceTest):
    NS = "{urn:schemas-microsoft-com:asm.v1}"

    def test_identity_and_common_controls(self):
        data = self.exe.german(RT_MANIFEST, 1)
        self.assertEqual([k for k in self.exe.res if k[0] == RT_MANIFEST], [(RT_MANIFEST, 1)])
        self.assertTrue(data.startswith(b'<?xml version="1.0" encoding="UTF-8"'))
        root = ET.fromstring(data)
        self.assertEqual(root.find(self.NS + "assemblyIdentity").attrib, {
            "version": "1.0.0.0", "processorArchitecture": "X86",
            "name": "Microsoft.Windows.setup", "type": "win32"})
        self.assertEqual(root.find(self.NS + "description").text,
                         "Fügen Sie hier die Anwendungsbeschreibung ein")
        deps = root.findall(f"{self.NS}dependency/{self.NS}dependentAssembly/"
                            f"{self.NS}assemblyIdentity")
        self.assertEqual([d.attrib for d in deps], [{
            "type": "win32", "name": "Microsoft.Windows.Common-Controls",
            "version": "6.0.0.0", "processorArchitecture": "X86",
            "publicKeyToken": "6595b64144ccf1df", "language": "*"}])


class InventoryTest(ResourceTest):
    def test_payload_is_the_only_archive(self):
        archives = [k for k in self.exe.res if k[0] == "RT_ARCHIV"]
        self.assertEqual(archives, [("RT_ARCHIV", 149)])
        data = self.exe.german("RT_ARCHIV", 149)
        if self.payload:
            with open(self.payload, "rb") as f:
                self.assertTrue(data == f.read(), "RT_ARCHIV 149 differs from the payload")
        else:
            self.assertGreater(len(data), 0)

    def test_everything_is_german(self):
        for key, langs in self.exe.res.items():
            self.assertEqual(list(langs), [GERMAN], key)

    def test_named_resources_are_present(self):
        expected = ({(RT_DIALOG, d) for d in DIALOGS} |
                    {(RT_BITMAP, IDS[name]) for name in table.BITMAPS} |
                    {(RT_GROUP_ICON, IDS["IDI_SETUP"]), (RT_VERSION, 1)})
        self.assertLessEqual(expected, set(self.exe.res))


if __name__ == "__main__":
    ResourceTest.program = sys.argv[1]
    ResourceTest.payload = sys.argv[2] if len(sys.argv) > 2 else None
    unittest.main(argv=sys.argv[:1], verbosity=1)
