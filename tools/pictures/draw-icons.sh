#!/usr/bin/env bash
# Draws the program icon as SVG (resources/icon/cvcalc.svg) and renders it at
# the sizes a desktop asks for (resources/icon/hicolor/NxN/cvcalc.png).  The
# drawing is the one of draw-pictures.sh: a diode symbol over a rising C-V
# curve, C proportional to 1 / sqrt(0.7 V - V) for V from -10 V to 0.5 V.
# Needs bc and rsvg-convert (librsvg2-bin).  The files are committed; run this
# only to change the icon.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
icons="$root/resources/icon"
svg="$icons/cvcalc.svg"

curve=""
for ((i = 0; i <= 60; i++)); do
    v=$(echo "-10 + $i * 10.5 / 60" | bc -l)
    x=$(printf '%.1f' "$(echo "42 + ($v + 10) / 10.5 * 184" | bc -l)")
    y=$(printf '%.1f' "$(echo "212 - (1 / sqrt(0.7 - $v) - 0.3057) / (2.2361 - 0.3057) * 176" | bc -l)")
    if ((i == 0)); then curve="M $x,$y"; else curve+=" L $x,$y"; fi
done

cat >"$svg" <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>cvcalc</title>
  <rect x="8" y="8" width="239" height="239" rx="36" ry="36" fill="#f4f7fb" stroke="#2b4a7a" stroke-width="8"/>
  <g stroke="#9aaac2" stroke-width="4" fill="none">
    <line x1="36" y1="222" x2="228" y2="222"/>
    <line x1="40" y1="226" x2="40" y2="36"/>
  </g>
  <path d="$curve" fill="none" stroke="#d01818" stroke-width="12" stroke-linejoin="round"/>
  <g stroke="#1a1a1a" fill="none">
    <line x1="34" y1="92" x2="72" y2="92" stroke-width="10"/>
    <line x1="142" y1="92" x2="176" y2="92" stroke-width="10"/>
    <polygon points="72,56 72,128 132,92" fill="#1a1a1a" stroke-width="4"/>
    <line x1="138" y1="54" x2="138" y2="130" stroke-width="12"/>
  </g>
</svg>
SVG

for size in 16 24 32 48 64 128 256; do
    mkdir -p "$icons/hicolor/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" -o "$icons/hicolor/${size}x${size}/cvcalc.png" "$svg"
done
echo "drew $svg and $(ls "$icons"/hicolor | wc -l) sizes"
