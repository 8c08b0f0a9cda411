#!/usr/bin/env bash
# Draws the calculator window's three pictures and the program icon with
# ImageMagick (6 or 7).  Run from anywhere:
#
#     tools/pictures/draw-pictures.sh
#
# Writes resources/pictures/Image1.bmp (p-side Poisson equation, 141 x 66),
# Image2.bmp (n-side Poisson equation, 154 x 69), Image3.bmp (junction and
# bias circuit, 146 x 137), resources/icon/cvcalc.png (64 x 64) and
# resources/icon/cvcalc-256.png (256 x 256).  The bitmaps are 24-bit,
# uncompressed, bottom-up Windows bitmaps, which is what the window's picture
# boxes load; the script checks their headers before it finishes.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
pictures="$root/resources/pictures"
icons="$root/resources/icon"
mkdir -p "$pictures" "$icons"

if command -v magick >/dev/null 2>&1; then
    im=(magick)
else
    im=(convert)
fi

find_font() {
    local file
    file=$(fc-match -f '%{file}' "$1" 2>/dev/null || true)
    if [[ -z "$file" || ! -f "$file" ]]; then
        echo "draw-pictures: font '$1' not found" >&2
        exit 1
    fi
    echo "$file"
}
roman=$(find_font 'Liberation Serif:style=Regular')
italic=$(find_font 'Liberation Serif:style=Italic')

# ---------------------------------------------------------------------------
# Equation typesetting.  A run is a list of segments "style|size|rise|text":
# style r (upright), i (italic) or g (an empty gap), size in pixels, rise in pixels above the
# baseline (negative for a subscript drop).  Runs are measured with the font's
# own advance widths so that each fraction's numerator and denominator can be
# centred over the bar.

font_of() { if [[ $1 == i ]]; then echo "$italic"; else echo "$roman"; fi; }

advance() { # style size text -> advance width in pixels
    local w
    if [[ $1 == g ]]; then # a gap of `size` pixels
        echo "$2"
        return
    fi
    w=$("${im[@]}" -debug annotate xc: -density 72 -font "$(font_of "$1")" \
        -pointsize "$2" -annotate 0 "$3" null: 2>&1 |
        sed -n 's/.*origin: \([-0-9.]*\),.*/\1/p' | head -n 1)
    if [[ -z "$w" ]]; then
        echo "draw-pictures: cannot measure '$3'" >&2
        exit 1
    fi
    echo "$w"
}

run_width() {
    local total=0 seg style size rise text w
    for seg in "$@"; do
        IFS='|' read -r style size rise text <<<"$seg"
        w=$(advance "$style" "$size" "$text")
        total=$(echo "$total + $w" | bc -l)
    done
    echo "$total"
}

# Appends the drawing operations of one run to the array `ops`, starting at x
# with its baseline at y.
draw_run() {
    local x=$1 y=$2 seg style size rise text w
    shift 2
    for seg in "$@"; do
        IFS='|' read -r style size rise text <<<"$seg"
        [[ $style == g ]] || ops+=(-font "$(font_of "$style")" -pointsize "$size"
              -annotate "+$(printf '%.0f' "$x")+$(printf '%.0f' "$(echo "$y - $rise" | bc -l)")" "$text")
        w=$(advance "$style" "$size" "$text")
        x=$(echo "$x + $w" | bc -l)
    done
}

# Draws a run centred on the column cx.
draw_centred() {
    local cx=$1 y=$2 w
    shift 2
    w=$(run_width "$@")
    draw_run "$(echo "$cx - $w / 2" | bc -l)" "$y" "$@"
}

# The left-hand side shared by both equations: d²φ(x) over dx².
draw_lhs() { # centre-x bar-y bar-half-width
    local cx=$1 bar=$2 half=$3
    draw_centred "$cx" $((bar - 7)) 'r|19|0|d' 'r|12|8|2' 'i|19|0|φ' 'r|19|0|(' 'i|19|0|x' 'r|19|0|)'
    draw_centred "$cx" $((bar + 19)) 'r|19|0|d' 'i|19|0|x' 'r|12|8|2'
    ops+=(-stroke black -strokewidth 1 -draw "line $((cx - half)),$bar $((cx + half)),$bar" -stroke none)
}

draw_equation() { # file width height bar-y sign subscript
    local file=$1 width=$2 height=$3 bar=$4 sign=$5 sub=$6
    local lcx=30 eqx=66 rcx
    ops=()
    draw_lhs "$lcx" "$bar" 26
    # Equals sign.
    ops+=(-stroke black -strokewidth 1
          -draw "line $eqx,$((bar - 3)) $((eqx + 11)),$((bar - 3))"
          -draw "line $eqx,$((bar + 3)) $((eqx + 11)),$((bar + 3))" -stroke none)
    rcx=$((width - 32))
    if [[ $sign == minus ]]; then
        local mx=$((eqx + 16))
        ops+=(-stroke black -strokewidth 1 -draw "line $mx,$bar $((mx + 9)),$bar" -stroke none)
    fi
    draw_centred "$rcx" $((bar - 7)) 'i|19|0|q' 'i|19|0|N' "r|12|-4|$sub"
    draw_centred "$rcx" $((bar + 19)) 'i|19|0|ε' 'r|12|-4|s' 'g|3|0|' 'i|19|0|ε' 'r|12|-4|0'
    ops+=(-stroke black -strokewidth 1 -draw "line $((rcx - 26)),$bar $((rcx + 26)),$bar" -stroke none)
    "${im[@]}" -size "${width}x${height}" xc:white -density 72 -fill black -stroke none \
        "${ops[@]}" -alpha off -type TrueColor "BMP3:$file"
}

# ---------------------------------------------------------------------------
# The junction and its bias circuit.

draw_circuit() {
    local file=$1 grey='#808080'
    local ops=(
        # The p|n block: thick border, thick dividing line at x = 73.
        -stroke black -strokewidth 3 -fill none
        -draw 'rectangle 14,6 132,46'
        -draw 'line 73,6 73,46'
        # The letters, each followed by a small return-arrow mark.
        -stroke none -fill black -font "$roman" -pointsize 22
        -annotate +34+34 'p' -annotate +93+34 'n'
        -stroke "$grey" -strokewidth 1 -fill none
        -draw 'path "M 54,22 L 54,30 L 47,30"'
        -draw 'path "M 49,28 L 47,30 L 49,32"'
        -draw 'path "M 112,22 L 112,30 L 105,30"'
        -draw 'path "M 107,28 L 105,30 L 107,32"'
        # Wires, thin black.
        -stroke black -strokewidth 1 -fill none
        # Battery upper terminal up to the top wire and right to the anode.
        -draw 'path "M 22,83 L 22,68 L 61,68"'
        # Cathode right and down to the right-hand ground.
        -draw 'path "M 85,68 L 124,68 L 124,114"'
        # Battery lower terminal down to the left-hand ground.
        -draw 'line 22,91 22,114'
        # Battery: long plate on top, short thick plate below.
        -draw 'line 12,83 32,83'
        -stroke black -strokewidth 3 -draw 'line 17,90 27,90'
        -stroke black -strokewidth 1
        # Diode under the p|n boundary: triangle pointing right, bar.
        -fill black -draw 'polygon 61,61 61,75 73,68' -fill none
        -stroke black -strokewidth 2 -draw 'line 74,60 74,76'
        -stroke black -strokewidth 1 -draw 'line 74,68 85,68'
        # Ground hatches: three shrinking bars.
        -draw 'line 12,114 32,114' -draw 'line 15,118 29,118' -draw 'line 18,122 26,122'
        -draw 'line 114,114 134,114' -draw 'line 117,118 131,118' -draw 'line 120,122 128,122'
        # The battery's voltage.
        -stroke none -fill black -font "$italic" -pointsize 18
        -annotate +37+95 'V'
    )
    "${im[@]}" -size 146x137 xc:white -density 72 "${ops[@]}" \
        -alpha off -type TrueColor "BMP3:$file"
}

# ---------------------------------------------------------------------------
# The icon: a diode symbol over a rising C-V curve, drawn at 256 pixels and
# scaled down for the window icon.

draw_icon() {
    local file256=$1 file64=$2
    local curve="" v x y i
    # C(V) proportional to 1 / sqrt(Vbi - V) with Vbi = 0.7 V, for V from
    # -10 V to 0.5 V, scaled so that the curve rises from the bottom left to
    # the top right of the plot.
    for ((i = 0; i <= 60; i++)); do
        v=$(echo "-10 + $i * 10.5 / 60" | bc -l)
        x=$(printf '%.1f' "$(echo "42 + ($v + 10) / 10.5 * 184" | bc -l)")
        y=$(printf '%.1f' "$(echo "212 - (1 / sqrt(0.7 - $v) - 0.3057) / (2.2361 - 0.3057) * 176" | bc -l)")
        if ((i == 0)); then curve="M $x,$y"; else curve+=" L $x,$y"; fi
    done
    "${im[@]}" -size 256x256 xc:none \
        -fill '#f4f7fb' -stroke '#2b4a7a' -strokewidth 8 -draw 'roundrectangle 8,8 247,247 36,36' \
        -stroke '#9aaac2' -strokewidth 4 -fill none \
        -draw 'line 36,222 228,222' -draw 'line 40,226 40,36' \
        -stroke '#d01818' -strokewidth 12 -draw "stroke-linejoin round path '$curve'" \
        -stroke '#1a1a1a' -strokewidth 10 -fill none -draw 'line 34,92 72,92' -draw 'line 142,92 176,92' \
        -fill '#1a1a1a' -stroke '#1a1a1a' -strokewidth 4 -draw 'polygon 72,56 72,128 132,92' \
        -strokewidth 12 -draw 'line 138,54 138,130' \
        -strip -define png:exclude-chunk=date,time "PNG32:$file256"
    "${im[@]}" "$file256" -filter Lanczos -resize 64x64 -strip -define png:exclude-chunk=date,time "PNG32:$file64"
}

# ---------------------------------------------------------------------------
# Header check: a Windows bitmap of the expected size, 24 bits per pixel,
# uncompressed, stored bottom-up.

le32() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }
le16() { od -An -t u2 -j "$2" -N 2 "$1" | tr -d ' '; }

check_bitmap() { # file width height
    local file=$1 w=$2 h=$3 magic
    magic=$(head -c 2 "$file")
    [[ $magic == BM ]] || { echo "$file: not a bitmap" >&2; exit 1; }
    [[ $(le32 "$file" 18) == "$w" ]] || { echo "$file: width $(le32 "$file" 18), not $w" >&2; exit 1; }
    [[ $(le32 "$file" 22) == "$h" ]] || { echo "$file: height $(le32 "$file" 22), not $h (bottom-up)" >&2; exit 1; }
    [[ $(le16 "$file" 28) == 24 ]] || { echo "$file: $(le16 "$file" 28) bits per pixel, not 24" >&2; exit 1; }
    [[ $(le32 "$file" 30) == 0 ]] || { echo "$file: compressed (method $(le32 "$file" 30))" >&2; exit 1; }
    local row=$(((w * 3 + 3) / 4 * 4)) size offset
    offset=$(le32 "$file" 10)
    size=$(stat -c %s "$file")
    [[ $size == $((offset + row * h)) ]] || { echo "$file: $size bytes, expected $((offset + row * h))" >&2; exit 1; }
    echo "ok  $file  ${w}x${h}, 24 bpp, BI_RGB, bottom-up"
}

draw_equation "$pictures/Image1.bmp" 141 66 33 plus A
draw_equation "$pictures/Image2.bmp" 154 69 34 minus D
draw_circuit "$pictures/Image3.bmp"
draw_icon "$icons/cvcalc-256.png" "$icons/cvcalc.png"

check_bitmap "$pictures/Image1.bmp" 141 66
check_bitmap "$pictures/Image2.bmp" 154 69
check_bitmap "$pictures/Image3.bmp" 146 137
