#!/usr/bin/env bash
# Makes the pictures of the operating manuals anew from the built program,
# one set per gauge model and language (docs/manual/images/<CODE>/*.png):
# the gauge simulator plays that model's gauge, kivo-drive plays the
# operator, and each picture is the part of a window its section is about.
#
#   scripts/manual-screenshots.sh [BUILD_FOLDER]      (default: build)
#
# The simulated gauges are at /dev/ttyUSB0 (cable) and /dev/rfcomm0
# (Bluetooth), the names a Linux machine gives them, and the program lists
# them as ttyUSB0 and rfcomm0, as it lists a real port. The script runs in a
# mount namespace of its own (as root, or as a user in a user namespace),
# where /dev is a small copy holding the few devices the programs need and
# these two links; the machine's /dev stays as it is. Nothing of the user's
# settings or files is touched either: the program runs with settings and
# data folders in a temporary folder. Runs under Xvfb when it is installed
# (the xcb platform draws as on a desktop), else off screen.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$repo/build}" && pwd)"
images="$repo/docs/manual/images"

die() { echo "manual-screenshots: $*" >&2; exit 1; }

for tool in kivo-drive kivo-gauge-sim kivo-cli; do
  [ -x "$build/$tool" ] || die "$build/$tool is missing: build the program first"
done

# --- A /dev of our own --------------------------------------------------------
if [ "${KIVO_MANUAL_NAMESPACE:-}" != 1 ]; then
  command -v unshare >/dev/null || die "unshare (util-linux) is needed"
  namespace=(unshare --mount --propagation private)
  [ "$(id -u)" = 0 ] || namespace=(unshare --user --map-root-user --mount --propagation private)
  exec env KIVO_MANUAL_NAMESPACE=1 "${namespace[@]}" "$0" "$build"
fi

# The machine's /dev is reached once through a bind mount, to bind the
# devices we keep; that mount is let go before anything else runs, so no
# later step (the clean-up's rm -rf above all) can reach the real /dev.
private_dev() {
  local real
  real="$(mktemp -d /tmp/kivo-manual-dev.XXXXXX)"
  mount --rbind /dev "$real"
  mount -t tmpfs -o mode=755 kivo-manual-dev /dev
  for device in null zero full random urandom tty; do
    touch "/dev/$device"
    mount --bind "$real/$device" "/dev/$device"
  done
  umount -l "$real"
  rmdir "$real"
  mkdir /dev/pts /dev/shm
  # Pseudo-terminals of our own: the simulator's and the program's side
  # both live in this namespace.
  mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts /dev/pts
  ln -s pts/ptmx /dev/ptmx
  mount -t tmpfs -o mode=1777 shm /dev/shm
  ln -s /proc/self/fd /dev/fd
}
private_dev

# The ports by their names in /dev; the program runs in /dev, where
# KIVO_EXTRA_PORTS finds them by these names.
cable=ttyUSB0
bluetooth=rfcomm0

work="$(mktemp -d /tmp/kivo-manual.XXXXXX)"
xvfb_pid=""
gauge_pid=""
cleanup() {
  if [ -n "$gauge_pid" ]; then kill "$gauge_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
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
  # A desktop's screen, so the main window opens at its usual size.
  printf '{"windowFrameMargins": true, "screens": [{"name": "Screen", "x": 0, "y": 0, "width": 1920, "height": 1040, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}\n' \
    >"$work/screen.json"
  export QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json"
fi

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# --- The models ---------------------------------------------------------------
# The model table gives each model's program name, the simulator's gauge
# that plays it, its link and its online style; here are the readings the
# pictures show.
# CODE|UNIT|MATERIAL|LIMITS (min max nominal)|JUDGED
# UNIT and MATERIAL: of the long memory. JUDGED: the readings are
# thicknesses in µm, which the acceptance check judges; the field gauges'
# readings are not.
demo_readings=(
  "RKT|kA/m||115 135 125|no"
  "RKS|µm||45 55 50|yes"
  "RKM|G||395 425 410|no"
  "DOR|mVs||2.25 2.35 2.3|no"
  "ZR|µm|Fe|110 140 120|yes"
  "VX|µm|Fe|80 95 88|yes"
)
models=()
for entry in "${demo_readings[@]}"; do
  code="${entry%%|*}"
  row="$("$build/kivo-cli" models --tab | awk -F'\t' -v m="$code" 'NR > 1 && $1 == m')"
  [ -n "$row" ] || die "$code is not in the model table"
  IFS=$'\t' read -r _ pgm link_kind _ online _ _ _ sim _ <<<"$row"
  kind=VCP; [ "$link_kind" = Bluetooth ] && kind=BTH
  style=V; [ "$online" = record ] && style=E
  models+=("$code|$pgm|$sim|$kind|$style|${entry#*|}")
done

# Record lines of 25 columns: number, value, unit ("µm" as the byte 0xB5),
# material.
record() { # NUMBER VALUE UNIT MATERIAL
  local unit=$3
  [ "$unit" = µm ] && unit=$'\xb5m'
  LC_ALL=C printf '%4d  %10s %-4s %3s\r\n' "$1" "$2" "$unit" "$4"
}

# Thicknesses for the ZORMA-PROBA's memory and the VELO-PROBA's FE and NFE
# memories, and a long memory to catch a download half way.
zr_readings=(124.6 131.2 118.9 126.3 122.8 129.5 127.1 121.4 133.0 125.7)
vx_fe_readings=(88.6 91.2 86.9 97.3 89.7 92.4 87.5 90.8 78.9 88.1 93.6 89.2 85.4 90.1 96.2 88.8 91.5 87.0 89.9 90.3)
vx_nfe_readings=(24.8 26.1 23.9 25.4 26.2 24.3 25.0 24.6)
memory_file() { # FILE MATERIAL VALUES...
  local file=$1 material=$2 i=1
  shift 2
  : >"$file"
  for value in "$@"; do record "$i" "$value" µm "$material" >>"$file"; i=$((i + 1)); done
}
memory_file "$work/zr-memory" Fe "${zr_readings[@]}"
memory_file "$work/vx-fe" Fe "${vx_fe_readings[@]}"
memory_file "$work/vx-nfe" NFe "${vx_nfe_readings[@]}"
long_memory() { # FILE UNIT MATERIAL
  : >"$1"
  for i in $(seq 1 400); do
    local tenths=$((850 + (i * 37) % 90))
    record "$i" "$((tenths / 10)).$((tenths % 10))" "$2" "$3" >>"$1"
  done
}

# install_model CODE PROGRAM_NAME: a program folder with the pictures and
# Konfi.ini, and the six project field captions in Projekt.ini.
install_model() {
  local code=$1 pgm=$2
  mkdir -p "$work/$code"
  cp "$repo/install/pictures/"* "$work/$code/"
  printf '%s\r\n#\r\n' "$code" >"$work/$code/Konfi.ini"
  mkdir -p "$XDG_DATA_HOME/Brenvor/$pgm/mes" "$XDG_CONFIG_HOME/Brenvor/$pgm"
  # Once it has saved a file (online, after every reading) the program works
  # in its measurement folder: the ports are found by their names there too.
  ln -sfn "/dev/$cable" "$XDG_DATA_HOME/Brenvor/$pgm/mes/$cable"
  ln -sfn "/dev/$bluetooth" "$XDG_DATA_HOME/Brenvor/$pgm/mes/$bluetooth"
  # Windows-1252: "Prüfer" has the byte 0xFC.
  printf 'Kunde;Customer;\r\nAuftrag;Order;\r\nBauteil;Part;\r\nPr\xfcfer;Inspector;\r\nOrt;Location;\r\nBemerkung;Remark;\r\n' \
    >"$XDG_DATA_HOME/Brenvor/$pgm/Projekt.ini"
}

# Settings of a fresh session: LANGUAGE (0 German, 1 English), no limits
# (or LIMITS, "min;max;nominal;"), no project data, no last port.
fresh_settings() { # PROGRAM_NAME LANGUAGE [LIMITS]
  local folder="$XDG_CONFIG_HOME/Brenvor/$1"
  rm -f "$folder/Limit.ini" "$folder/Projektdaten.ini" "$folder/Port.ini"
  printf '%s\r\n' "$2" >"$folder/Language.ini"
  if [ -n "${3:-}" ]; then printf '%s\r\n' "$3" >"$folder/Limit.ini"; fi
}

# --- Gauge and operator -------------------------------------------------------
start_gauge() { # PORT SIMULATOR-OPTIONS...
  local link=/dev/$1
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

# drive CODE PORT: plays the operator script on standard input.
drive() {
  local code=$1 port=$2
  { echo "program-folder $work/$code"; cat; } >"$work/script"
  if ! (cd /dev && KIVO_EXTRA_PORTS="$port" timeout 120 "$build/kivo-drive" "$work/script" \
    >"$work/drive.out" 2>"$work/drive.err"); then
    cat "$work/drive.err" >&2
    die "kivo-drive failed ($code)"
  fi
  if grep -q '^kivo-drive:' "$work/drive.err"; then
    grep '^kivo-drive:' "$work/drive.err" >&2
    die "the operator script did not run through ($code)"
  fi
}

# The operator's part that every model shares once its table holds readings:
# limits, project data, table, statistics, charts, info, acceptance check.
# Needs: $out, $lang, $min $max $nominal (as typed), $project, $judged.
common_pictures() {
  cat <<EOF
click cmdWerte
type frmWerte.txtMinLimit $min
focus frmWerte.txtMaxLimit
type frmWerte.txtMaxLimit $max
focus frmWerte.txtSoll
type frmWerte.txtSoll $nominal
focus frmWerte.txtMinLimit
screenshot $out/limits-$lang.png frmWerte
click frmWerte.cmdSpeichern
click cmdProjekt
type frmProjekt.txtFelder(1) ${project[0]}
type frmProjekt.txtFelder(2) ${project[1]}
type frmProjekt.txtFelder(3) ${project[2]}
type frmProjekt.txtFelder(4) ${project[3]}
type frmProjekt.txtFelder(5) ${project[4]}
type frmProjekt.txtFelder(6) ${project[5]}
screenshot $out/project-$lang.png frmProjekt
click frmProjekt.cmdSpeichern
screenshot-part $out/table-$lang.png $table_part
screenshot-part $out/statistics-$lang.png Frame5 cmdWerte cmdProjekt
click cmdChart
screenshot-part $out/chart-$lang.png Frame5
click cmdGross
resize 640 420 frmChartG
screenshot $out/chart-window-$lang.png frmChartG
close frmChartG
click mnuInfo
screenshot $out/info-$lang.png frmInfo
close frmInfo
click mnuAbnahme
EOF
  if [ "$judged" = yes ]; then echo "click frmAbnahme.cmdPruefen"; fi
  echo "screenshot $out/acceptance-$lang.png frmAbnahme"
}

# Each session makes the main window as low as it goes ("resize"), so the
# pictures of the table show little empty grid.
# The pictures are made in the temporary folder and replace the old ones
# only when all are made.
started=$SECONDS
for row in "${models[@]}"; do
  IFS='|' read -r code pgm sim kind style unit material limits judged <<<"$row"
  out="$work/images/$code"
  mkdir -p "$out"
  install_model "$code" "$pgm"
  if [ "$kind" = BTH ]; then port=$bluetooth; else port=$cable; fi

  gauge=(--model "$sim")
  case $code in
    ZR) gauge+=(--memory1 "$work/zr-memory") ;;
    VX) gauge+=(--memory1 "$work/vx-fe" --memory2 "$work/vx-nfe") ;;
  esac
  long_memory "$work/long-memory" "$unit" "$material"

  for lang in de en; do
    if [ "$lang" = de ]; then
      index=0 locale=de_DE point=,
      project=("Muster Stahlbau GmbH" "A-2026-0412" "Träger T3, Flansch oben" "M. Keller" "Halle 2" "Deckbeschichtung")
    else
      index=1 locale=en_US point=.
      project=("Sample Steelworks Ltd" "A-2026-0412" "Beam T3, upper flange" "M. Keller" "Hall 2" "Top coat")
    fi
    read -r min max nominal <<<"${limits//./$point}"

    if [ "$code" = DOR ]; then
      # No memory: online from the moment it is connected.
      table_part="txtWait txtSpeicher MSFlex"
      fresh_settings "$pgm" "$index"
      start_gauge "$port" "${gauge[@]}" --online-style "$style" --interval-ms 400
      drive "$code" "$port:$kind" <<EOF
locale $locale
start
resize 1120 600
select ComboPort $port
focus cmdConnect
screenshot-part $out/connect-$lang.png Frame2
click cmdConnect
wait-until-idle 15000
wait-ms 5500
screenshot-part $out/online-$lang.png $table_part
screenshot-part $out/online-stop-$lang.png Frame3
screenshot-part $out/connected-$lang.png Frame2 Frame3
$(common_pictures)
EOF
      stop_gauge
      continue
    fi

    # Connecting reads the memories; then everything the tables show.
    table_part="txtWait txtSpeicher cmdLesen MSFlex"
    fresh_settings "$pgm" "$index"
    start_gauge "$port" "${gauge[@]}"
    drive "$code" "$port:$kind" <<EOF
locale $locale
start
resize 1120 600
select ComboPort $port
focus cmdConnect
screenshot-part $out/connect-$lang.png Frame2
click cmdConnect
wait-until-idle 15000
$(if [ "$code" = VX ]; then echo "click optFE"; fi)
screenshot-part $out/connected-$lang.png Frame2 Frame3
$(common_pictures)
EOF
    stop_gauge

    # A long download caught half way: the progress bar and the cancel button.
    fresh_settings "$pgm" "$index"
    start_gauge "$port" --model "$sim" --memory1 "$work/long-memory" --pace-baud 9600
    drive "$code" "$port:$kind" <<EOF
locale $locale
start
select ComboPort $port
click cmdConnect
wait-ms 4000
screenshot-part $out/download-$lang.png escapeHint progressBar cancelButton
key Escape
wait-until-idle 15000
EOF
    stop_gauge

    # Readings as they are measured, with limits set.
    fresh_settings "$pgm" "$index" "$min;$max;$nominal;"
    start_gauge "$port" "${gauge[@]}" --online-style "$style" --online-delay-ms 2000 --interval-ms 500
    drive "$code" "$port:$kind" <<EOF
locale $locale
start
resize 1120 600
select ComboPort $port
click cmdConnect
wait-until-idle 15000
click optOnline
wait-ms 7000
screenshot-part $out/online-$lang.png $table_part
$(if [ "$style" = V ]; then echo "screenshot-part $out/online-stop-$lang.png Frame3"; fi)
EOF
    stop_gauge
  done
done

rm -rf "$images"
mkdir -p "$images"
cp -R "$work/images/." "$images/"
echo "Pictures written to $images in $((SECONDS - started)) s:"
du -sh "$images"
