#!/usr/bin/env bash
# What the desktop shows at 192 dpi looks as at 96 dpi, only sharper: the
# welcome window and the game screen taken at 192 dpi and halved differ from
# the same taken at 96 dpi by little more than the finer edges of text and
# pictures. Called as: SCRIPT PLAYER PROJECT
here=$(dirname "$0")
player=$1 project=$2
shots=$(mktemp -d "${TMPDIR:-/tmp}/scaled_like_unscaled.XXXXXX")
trap '[[ -n ${TF_DESKTOP_SHOTS:-} ]] && cp "$shots"/*.png "$TF_DESKTOP_SHOTS"/; rm -rf "$shots"' EXIT

# shoot DPI: the welcome window, then the whole screen once the game has
# moved on from its title, into the folder of screenshots.
shoot() (
  source "$here/desktop.sh"
  scale=$(($1 / 96))
  desktop_start $((1920 * scale)) $((1080 * scale)) "$1"
  player_start "$player" "$(copy_project "$project")"
  welcome=$(wait_window 'Lighthouse') || exit 1
  settle 1
  read -r x y width height < <(window_geometry "$welcome")
  import -window root -crop "${width}x${height}+$x+$y" +repage "$shots/welcome-$1.png" ||
    fail "no screenshot"
  click_at $((x + 60 * scale)) $((y + 100 * scale))
  wait_window_gone "$welcome"
  # The title is one colour there, and gives way to the shore.
  title() { near "$(pixel "$(screenshot game)" $((960 * scale)) $((1000 * scale)))" "#0E1A3D" 8; }
  wait_until 10 title || fail "the game shows no title"
  wait_until 10 eval '! title' || fail "the game stays on its title"
  settle 1
  import -window root "$shots/game-$1.png" || fail "no screenshot"
)

shoot 96 && shoot 192 || exit 1
status=0
for name in welcome game; do
  # Halved, then both softened by a pixel's width: text drawn for 192 dpi
  # has other edges than text drawn for 96.
  /usr/bin/convert "$shots/$name-192.png" -filter box -resize 50% -blur 0x1 "$shots/$name-halved.png"
  /usr/bin/convert "$shots/$name-96.png" -blur 0x1 "$shots/$name-softened.png"
  # The root mean square difference, 0 for the same pixels, 1 for black and white.
  difference=$(compare -metric RMSE "$shots/$name-halved.png" "$shots/$name-softened.png" null: 2>&1 |
    sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
  [[ -n $difference ]] || { echo "scaled_like_unscaled: $name: screenshots don't compare" >&2; exit 1; }
  echo "$name: $difference"
  awk -v d="$difference" 'BEGIN { exit !(d < 0.05) }' ||
    { echo "scaled_like_unscaled: the $name at 192 dpi differs from 96 dpi by $difference" >&2; status=1; }
done
exit $status
