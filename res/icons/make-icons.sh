#!/bin/sh
# Draws the button pictures with ImageMagick. Re-run after changing a picture
# and commit the PNG files; the build only reads the PNGs.
set -eu
cd "$(dirname "$0")"

icon() { # file, then ImageMagick draw arguments for a 32 x 32 picture
    out="$1"; shift
    convert -size 32x32 xc:none -strokewidth 1.5 "$@" -define png:color-type=6 "$out"
}


# 129: the program (a disc with a green seal)
icon icon129.png -fill '#c9ced6' -stroke '#5a6270' -draw 'circle 16,16 16,3' -fill '#eef1f5' -draw 'circle 16,16 16,10' \
    -fill '#2f9e44' -stroke '#1c6b2c' -draw 'circle 24,24 24,19'
# 130: quit (a door with an arrow leaving it)
icon icon130.png -fill '#b07a43' -stroke '#5e3d1c' -draw 'rectangle 5,3 19,29' \
    -fill '#f2d16b' -stroke none -draw 'circle 16,17 16,15' \
    -stroke '#c92a2a' -strokewidth 3 -draw 'line 19,16 29,16' -fill '#c92a2a' -strokewidth 1 \
    -draw 'polygon 24,10 31,16 24,22'
# 131: source directory (a folder)
icon icon131.png -fill '#e8b730' -stroke '#8a6510' -draw 'roundrectangle 3,8 29,27 2,2' \
    -draw 'rectangle 3,6 13,9'
# 132: an opened folder
icon icon132.png -fill '#d9a520' -stroke '#8a6510' -draw 'rectangle 3,6 13,9' \
    -draw 'roundrectangle 3,8 27,27 2,2' -fill '#f4cf5a' -draw 'polygon 6,14 31,14 27,27 3,27'
# 133: a document
icon icon133.png -fill white -stroke '#495057' -draw 'polygon 7,3 20,3 26,9 26,29 7,29' \
    -fill '#dee2e6' -draw 'polygon 20,3 20,9 26,9'
# 134: save (a diskette)
icon icon134.png -fill '#3b6fd1' -stroke '#1d3f80' -draw 'roundrectangle 3,3 29,29 2,2' \
    -fill '#e9ecef' -stroke none -draw 'rectangle 8,4 23,13' -fill '#1d3f80' \
    -draw 'rectangle 18,6 21,11' -fill white -draw 'rectangle 7,18 25,28'
# 135: build the image (a disc with a green arrow)
icon icon135.png -fill '#c9ced6' -stroke '#5a6270' -draw 'circle 14,16 14,3' \
    -fill '#eef1f5' -draw 'circle 14,16 14,11' -fill '#2f9e44' -stroke '#1c6b2c' \
    -draw 'polygon 19,12 25,12 25,6 31,16 25,26 25,20 19,20'
# 136: settings (a gear)
icon icon136.png -fill '#868e96' -stroke '#343a40' -draw 'circle 16,16 16,5' \
    -strokewidth 5 -draw 'line 16,2 16,30' -draw 'line 2,16 30,16' -draw 'line 6,6 26,26' \
    -draw 'line 26,6 6,26' -strokewidth 1.5 -fill '#f1f3f5' -draw 'circle 16,16 16,11'
# 137: information (a blue circle with an i)
icon icon137.png -fill '#1c7ed6' -stroke '#0b4f8a' -draw 'circle 16,16 16,3' \
    -fill white -stroke none -draw 'rectangle 14,13 18,25' -draw 'circle 16,9 16,7'
# 138: OK, 16 x 16 (a green tick)
convert -size 16x16 xc:none -fill none -stroke '#2f9e44' -strokewidth 3 \
    -draw 'polyline 2,8 6,12 14,3' -define png:color-type=6 icon138.png
# 139: log (a page with lines)
icon icon139.png -fill white -stroke '#495057' -draw 'rectangle 6,3 26,29' -stroke '#868e96' \
    -draw 'line 10,9 22,9' -draw 'line 10,14 22,14' -draw 'line 10,19 22,19' -draw 'line 10,24 18,24'
# 164: abort or cancel (a red circle with a cross)
icon icon164.png -fill '#e03131' -stroke '#9b1c1c' -draw 'circle 16,16 16,3' \
    -stroke white -strokewidth 3.5 -draw 'line 11,11 21,21' -draw 'line 21,11 11,21'
# 165: an executable (a program window)
icon icon165.png -fill white -stroke '#343a40' -draw 'rectangle 3,5 29,27' -fill '#3b6fd1' \
    -draw 'rectangle 3,5 29,10' -fill '#e8b730' -stroke '#8a6510' -draw 'polygon 16,13 19,19 13,19'

# 140: the donation picture, 91 x 88, pure green where the face shows through.
# No anti-aliasing, so no edge pixel blends into the transparent colour.
convert -size 91x88 xc:'#00ff00' +antialias -fill '#f0b429' -stroke '#8d6708' -strokewidth 2 \
    -draw 'circle 45,38 45,8' -fill '#fde68a' -stroke none -draw 'circle 45,38 45,15' \
    -fill '#c92a2a' -draw 'circle 37,33 37,27' -draw 'circle 53,33 53,27' \
    -draw 'polygon 31,36 59,36 45,52' -fill '#1d3f80' -draw 'roundrectangle 8,72 82,86 4,4' \
    -fill white -draw 'rectangle 14,78 76,80' -colors 16 +dither -define png:color-type=2 bitmap140.png
