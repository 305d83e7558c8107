#!/bin/bash
# Draws Tapfill's icons and splash logo with ImageMagick. The PNGs are kept
# in the repository; run this again only to change the artwork.
#   idle:   slate card with text lines (paste mode off)
#   active: orange card with the same lines and a yellow pointer (paste mode on)
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/resources"
mkdir -p "$out/icons" "$out/images"

# Sixteen colours at most, as the tray of older desktops expects.
save() { local file=$1; shift; convert "$@" -strip +dither -colors 16 "PNG8:$out/$file"; }

card32() { # file fill stroke [extra drawing]
    local file=$1 fill=$2 stroke=$3; shift 3
    save "$file" -size 32x32 xc:none \
        -stroke "$stroke" -strokewidth 2 -fill "$fill" -draw 'roundrectangle 2,2 29,29 5,5' \
        -stroke none -fill white \
        -draw 'rectangle 8,8 23,10' -draw 'rectangle 8,14 23,16' -draw 'rectangle 8,20 17,22' "$@"
}
card16() {
    local file=$1 fill=$2 stroke=$3; shift 3
    save "$file" -size 16x16 xc:none \
        -stroke "$stroke" -strokewidth 1 -fill "$fill" -draw 'roundrectangle 1,1 14,14 3,3' \
        -stroke none -fill white -draw 'rectangle 4,4 11,5' -draw 'rectangle 4,8 11,9' "$@"
}
pointer() { echo -stroke black -strokewidth 1 -fill '#ffe000' -draw "polygon $1"; }

card32 icons/idle-32.png '#5a6a7a' '#27313b'
card16 icons/idle-16.png '#5a6a7a' '#27313b'
card32 icons/active-32.png '#e05a00' '#7a2a00' \
    -stroke black -strokewidth 1 -fill '#ffe000' -draw 'polygon 17,13 17,29 21,25 24,31 27,30 24,24 29,24'
card16 icons/active-16.png '#e05a00' '#7a2a00' \
    -stroke black -strokewidth 1 -fill '#ffe000' -draw 'polygon 7,6 7,14 9,12 11,15 12,14 11,11 14,11'

# The logo: a clipboard whose highlighted line is being pointed at.
save images/logo.png -size 98x158 xc:none \
    -stroke '#5a3a10' -strokewidth 2 -fill '#c08040' -draw 'roundrectangle 4,10 93,153 8,8' \
    -stroke '#404850' -fill '#a0a8b0' -draw 'roundrectangle 30,2 67,20 4,4' \
    -stroke '#808080' -strokewidth 1 -fill white -draw 'rectangle 12,24 85,145' \
    -stroke none -fill '#9098a0' \
    -draw 'rectangle 20,36 77,39' -draw 'rectangle 20,48 70,51' -draw 'rectangle 20,60 77,63' \
    -draw 'rectangle 20,96 74,99' -draw 'rectangle 20,108 77,111' -draw 'rectangle 20,120 60,123' \
    -fill '#e05a00' -draw 'rectangle 18,74 79,83' \
    -stroke black -strokewidth 1 -fill '#ffe000' \
    -draw 'polygon 54,80 54,112 62,104 68,117 74,114 68,102 78,102'

# The application icon for menus and software centres: the active card, drawn
# at 256 pixels and scaled down. At 16 and 32 pixels the tray's own active
# icons serve. tapfill.svg, written by hand, is the same drawing.
mkdir -p "$out/app-icon"
convert -size 256x256 xc:none \
    -stroke '#7a2a00' -strokewidth 14 -fill '#e05a00' -draw 'roundrectangle 20,20 235,235 40,40' \
    -stroke none -fill white \
    -draw 'rectangle 64,64 191,87' -draw 'rectangle 64,112 191,135' -draw 'rectangle 64,160 143,183' \
    -stroke black -strokewidth 6 -fill '#ffe000' \
    -draw 'polygon 136,104 136,228 166,198 188,244 212,234 190,190 230,190' \
    -depth 8 -strip "$out/app-icon/tapfill-256.png"
for size in 48 64 128; do
    convert "$out/app-icon/tapfill-256.png" -resize "${size}x${size}" -depth 8 -strip "$out/app-icon/tapfill-$size.png"
done

# Windows icons (.ico, several sizes in one file): the program's (as the
# application icon) and the tray's two looks.
mkdir -p "$out/windows"
convert "$out/icons/active-16.png" "$out/icons/active-32.png" "$out/app-icon/tapfill-48.png" \
    "$out/app-icon/tapfill-256.png" "$out/windows/tapfill.ico"
convert "$out/icons/idle-16.png" "$out/icons/idle-32.png" "$out/windows/idle.ico"
convert "$out/icons/active-16.png" "$out/icons/active-32.png" "$out/windows/active.ico"
# The splash logo as an icon, which Windows draws with its transparency.
convert "$out/images/logo.png" "$out/windows/logo.ico"
