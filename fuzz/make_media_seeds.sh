#!/usr/bin/env bash
# Makes the seed corpus of the picture and media fuzz targets: a few tiny
# files of each kind the game loads.
set -euo pipefail
cd "$(dirname "$0")/corpus"
convert=/usr/bin/convert
mkdir -p picture cursor animated_gif wav mid mp3 avi

for format in png bmp jpg gif ico; do $convert -size 3x2 xc:'#20a040' "picture/green.$format"; done
$convert -size 3x2 xc:'#20a040' -type palette BMP3:picture/palette.bmp

# ImageMagick writes icons; a cursor is the same file of type 2 with a hot spot.
$convert -size 4x4 xc:black cursor/black.ico
$convert -size 8x8 xc:white cursor/white.ico
{ printf '\x00\x00\x02\x00'; tail -c +5 cursor/black.ico; } > cursor/black.cur

$convert -delay 10 -size 3x2 xc:red xc:lime xc:blue -loop 0 animated_gif/three.gif
$convert -size 2x2 xc:white animated_gif/still.gif

sox -n -r 8000 -b 8 -c 1 wav/u8.wav synth 0.005 sine 440
sox -n -r 11025 -b 16 -c 2 wav/s16.wav synth 0.005 sine 440
sox -n -r 8000 -e ima-adpcm -c 1 wav/adpcm.wav synth 0.02 sine 440

midi() {  # midi FILE FORMAT TRACK-BYTES (escaped); 96 ticks to the quarter note
  local length
  length=$(printf "$3" | wc -c)
  { printf "MThd\\x00\\x00\\x00\\x06\\x00\\x0$2\\x00\\x01\\x00\\x60MTrk"
    printf "\\x00\\x00\\x00\\x$(printf %02x "$length")"
    printf "$3"; } > "$1"
}
midi mid/note.mid 0 '\x00\x90\x3c\x64\x60\x80\x3c\x40\x00\xff\x2f\x00'
midi mid/tempo.mid 1 '\x00\xff\x51\x03\x07\xa1\x20\x00\xc0\x05\x00\xb0\x07\x64\x00\x90\x40\x64\x10\x40\x00\x00\xff\x2f\x00'
# The note in Windows's RIFF wrapper, after a chunk of odd length.
{ printf 'RIFF\x3a\x00\x00\x00RMIDDISP\x03\x00\x00\x00ab\x00\x00data\x22\x00\x00\x00'
  cat mid/note.mid; } > mid/riff.mid

sox -V1 -n -r 8000 -c 1 -t wav - synth 0.05 sine 440 | lame --quiet -b 8 - mp3/tone.mp3
sox -V1 -n -r 22050 -c 2 -t wav - synth 0.1 sine 440 | lame --quiet -b 32 - mp3/stereo.mp3

ffmpeg -loglevel error -y -f lavfi -i "color=c=0x20a040:s=8x8:r=5:d=0.4" \
  -f lavfi -i "sine=f=440:sample_rate=8000:d=0.1" -c:v cinepak -c:a pcm_u8 -ac 1 avi/cinepak.avi
ffmpeg -loglevel error -y -f lavfi -i "color=c=0x20a040:s=8x8:r=5:d=0.4" \
  -f lavfi -i "sine=f=440:sample_rate=8000:d=0.1" -c:v msvideo1 -c:a adpcm_ms -ac 1 avi/msvideo1.avi
ffmpeg -loglevel error -y -f lavfi -i "color=c=0x20a040:s=8x8:r=5:d=0.4" -c:v rawvideo -pix_fmt bgr24 -an avi/raw.avi
