#!/usr/bin/python3
"""Checks a Windows program's image with pefile, without Windows: its width and
machine, its subsystem, that it needs no DLL beside the system's own, that it
is large-address-aware, that its CheckSum is right, and that its header holds
no link time (the same sources give the same bytes); for the stub, that its
image stays within what the payload tool counts for the wizard.

    check_image.py <program> i386|amd64 gui|console [PayloadLimits.h]
"""
import re
import sys
import unittest

import pefile

MACHINES = {"i386": (0x14C, 0x10B), "amd64": (0x8664, 0x20B)}  # machine, optional-header magic
SUBSYSTEMS = {"gui": 2, "console": 3}
# What every Windows has; a mingw runtime DLL (libstdc++, libgcc, zlib1,
# libwinpthread) would mean the program does not run on a bare system.
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll",
               "msvcrt.dll", "ntdll.dll", "ole32.dll", "shell32.dll", "user32.dll",
               "version.dll"}


class ImageTest(unittest.TestCase):
    path = machine = subsystem = limits = None

    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(cls.path, fast_load=True)
        cls.pe.parse_data_directories(
            directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])

    def test_machine_and_width(self):
        machine, magic = MACHINES[self.machine]
        self.assertEqual(self.pe.FILE_HEADER.Machine, machine)
        self.assertEqual(self.pe.OPTIONAL_HEADER.Magic, magic)

    def test_large_address_aware(self):
        # The linker marks every 64-bit program; our build marks the 32-bit ones.
        aware = self.pe.FILE_HEADER.Characteristics & pefile.IMAGE_CHARACTERISTICS[
            "IMAGE_FILE_LARGE_ADDRESS_AWARE"]
        self.assertTrue(aware)

    def test_checksum(self):
        # pefile sums in Python: a second for every 20 MB.
        if len(self.pe.__data__) > 64 << 20:
            self.skipTest("too large to sum here")
        self.assertEqual(self.pe.OPTIONAL_HEADER.CheckSum, self.pe.generate_checksum())

    def test_wizard_image(self):
        if not self.limits:
            self.skipTest("not the stub")
        with open(self.limits, encoding="utf-8") as header:
            allowance = int(re.search(r"kWizardImage = ([0-9]+)", header.read()).group(1))
        self.assertLessEqual(self.pe.OPTIONAL_HEADER.SizeOfImage, allowance)

    def test_no_link_time(self):
        self.assertEqual(self.pe.FILE_HEADER.TimeDateStamp, 0)

    def test_subsystem(self):
        self.assertEqual(self.pe.OPTIONAL_HEADER.Subsystem, SUBSYSTEMS[self.subsystem])

    def test_only_system_dlls(self):
        dlls = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertIn("kernel32.dll", dlls)
        self.assertLessEqual(dlls, SYSTEM_DLLS)


if __name__ == "__main__":
    ImageTest.path, ImageTest.machine, ImageTest.subsystem = sys.argv[1:4]
    ImageTest.limits = sys.argv[4] if len(sys.argv) > 4 else None
    unittest.main(argv=sys.argv[:1], verbosity=1)
