#!/bin/sh
# Makes a DVD-Video folder of about 1 GB, for the image verification benchmark,
# with Debian's ffmpeg and dvdauthor. Encoding 1 GB would take long, so a short
# high-bitrate PAL clip is encoded once and then repeated without re-encoding;
# dvdauthor splits the title's VOB at 1 GB as it would on a real disc.
#   DIR/VIDEO_TS  title set 1, one title
#   DIR/AUDIO_TS  empty, as the image builder wants it
# The folder is not kept in the repository.
#
# Usage: make-large.sh DIR [MEGABYTES]   (MEGABYTES defaults to 1024)
# Needs ffmpeg and dvdauthor, which scripts/setup leaves out: no test uses them.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 DIR [MEGABYTES]" >&2
    exit 2
fi
target=$1
megabytes=${2:-1024}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# dvdauthor takes the TV system from here when the stream does not say.
VIDEO_FORMAT=PAL
export VIDEO_FORMAT

# Ten seconds at a constant 8 Mbit/s: about 10 MB of MPEG-2 program stream.
ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i testsrc2=size=720x576:rate=25:duration=10 \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=10" \
    -target pal-dvd -aspect 4:3 -b:v 8000k -minrate 8000k -maxrate 8000k \
    -c:a mp2 -b:a 192k -ac 2 -shortest "$work/clip.mpg"

clip_bytes=$(stat -c %s "$work/clip.mpg")
repeats=$(((megabytes * 1048576 + clip_bytes - 1) / clip_bytes - 1))
ffmpeg -nostdin -hide_banner -loglevel error -y -stream_loop "$repeats" \
    -i "$work/clip.mpg" -c copy -f dvd "$work/long.mpg"
rm "$work/clip.mpg"

printf '<dvdauthor>\n  <vmgm />\n  <titleset><titles><pgc><vob file="long.mpg" /></pgc></titles></titleset>\n</dvdauthor>\n' \
    >"$work/large.xml"
(cd "$work" && dvdauthor -o large -x large.xml >large.log 2>&1) || {
    cat "$work/large.log" >&2
    exit 1
}

mkdir -p "$target"
rm -rf "${target:?}/VIDEO_TS"
mv "$work/large/VIDEO_TS" "$target/"
mkdir -p "$target/AUDIO_TS"
du -sh "$target/VIDEO_TS"
