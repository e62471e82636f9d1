# The demo's shore, its first frame after the title, as a test sees it on the
# screen. Source it after desktop.sh.

shore_picture=$(dirname "${BASH_SOURCE[0]}")/../../demo/Frames/shore.png
# Game pixels in flat parts of the picture: its four corners, the sun, the
# lighthouse's red band, the sea.
shore_points=("10 10" "630 10" "40 470" "620 470" "150 250" "536 215" "300 290")

# shore_at LEFT TOP NUMERATOR DENOMINATOR: the screen pixel of a game pixel
# for a game screen at LEFT, TOP scaled by NUMERATOR / DENOMINATOR; reads
# X Y from its arguments 5 and 6.
shore_at() {
  echo $(($1 + $5 * $3 / $4)) $(($2 + $6 * $3 / $4))
}

# shore_shown FILE LEFT TOP NUMERATOR DENOMINATOR: whether the screenshot
# shows the whole shore there, each point in its picture's colour.
shore_shown() {
  local file=$1 point x y sx sy
  for point in "${shore_points[@]}"; do
    read -r x y <<<"$point"
    read -r sx sy < <(shore_at "$2" "$3" "$4" "$5" "$x" "$y")
    near "$(pixel "$file" "$sx" "$sy")" "$(pixel "$shore_picture" "$x" "$y")" 12 || return 1
  done
}

# shore_mismatch FILE LEFT TOP NUMERATOR DENOMINATOR: what the screenshot
# shows instead, for the failure message.
shore_mismatch() {
  local file=$1 point x y sx sy
  for point in "${shore_points[@]}"; do
    read -r x y <<<"$point"
    read -r sx sy < <(shore_at "$2" "$3" "$4" "$5" "$x" "$y")
    echo -n "game $x,$y at $sx,$sy: $(pixel "$file" "$sx" "$sy") for $(pixel "$shore_picture" "$x" "$y"); "
  done
}

# wait_shore LEFT TOP NUMERATOR DENOMINATOR NAME: waits until the shore shows
# whole there (the title before it takes 3 seconds); prints the screenshot.
wait_shore() {
  local shot
  for _ in $(seq 30); do
    shot=$(screenshot "$5")
    shore_shown "$shot" "$1" "$2" "$3" "$4" && { echo "$shot"; return 0; }
    sleep 0.5
  done
  fail "the shore is not shown whole at $1,$2 scaled $3/$4: $(shore_mismatch "$shot" "$1" "$2" "$3" "$4")"
}
