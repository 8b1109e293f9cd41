#!/usr/bin/env python3
"""Checks the built programs as files: the machine they are built for, the subsystem of the
executable, that they import system DLLs only, and the exact export tables of the stand-in engine
(the engine's ten published entry points, undecorated) and of the error module.

Usage: check_release.py BIN_DIR MACHINE     (MACHINE: i386 for the shipped build, amd64 for the
                                              test host build)
Prints one line per finding and exits non-zero if any check fails.
"""
import sys
from pathlib import Path

import pefile

ENGINE_EXPORTS = {
    "DbiInitFn", "DbiGetCurrSession", "DbiSetProp", "DbiOpenDatabaseList", "DbiGetNextRecord",
    "DbiCloseCursor", "DbiGetDatabaseDesc", "DbiOpenCfgInfoList", "DbiGetErrorString",
    "DbiGetErrorEntry",
}
ERROR_MODULE_EXPORTS = {"PGnMostrarError"}
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "shell32.dll", "advapi32.dll",
    "version.dll", "ole32.dll", "oleaut32.dll", "oleacc.dll", "msvcrt.dll", "comdlg32.dll",
    "shlwapi.dll", "uxtheme.dll", "psapi.dll", "msimg32.dll",
}
MACHINES = {"i386": 0x14C, "amd64": 0x8664}
GUI_SUBSYSTEM = 2


def imports(pe):
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])
    return {entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}


def exports(pe):
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_EXPORT"]])
    table = getattr(pe, "DIRECTORY_ENTRY_EXPORT", None)
    return {symbol.name.decode() for symbol in table.symbols if symbol.name} if table else set()


def check(path, machine, exported=None, gui=False):
    """The failures found in one file."""
    if not path.is_file():
        return [f"{path}: missing"]
    failures = []
    pe = pefile.PE(str(path), fast_load=True)
    if pe.FILE_HEADER.Machine != MACHINES[machine]:
        failures.append(f"{path.name}: machine 0x{pe.FILE_HEADER.Machine:04X}, not {machine}")
    if gui and pe.OPTIONAL_HEADER.Subsystem != GUI_SUBSYSTEM:
        failures.append(f"{path.name}: subsystem {pe.OPTIONAL_HEADER.Subsystem}, not a GUI program")
    foreign = sorted(imports(pe) - SYSTEM_DLLS)
    if foreign:
        failures.append(f"{path.name}: imports more than system DLLs: {', '.join(foreign)}")
    if exported is not None:
        names = exports(pe)
        if names != exported:
            failures.append(f"{path.name}: exports {sorted(names)}, expected exactly {sorted(exported)}")
    return failures


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in MACHINES:
        print(__doc__)
        return 2
    bin_dir, machine = Path(sys.argv[1]), sys.argv[2]
    files = [
        check(bin_dir / "ZtGnImcon.exe", machine, gui=True),
        check(bin_dir / "ZtError.dll", machine, exported=ERROR_MODULE_EXPORTS),
        check(bin_dir / "engine" / "IDAPI32.DLL", machine, exported=ENGINE_EXPORTS),
    ]
    for failure in (failure for found in files for failure in found):
        print("FAILED:", failure)
    failed = sum(1 for found in files if found)
    print(f"{len(files) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
