#!/usr/bin/python3
"""The installer's resources as the resource checks expect them, in one table.

check_resources.py (pefile) reads it as a module; the C++ tests (Win32 resource
API) compile the source that

    resource_table.py <ExpectedResources.cpp>

writes from it. Ids are the names of res/resource.h and styles the names of the
system's constants, so that each side resolves them on its own: the compiler
through res/resource.h and windows.h, check_resources.py through res/resource.h
and its own values of the system's constants.
"""
import json
import re
import sys
from pathlib import Path

RESOURCE_H = Path(__file__).resolve().parents[2] / "res" / "resource.h"

TEXT = "WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT"
PICTURE = "WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_REALSIZEIMAGE"
LINE = "WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ"
PUSH = "WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON"
PATH = "WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY"
PAGE = "WS_CHILD | WS_DISABLED | DS_SHELLFONT"
PAGE_RECT = (0, 0, 332, 193)
T = "WS_EX_TRANSPARENT"


class Image:
    """A control text that is the ordinal of a picture or icon resource."""

    def __init__(self, name):
        self.name = name


# Every string but IDS_FINISH_PREFACE, which ends in the forum's address, and
# IDS_LICENSE_TEXT, the license agreement, whose wording is free within LICENSE.
STRINGS = {
    "IDS_ABOUTBOX": "&Info...",
    "IDS_CANCEL_QUESTION": "Wollen Sie wirklich die %s von %s abbrechen?",
    "IDS_GAME_TITLE": "Korvanu 1.1",
    "IDS_GAME_SHORT_NAME": "brimlow",
    "IDS_INSTALLATION": "Installation",
    "IDS_LICENSE_PREFACE":
        "Drücken Sie Bild-runter-Taste, um den Rest der Lizenzvereinbarung zu sehen.",
    "IDS_LICENSE_HINT":
        "Falls Sie alle Bedingungen der Lizenzvereinbarung akzeptieren, wählen Sie unten die "
        "entsprechende Option. Sie müssen die Lizenzvereinbarung anerkennen, um %s "
        "installieren zu können. Klicken Sie auf Weiter, um fortzufahren.",
    "IDS_LICENSE_TOPIC": "Lizenzvereinbarung",
    "IDS_LICENSE_SUBTOPIC":
        "Bitte lesen Sie die Lizenzvereinbarung durch, bevor Sie mit der Installation "
        "fortfahren.",
    "IDS_LICENSE_CHECK": "Ich akzeptiere die Lizenzvereinbarung.",
    "IDS_TARGET_TOPIC": "Installationsziel wählen",
    "IDS_TARGET_SUBTOPIC": "Wählen Sie die SD-Karte aus, auf der %s installiert werden soll.",
    "IDS_TARGET_PREFACE":
        "%s wird in das unten angegebene Verzeichnis installiert. Klicken Sie auf "
        "Durchsuchen, um ein Verzeichnis zu wählen.\r\n\r\nKlicken Sie auf Weiter, um "
        "fortzufahren.",
    "IDS_TARGET_GROUPBOX": "Zielverzeichnis",
    "IDS_TARGET_BROWSE_TITLE":
        "Bitte wählen Sie das Laufwerk mit der SD-Karte, auf der installiert werden soll.",
    "IDS_SUMMARY_TOPIC": "Zusammenfassung",
    "IDS_SUMMARY_SUBTOPIC": "Bereit zum Installieren von %s",
    "IDS_SUMMARY_PREFACE": "%s wird an folgendem Ort installiert:",
    "IDS_INSTALL": "Installieren",
    "IDS_NEXT": "Weiter >",
    "IDS_PROGRESS_TOPIC": "Installation",
    "IDS_PROGRESS_SUBTOPIC": "%s wird installiert.",
    "IDS_PROGRESS_PREFACE": "Entpacke und installiere Dateien",
    "IDS_FINISH_TOPIC": "Die Installation von %s wird abgeschlossen",
    "IDS_FINISH_HINT": "Klicken Sie auf Fertig, um den Installations-Assistenten zu schließen.",
    "IDS_FINISH": "Fertig",
    "IDS_CANCEL_SUBJECT": "die Installation",
    "IDS_WELCOME_TOPIC": "Willkommen beim Installations-Assistenten für %s",
    "IDS_WELCOME_PREFACE":
        "Dieser Assistent wird Sie durch die Installation von %s begleiten.\r\n\r\nFür die "
        "Installation benötigen Sie eine Orva kompatible SD-Karte mit %dMB freiem Speicher.",
    "IDS_WELCOME_HINT": "Klicken Sie auf Weiter, um fortzusetzen.",
}
# IDS_FINISH_PREFACE: this, then the forum's web address.
FORUM_LEAD = ("%s wurde erfolgreich installiert.\r\n\r\nWir wünschen Ihnen viel Spaß mit der "
              "Software.\r\n\r\nBei weiteren Fragen besuchen Sie unser Forum auf ")
# IDS_LICENSE_TEXT: characters, CR LF separated lines, the longest line.
LICENSE = {"length": 3891, "lines": 96, "longest_line": 87}

# Dialog: style, extended style, rectangle, caption, font weight, controls in tab
# order as (id, class, text, style, extended style, rectangle).
DIALOGS = {
    "IDD_ABOUTBOX": ("WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT", "0",
                     (0, 0, 202, 102), "Info...", 0, [
        ("IDC_STATIC", "STATIC", Image("IDI_SETUP"), "WS_CHILD | WS_VISIBLE | SS_ICON", "0",
         (11, 17, 21, 20)),
        ("IDC_STATIC", "STATIC",
         "Installations-Assistent für Orva Spiele\r\n\r\nVersion 1.0\r\nSprache: Deutsch",
         TEXT + " | SS_NOPREFIX", "0", (40, 10, 155, 34)),
        ("IDOK", "BUTTON", "OK",
         "WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON", "0",
         (75, 79, 50, 16))]),
    "IDD_SETUP_DIALOG": ("WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | "
                         "DS_MODALFRAME | DS_SHELLFONT", "WS_EX_APPWINDOW",
                         (0, 0, 331, 221), "", 0, [
        ("IDCANCEL", "BUTTON", "Abbrechen", PUSH, "0", (274, 200, 50, 14)),
        ("ID_WIZNEXT", "BUTTON", "Weiter >", PUSH, "0", (219, 200, 50, 14)),
        ("ID_WIZBACK", "BUTTON", "< Zurück", PUSH, "0", (169, 200, 50, 14)),
        ("IDC_PAGE_AREA", "STATIC", "", "WS_CHILD | SS_ETCHEDFRAME", "0", (0, 0, 331, 193))]),
    "IDD_WELCOME": (PAGE, "0", PAGE_RECT, "", 400, [
        ("IDC_STATIC", "STATIC", Image("IDB_SIDEBAR"), PICTURE, "0", (0, 0, 110, 193)),
        ("IDC_WELCOME_TOPIC", "STATIC", "IDC_WELCOME_TOPIC", TEXT, "0", (118, 8, 206, 40)),
        ("IDC_WELCOME_PREFACE", "STATIC", "IDC_WELCOME_PREFACE", TEXT, "0", (118, 54, 206, 107)),
        ("IDC_SIDEBAR_LINE", "STATIC", "", LINE, "0", (0, 192, 333, 1)),
        ("IDC_WELCOME_HINT", "STATIC", "IDC_WELCOME_HINT", TEXT, "0", (118, 170, 206, 15))]),
    "IDD_LICENSE": (PAGE, "0", PAGE_RECT, "", 400, [
        ("IDC_HEADER", "STATIC", Image("IDB_HEADER"), PICTURE, "0", (0, 0, 332, 36)),
        ("IDC_STATIC", "STATIC", "", LINE, "0", (7, 192, 318, 1)),
        ("IDC_LICENSE_TOPIC", "STATIC", "IDC_LICENSE_TOPIC", TEXT, "0", (8, 5, 233, 9)),
        ("IDC_LICENSE_SUBTOPIC", "STATIC", "IDC_LICENSE_SUBTOPIC", TEXT, "0", (16, 16, 225, 20)),
        ("IDC_STATIC", "STATIC", "", LINE, "0", (0, 35, 333, 1)),
        ("IDC_LICENSE_PREFACE", "STATIC", "IDC_LICENSE_PREFACE", TEXT, T, (16, 45, 300, 9)),
        ("IDC_LICENSE_TEXT", "EDIT", "", "WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | "
         "WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY", "0", (15, 60, 302, 81)),
        ("IDC_LICENSE_HINT", "STATIC", "IDC_LICENSE_HINT", TEXT, T, (16, 147, 300, 26)),
        ("IDC_LICENSE_CHECK", "BUTTON", "IDC_LICENSE_CHECK",
         "WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX", "0", (16, 176, 301, 10))]),
    "IDD_TARGET": (PAGE, "0", PAGE_RECT, "", 400, [
        ("IDC_HEADER", "STATIC", Image("IDB_HEADER"), PICTURE, "0", (0, 0, 332, 36)),
        ("IDC_TARGET_TOPIC", "STATIC", "IDC_TARGET_TOPIC", TEXT, "0", (8, 5, 233, 9)),
        ("IDC_TARGET_SUBTOPIC", "STATIC", "IDC_TARGET_SUBTOPIC", TEXT, "0", (16, 16, 225, 20)),
        ("IDC_STATIC", "STATIC", "", LINE, "0", (0, 35, 333, 1)),
        ("IDC_STATIC", "STATIC", "", LINE, "0", (7, 192, 318, 1)),
        ("IDC_TARGET_PREFACE", "STATIC", "IDC_TARGET_PREFACE", TEXT, T, (16, 45, 300, 39)),
        ("IDC_TARGET_GROUPBOX", "BUTTON", "IDS_TARGET_GROUPBOX",
         "WS_CHILD | WS_VISIBLE | BS_GROUPBOX", "0", (16, 113, 300, 37)),
        ("IDC_TARGET_PATH", "EDIT", "", PATH, "0", (24, 127, 214, 14)),
        ("IDC_TARGET_BROWSE", "BUTTON", "Durchsuchen", PUSH, "0", (244, 127, 65, 14))]),
    "IDD_SUMMARY": (PAGE, "0", PAGE_RECT, "", 400, [
        ("IDC_HEADER", "STATIC", Image("IDB_HEADER"), PICTURE, "0", (0, 0, 332, 36)),
        ("IDC_SUMMARY_TOPIC", "STATIC", "IDC_SUMMARY_TOPIC", TEXT, "0", (8, 5, 233, 9)),
        ("IDC_SUMMARY_SUBTOPIC", "STATIC", "IDC_SUMMARY_SUBTOPIC", TEXT, "0", (16, 16, 225, 20)),
        ("IDC_STATIC", "STATIC", "", LINE, "0", (0, 35, 333, 1)),
        ("IDC_STATIC", "STATIC", "", LINE, "0", (7, 192, 318, 1)),
        ("IDC_SUMMARY_PREFACE", "STATIC", "IDC_SUMMARY_PREFACE", TEXT, T, (16, 45, 300, 9)),
        ("IDC_SUMMARY_PATH", "EDIT", "", PATH, "0", (16, 58, 300, 14))]),
    "IDD_PROGRESS": (PAGE, "0", PAGE_RECT, "", 400, [
        ("IDC_HEADER", "STATIC", Image("IDB_HEADER"), PICTURE, "0", (0, 0, 332, 36)),
        ("IDC_PROGRESS_TOPIC", "STATIC", "IDC_PROGRESS_TOPIC", TEXT, "0", (8, 5, 233, 9)),
        ("IDC_PROGRESS_SUBTOPIC", "STATIC", "IDC_PROGRESS_SUBTOPIC", TEXT, "0",
         (16, 16, 225, 20)),
        ("IDC_STATIC", "STATIC", "", LINE, "0", (0, 35, 333, 1)),
        ("IDC_STATIC", "STATIC", "", LINE, "0", (7, 192, 318, 1)),
        ("IDC_PROGRESS_PREFACE", "STATIC", "IDC_PROGRESS_PREFACE", TEXT, T, (16, 45, 300, 9)),
        ("IDC_PROGRESS_BAR", "msctls_progress32", "", "WS_CHILD | WS_VISIBLE | WS_BORDER", "0",
         (16, 58, 300, 14))]),
    "IDD_FINISH": (PAGE, "0", PAGE_RECT, "", 400, [
        ("IDC_STATIC", "STATIC", Image("IDB_SIDEBAR"), PICTURE, "0", (0, 0, 110, 193)),
        ("IDC_FINISH_TOPIC", "STATIC", "IDC_FINISH_TOPIC", TEXT, "0", (118, 8, 206, 40)),
        ("IDC_FINISH_PREFACE", "STATIC", "IDC_FINISH_PREFACE", TEXT, "0", (118, 54, 206, 107)),
        ("IDC_FINISH_HINT", "STATIC", "IDC_FINISH_HINT", TEXT, "0", (118, 170, 206, 15)),
        ("IDC_SIDEBAR_LINE", "STATIC", "", LINE, "0", (0, 192, 333, 1))]),
}

# Bitmap: width, height, pixels per metre (both directions).
BITMAPS = {"IDB_SIDEBAR": (161, 313, 2834), "IDB_HEADER": (498, 58, 0)}

# The version block's strings but the rights notice, which names the maker.
VERSION_STRINGS = {
    "CompanyName": "Valdero GmbH",
    "FileDescription": "Assistent für die Installation von Spielen für die Orva Konsole.",
    "FileVersion": "1.0.0.1",
    "InternalName": "setup.exe",
    "OriginalFilename": "setup.exe",
    "ProductName": "Orva Setup Wizard",
    "ProductVersion": "1.0.0.1",
}


def resource_ids(path=RESOURCE_H):
    """The names and values that res/resource.h defines."""
    ids = {}
    for line in Path(path).read_text().splitlines():
        match = re.fullmatch(r"#define (\w+) \(?(-?(?:0x[0-9A-Fa-f]+|\d+))\)?", line.strip())
        if match:
            ids[match.group(1)] = int(match.group(2), 0)
    return ids


def cpp_string(text):
    """A wide C++ literal of the text in plain ASCII, whatever the compiler's
    source character set: every escape that JSON writes is one of C++'s too."""
    return "L" + json.dumps(text)


def cpp_control(control):
    cid, cls, text, style, ex_style, rect = control
    image = (f"nullptr, {text.name}" if isinstance(text, Image) else f"{cpp_string(text)}, 0")
    return (f"        {{{cid}, {cpp_string(cls)}, {image}, {style}, {ex_style}, "
            f"{', '.join(map(str, rect))}}},")


def cpp_source():
    lines = ["// Written by tests/res/resource_table.py from its table.",
             '#include "ExpectedResources.h"', "", '#include "res/resource.h"', "",
             "const std::map<UINT, std::wstring> kStrings = {"]
    lines += [f"    {{{name}, {cpp_string(text)}}}," for name, text in STRINGS.items()]
    lines += ["};", f"const std::wstring kForumLead = {cpp_string(FORUM_LEAD)};",
              "const ExpectedLicense kLicense = {"
              f"{LICENSE['length']}, {LICENSE['lines']}, {LICENSE['longest_line']}}};",
              "const std::vector<ExpectedDialog> kDialogs = {"]
    for name, (style, ex_style, rect, caption, weight, controls) in DIALOGS.items():
        lines.append(f"    {{{name}, {style}, {ex_style}, {', '.join(map(str, rect))}, "
                     f"{cpp_string(caption)}, {weight}, {{")
        lines += [cpp_control(control) for control in controls]
        lines.append("    }},")
    lines += ["};", "const std::map<WORD, ExpectedBitmap> kBitmaps = {"]
    lines += [f"    {{{name}, {{{w}, {h}, {ppm}}}}}," for name, (w, h, ppm) in BITMAPS.items()]
    lines += ["};", "const std::map<std::wstring, std::wstring> kVersionStrings = {"]
    lines += [f"    {{{cpp_string(k)}, {cpp_string(v)}}}," for k, v in VERSION_STRINGS.items()]
    lines.append("};")
    return "\n".join(lines) + "\n"


if __name__ == "__main__":
    Path(sys.argv[1]).write_text(cpp_source())
