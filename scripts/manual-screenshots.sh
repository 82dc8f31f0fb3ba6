#!/usr/bin/env bash
# Makes the pictures of the operator's manual (docs/manual/images/*.png)
# anew from the built program: the gauge simulator plays the gauges,
# kivo-drive plays the operator, and every window is grabbed as it is drawn.
#
#   scripts/manual-screenshots.sh [BUILD_FOLDER]      (default: build)
#
# Runs under Xvfb when it is installed (the xcb platform draws as on a
# desktop), else off screen. Nothing of the user's settings or files is
# touched: the program runs with settings and data folders of its own in a
# temporary folder. The simulated ports are /tmp/dev/rfcomm0 (Bluetooth) and
# /tmp/dev/ttyUSB0 (cable); short names read well in the pictures.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$repo/build}" && pwd)"
images="$repo/docs/manual/images"
ports=/tmp/dev
bth="$ports/rfcomm0"
vcp="$ports/ttyUSB0"

die() { echo "manual-screenshots: $*" >&2; exit 1; }

for tool in kivo-drive kivo-gauge-sim; do
  [ -x "$build/$tool" ] || die "$build/$tool is missing: build the program first"
done
for link in "$bth" "$vcp"; do
  [ -e "$link" ] && die "$link exists already: is another gauge simulator running?"
done
mkdir -p "$images" "$ports"

work="$(mktemp -d /tmp/kivo-manual.XXXXXX)"
xvfb_pid=""
gauge_pid=""
cleanup() {
  if [ -n "$gauge_pid" ]; then kill "$gauge_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
  rmdir "$ports" 2>/dev/null || true
}
trap cleanup EXIT

# --- Display ----------------------------------------------------------------
if command -v Xvfb >/dev/null; then
  display=""
  for n in $(seq 78 120); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
  done
  [ -n "$display" ] || die "no free X display number for Xvfb"
  Xvfb "$display" -screen 0 1400x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  if [ ! -e "/tmp/.X11-unix/X${display#:}" ]; then
    cat "$work/xvfb.log" >&2
    die "Xvfb did not start"
  fi
  export QT_QPA_PLATFORM=xcb DISPLAY="$display"
else
  echo "Xvfb not found: drawing off screen." >&2
  export QT_QPA_PLATFORM=offscreen
fi

# --- The installations and their settings -----------------------------------
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# install MODEL_CODE PROGRAM_NAME: a program folder with the pictures and
# Konfi.ini, and the six project field captions in Projekt.ini.
install_model() {
  local code=$1 pgm=$2
  mkdir -p "$work/$code"
  cp "$repo/install/pictures/"* "$work/$code/"
  printf '%s\r\n#\r\n' "$code" >"$work/$code/Konfi.ini"
  mkdir -p "$XDG_DATA_HOME/Brenvor/$pgm" "$XDG_CONFIG_HOME/Brenvor/$pgm"
  # Windows-1252: "Prüfer" has the byte 0xFC.
  printf 'Kunde;Customer;\r\nAuftrag;Order;\r\nBauteil;Part;\r\nPr\xfcfer;Inspector;\r\nOrt;Location;\r\nBemerkung;Remark;\r\n' \
    >"$XDG_DATA_HOME/Brenvor/$pgm/Projekt.ini"
}
vx_pgm="VELO-PROBA RIDIVORI"
rks_pgm="RK-SIVAR RIDIVORI"
install_model VX "$vx_pgm"
install_model RKS "$rks_pgm"

# Settings of a fresh session: LANGUAGE (0 German, 1 English), no limits,
# no project data, no last port.
fresh_settings() {
  local pgm=$1 language=$2
  local folder="$XDG_CONFIG_HOME/Brenvor/$pgm"
  rm -f "$folder/Limit.ini" "$folder/Projektdaten.ini" "$folder/Port.ini"
  printf '%s\r\n' "$language" >"$folder/Language.ini"
}

# --- Readings for the simulated gauges ----------------------------------------
# Record lines of 25 columns: number, value, unit ("µm" as the byte 0xB5),
# material.
record() { LC_ALL=C printf '%4d  %10s %-4s %3s\r\n' "$1" "$2" $'\xb5m' "$3"; }
fe_readings=(88.6 91.2 86.9 97.3 89.7 92.4 87.5 90.8 78.9 88.1 93.6 89.2 85.4 90.1 96.2 88.8 91.5 87.0 89.9 90.3)
nfe_readings=(24.8 26.1 23.9 25.4 26.2 24.3 25.0 24.6)
: >"$work/memory1"
for i in "${!fe_readings[@]}"; do record $((i + 1)) "${fe_readings[$i]}" Fe >>"$work/memory1"; done
: >"$work/memory2"
for i in "${!nfe_readings[@]}"; do record $((i + 1)) "${nfe_readings[$i]}" NFe >>"$work/memory2"; done
# A long memory, so the download can be caught half way.
: >"$work/memory-long"
for i in $(seq 1 400); do
  tenths=$((850 + (i * 37) % 90))
  record "$i" "$((tenths / 10)).$((tenths % 10))" Fe >>"$work/memory-long"
done

# --- Gauge and operator -------------------------------------------------------
start_gauge() { # LINK SIMULATOR-OPTIONS...
  local link=$1
  shift
  "$build/kivo-gauge-sim" --link "$link" "$@" >/dev/null 2>>"$work/gauge-commands.log" &
  gauge_pid=$!
  for _ in $(seq 100); do [ -e "$link" ] && return 0; sleep 0.1; done
  die "the gauge simulator did not make $link"
}

stop_gauge() {
  kill "$gauge_pid" 2>/dev/null || true
  wait "$gauge_pid" 2>/dev/null || true
  gauge_pid=""
}

# drive MODEL_CODE PORTS: plays the operator script on standard input.
drive() {
  local code=$1 extra_ports=$2
  { echo "program-folder $work/$code"; cat; } >"$work/script"
  if ! KIVO_EXTRA_PORTS="$extra_ports" timeout 120 "$build/kivo-drive" "$work/script" \
    >"$work/drive.out" 2>"$work/drive.err"; then
    cat "$work/drive.err" >&2
    die "kivo-drive failed"
  fi
  if grep -q '^kivo-drive:' "$work/drive.err"; then
    grep '^kivo-drive:' "$work/drive.err" >&2
    die "the operator script did not run through"
  fi
}

# --- The pictures, in German and in English -----------------------------------
for lang in de en; do
  if [ "$lang" = de ]; then
    index=0 locale=de_DE
    project=("Muster Stahlbau GmbH" "A-2026-0412" "Träger T3, Flansch oben" "M. Keller" "Halle 2" "Deckbeschichtung")
  else
    index=1 locale=en_US
    project=("Sample Steelworks Ltd" "A-2026-0412" "Beam T3, upper flange" "M. Keller" "Hall 2" "Top coat")
  fi

  # VELO-PROBA on Bluetooth: connecting, the memories, limits, project
  # data, statistics and charts.
  fresh_settings "$vx_pgm" "$index"
  start_gauge "$bth" --model FNB --memory1 "$work/memory1" --memory2 "$work/memory2"
  drive VX "$bth:BTH" <<EOF
locale $locale
start
select ComboPort $bth
screenshot $images/not-connected-$lang.png
click cmdConnect
wait-until-idle 15000
click optFE
click cmdWerte
type frmWerte.txtMinLimit 80
focus frmWerte.txtMaxLimit
type frmWerte.txtMaxLimit 95
focus frmWerte.txtSoll
type frmWerte.txtSoll 88
focus frmWerte.txtMinLimit
screenshot $images/limits-$lang.png frmWerte
click frmWerte.cmdSpeichern
click cmdProjekt
type frmProjekt.txtFelder(1) ${project[0]}
type frmProjekt.txtFelder(2) ${project[1]}
type frmProjekt.txtFelder(3) ${project[2]}
type frmProjekt.txtFelder(4) ${project[3]}
type frmProjekt.txtFelder(5) ${project[4]}
type frmProjekt.txtFelder(6) ${project[5]}
screenshot $images/project-$lang.png frmProjekt
click frmProjekt.cmdSpeichern
screenshot $images/main-$lang.png
click cmdChart
screenshot $images/chart-$lang.png Frame5
click cmdGross
screenshot $images/chart-window-$lang.png frmChartG
close frmChartG
click mnuInfo
screenshot $images/info-$lang.png frmInfo
click mnuAbnahme
click frmAbnahme.cmdPruefen
screenshot $images/acceptance-$lang.png frmAbnahme
EOF
  stop_gauge

  # A long download caught half way: the progress bar and the cancel button.
  fresh_settings "$vx_pgm" "$index"
  start_gauge "$bth" --model FNB --memory1 "$work/memory-long" --memory2 "$work/memory2" --pace-baud 9600
  drive VX "$bth:BTH" <<EOF
locale $locale
start
select ComboPort $bth
click cmdConnect
wait-ms 4000
screenshot $images/download-$lang.png
key Escape
wait-until-idle 15000
EOF
  stop_gauge

  # RK-SIVAR on a cable: readings as they are measured, with limits set.
  fresh_settings "$rks_pgm" "$index"
  printf '40;60;50;\r\n' >"$XDG_CONFIG_HOME/Brenvor/$rks_pgm/Limit.ini"
  start_gauge "$vcp" --model RKS --online-style V --interval-ms 600
  drive RKS "$vcp:VCP" <<EOF
locale $locale
start
select ComboPort $vcp
click cmdConnect
wait-until-idle 15000
click optOnline
wait-ms 8000
screenshot $images/online-$lang.png
EOF
  stop_gauge
done

echo "Pictures written to $images:"
ls -1 "$images"
