#!/usr/bin/env bash
# Saving onto a full disk, for real: mounts a tiny tmpfs and runs the Windows test program under Wine
# against a folder on it. Needs the right to mount (root); skips otherwise.
#   full-disk.sh <files_full_disk_tests.exe> <scratch folder>
set -euo pipefail
program=$1
dir=$2
mkdir -p "$dir"
if ! mount -t tmpfs -o size=8k tmpfs "$dir" 2>/dev/null; then
    echo "skipped: cannot mount a tmpfs here"
    exit 77
fi
trap 'umount "$dir"' EXIT
ZT_FULL_DISK_DIR=$(winepath -w "$dir" 2>/dev/null) wine "$program" </dev/null
