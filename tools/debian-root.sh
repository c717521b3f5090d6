# A fresh Debian 12 (bookworm) root to try things in as a new machine would
# have them: only the minimal base system, root as the user, no display. Sourced;
# it changes nothing until a function is called. Needs root on the host.
#
#   debian_root_make DIR
#       makes DIR a minbase bookworm root with debootstrap (installed on the
#       host first if missing), with proc, sys, dev, dev/pts and dev/shm mounted
#       and the host's resolv.conf, ready for apt-get inside. The packages
#       debootstrap fetches are kept in build/debootstrap-cache, so that the
#       next root is made without fetching them again.
#   debian_root_run DIR COMMAND [ARGUMENTS...]
#       runs COMMAND inside DIR as root, from /, with a clean environment (HOME
#       /root, a normal PATH, no DISPLAY or WAYLAND_DISPLAY), in a process
#       namespace of its own: whatever COMMAND leaves running (a display
#       server, a sound server) ends with it. The exit status is COMMAND's.
#   debian_root_remove DIR
#       stops what still runs inside DIR, unmounts everything under it (lazily
#       where a mount is busy) and removes it. Safe to call on a root that was
#       only partly made, or not at all: callers call it from an EXIT trap.
#
# DEBIAN_ROOT_MIRROR names another Debian mirror than deb.debian.org.

debian_root_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

debian_root_make() {
  local dir=$1 cache
  "$debian_root_tools/install-deps.sh" root || return 1
  cache="$(dirname "$debian_root_tools")/build/debootstrap-cache"
  mkdir -p "$cache" "$dir" || return 1
  # debootstrap takes only an absolute cache directory.
  cache=$(realpath "$cache")
  if ! debootstrap --variant=minbase --cache-dir="$cache" bookworm "$dir" \
      "${DEBIAN_ROOT_MIRROR:-http://deb.debian.org/debian}" >"$dir.debootstrap.log" 2>&1; then
    tail -n 20 "$dir.debootstrap.log" >&2
    echo "debian-root: debootstrap failed; its log is $dir.debootstrap.log" >&2
    return 1
  fi
  rm -f "$dir.debootstrap.log"
  mount -t proc proc "$dir/proc" &&
    mount -t sysfs sysfs "$dir/sys" &&
    mount --bind /dev "$dir/dev" &&
    mount --bind /dev/pts "$dir/dev/pts" &&
    mount -t tmpfs -o mode=1777 shm "$dir/dev/shm" &&
    cp -L /etc/resolv.conf "$dir/etc/resolv.conf"
}

debian_root_run() {
  local dir=$1
  shift
  # --mount-proc gives the new namespace a proc of its own over the root's, so
  # that process ids read from /proc inside are the ones the command sees.
  unshare --pid --fork --kill-child --mount --mount-proc="$dir/proc" \
    chroot "$dir" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# debian_root_mounts DIR: the mount points at or under DIR, deepest first.
debian_root_mounts() {
  local dir
  dir=$(realpath -m "$1")
  # mountinfo's fifth field is the mount point, with spaces written as \040.
  awk -v dir="$dir" '$5 == dir || index($5, dir "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}

debian_root_remove() {
  local dir=$1 proc root mount left
  [ -n "$dir" ] && [ -e "$dir" ] || return 0
  root=$(realpath "$dir")
  [ "$root" != / ] || { echo "debian-root: will not remove /" >&2; return 1; }
  # Only processes started outside debian_root_run can still be inside.
  for proc in /proc/[0-9]*; do
    if [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ]; then
      kill -KILL "${proc#/proc/}" 2>/dev/null || true
    fi
  done
  while read -r mount; do
    [ -n "$mount" ] || continue
    umount "$mount" 2>/dev/null || umount -l "$mount"
  done < <(debian_root_mounts "$root")
  left=$(debian_root_mounts "$root")
  if [ -n "$left" ]; then
    # Removing files through a mount still in place would remove the host's.
    echo "debian-root: still mounted, so $root is left in place: $left" >&2
    return 1
  fi
  rm -rf --one-file-system "$root" "$root.debootstrap.log"
}
