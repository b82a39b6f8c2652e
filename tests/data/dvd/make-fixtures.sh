#!/bin/sh
# Makes the tiny DVD-Video folders the imaging tests work on, from a PAL test
# pattern and a tone, with Debian's ffmpeg and dvdauthor:
#   one-titleset/VIDEO_TS   title set 1
#   two-titlesets/VIDEO_TS  title sets 1 and 2
# No AUDIO_TS folder is kept: git cannot hold an empty folder, and the folder
# check is expected to create it.
#
# Then checks, with genisoimage -dvd-video, that each folder builds an image
# and that a copy with lower-case names is refused. That refusal is why the
# program upper-cases the names before it runs the image builder.
#
# Usage: make-fixtures.sh          make the folders, then check them
#        make-fixtures.sh --check  only check the folders as they are
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# dvdauthor takes the TV system from here when the stream does not say.
VIDEO_FORMAT=PAL
export VIDEO_FORMAT

make_clip() { # <output> <tone in Hz>
    ffmpeg -nostdin -hide_banner -loglevel error -y \
        -f lavfi -i smptebars=size=720x576:rate=25:duration=2 \
        -f lavfi -i "sine=frequency=$2:sample_rate=48000:duration=2" \
        -target pal-dvd -aspect 4:3 -b:v 200k -maxrate 400k \
        -c:a mp2 -b:a 64k -ac 2 -shortest "$1"
}

titleset_xml() { # <clip>
    printf '  <titleset><titles><pgc><vob file="%s" /></pgc></titles></titleset>\n' "$1"
}

make_folder() { # <name> <clips...>
    name=$1
    shift
    {
        echo '<dvdauthor>'
        echo '  <vmgm />'
        for clip in "$@"; do titleset_xml "$clip"; done
        echo '</dvdauthor>'
    } >"$work/$name.xml"
    (cd "$work" && dvdauthor -o "$name" -x "$name.xml" >"$name.log" 2>&1) || {
        cat "$work/$name.log" >&2
        exit 1
    }
    rm -rf "${here:?}/$name"
    mkdir -p "$here/$name"
    cp -R "$work/$name/VIDEO_TS" "$here/$name/"
}

make_fixtures() {
    make_clip "$work/clip1.mpg" 440
    make_clip "$work/clip2.mpg" 880
    make_folder one-titleset clip1.mpg
    make_folder two-titlesets clip1.mpg clip2.mpg
}

lower_case_copy() { # <folder> <copy>
    cp -R "$1" "$2"
    mv "$2/VIDEO_TS" "$2/video_ts"
    for file in "$2"/video_ts/*; do
        mv "$file" "$2/video_ts/$(basename "$file" | tr '[:upper:]' '[:lower:]')"
    done
}

check_folder() { # <name>
    folder=$here/$1
    if ! genisoimage -dvd-video -quiet -o "$work/$1.iso" "$folder" 2>"$work/$1.err"; then
        cat "$work/$1.err" >&2
        echo "FAIL: genisoimage refused $1" >&2
        exit 1
    fi
    lower_case_copy "$folder" "$work/$1-lower"
    if genisoimage -dvd-video -quiet -o "$work/$1-lower.iso" "$work/$1-lower" \
        2>"$work/$1-lower.err"; then
        echo "FAIL: genisoimage accepted the lower-case copy of $1" >&2
        exit 1
    fi
    if ! grep -q "Could not find correct 'VIDEO_TS' directory" "$work/$1-lower.err"; then
        cat "$work/$1-lower.err" >&2
        echo "FAIL: unexpected refusal of the lower-case copy of $1" >&2
        exit 1
    fi
    echo "ok: $1 builds; its lower-case copy is refused"
}

if [ "${1:-}" != "--check" ]; then
    make_fixtures
fi
check_folder one-titleset
check_folder two-titlesets
du -sk "$here/one-titleset" "$here/two-titlesets"
