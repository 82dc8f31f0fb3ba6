#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks it as a
# distribution would: lintian, the desktop entry, the AppStream metainfo,
# and the programs started from the package unpacked into a temporary root.
#   scripts/check-package.sh [BUILD_FOLDER]      (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

cmake --build "$build" --target package
# The package of this build's version, not one an earlier version left.
deb="$build/$(sed -n 's/^set(CPACK_DEBIAN_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
echo "Checking $deb"

# No errors from lintian (warnings are shown, not fatal).
lintian_out="$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)"
[ -n "$lintian_out" ] && echo "$lintian_out"
if grep -q '^E:' <<< "$lintian_out"; then echo "lintian found errors" >&2; exit 1; fi

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

# The command-line program from the unpacked package.
models="$("$root/usr/bin/kivo-cli" models --tab)"
grep -q '^RKS' <<< "$models" || { echo "kivo-cli models gave: $models" >&2; exit 1; }
# The package, its programs and its metainfo name one version.
version="$(dpkg-deb -f "$deb" Version)"
cli_version="$("$root/usr/bin/kivo-cli" --version)"
window_version="$("$root/usr/bin/kivo-transfer" --version)"
if [ "$cli_version" != "kivo-cli V$version" ] || [ "$window_version" != "kivo-transfer $version" ] \
   || ! grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml; then
  echo "The package is version $version, but: $cli_version; $window_version; metainfo:" >&2
  grep '<release ' "$root"/usr/share/metainfo/*.metainfo.xml >&2
  exit 1
fi

# The window program starts off screen from there: it finds its program
# folder, reads the package's Konfi.ini and writes its start into the log.
home="$root/home"
mkdir -p "$home"
XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen \
  "$root/usr/bin/kivo-transfer" > "$root/start.log" 2>&1 &
pid=$!
log=""
for _ in $(seq 100); do
  log="$(find "$home/config" -name '*Log*.txt' 2>/dev/null | head -n 1 || true)"
  [ -n "$log" ] && grep -q "MessDataPath" "$log" && break
  sleep 0.1
done
alive=no
kill -0 "$pid" 2>/dev/null && alive=yes
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
if [ "$alive" != yes ] || [ -z "$log" ] || ! grep -q "App.Path = $root/usr/lib/kivo-ridivori" "$log"; then
  echo "kivo-transfer did not start from the unpacked package" >&2
  cat "$root/start.log" >&2
  [ -n "$log" ] && iconv -f CP1252 -t UTF-8 "$log" >&2
  exit 1
fi
if grep -qi "Konfi.ini" "$log"; then
  echo "kivo-transfer could not read its Konfi.ini:" >&2
  iconv -f CP1252 -t UTF-8 "$log" >&2
  exit 1
fi
echo "The package $version is sound: lintian, desktop entry, metainfo, one version, kivo-cli models and kivo-transfer's start."
