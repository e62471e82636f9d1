#!/usr/bin/env bash
# Makes a game project of damaged media in the folder given (made afresh):
# small valid BMP, JPEG, PNG, animated GIF, ICO, CUR, WAV, MIDI, MP3 and AVI
# files, each damaged three ways, shown and played by one frame per format.
#   cut      the first half of the file
#   stub     the file's first bytes only, its header or a part of it
#   garbled  the first bytes kept, everything after them noise
# The frames follow each other in the order below; in each, areas 1 to 3 show
# or play the cut, stub and garbled file, area 4 opens the next frame, and the
# frame itself shows or plays the cut one (the sounds: all three).
# Also, shown by the last frame: Areas/huge.png, a picture whose header
# declares 30000 x 30000 pixels; Areas/huge-screen.gif, an animation of 64
# one-pixel frames, each drawn on a screen of 4099 x 4098; and its music,
# Frames/chord.mid, 250,000 notes that all start at once. And slow.wav (in
# Areas and Frames): 16 KB of sound whose header says one sample a second,
# played by areas 5 to 7 of the WAV frame as an area's sound, on all eight
# channels and as music.
set -euo pipefail
out=${1:?usage: make-damaged-media.sh FOLDER}
rm -rf "$out"
mkdir -p "$out"/{Config,Frames,Areas,Icons}
valid=$(mktemp -d)
trap 'rm -rf "$valid"' EXIT

# The valid originals.
im() { /usr/bin/convert "$@"; }
ff() { ffmpeg -loglevel error -y "$@"; }
im -size 24x16 gradient:red-blue BMP3:"$valid/bmp"
im -size 24x16 gradient:red-blue "JPEG:$valid/jpg"
im -size 24x16 gradient:red-blue "PNG:$valid/png"
im -delay 10 -size 16x16 xc:red xc:lime xc:blue -loop 0 "GIF:$valid/gif"
im -size 32x32 xc:red -strip "ICO:$valid/ico"
cp "$valid/ico" "$valid/cur"  # a cursor: type 2, hot spot 4, 4
printf '\x02\x00' | dd of="$valid/cur" bs=1 seek=2 conv=notrunc status=none
printf '\x04\x00\x04\x00' | dd of="$valid/cur" bs=1 seek=10 conv=notrunc status=none
sox -n -r 11025 -c 1 -b 16 "$valid/wav.wav" synth 2 sine 440
mv "$valid/wav.wav" "$valid/wav"
track='\x00\xc0\x00'  # a piano, then six notes of 2 s
for key in 3c 3e 40 41 43 45; do track+="\\x00\\x90\\x$key\\x64\\x83\\x00\\x80\\x$key\\x40"; done
track+='\x00\xff\x2f\x00'
{ printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk\x00\x00\x00'
  printf "\\x$(printf %02x "$(printf "$track" | wc -c)")$track"; } >"$valid/mid"
sox -n -r 22050 -c 1 "$valid/mp3.wav" synth 1 sine 440
lame --quiet -b 32 "$valid/mp3.wav" "$valid/mp3"
ff -f lavfi -i "color=c=0x20a040:s=32x24:r=10:d=1" -f lavfi -i "sine=f=440:sample_rate=11025:d=1" \
  -c:v cinepak -c:a pcm_u8 -ac 1 -f avi "$valid/avi"

# noise BYTES SEED: the same bytes for the same seed on every machine.
noise() {
  perl -e 'my ($n, $s) = @ARGV; for (1 .. $n) { $s = ($s * 1103515245 + 12345) % 2147483648;
           print chr(($s >> 16) & 255); }' "$1" "$2"
}
# damage FORMAT EXTENSION STUB-BYTES KEPT-BYTES: the three damaged files.
damage() {
  local file=$valid/$1 size
  size=$(stat -c %s "$file")
  head -c $((size / 2)) "$file" >"$out/Areas/$1-cut.$2"
  head -c "$3" "$file" >"$out/Areas/$1-stub.$2"
  { head -c "$4" "$file"; noise $((size - $4)) "$size"; } >"$out/Areas/$1-garbled.$2"
}
damage bmp bmp 30 14
damage jpg jpg 100 20
damage png png 40 33
damage gif gif 13 13
damage ico ico 22 6
damage cur cur 22 6
damage wav wav 44 12
damage mid mid 14 22
damage mp3 mp3 100 4
damage avi avi 256 12
mv "$out"/Areas/{ico,cur}-* "$out/Icons/"
for format in bmp jpg png; do cp "$out/Areas/$format-cut.$format" "$out/Frames/"; done
for format in mid mp3 avi; do mv "$out/Areas/$format"-* "$out/Frames/"; done
# A PNG of 30000 x 30000 pixels: its signature, header, an empty data chunk
# and its end, each chunk with its checksum.
{ printf '\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x75\x30\x00\x00\x75\x30'
  printf '\x08\x02\x00\x00\x00\xe9\x45\x6f\xed\x00\x00\x00\x00IDAT\x35\xaf\x06\x1e'
  printf '\x00\x00\x00\x00IEND\xae\x42\x60\x82'; } >"$out/Areas/huge.png"
# A mono 16-bit WAV of 8192 samples, one a second.
{ printf 'RIFF\x24\x40\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00'
  printf '\x01\x00\x00\x00\x02\x00\x00\x00\x02\x00\x10\x00data\x00\x40\x00\x00'
  noise 16384 7; } >"$out/Areas/slow.wav"
cp "$out/Areas/slow.wav" "$out/Frames/"
# The screen and a two-colour table, looping for ever, then the frames.
{ printf 'GIF89a\x03\x10\x02\x10\x80\x00\x00\x00\x00\x00\xff\xff\xff'
  printf '\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00'
  for ((i = 0; i < 64; i++)); do
    printf '\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00'
  done
  printf ';'; } >"$out/Areas/huge-screen.gif"
perl -e 'my $track = join "", map { pack "C4", 0, 0x90 | $_ % 15, 36 + $_ % 60, 100 } 1 .. 250000;
         $track .= "\x9e\x00\xff\x2f\x00";
         print "MThd", pack("NnnnA4N", 6, 0, 1, 96, "MTrk", length $track), $track' \
  >"$out/Frames/chord.mid"

# Data files, one value a line.
values() { printf '%s\r\n' "$@"; }
values '"DamagedMedia"' '"x"' '"Damaged"' 0 '"bmp"' '"1.0"' 640 480 '""' '""' '""' \
  >"$out/Config/General"
values 0 >"$out/Config/Variables"

# frame NAME KIND PICTURE MUSIC MOVIE MP3: the frame and links files.
frame() {
  values "$2" "\"$3\"" '#FALSE#' '#TRUE#' "\"$4\"" '#FALSE#' '"0"' '""' "\"$5\"" '#FALSE#' \
    '#FALSE#' '#TRUE#' "\"$6\"" >"$out/Frames/$1.fme"
  values 4 >"$out/Frames/$1.lks"
}
# area FRAME INDEX ANIMATED PICTURE CURSOR: an area file, 900 twips a side,
# four to a row.
area() {
  local has=-1
  [[ -z $4 ]] && has=0
  mkdir -p "$out/Areas/$1"
  values $((300 + 1500 * (($2 - 1) % 4))) $((1500 + 1500 * (($2 - 1) / 4))) 900 900 "$3" "$has" \
    "\"$4\"" 1 "\"$5\"" 0 \
    >"$out/Areas/$1/$2a.dat"
  [[ $3 != 0 ]] && values 0 '""' 0 0 50 >"$out/Areas/$1/$2c.dat"
  return 0
}
# action FRAME INDEX [FIELD=VALUE]...: an action file of 28 values, 0 or "".
action() {
  local file=$out/Areas/$1/$2b.dat field
  local -a fields=(0 '""' 0 0 0 0 '""' 0 '""' 0 0 0 '""' 0 0 0 '""' 0 0 0 0 0 0 0 0 '""' 0 '""')
  shift 2
  for field in "$@"; do fields[${field%%=*} - 1]=${field#*=}; done
  values "${fields[@]}" >"$file"
}
# channels FILE WAVE...: a sound-channels file that loops the waves on
# channels 0, 1, ...
channels() {
  local file=$1 channel
  local -a waves=("${@:2}")
  { values $(printf '0 %.0s' {1..22})
    for channel in 0 1 2 3 4 5 6 7; do
      if ((channel < ${#waves[@]})); then
        values 0 '#FALSE#' '#TRUE#' "\"${waves[channel]}\"" -1
      else
        values 0 '#FALSE#' '#FALSE#' '""' 0
      fi
    done; } >"$file"
}

formats=(bmp jpg png gif ico cur wav mid avi mp3)
damages=(cut stub garbled)
for ((f = 0; f < ${#formats[@]}; f++)); do
  format=${formats[f]} next=${formats[f + 1]:-end}
  music="" movie="" mp3="" picture=8421504 kind=0
  case $format in
    bmp | jpg | png) kind=1 picture=$format-cut.$format ;;
    mid) music=mid-cut.mid ;;
    avi) movie=avi-cut.avi ;;
    mp3) mp3=mp3-cut.mp3 ;;
  esac
  frame "$format" "$kind" "$picture" "$music" "$movie" "$mp3"
  for ((i = 1; i <= 3; i++)); do
    file=$format-${damages[i - 1]}.$format
    case $format in
      bmp | jpg | png) area "$format" $i 0 "$file" "" ;;
      gif) area "$format" $i -1 "$file" "" ;;
      ico | cur) area "$format" $i 0 "" "$file" ;;
      *) area "$format" $i 0 "" "" ;;
    esac
    case $format in
      wav) action "$format" $i 8=-1 9="\"$file\"" ;;
      mid) action "$format" $i 14=-1 25=-1 26="\"$file\"" ;;
      avi) action "$format" $i 16=-1 17="\"$file\"" ;;
      mp3) action "$format" $i 27=-1 28="\"$file\"" ;;
    esac
  done
  area "$format" 4 0 "" ""
  action "$format" 4 12=-1 13="\"$next\""
done
channels "$out/Frames/wav.chn" wav-cut.wav wav-stub.wav wav-garbled.wav
for i in 5 6 7; do area wav $i 0 "" ""; done
action wav 5 8=-1 9='"slow.wav"'
action wav 6
channels "$out/Areas/wav/6d.dat" slow.wav slow.wav slow.wav slow.wav slow.wav slow.wav slow.wav \
  slow.wav
action wav 7 25=-1 26='"slow.wav"'
values 7 >"$out/Frames/wav.lks"
frame end 0 0 chord.mid "" ""
values 2 >"$out/Frames/end.lks"
area end 1 0 huge.png ""
area end 2 -1 huge-screen.gif ""
