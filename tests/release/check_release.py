#!/usr/bin/env python3
"""Checks the built programs as files: that every program and library of the build (tests,
doubles and tools included) is built for the machine given, the subsystem of the executable, that
the shipped files import system DLLs only, the exact export tables of the error module and of both
engines of the tests, the stand-in and the published-interface double (the engine's ten published
entry points, undecorated), and, on i386, that each of those entry points is stdcall: it returns
with `ret N`, N the bytes of its published parameters, as a caller that pushed them expects.

Usage: check_release.py BIN_DIR MACHINE [OBJDUMP]   (MACHINE: i386 or amd64; OBJDUMP: the
                                                      toolchain's objdump, for the i386 check)
Prints one line per finding and exits non-zero if any check fails.
"""
import re
import subprocess
import sys
from pathlib import Path

import pefile

ENGINE_EXPORTS = {
    "DbiInitFn", "DbiGetCurrSession", "DbiSetProp", "DbiOpenDatabaseList", "DbiGetNextRecord",
    "DbiCloseCursor", "DbiGetDatabaseDesc", "DbiOpenCfgInfoList", "DbiGetErrorString",
    "DbiGetErrorEntry",
}
ERROR_MODULE_EXPORTS = {"PGnMostrarError"}
# Bytes of parameters that each entry point takes off the stack (stdcall), from the published
# parameter lists: every parameter, words and enumerations included, occupies 4 bytes.
ENGINE_STACK_BYTES = {
    "DbiInitFn": 8, "DbiGetCurrSession": 4, "DbiSetProp": 12, "DbiOpenDatabaseList": 4,
    "DbiGetNextRecord": 16, "DbiCloseCursor": 4, "DbiGetDatabaseDesc": 8, "DbiOpenCfgInfoList": 20,
    "DbiGetErrorString": 8, "DbiGetErrorEntry": 12,
}
ERROR_MODULE_STACK_BYTES = {"PGnMostrarError": 20}
# How far to read an entry point's code for its return, and how many jumps to follow.
CODE_WINDOW = 4096
MAX_JUMPS = 4
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


def export_addresses(pe):
    """Each named export and its virtual address."""
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_EXPORT"]])
    table = getattr(pe, "DIRECTORY_ENTRY_EXPORT", None)
    if not table:
        return {}
    base = pe.OPTIONAL_HEADER.ImageBase
    return {symbol.name.decode(): base + symbol.address for symbol in table.symbols if symbol.name}


INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\s+(?:[0-9a-f]{2} )+\s*(\S+)\s*(.*)$")


def stack_bytes_taken(path, address, objdump):
    """The bytes that the function at address takes off the stack when it returns (0 for a plain
    `ret`), read from its code up to its first return, following unconditional jumps that leave
    the code read so far (a tail call or a jump to a shared epilogue). None when no return is found.
    """
    for _ in range(MAX_JUMPS + 1):
        listing = subprocess.run(
            [objdump, "-d", "-w", f"--start-address={address:#x}",
             f"--stop-address={address + CODE_WINDOW:#x}", str(path)],
            check=True, capture_output=True, text=True).stdout
        jumped = False
        for line in listing.splitlines():
            found = INSTRUCTION.match(line)
            if not found:
                continue
            mnemonic, operands = found.group(2), found.group(3)
            if mnemonic.startswith("ret"):
                immediate = re.match(r"\$(0x[0-9a-f]+)", operands)
                return int(immediate.group(1), 16) if immediate else 0
            if mnemonic == "jmp":
                target = re.match(r"([0-9a-f]+)\b", operands)
                if target and not address <= int(target.group(1), 16) < int(found.group(1), 16):
                    address = int(target.group(1), 16)
                    jumped = True
                    break
        if not jumped:
            return None
    return None


def check_stack_bytes(path, pe, expected, objdump):
    """The entry points of path that do not take their published parameters off the stack."""
    failures = []
    addresses = export_addresses(pe)
    for name, size in sorted(expected.items()):
        if name not in addresses:
            continue  # the export table check reports it
        taken = stack_bytes_taken(path, addresses[name], objdump)
        if taken != size:
            shown = "no return found" if taken is None else f"ret {taken}"
            failures.append(f"{'/'.join(path.parts[-2:])}: {name} is not stdcall with {size} bytes of parameters ({shown})")
    return failures


def check(path, machine, exported=None, gui=False, stack_bytes=None, objdump=None):
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
        names = set(export_addresses(pe))
        if names != exported:
            failures.append(f"{path.name}: exports {sorted(names)}, expected exactly {sorted(exported)}")
    if stack_bytes is not None and machine == "i386" and objdump:
        failures += check_stack_bytes(path, pe, stack_bytes, objdump)
    return failures


def check_machine(bin_dir, machine):
    """Every program and library built (tests, doubles, probes, tools) is for machine."""
    failures = []
    for path in sorted(p for p in bin_dir.rglob("*") if p.suffix.lower() in (".exe", ".dll") and p.is_file()):
        found = pefile.PE(str(path), fast_load=True).FILE_HEADER.Machine
        if found != MACHINES[machine]:
            failures.append(f"{path.relative_to(bin_dir)}: machine 0x{found:04X}, not {machine}")
    return failures


def main():
    if len(sys.argv) not in (3, 4) or sys.argv[2] not in MACHINES:
        print(__doc__)
        return 2
    bin_dir, machine = Path(sys.argv[1]), sys.argv[2]
    objdump = sys.argv[3] if len(sys.argv) == 4 else None
    engine = {"exported": ENGINE_EXPORTS, "stack_bytes": ENGINE_STACK_BYTES, "objdump": objdump}
    files = [
        check(bin_dir / "ZtGnImcon.exe", machine, gui=True),
        check(bin_dir / "ZtError.dll", machine, exported=ERROR_MODULE_EXPORTS,
              stack_bytes=ERROR_MODULE_STACK_BYTES, objdump=objdump),
        check(bin_dir / "engine" / "IDAPI32.DLL", machine, **engine),
        check(bin_dir / "published-engine" / "IDAPI32.DLL", machine, **engine),
    ]
    files.append(check_machine(bin_dir, machine))
    for failure in (failure for found in files for failure in found):
        print("FAILED:", failure)
    failed = sum(1 for found in files if found)
    print(f"{len(files) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
