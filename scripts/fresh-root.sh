#!/usr/bin/env bash
# The README's two commands as a newcomer meets them: a fresh Debian 12 root
# made by `debootstrap --variant=minbase bookworm`, as root, no display, a
# clean clone of this checkout's HEAD. There ./run.sh must bring the
# program's window up (off screen), ./test.sh must pass, and the Debian
# package built by it must pass its checks.
#   scripts/fresh-root.sh
# debootstrap's output is kept as it made it, before anything of the
# project touches it, in /var/cache/kivo-ci (KIVO_ROOT_CACHE), and made anew
# when it is a month old. KIVO_DEBIAN_MIRROR names another mirror.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$PWD"
cache_dir="${KIVO_ROOT_CACHE:-/var/cache/kivo-ci}"
cache="$cache_dir/bookworm-minbase.tar"
mirror="${KIVO_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Making and entering a Debian root needs root." >&2
  exit 1
fi
command -v debootstrap >/dev/null || { echo "debootstrap is missing: scripts/install-deps.sh --ci" >&2; exit 1; }

work="$(mktemp -d /var/tmp/kivo-fresh-root.XXXXXX)"
root="$work/root"
mounted=()
cleanup() {
  set +e
  # A second Ctrl+C must not leave the host's /dev bound under /var/tmp.
  trap '' INT TERM HUP
  # Whatever still runs inside the root (a server, the program) goes first,
  # then the mounts, innermost first; rm never crosses into a mount left.
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  sleep 0.5
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || echo "Could not unmount ${mounted[i]}" >&2
  done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
# A signal ends the script through its exit, so the cleanup runs then too.
interrupted() { echo "Interrupted: ending what runs in the fresh root and removing it." >&2; exit "$1"; }
trap 'interrupted 130' INT
trap 'interrupted 143' TERM
trap 'interrupted 129' HUP
# Long commands run as children the script waits for, so a signal is acted
# on at once rather than when the command ends.
waiting() { "$@" & wait $!; }

clock=$SECONDS
say_time() { echo "== $1: $((SECONDS - clock)) s"; clock=$SECONDS; }

mkdir -p "$cache_dir"
find "$cache" -mtime +30 -delete 2>/dev/null || true
if [ -s "$cache" ]; then
  mkdir "$root"
  waiting tar -C "$root" -xf "$cache"
  say_time "Debian 12 root unpacked from debootstrap's kept output"
else
  waiting debootstrap --variant=minbase bookworm "$root" "$mirror" > "$work/debootstrap.log" 2>&1 \
    || { tail -n 30 "$work/debootstrap.log" >&2; echo "FAILED: debootstrap" >&2; exit 1; }
  waiting tar -C "$root" -cf "$cache.part" . && mv "$cache.part" "$cache"
  say_time "Debian 12 root made by debootstrap"
fi
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

for fs in proc sys dev dev/pts dev/shm; do
  case "$fs" in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sysfs "$root/sys" ;;
    *) mkdir -p "$root/$fs"; mount --bind "/$fs" "$root/$fs" ;;
  esac
  mounted+=("$root/$fs")
  # Nothing mounted inside the root reaches the host's own mounts.
  mount --make-private "$root/$fs"
done

waiting git clone -q --no-hardlinks "$repo" "$root/root/kivo"
echo "Clean clone of $(git -C "$root/root/kivo" log -1 --format='%h %s')"
say_time "Mounts and a clean clone"

# As a root shell on a fresh machine has it: no display, no locale.
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# A step is timed, and named with its exit when it fails.
step() { # NAME COMMAND...
  local name="$1" rc=0
  shift
  waiting "$@" || rc=$?
  if [ $rc -ne 0 ]; then
    echo "FAILED: $name (exit $rc)" >&2
    exit $rc
  fi
  say_time "$name"
}

step "./run.sh until the window is up (installing what it needs and building)" \
  in_root bash /root/kivo/scripts/run-until-window.sh /root/kivo 2400
step "./test.sh" in_root bash -c 'cd /root/kivo && ./test.sh'
step "The Debian package's checks" in_root bash -c 'cd /root/kivo && ./scripts/check-package.sh build'
echo "On a fresh Debian 12 root: ./run.sh brought the window up, ./test.sh passed, the package is sound."
