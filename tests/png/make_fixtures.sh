#!/usr/bin/env bash
# Regenerates the decoder's test pictures in fixtures/: every colour type at every bit depth it
# allows, plain and Adam7-interlaced, with and without a tRNS chunk, each filter type forced, and
# the small sizes where some interlace passes are empty. expected.txt records, for each picture,
# its size and the CRC-32 of ImageMagick's own 8-bit RGBA decoding, for test runs that have no
# ImageMagick at hand (the Windows tests under Wine).
set -euo pipefail
cd "$(dirname "$0")/fixtures"
IM=$(command -v convert-im6.q16 || command -v magick || command -v convert)

# No time stamps, so that regenerating gives the same files; no background colour, which would
# take a palette entry of its own.
common=(-define png:exclude-chunks=date,time,bKGD)
colour=(-seed 11 -size 37x23 plasma:orange-navy)
fade=(\( -size 23x37 gradient:white-gray10 -rotate 90 -fill black -draw 'rectangle 0,0 2,22' \))

# make NAME TYPE DEPTH INTERLACE SOURCE...
make() {
    local name=$1 type=$2 depth=$3 interlace=$4
    shift 4
    "$IM" "$@" "${common[@]}" -interlace "$interlace" -define png:color-type="$type" \
        -define png:bit-depth="$depth" "PNG:$name.png"
    # ImageMagick quietly picks another format when the picture does not fit the one asked for.
    python3 - "$name.png" "$type" "$depth" "$interlace" <<'PY'
import struct, sys
name, t, d, i = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4] != "None"
bd, ct, il = struct.unpack(">BBxxB", open(name, "rb").read()[24:29])
if (ct, bd, il) != (t, d, int(i)):
    sys.exit(f"{name}: made colour type {ct}, depth {bd}, interlace {il}")
PY
}

# add_trns NAME HEX: puts a tRNS chunk of the given bytes before the image data, for the cases that
# ImageMagick will not write itself (low-depth grey keys, palette alpha).
add_trns() {
    python3 - "$1.png" "$2" <<'PY'
import struct, sys, zlib
name, payload = sys.argv[1], bytes.fromhex(sys.argv[2])
data = open(name, "rb").read()
at = data.index(b"IDAT") - 4
chunk = struct.pack(">I", len(payload)) + b"tRNS" + payload
chunk += struct.pack(">I", zlib.crc32(chunk[4:]))
open(name, "wb").write(data[:at] + chunk + data[at:])
PY
}

rm -f ./*.png expected.txt
for interlace in None PNG; do
    suffix=$([ "$interlace" = PNG ] && echo -adam7 || true)
    for depth in 1 2 4 8 16; do
        make "grey-$depth$suffix" 0 "$depth" "$interlace" "${colour[@]}" -colorspace gray
    done
    for depth in 1 2 4 8; do
        make "palette-$depth$suffix" 3 "$depth" "$interlace" "${colour[@]}" -colors $((1 << depth))
    done
    for depth in 8 16; do
        make "rgb-$depth$suffix" 2 "$depth" "$interlace" "${colour[@]}"
        make "greyalpha-$depth$suffix" 4 "$depth" "$interlace" "${colour[@]}" -colorspace gray "${fade[@]}" \
            -compose copy_opacity -composite
        make "rgba-$depth$suffix" 6 "$depth" "$interlace" "${colour[@]}" "${fade[@]}" \
            -compose copy_opacity -composite
    done
done

# One transparent colour (tRNS): a grey level that the depth can hold exactly, an RGB colour, and
# palette entries of several alpha levels.
for depth in 8 16; do
    make "grey-$depth-trns" 0 "$depth" None "${colour[@]}" -colorspace gray -posterize 16 -transparent 'gray(119)'
done
make grey-1-trns 0 1 None "${colour[@]}" -colorspace gray
add_trns grey-1-trns 0000
make grey-2-trns 0 2 None "${colour[@]}" -colorspace gray
add_trns grey-2-trns 0002
make grey-4-trns 0 4 None "${colour[@]}" -colorspace gray
add_trns grey-4-trns 0007
make grey-2-adam7-trns 0 2 PNG "${colour[@]}" -colorspace gray
add_trns grey-2-adam7-trns 0001
for depth in 8 16; do
    make "rgb-$depth-trns" 2 "$depth" None "${colour[@]}" -posterize 6 -fill 'rgb(51,102,153)' \
        -draw 'rectangle 5,5 9,7' -transparent 'rgb(51,102,153)'
done
make rgb-8-adam7-trns 2 8 PNG "${colour[@]}" -posterize 6 -fill 'rgb(51,102,153)' -draw 'point 4,4' \
    -transparent 'rgb(51,102,153)'
# Palette alpha for the first entries only: the rest stay opaque.
make palette-1-trns 3 1 None "${colour[@]}" -colors 2
add_trns palette-1-trns 0080
make palette-2-trns 3 2 None "${colour[@]}" -colors 4
add_trns palette-2-trns 00c0
make palette-4-trns 3 4 None "${colour[@]}" -colors 16
add_trns palette-4-trns 004080c0
make palette-8-trns 3 8 None "${colour[@]}" -colors 256
add_trns palette-8-trns 0010203040506070
make palette-4-adam7-trns 3 4 PNG "${colour[@]}" -colors 16
add_trns palette-4-adam7-trns 00ff7f

# Each filter type on its own, for 1-byte and 8-byte pixels.
for filter in 0 1 2 3 4; do
    make "grey-8-filter$filter" 0 8 None "${colour[@]}" -colorspace gray -define png:compression-filter=$filter
    make "rgba-16-filter$filter" 6 16 None "${colour[@]}" "${fade[@]}" -compose copy_opacity -composite \
        -define png:compression-filter=$filter
done

# Sizes smaller than the interlace grid leave passes empty.
make rgba-8-1x1-adam7 6 8 PNG -size 1x1 'xc:rgba(200,100,50,0.5)'
make rgba-8-2x3-adam7 6 8 PNG "${colour[@]}" -crop 2x3+0+0 +repage "${fade[@]}" -compose copy_opacity -composite
make grey-1-5x1-adam7 0 1 PNG -size 5x1 pattern:gray50
make palette-2-3x9-adam7 3 2 PNG "${colour[@]}" -crop 3x9+5+5 +repage -colors 4

# The shape of the main window's logo.
make rgba-8-183x60 6 8 None -seed 5 -size 183x60 plasma:white-teal \
    \( -size 60x183 gradient:white-black -rotate 90 \) -compose copy_opacity -composite

for file in *.png; do
    python3 - "$file" <<'PY'
import sys
name = sys.argv[1]
if ("-trns" in name) != (b"tRNS" in open(name, "rb").read()):
    sys.exit(f"{name}: tRNS chunk present or missing against its name")
PY
    size=$("$IM" identify -format '%w %h' "$file" 2>/dev/null || identify -format '%w %h' "$file")
    crc=$("$IM" "$file" -depth 8 rgba:- | python3 -c 'import sys, zlib; print(f"{zlib.crc32(sys.stdin.buffer.read()):08x}")')
    echo "$file $size $crc" >>expected.txt
done
