#!/usr/bin/python3
"""Runs our version reader (the dump program, under the emulator) and pefile on the same files and
compares them field for field; DateModified against the file's time as this side sees it.

Usage: compare_with_pefile.py EMULATOR DUMP_EXE FILE...
Needs the Debian package python3-pefile.
"""
import os
import subprocess
import sys
import time

try:
    import pefile
except ImportError:
    sys.exit("pefile is missing: install the Debian package python3-pefile")

TEXT_FIELDS = ["CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
               "LegalTrademarks", "OriginalFileName", "ProductName", "ProductVersion", "Comments",
               "PrivateBuild", "SpecialBuild"]
# Locale 0x0C0A with these pictures; the same picture in strftime's terms.
LOCALE, DATE_PICTURE, TIME_PICTURE = "0x0C0A", "dd/MM/yyyy", "HH:mm:ss"
DATE_STRFTIME, TIME_STRFTIME = "%d/%m/%Y", "%H:%M:%S"


def ours(emulator, dump, path):
    result = subprocess.run([emulator, dump, path, LOCALE, DATE_PICTURE, TIME_PICTURE],
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    out = result.stdout.decode("utf-8")
    if result.returncode == 2:
        return out.strip()  # the error the reader raised
    if result.returncode != 0:
        raise RuntimeError(f"dump failed ({result.returncode}): {out} {result.stderr!r}")
    return dict(line.split("=", 1) for line in out.splitlines())


def first_translation(pe, var):
    """The first language and code page pair, read from the value's own bytes (pefile keeps the last)."""
    block_start = pe.VS_VERSIONINFO[0].get_file_offset()
    key_end = var.get_file_offset() + var.sizeof() + 2 * (len("Translation") + 1)
    value = block_start + ((key_end - block_start + 3) & ~3)
    data = pe.__data__[value:value + min(var.ValueLength, 4)]
    if len(data) < 4:
        return None
    return int.from_bytes(data[0:2], "little"), int.from_bytes(data[2:4], "little")


def independent(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    if not hasattr(pe, "FileInfo"):
        return None
    translation, tables = None, []
    for info in (i for group in pe.FileInfo for i in group):
        if info.Key == b"VarFileInfo":
            for var in info.Var:
                if translation is None and b"Translation" in var.entry:
                    translation = first_translation(pe, var)
        elif info.Key == b"StringFileInfo":
            tables.extend(info.StringTable)
    fields = {name: "" for name in TEXT_FIELDS}
    if translation is not None:
        key = "%04X%04X" % translation
        for table in tables:
            if table.LangID.decode().upper() == key:
                # Entry names are matched without regard to case, as the system does.
                entries = {k.decode().lower(): v.decode("utf-8") for k, v in table.entries.items()}
                for name in TEXT_FIELDS:
                    fields[name] = entries.get(name.lower(), fields[name])
                break
    mtime = time.localtime(os.stat(path).st_mtime)
    date = time.strftime(DATE_STRFTIME, mtime)
    seconds = mtime.tm_sec - mtime.tm_sec % 2
    if (mtime.tm_hour, mtime.tm_min, seconds) != (0, 0, 0):
        date += " " + time.strftime(TIME_STRFTIME, mtime[:5] + (seconds,) + mtime[6:])
    fields["DateModified"] = date
    return fields


def main():
    emulator, dump, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    failures = 0
    for path in files:
        mine, theirs = ours(emulator, dump, path), independent(path)
        name = os.path.basename(path)
        if theirs is None:
            ok = isinstance(mine, str) and mine.startswith("EOSError: ")
            print(f"{name}: no version resource; ours: {mine!r} {'ok' if ok else 'MISMATCH'}")
            failures += not ok
            continue
        if isinstance(mine, str):
            print(f"{name}: ours raised {mine!r}, pefile read {theirs!r} MISMATCH")
            failures += 1
            continue
        for field, expected in theirs.items():
            ok = mine.get(field) == expected
            print(f"{name}: {field}: ours {mine.get(field)!r} pefile {expected!r} {'ok' if ok else 'MISMATCH'}")
            failures += not ok
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
