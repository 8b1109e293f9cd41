#!/usr/bin/env bash
# Draws the logo (Logo.png, 183 x 60, RGBA 8 bits) and the application icon (MainIcon.ico, one
# 48 x 48 image at 32 bits) with ImageMagick. The results are checked in, so that the build needs
# neither this script nor ImageMagick; run it again only to change the pictures.
set -euo pipefail
cd "$(dirname "$0")"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
STRIP=(-define png:exclude-chunks=date,time,tEXt,zTXt,iTXt,bKGD -strip)

# Logo: a database cylinder with an arrow leaving it, and the word "Zentor", on a clear background.
convert -size 183x60 xc:none \
    -fill '#2f6db5' -stroke '#1d4a80' -strokewidth 1 \
    -draw 'rectangle 6,12 40,46' \
    -draw 'ellipse 23,46 17,6 0,180' \
    -stroke none -draw 'rectangle 7,12 39,46' \
    -stroke '#1d4a80' -draw 'line 6,12 6,46' -draw 'line 40,12 40,46' \
    -fill '#5b97d9' -draw 'ellipse 23,12 17,6 0,360' \
    -fill none -stroke '#9cc3ec' -draw 'arc 6,18 40,30 0,180' -draw 'arc 6,29 40,41 0,180' \
    -fill '#f08c1e' -stroke '#b8640c' \
    -draw 'polygon 36,25 50,25 50,18 62,30 50,42 50,35 36,35' \
    -stroke none -fill '#1d4a80' -font "$FONT" -pointsize 24 -annotate +66+38 'Zentor' \
    -fill '#f08c1e' -draw 'rectangle 66,44 176,47' \
    "${STRIP[@]}" PNG32:Logo.png

# Icon: the same cylinder and arrow on a rounded tile.
convert -size 48x48 xc:none \
    -fill '#e8f0fa' -stroke '#1d4a80' -strokewidth 1 -draw 'roundrectangle 1,1 46,46 8,8' \
    -fill '#2f6db5' -stroke '#1d4a80' \
    -draw 'rectangle 8,11 30,37' -draw 'ellipse 19,37 11,4 0,180' \
    -stroke none -draw 'rectangle 9,11 29,37' \
    -stroke '#1d4a80' -draw 'line 8,11 8,37' -draw 'line 30,11 30,37' \
    -fill '#5b97d9' -draw 'ellipse 19,11 11,4 0,360' \
    -fill '#f08c1e' -stroke '#b8640c' -draw 'polygon 24,21 33,21 33,15 43,24 33,33 33,27 24,27' \
    "${STRIP[@]}" PNG32:icon48.tmp.png
# A BMP-coded icon entry (32 bits with its AND mask), not a PNG-coded one.
convert icon48.tmp.png -define icon:auto-resize=48 -compress none ICO:MainIcon.ico
rm -f icon48.tmp.png
