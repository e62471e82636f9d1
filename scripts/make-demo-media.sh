#!/usr/bin/env bash
# Writes the demo's media with printf and FFmpeg: the title's MIDI tune, the
# waves that loop on the shore, the clink of the key on the boardwalk, the
# sea's MP3 in the lamp room and the flame's short Cinepak video there.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../demo"

# A flute tune, one track, 96 ticks to the quarter note (half a second).
note() {  # note KEY TICKS (below 16384): the key sounds for TICKS, then the next one starts
  local ticks=$2 delta
  if ((ticks < 128)); then
    delta=$(printf '\\x%02x' "$ticks")
  else
    delta=$(printf '\\x%02x\\x%02x' $((0x80 | ticks >> 7)) $((ticks & 0x7f)))
  fi
  printf '\\x00\\x90\\x%02x\\x50%s\\x80\\x%02x\\x40' "$1" "$delta" "$1"
}
track='\x00\xc0\x49'
for step in 60:96 64:96 67:96 72:192 71:96 67:96 64:192 62:96 64:96 60:288; do
  track+=$(note "${step%%:*}" "${step##*:}")
done
track+='\x00\xff\x2f\x00'
length=$(printf "$track" | wc -c)
{ printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk'
  printf "\\x00\\x00\\x00\\x$(printf %02x "$length")"
  printf "$track"; } > Frames/theme.mid

ff() { ffmpeg -loglevel error -y "$@"; }
# Surf: brown noise swelling and falling, seamless when looped.
ff -f lavfi -i "anoisesrc=d=2:c=brown:a=0.4:r=11025" \
  -af "volume='0.3+0.7*sin(PI*t/2)':eval=frame" -ac 1 -c:a pcm_s16le Areas/waves.wav
ff -f lavfi -i "sine=f=1320:sample_rate=11025:d=0.3" -af "afade=t=out:d=0.3" \
  -ac 1 -c:a pcm_s16le Areas/clink.wav
ff -f lavfi -i "anoisesrc=d=3:c=pink:a=0.3:r=22050" -af "afade=t=in:d=1,afade=t=out:st=2:d=1" \
  -ac 1 -c:a libmp3lame -b:a 32k Frames/sea.mp3
# One second of a flickering flame the size of the lamp's glow, with a hiss.
ff -f lavfi -i "color=c=0xffc040:s=116x116:r=10:d=1" \
  -f lavfi -i "anoisesrc=d=1:c=white:a=0.1:r=11025" \
  -vf "eq=brightness='0.15*sin(2*PI*t*4)':eval=frame,vignette" -c:v cinepak -c:a pcm_u8 -ac 1 Frames/flame.avi
