#!/usr/bin/env bash
# Regenerates the program's artwork (installation pictures and built-in
# resources) from ImageMagick drawing commands.  Everything is drawn here;
# no external image files are used.  Safe to run repeatedly: the output files
# are simply overwritten, and metadata (timestamps) is stripped so that the
# same ImageMagick version produces byte-identical files.
#
# Usage:  tools/artwork/make-pictures.sh
# Needs:  ImageMagick 6 or 7, DejaVu Sans fonts (Debian: imagemagick fonts-dejavu-core)
#
# Writes:
#   install/pictures/  Kivologo.jpg Selmarlogo.jpg Selmar.ico Rahmen.jpg VX.gif RKS.gif ZR.gif
#   src/ui/resources/ gauge_default.png usb.png bluetooth.png decoration.png app_icon.png
#   packaging/icons/hicolor/<N>x<N>/apps/com.brenvor.KivoRidivori.png
#                     the Debian package's theme icons, N = 16 24 32 48 64 128 256

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
INST="$ROOT/install/pictures"
RES="$ROOT/src/ui/resources"
ICONS="$ROOT/packaging/icons/hicolor"
APP_ID=com.brenvor.KivoRidivori
ICON_SIZES=(16 24 32 48 64 128 256)
mkdir -p "$INST" "$RES"

# --- tools ---------------------------------------------------------------
IM=""
for c in magick convert convert-im6.q16 /usr/bin/convert; do
    if command -v "$c" >/dev/null 2>&1 && "$c" -version 2>/dev/null | grep -q '^Version: ImageMagick'; then
        IM="$c"; break
    fi
done
[ -n "$IM" ] || { echo "ImageMagick not found (apt-get install imagemagick)" >&2; exit 1; }

find_font() {   # $1 = fontconfig pattern, $2 = fallback file
    local f=""
    command -v fc-match >/dev/null 2>&1 && f="$(fc-match -f '%{file}' "$1" 2>/dev/null || true)"
    case "$f" in *DejaVu*) ;; *) f="$2" ;; esac
    [ -f "$f" ] || { echo "font not found: $1 ($2)" >&2; exit 1; }
    printf '%s' "$f"
}
FONT_BOLD="$(find_font 'DejaVu Sans:bold' /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)"
FONT_BOOK="$(find_font 'DejaVu Sans' /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)"

T="$(mktemp -d)"
trap 'rm -rf "$T"' EXIT

PNG_OPTS=(-depth 8 -strip -define png:exclude-chunks=date,time)
JPG_OPTS=(-strip -sampling-factor 4:4:4 -quality 92)
GIF_OPTS=(-strip +dither -colors 64)

# --- palette ------------------------------------------------------------------
BLUE='#1F4E79'      # brand blue
BLUE_MID='#2B6A9A'
TEAL='#2A9D8F'
DARK='#1B2A38'
GREY='#6B7B8C'
RED='#9E2A2B'       # partner (Selmar)
ORANGE='#E8772E'
LCD_INK='#22343A'

# --- helpers ------------------------------------------------------------------
# seg7 DIGIT X Y W H T COLOR -> MVG primitives drawing a seven-segment digit
seg7() {
    local d=$1 x=$2 y=$3 w=$4 h=$5 t=$6 col=$7
    local m=$(( y + h / 2 )) ht=$(( t / 2 ))
    local segs
    case $d in
        0) segs=abcdef ;; 1) segs=bc ;; 2) segs=abged ;; 3) segs=abgcd ;;
        4) segs=fgbc ;; 5) segs=afgcd ;; 6) segs=afgedc ;; 7) segs=abc ;;
        8) segs=abcdefg ;; 9) segs=abcdfg ;; -) segs=g ;; *) segs="" ;;
    esac
    printf 'fill %s ' "$col"
    local s
    for (( i=0; i<${#segs}; i++ )); do
        s=${segs:$i:1}
        case $s in
            a) printf 'rectangle %d,%d %d,%d ' $((x+1)) $y $((x+w-1)) $((y+t-1)) ;;
            b) printf 'rectangle %d,%d %d,%d ' $((x+w-t)) $((y+1)) $((x+w-1)) $((m-1)) ;;
            c) printf 'rectangle %d,%d %d,%d ' $((x+w-t)) $((m+1)) $((x+w-1)) $((y+h-2)) ;;
            d) printf 'rectangle %d,%d %d,%d ' $((x+1)) $((y+h-t)) $((x+w-1)) $((y+h-1)) ;;
            e) printf 'rectangle %d,%d %d,%d ' $x $((m+1)) $((x+t-1)) $((y+h-2)) ;;
            f) printf 'rectangle %d,%d %d,%d ' $x $((y+1)) $((x+t-1)) $((m-1)) ;;
            g) printf 'rectangle %d,%d %d,%d ' $((x+1)) $((m-ht)) $((x+w-1)) $((m-ht+t-1)) ;;
        esac
    done
}

# Thick curves are drawn as chains of short round-capped "line" primitives:
# ImageMagick 6.9.11 mis-renders wide strokes of multi-segment paths (joins get
# filled in), single lines are rendered correctly by every version.
# Each helper prints MVG primitives; use inside -draw.
STROKE_PRE='fill none stroke-linecap round'

# arc CX CY R A0 A1 -> circular arc, angles in degrees clockwise from east
arc() {
    awk -v cx="$1" -v cy="$2" -v r="$3" -v a0="$4" -v a1="$5" -v pre="$STROKE_PRE" 'BEGIN {
        d = 3.14159265358979 / 180; n = int((a1 - a0) * r * d / 3) + 8
        printf "%s ", pre
        for (i = 0; i < n; i++) {
            u = (a0 + (a1 - a0) * i / n) * d; v = (a0 + (a1 - a0) * (i + 1) / n) * d
            printf "line %.2f,%.2f %.2f,%.2f ", cx + r*cos(u), cy + r*sin(u), cx + r*cos(v), cy + r*sin(v)
        }
    }'
}

# bez X0 Y0 X1 Y1 X2 Y2 X3 Y3 -> cubic Bezier curve
bez() {
    awk -v x0="$1" -v y0="$2" -v x1="$3" -v y1="$4" -v x2="$5" -v y2="$6" -v x3="$7" -v y3="$8" -v pre="$STROKE_PRE" 'BEGIN {
        n = 32; px = x0; py = y0
        printf "%s ", pre
        for (i = 1; i <= n; i++) {
            t = i / n; m = 1 - t
            x = m*m*m*x0 + 3*m*m*t*x1 + 3*m*t*t*x2 + t*t*t*x3
            y = m*m*m*y0 + 3*m*m*t*y1 + 3*m*t*t*y2 + t*t*t*y3
            printf "line %.2f,%.2f %.2f,%.2f ", px, py, x, y; px = x; py = y
        }
    }'
}

# poly "X,Y X,Y ..." -> open polyline
poly() {
    local prev="" p
    printf '%s ' "$STROKE_PRE"
    for p in $1; do
        [ -n "$prev" ] && printf 'line %s %s ' "$prev" "$p"
        prev=$p
    done
}

# number STRING CX Y W H T GAP COLOR -> seven-segment number centred on CX;
# '.' is a decimal point
number() {
    local str=$1 cx=$2 y=$3 w=$4 h=$5 t=$6 gap=$7 col=$8 ch x total=0
    for (( k=0; k<${#str}; k++ )); do
        if [ "${str:$k:1}" = "." ]; then total=$(( total + t + gap )); else total=$(( total + w + gap )); fi
    done
    x=$(( cx - (total - gap) / 2 ))
    for (( k=0; k<${#str}; k++ )); do
        ch=${str:$k:1}
        if [ "$ch" = "." ]; then
            printf 'fill %s rectangle %d,%d %d,%d ' "$col" $x $((y+h-t)) $((x+t-1)) $((y+h-1))
            x=$(( x + t + gap ))
        else
            seg7 "$ch" $x $y $w $h $t "$col"
            x=$(( x + w + gap ))
        fi
    done
}

# =============================================================================
# 1. Brenvor logo (Kivologo.jpg, 300x150)
# =============================================================================
# Mark: three concentric dial arcs with a gauge needle.
"$IM" -size 100x84 xc:none \
    -fill none -strokewidth 5 \
    -stroke "$BLUE"     -draw "$(arc 50 64 42 198 342)" \
    -stroke "$BLUE_MID" -draw "$(arc 50 64 31 202 338)" \
    -stroke "$TEAL"     -draw "$(arc 50 64 20 208 332)" \
    -stroke none -fill "$DARK" \
    -draw "polygon 52.8,65.3 47.2,62.7 72,25" \
    -draw "circle 50,64 55.5,64" \
    -fill white -draw "circle 50,64 52,64" \
    "$T/brenvor_mark.png"

"$IM" -background none -fill "$BLUE" -font "$FONT_BOLD" -pointsize 44 \
    label:Brenvor -trim +repage "$T/brenvor_word.png"

# mark | gap | word
"$IM" -background none -gravity center "$T/brenvor_mark.png" -size 10x10 xc:none \
    "$T/brenvor_word.png" +append -trim +repage "$T/brenvor_row.png"

"$IM" -size 300x150 xc:white \
    \( "$T/brenvor_row.png" -resize "270x100>" \) -gravity center -geometry +0-6 -composite \
    -fill "$TEAL" -draw "rectangle 40,121 260,122" \
    "${JPG_OPTS[@]}" "$INST/Kivologo.jpg"

# =============================================================================
# 2. Selmar logo (Selmarlogo.jpg, 300x150) and icon (Selmar.ico)
# =============================================================================
# Mark: rounded red tile with three slanted "coating layers".
"$IM" -size 256x256 xc:none \
    -fill "$RED" -draw "roundrectangle 8,8 247,247 52,52" \
    -fill white     -draw "polygon 78,52 204,52 178,92 52,92" \
    -fill '#F6B27A' -draw "polygon 78,108 204,108 178,148 52,148" \
    -fill "$ORANGE" -draw "polygon 78,164 204,164 178,204 52,204" \
    "$T/selmar_mark.png"

"$IM" -background none -fill "$RED" -font "$FONT_BOLD" -pointsize 44 \
    label:Selmar -trim +repage "$T/selmar_word.png"

"$IM" -background none -gravity center \
    \( "$T/selmar_mark.png" -resize 78x78 \) -size 16x10 xc:none \
    "$T/selmar_word.png" +append -trim +repage "$T/selmar_row.png"

"$IM" -size 300x150 xc:white \
    \( "$T/selmar_row.png" -resize "270x100>" \) -gravity center -geometry +0-6 -composite \
    -fill "$ORANGE" -draw "rectangle 40,121 260,122" \
    "${JPG_OPTS[@]}" "$INST/Selmarlogo.jpg"

for s in 32 48; do
    "$IM" "$T/selmar_mark.png" -filter Lanczos -resize ${s}x${s} \
        "${PNG_OPTS[@]}" "$T/selmar_$s.png"
done
# 16x16 is drawn on the pixel grid so that it stays crisp.
"$IM" -size 16x16 xc:none \
    -fill "$RED" -draw "roundrectangle 0,0 15,15 3,3" \
    -fill white     -draw "rectangle 5,3 12,4" \
    -fill '#F6B27A' -draw "rectangle 4,7 11,8" \
    -fill "$ORANGE" -draw "rectangle 3,11 10,12" \
    "${PNG_OPTS[@]}" "$T/selmar_16.png"
"$IM" "$T/selmar_16.png" "$T/selmar_32.png" "$T/selmar_48.png" "$INST/Selmar.ico"

# =============================================================================
# 3. Frame banner (Rahmen.jpg, 900x48)
# =============================================================================
hatch=""
for (( x=-48; x<=900; x+=16 )); do
    hatch+="line $x,48 $((x+48)),0 "
done
"$IM" -size 48x900 gradient:'#4FB3A9-#3F77A8' -rotate 90 -fill none \
    -stroke 'rgba(255,255,255,0.10)' -strokewidth 1 -draw "fill none $hatch" \
    -stroke 'rgba(255,255,255,0.55)' -draw "line 0,5.5 900,5.5" -draw "line 0,42.5 900,42.5" \
    -stroke 'rgba(255,255,255,0.25)' -draw "line 0,8.5 900,8.5" -draw "line 0,39.5 900,39.5" \
    "${JPG_OPTS[@]}" "$INST/Rahmen.jpg"

# =============================================================================
# 4. Gauge models (180x220, white background)
# =============================================================================
# VX: VELO-PROBA - rounded blue body, 3 buttons in a row, cylindrical probe.
"$IM" -size 180x220 xc:white \
    -fill '#E6EBEF' -draw "ellipse 76,208 52,5 0,360" \
    -fill none -stroke '#37474F' -strokewidth 4 \
    -draw "$(bez 75 24 75 6 150 2 150 60) $(poly '150,60 150,112')" \
    -stroke none \
    -fill '#263238' -draw "roundrectangle 69,18 81,30 3,3" \
    -fill '#263238' -draw "roundrectangle 143,108 157,122 3,3" \
    -fill '#455A64' -draw "roundrectangle 141,118 159,186 6,6" \
    -fill "$TEAL"   -draw "rectangle 141,138 159,144" \
    -fill '#B0BEC5' -draw "polygon 144,186 156,186 153,197 147,197" \
    -fill '#78909C' -draw "roundrectangle 146,196 154,201 2,2" \
    -fill '#17406A' -draw "roundrectangle 20,26 130,206 20,20" \
    -fill "$BLUE_MID" -draw "roundrectangle 23,28 127,202 18,18" \
    -fill "$DARK" -draw "roundrectangle 33,42 117,110 7,7" \
    -fill '#BCD9C9' -draw "roundrectangle 38,47 112,105 3,3" \
    -draw "$(number 12.5 75 62 15 28 3 4 "$LCD_INK")" \
    -fill "$LCD_INK" -draw "rectangle 42,51 47,54" -draw "rectangle 48,51 50,54" \
    -draw "rectangle 99,51 107,54" -draw "rectangle 107,52 108,53" \
    -draw "rectangle 44,97 48,100 rectangle 51,95 55,100 rectangle 58,93 62,100 rectangle 65,96 69,100" \
    -fill '#CFD8DC' -draw "circle 47,146 47,155" -draw "circle 103,146 103,155" \
    -fill "$TEAL"   -draw "circle 75,146 75,157" \
    -fill '#9FB3C2' -draw "circle 75,146 75,149" \
    -fill '#5B89B3' -draw "roundrectangle 58,180 92,182 1,1" -draw "roundrectangle 62,186 88,188 1,1" \
    "${GIF_OPTS[@]}" "$INST/VX.gif"

# RKS: RK-SIVAR - tall graphite body with orange bumper, puck-shaped probe.
"$IM" -size 180x220 xc:white \
    -fill '#E6EBEF' -draw "ellipse 92,212 50,5 0,360" \
    -fill none -stroke '#37474F' -strokewidth 4 \
    -draw "$(bez 92 20 92 4 26 2 26 50) $(poly '26,50 26,118')" \
    -stroke none \
    -fill '#263238' -draw "roundrectangle 86,14 98,24 3,3" \
    -fill '#37474F' -draw "roundrectangle 17,114 35,178 5,5" \
    -fill "$ORANGE" -draw "rectangle 17,130 35,135" \
    -fill '#263238' -draw "rectangle 20,176 32,182" \
    -fill "$ORANGE" -draw "roundrectangle 8,181 44,193 4,4" \
    -fill '#B0BEC5' -draw "rectangle 10,192 42,195" \
    -fill "$ORANGE" -draw "roundrectangle 52,18 132,210 18,18" \
    -fill '#3A4750' -draw "roundrectangle 57,23 127,205 13,13" \
    -fill '#1E272C' -draw "roundrectangle 63,34 121,104 5,5" \
    -fill '#CFE3EE' -draw "roundrectangle 67,38 117,100 2,2" \
    -draw "$(number 3.47 92 52 11 24 3 3 "$LCD_INK")" \
    -fill "$LCD_INK" -draw "rectangle 70,42 82,44" -draw "rectangle 104,42 114,44" \
    -draw "rectangle 70,85 114,86" -draw "rectangle 70,89 96,93" \
    -fill "$ORANGE" -draw "circle 92,136 92,150" \
    -fill '#F6B27A' -draw "circle 92,136 92,140" \
    -fill '#B0BEC5' -draw "circle 72,172 72,180" -draw "circle 112,172 112,180" \
    -fill '#56656E' -draw "roundrectangle 78,190 106,192 1,1" \
    "${GIF_OPTS[@]}" "$INST/RKS.gif"

# ZR: ZORMA-PROBA - wide slate body with green accents, pen-style probe.
"$IM" -size 180x220 xc:white \
    -fill '#E6EBEF' -draw "ellipse 90,204 78,5 0,360" \
    -fill none -stroke '#37474F' -strokewidth 4 \
    -draw "$(bez 36 70 14 80 18 92 34 104)" \
    -stroke none \
    -draw "push graphic-context translate 92,48 rotate -20
           fill '#37474F' roundrectangle -58,-8 34,8 7,7
           fill '#3FA34D' roundrectangle -20,-8 20,8 3,3
           fill '#2E7D3A' rectangle -14,-8 -12,8 rectangle -6,-8 -4,8 rectangle 2,-8 4,8 rectangle 10,-8 12,8
           fill '#263238' roundrectangle -64,-5 -54,5 2,2
           fill '#90A4AE' polygon 33,-7 56,-2 56,2 33,7
           fill '#546E7A' roundrectangle 55,-1.5 63,1.5 1,1
           pop graphic-context" \
    -fill '#263238' -draw "roundrectangle 28,98 40,108 3,3" \
    -fill '#2E7D3A' -draw "roundrectangle 10,100 170,200 18,18" \
    -fill '#34444C' -draw "roundrectangle 10,104 170,196 16,16" \
    -fill '#1E272C' -draw "roundrectangle 22,116 108,182 6,6" \
    -fill '#CDE8C6' -draw "roundrectangle 27,121 103,177 2,2" \
    -draw "$(number 0.82 65 134 15 28 3 4 "$LCD_INK")" \
    -fill "$LCD_INK" -draw "rectangle 31,125 43,127" -draw "rectangle 88,125 99,127" \
    -draw "rectangle 31,169 99,170" \
    -fill '#3FA34D' -draw "circle 139,130 139,143" \
    -fill '#8BD08F' -draw "circle 139,130 139,134" \
    -fill '#B0BEC5' -draw "circle 125,165 125,173" -draw "circle 153,165 153,173" \
    "${GIF_OPTS[@]}" "$INST/ZR.gif"

# =============================================================================
# 5. Built-in resources (PNG, transparent)
# =============================================================================
# Neutral generic gauge silhouette.
"$IM" -size 180x220 xc:none \
    -fill none -stroke '#A3ADB6' -strokewidth 4 \
    -draw "$(bez 75 24 75 6 150 2 150 60) $(poly '150,60 150,112')" \
    -stroke none \
    -fill '#8D98A2' -draw "roundrectangle 69,18 81,30 3,3" \
    -fill '#A3ADB6' -draw "roundrectangle 141,110 159,186 6,6" \
    -fill '#A3ADB6' -draw "polygon 144,186 156,186 152,198 148,198" \
    -fill '#9AA5AF' -draw "roundrectangle 20,26 130,206 20,20" \
    -fill '#C9D0D6' -draw "roundrectangle 34,44 116,108 6,6" \
    -fill '#DCE1E5' -draw "roundrectangle 39,49 111,103 3,3" \
    -fill '#C9D0D6' -draw "circle 47,146 47,155" -draw "circle 75,146 75,157" -draw "circle 103,146 103,155" \
    -fill '#B4BDC5' -draw "roundrectangle 58,180 92,182 1,1" -draw "roundrectangle 62,186 88,188 1,1" \
    "${PNG_OPTS[@]}" "$RES/gauge_default.png"

# USB / cable link indicator (drawn at 4x, then reduced).
"$IM" -size 128x128 xc:none \
    -fill none -stroke "$GREY" -strokewidth 10 \
    -draw "$(poly '64,84 64,100') $(bez 64 100 64 116 40 112 40 124)" \
    -stroke none \
    -fill "$BLUE" -draw "roundrectangle 40,48 88,90 8,8" \
    -fill '#9FB3C2' -draw "rectangle 46,12 82,50" \
    -fill "$DARK" -draw "rectangle 53,22 61,30" -draw "rectangle 67,22 75,30" \
    -fill "$TEAL" -draw "rectangle 46,60 82,64" \
    -filter Lanczos -resize 32x32 \
    "${PNG_OPTS[@]}" "$RES/usb.png"

# Bluetooth-style link indicator: rune-like "B" drawn with blue lines.
"$IM" -size 128x128 xc:none \
    -fill none -stroke '#1E6FD0' -strokewidth 11 \
    -draw "$(poly '36,40 88,84 62,108 62,20 88,44 36,88')" \
    -filter Lanczos -resize 32x32 \
    "${PNG_OPTS[@]}" "$RES/bluetooth.png"

# Decoration: concentric arcs + measurement ticks.
ticks=""
for (( i=0; i<=12; i++ )); do
    x=$(( 44 + i * 6 ))
    if (( i % 4 == 0 )); then y0=14; else y0=20; fi
    ticks+="line $x.5,$y0 $x.5,26 "
done
"$IM" -size 120x32 xc:none \
    -fill none -strokewidth 2 \
    -stroke "$BLUE"     -draw "$(arc 6 28 24 270 360)" \
    -stroke "$BLUE_MID" -draw "$(arc 6 28 17 270 360)" \
    -stroke "$TEAL"     -draw "$(arc 6 28 10 270 360)" \
    -stroke "$GREY" -strokewidth 1 -draw "line 40,26.5 118,26.5" \
    -stroke "$TEAL" -strokewidth 1.4 -draw "$STROKE_PRE $ticks" \
    -stroke none -fill "$TEAL" -draw "polygon 101.5,7 107.5,7 104.5,12" \
    "${PNG_OPTS[@]}" "$RES/decoration.png"

# Application icon: gauge dial and needle on a rounded brand-blue square.
dial=""
for a in 200 225 250 270 290 315 340; do
    dial+="$(awk -v a=$a 'BEGIN{r=a*3.14159265/180; printf "line %.1f,%.1f %.1f,%.1f ", 128+74*cos(r),150+74*sin(r),128+88*cos(r),150+88*sin(r)}')"
done
"$IM" -size 256x256 xc:none \
    -fill "$BLUE" -draw "roundrectangle 8,8 247,247 48,48" \
    -fill "$BLUE_MID" -draw "roundrectangle 8,8 247,130 48,48" -draw "rectangle 8,90 247,130" \
    -fill "$BLUE" -draw "rectangle 8,128 247,140" \
    -fill none -stroke white -strokewidth 12 -draw "$(arc 128 150 100 196 344)" \
    -stroke '#CFE3EE' -strokewidth 8 -draw "$STROKE_PRE $dial" \
    -stroke none -fill "$TEAL" -draw "polygon 138,155 118,145 178,75" \
    -fill white -draw "circle 128,150 128,168" \
    -fill "$TEAL" -draw "circle 128,150 128,157" \
    -fill "$TEAL" -draw "roundrectangle 84,200 172,212 6,6" \
    -write "$T/app_icon_256.mpc" \
    -filter Lanczos -resize 64x64 \
    "${PNG_OPTS[@]}" "$RES/app_icon.png"

# The same drawing as the desktop's theme icons, each size reduced from the
# 256 px drawing as it stands in memory (MPC keeps it exactly).
for s in "${ICON_SIZES[@]}"; do
    mkdir -p "$ICONS/${s}x${s}/apps"
    if [ "$s" = 256 ]; then
        "$IM" "$T/app_icon_256.mpc" "${PNG_OPTS[@]}" "$ICONS/${s}x${s}/apps/$APP_ID.png"
    else
        "$IM" "$T/app_icon_256.mpc" -filter Lanczos -resize ${s}x${s} \
            "${PNG_OPTS[@]}" "$ICONS/${s}x${s}/apps/$APP_ID.png"
    fi
done

echo "Artwork written with $IM:"
ls -l "$INST"/Kivologo.jpg "$INST"/Selmarlogo.jpg "$INST"/Selmar.ico "$INST"/Rahmen.jpg \
      "$INST"/VX.gif "$INST"/RKS.gif "$INST"/ZR.gif \
      "$RES"/gauge_default.png "$RES"/usb.png "$RES"/bluetooth.png "$RES"/decoration.png "$RES"/app_icon.png
for s in "${ICON_SIZES[@]}"; do ls -l "$ICONS/${s}x${s}/apps/$APP_ID.png"; done
