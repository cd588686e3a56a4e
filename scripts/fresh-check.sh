#!/usr/bin/env bash
# Runs the README's commands on pristine Debian 12 (bookworm) minbase roots,
# the way a new user would, to catch a missing install step that an already
# furnished machine hides:
#
#   root "as-root":  root runs scripts/test.sh, then scripts/play.sh, then
#                    scripts/package.sh; then a commit comes in (git pull),
#                    and scripts/play.sh and scripts/package.sh run again;
#                    root installs with cmake --install and removes it again
#   root "package":  root installs the first package alone, with the README's
#                    command for root, and starts tarnwick; installs the
#                    second, which must replace it (a newer version, the new
#                    program); removes it with apt-get remove, which must
#                    leave no file of the game, and purges it
#   root "as-user":  a user without sudo runs scripts/deps.sh and must be told
#                    what to do; then, with sudo rights, the same user runs
#                    scripts/play.sh (which installs through sudo), then
#                    scripts/test.sh, then scripts/package.sh, and installs
#                    and removes the package with the README's sudo commands
#                    and then with its su -c ones (typing root's password);
#                    the same for an installation with cmake --install, and
#                    one into ~/.local
#
# The install and remove commands are read from the README's Installing and
# Removing sections and run in a terminal of their own as typed: su gets
# root's password, apt's question gets Y.
#
# play.sh passes when the game is up on a private Xvfb and still running after
# a few seconds; it fails when it exits early. The installed package's game is
# started the same way.
#
# The roots are made by debootstrap from this machine's apt sources; a tarball
# of the fresh root is cached (TARNWICK_FRESH_CACHE, default
# /var/cache/tarnwick-fresh) and remade when older than two weeks. Each root
# gets a clone of this checkout's HEAD (uncommitted changes are not tested) in
# a folder whose path holds a space, as a user's may.
# Logs and screenshots go to build/fresh-check/.
#
# Needs root (debootstrap, chroot, mount). All mounts are made in a private
# mount namespace and undone on exit, also on failure or Ctrl+C; a root is
# only deleted once nothing is mounted under it.
#
#   scripts/fresh-check.sh [--keep]    --keep leaves the roots in place
#
# The functions below are called through phase and trap, which shellcheck
# does not follow past the exec into the private namespace.
# shellcheck disable=SC2317
set -euo pipefail

keep=0
for arg in "$@"; do
  case "$arg" in
    --keep) keep=1 ;;
    *) echo "usage: $0 [--keep]" >&2; exit 2 ;;
  esac
done

if [[ $(id -u) -ne 0 ]]; then
  echo "$0: needs root (debootstrap, chroot and mount)" >&2
  exit 1
fi

src=$(cd "$(dirname "$0")/.." && pwd)
suite=bookworm
arch=$(dpkg --print-architecture)
cache_dir=${TARNWICK_FRESH_CACHE:-/var/cache/tarnwick-fresh}
tarball=$cache_dir/$suite-minbase-$arch.tar.zst
logs=$src/build/fresh-check
user=tester
# Longest one README command may take here before it counts as hung.
step_limit=1800

# What this script itself needs on the host.
host_needs=(debootstrap debian-archive-keyring git xvfb zstd binutils python3)
missing=()
for p in "${host_needs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing on the host: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

head=$(git -C "$src" rev-parse HEAD)

# Mounts made from here on vanish with this namespace even if the script is
# killed outright; the trap below still unmounts them in order.
if [[ -z "${TARNWICK_FRESH_NS:-}" ]]; then
  TARNWICK_FRESH_NS=1 exec unshare --mount --propagation private -- bash "$0" "$@"
fi

# ---------------------------------------------------------------- apt sources

# This machine's Debian entries for the suite, so the roots see the same
# mirror and security archive. One-line entries go to sources.list, deb822
# stanzas to debian.sources.
suite_re="^$suite(-[a-z]+)?\$"
host_list() {
  [[ -f /etc/apt/sources.list ]] || return 0
  awk -v re="$suite_re" '
    /^[[:space:]]*deb[[:space:]]/ {
      n = 2
      if ($2 ~ /^\[/) { while (n <= NF && $n !~ /\]$/) n++; n++ }
      if ($(n + 1) ~ re) print
    }' /etc/apt/sources.list
}
host_sources() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -f "$f" ]] || continue
    awk -v re="$suite_re" '
      function flush() {
        if (stanza != "" && keep && !disabled && isdeb) printf "%s\n", stanza
        stanza = ""; keep = 0; disabled = 0; isdeb = 0
      }
      /^[[:space:]]*$/ { flush(); next }
      {
        stanza = stanza $0 "\n"
        if (tolower($1) == "suites:") for (i = 2; i <= NF; i++) if ($i ~ re) keep = 1
        if (tolower($1) == "types:") for (i = 2; i <= NF; i++) if ($i == "deb") isdeb = 1
        if (tolower($1) == "enabled:" && tolower($2) == "no") disabled = 1
      }
      END { flush() }' "$f"
  done
}
list_entries=$(host_list)
deb822_entries=$(host_sources)
if [[ -z "$list_entries$deb822_entries" ]]; then
  list_entries="deb http://deb.debian.org/debian $suite main
deb http://deb.debian.org/debian $suite-updates main
deb http://deb.debian.org/debian-security $suite-security main"
fi
# The mirror debootstrap uses: the entry for the suite itself.
mirror=$(
  { printf '%s\n' "$list_entries" | awk -v s="$suite" '{ n = 2; if ($2 ~ /^\[/) { while (n <= NF && $n !~ /\]$/) n++; n++ } if ($(n + 1) == s) { print $n; exit } }'
    printf '%s\n' "$deb822_entries" | awk -v s="$suite" '
      /^[[:space:]]*$/ { if (hit && uri != "") { print uri; exit } hit = 0; uri = "" }
      tolower($1) == "uris:" { uri = $2 }
      tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == s) hit = 1 }
      END { if (hit && uri != "") print uri }'
  } | head -n1)
mirror=${mirror:-http://deb.debian.org/debian}
proxy=$(apt-config dump 2>/dev/null | sed -n 's/^Acquire::http::Proxy "\(.*\)";$/\1/p' | head -n1)
if [[ -n "$proxy" && "$proxy" != DIRECT ]]; then
  export http_proxy=$proxy
else
  proxy=
fi

# ---------------------------------------------------------------- clean-up

work=
roots=()
xvfb_pid=
phase_pid=
status_file=

# Processes in root $1: those chrooted into it, and those in the mount
# namespaces in_root made for it (their root is that namespace's own, so
# their root directory does not show the path). Only ever ones this script
# started.
procs_in() {
  local p ns=() mine
  [[ -f "$1.ns" ]] && mapfile -t ns <"$1.ns"
  for p in /proc/[0-9]*; do
    if [[ "$(readlink "$p/root" 2>/dev/null)" == "$1" ]]; then
      echo "${p#/proc/}"
      continue
    fi
    ((${#ns[@]})) || continue
    mine=$(readlink "$p/ns/mnt" 2>/dev/null) || continue
    printf '%s\n' "${ns[@]}" | grep -qxF -- "$mine" && echo "${p#/proc/}"
  done
  return 0
}

stop_procs_in() {
  local r=$1 pids try
  for try in TERM TERM KILL; do
    pids=$(procs_in "$r")
    [[ -n "$pids" ]] || return 0
    # shellcheck disable=SC2086
    kill -s "$try" $pids 2>/dev/null || true
    sleep 2
  done
}

mounts_under() {
  findmnt -rn -o TARGET | awk -v r="$1" 'index($0, r "/") == 1 || $0 == r' | sort -r
}

unmount_all() {
  local r=$1 m
  for m in $(mounts_under "$r"); do
    umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || echo "could not unmount $m" >&2
  done
  [[ -z "$(mounts_under "$r")" ]]
}

cleanup() {
  local rc=$? r
  trap - EXIT INT TERM
  set +e
  ((rc != 130 && rc != 143)) || echo "interrupted, cleaning up" >&2
  [[ -z "$phase_pid" ]] || kill "$phase_pid" 2>/dev/null
  for r in "${roots[@]}"; do
    stop_procs_in "$r"
    if ! unmount_all "$r"; then
      echo "still mounted under $r, left in place:" >&2
      mounts_under "$r" >&2
      keep=1
    fi
  done
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  if [[ -n "$work" && -d "$work" ]]; then
    if ((keep)); then
      echo "roots kept in $work"
    elif [[ -z "$(mounts_under "$work")" ]]; then
      rm -rf --one-file-system "$work"
    fi
  fi
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkdir -p "$logs"
rm -rf "$logs"/*.log "$logs"/*.png "$logs"/tarnwick_*.deb "$logs"/first "$logs"/second "$logs"/user
work=$(mktemp -d "${TARNWICK_FRESH_WORK:-/var/tmp}/tarnwick-fresh.XXXXXX")
status_file=$logs/summary.txt
: >"$status_file"

# ---------------------------------------------------------------- phases

passed=0
failed=0
t_start=$SECONDS

# phase NAME COMMAND...: runs and times one step, its output in NAME.log.
# The step runs in a subshell with errexit on, so any failing command in it
# fails the step.
phase() {
  local name=$1 t0=$SECONDS rc=0
  shift
  echo "== $name"
  # In the background so that a signal reaches the trap at once, not only
  # when the step is over.
  (set -e; "$@") >"$logs/$name.log" 2>&1 &
  phase_pid=$!
  wait "$phase_pid" || rc=$?
  phase_pid=
  local secs=$((SECONDS - t0))
  if ((rc == 0)); then
    passed=$((passed + 1))
    printf '%-28s pass  %4d s\n' "$name" "$secs" | tee -a "$status_file"
    grep -E '^[0-9]+% tests passed|^disk use:|^build sizes:|^package:|^the game was up|^installed:|^updated|^pulled:|^removed|^apt-get remove|^purged' \
      "$logs/$name.log" | sed 's/^/   /' || true
  else
    failed=$((failed + 1))
    printf '%-28s FAIL  %4d s  (exit %d)\n' "$name" "$secs" "$rc" | tee -a "$status_file"
    tail -n 60 "$logs/$name.log" | sed 's/^/   | /'
  fi
  return "$rc"
}

# A pristine root in $1: the cached tarball when it is there and recent,
# else debootstrap (and cache the result).
make_root() {
  local r=$1
  mkdir -p "$r"
  if [[ -f "$tarball" && -n "$(find "$tarball" -mtime -14)" ]]; then
    echo "unpacking $tarball"
    zstd -dc "$tarball" | tar --numeric-owner --xattrs -xpf - -C "$r"
  else
    echo "debootstrap --variant=minbase $suite from $mirror"
    debootstrap --variant=minbase --arch="$arch" "$suite" "$r" "$mirror"
    if mkdir -p "$cache_dir" 2>/dev/null; then
      if tar --numeric-owner --xattrs -C "$r" -cf - . | zstd -q -T4 -o "$tarball.part"; then
        mv -f "$tarball.part" "$tarball"
      else
        rm -f "$tarball.part"
      fi
    fi
  fi
  # The machine's own sources, so updates match; nothing else of the host.
  rm -f "$r/etc/apt/sources.list" "$r"/etc/apt/sources.list.d/*
  [[ -z "$list_entries" ]] || printf '%s\n' "$list_entries" >"$r/etc/apt/sources.list"
  [[ -z "$deb822_entries" ]] || printf '%s\n' "$deb822_entries" >"$r/etc/apt/sources.list.d/debian.sources"
  local key
  for key in $(printf '%s\n%s\n' "$list_entries" "$deb822_entries" | grep -oE '/[^] ]+\.(gpg|asc)' | sort -u); do
    [[ -e "$r$key" || ! -f "$key" ]] || install -D -m 644 "$key" "$r$key"
  done
  [[ -z "$proxy" ]] || printf 'Acquire::http::Proxy "%s";\n' "$proxy" >"$r/etc/apt/apt.conf.d/01proxy"
  cp -L /etc/resolv.conf "$r/etc/resolv.conf" 2>/dev/null || true
  printf '127.0.0.1\tlocalhost\n127.0.1.1\t%s\n' "$(cat "$r/etc/hostname" 2>/dev/null || hostname)" >"$r/etc/hosts"
  # Packages must not try to start services in a root without an init.
  printf '#!/bin/sh\nexit 101\n' >"$r/usr/sbin/policy-rc.d"
  chmod 755 "$r/usr/sbin/policy-rc.d"
  echo "disk use: system $(du -sxm "$r" | cut -f1) MB, fresh"
}

# The kernel file systems a build needs. /dev is a small tmpfs of its own, so
# nothing of the host's /dev is reachable from inside the root.
mount_root() {
  local r=$1
  mount -t proc proc "$r/proc"
  mount -t sysfs -o ro sysfs "$r/sys" 2>/dev/null || mount --bind -o ro /sys "$r/sys"
  mount -t tmpfs -o mode=755,size=16m tmpfs "$r/dev"
  local n
  for n in "null 1 3" "zero 1 5" "full 1 7" "random 1 8" "urandom 1 9" "tty 5 0"; do
    # shellcheck disable=SC2086
    set -- $n
    mknod -m 666 "$r/dev/$1" c "$2" "$3"
  done
  ln -s /proc/self/fd "$r/dev/fd"
  ln -s /proc/self/fd/0 "$r/dev/stdin"
  ln -s /proc/self/fd/1 "$r/dev/stdout"
  ln -s /proc/self/fd/2 "$r/dev/stderr"
  mkdir "$r/dev/pts" "$r/dev/shm"
  if mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$r/dev/pts" 2>/dev/null; then
    ln -s pts/ptmx "$r/dev/ptmx"
  fi
  mount -t tmpfs -o mode=1777,size=2g tmpfs "$r/dev/shm"
}

# A clone of this checkout's HEAD in $2 inside root $1, owned by $3.
clone_into() {
  local r=$1 dir=$2 owner=$3
  git clone -q --no-hardlinks "$src" "$r$dir"
  git -C "$r$dir" checkout -q --detach "$head"
  chroot "$r" chown -R "$owner:" "$dir"
  chroot "$r" chown "$owner:" "$(dirname "$dir")"
}

# in_root ROOT USER COMMAND: runs COMMAND by a login shell of USER inside
# ROOT, with the environment a fresh login has, not this script's.
# Bounded in time: a step that hangs fails instead of stalling the run.
# ROOT is entered as the root of a mount namespace of its own (pivot_root),
# not by chroot: inside a chroot the kernel refuses a user namespace, and
# the tests make their small filesystems in one when run by a normal user.
# The namespace is noted in ROOT.ns, so that procs_in finds what runs in it.
in_root() {
  local limit=(timeout --kill-after=30 "$step_limit")
  # A command typed at a terminal (run_typed) must stay in the terminal's
  # foreground process group to read from it, where timeout would take it
  # out; the terminal keeps a time limit of its own.
  [[ -z "${typed_terminal:-}" ]] || limit=()
  # shellcheck disable=SC2016 # expanded by the inner shell
  "${limit[@]}" unshare --mount --propagation private -- bash -c '
    set -e
    r=$1
    shift
    readlink /proc/self/ns/mnt >>"$r.ns"
    mount --rbind "$r" "$r"
    cd "$r"
    old=$(mktemp -d tmp/.host.XXXXXX)
    pivot_root . "$old"
    cd /
    umount -l "/$old"
    rmdir "/$old"
    exec "$@"' enter-root "$1" /usr/bin/env -i TERM=dumb /bin/su - "$2" -c "$3"
}

# run_in ROOT USER DIR COMMAND: one README command, nothing of it left
# running afterwards, then what it cost in disk space.
run_in() {
  local r=$1 rc=0
  in_root "$r" "$2" "cd $(printf %q "$3") && $4" || rc=$?
  stop_procs_in "$r"
  ((rc != 124)) || echo "stopped after $step_limit s"
  disk_use "$r" "$3"
  return "$rc"
}

# What a root holds: the system, the checkout with its builds, and what apt
# has downloaded into it so far.
disk_use() {
  local all checkout fetched
  all=$(du -sxm "$1" | cut -f1)
  checkout=$(du -sxm "$1$2" | cut -f1)
  fetched=$({ find "$1/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -printf '%s\n' 2>/dev/null || true; } |
    awk '{ s += $1 } END { printf "%d", s / 1048576 }')
  echo "disk use: system $((all - checkout)) MB, checkout with builds $checkout MB, apt downloads $fetched MB"
  local b sizes=
  for b in release test asan; do
    [[ ! -d "$1$2/build/$b" ]] || sizes+=" build/$b $(du -sxm "$1$2/build/$b" | cut -f1) MB"
  done
  [[ -z "$sizes" ]] || echo "build sizes:$sizes"
}

start_xvfb() {
  [[ -z "$xvfb_pid" ]] || return 0
  local fd_file=$work/display
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$fd_file" >"$logs/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local i
  for ((i = 0; i < 100; i++)); do
    [[ -s "$fd_file" ]] && break
    sleep 0.1
  done
  display=$(tr -dc 0-9 <"$fd_file")
  [[ -n "$display" ]] || { echo "Xvfb did not start" >&2; return 1; }
}

# play ROOT USER DIR NAME [COMMAND]: scripts/play.sh, or COMMAND, in DIR on
# the private Xvfb (started beforehand). Passes when the game shows its table
# and is still running 10 s later.
play() {
  local r=$1 who=$2 dir=$3 name=$4 command=${5:-scripts/play.sh}
  # The display's socket, seen inside the root at the usual place.
  local sock=/tmp/.X11-unix/X$display
  mkdir -p "$r/tmp/.X11-unix"
  chmod 1777 "$r/tmp/.X11-unix"
  touch "$r$sock"
  mount --bind "$sock" "$r$sock"
  local state=/tmp/play-state
  rm -f "$r$state"
  in_root "$r" "$who" "cd $(printf %q "$dir") && DISPLAY=:$display TARNWICK_STATE_FILE=$state $command" &
  local pid=$! t0=$SECONDS deadline=$((SECONDS + step_limit)) up=0 rc=0
  while ((SECONDS < deadline)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && rc=0 || rc=$?
      echo "$command ended before the game was up (exit $rc)"
      umount "$r$sock"
      return 1
    fi
    if [[ -s "$r$state" ]]; then
      up=1
      break
    fi
    sleep 2
  done
  if ((up)); then
    echo "the game was up after $((SECONDS - t0)) s"
    sleep 10
    if kill -0 "$pid" 2>/dev/null; then
      echo "the game is up and still running:"
      cat "$r$state"
      if command -v import >/dev/null; then
        import -display ":$display" -window root "$logs/$name.png" || true
      fi
    else
      wait "$pid" && rc=0 || rc=$?
      echo "the game quit by itself (exit $rc)"
      up=0
    fi
  else
    echo "the game did not show its table within the deadline"
  fi
  stop_procs_in "$r"
  wait "$pid" 2>/dev/null || true
  umount "$r$sock"
  disk_use "$r" "$dir"
  ((up))
}

# A user without sudo rights runs deps.sh where packages are missing: it must
# fail and say what to do, not leave a bare "command not found".
no_sudo() {
  local r=$1 out rc=0
  out=$(in_root "$r" "$user" "cd $(printf %q "$user_dir") && scripts/deps.sh" 2>&1) || rc=$?
  printf '%s\n' "$out"
  if ((rc == 0)); then
    echo "deps.sh succeeded without sudo"
    return 1
  fi
  if grep -q "command not found" <<<"$out" || ! grep -q "Run this as root" <<<"$out" || ! grep -q "install sudo" <<<"$out"; then
    echo "deps.sh did not say to run it as root or to install sudo"
    return 1
  fi
}

# One command of the README's, the first indented line of README.md that
# starts with $1, without a comment at its end.
readme_command() {
  local line
  line=$(grep -m1 -E "^    $1" "$src/README.md" | sed -E 's/^ +//; s/ +# .*$//') || true
  [[ -n "$line" ]] || { echo "README.md has no command starting with: $1" >&2; return 1; }
  printf '%s\n' "$line"
}

# run_typed ROOT USER DIR COMMAND: COMMAND typed by USER at a terminal in DIR:
# in a terminal of its own, root's password given when su asks for it, and
# apt's "Do you want to continue? [Y/n]" answered Y.
run_typed() {
  local r=$1 rc=0
  echo "\$ $4"
  typed_terminal=1 python3 "$work/typed.py" "$root_password" "$step_limit" \
    bash -c 'in_root "$@"' in_root "$r" "$2" "cd $(printf %q "$3") && $4" || rc=$?
  stop_procs_in "$r"
  return "$rc"
}

# The terminal run_typed types into. Exits with the command's status.
write_typed() {
  cat >"$work/typed.py" <<'PY'
import os, pty, select, sys, time

password, limit, argv = sys.argv[1].encode(), int(sys.argv[2]), sys.argv[3:]
pid, fd = pty.fork()
if pid == 0:
    os.execvp(argv[0], argv)
seen = b""
end = time.monotonic() + limit
while time.monotonic() < end:
    ready, _, _ = select.select([fd], [], [], 1)
    if not ready:
        continue
    try:
        data = os.read(fd, 4096)
    except OSError:  # the terminal is gone with the command
        break
    if not data:
        break
    sys.stdout.buffer.write(data.replace(b"\r\n", b"\n"))
    sys.stdout.flush()
    seen = (seen + data)[-300:]
    tail = seen.rstrip()
    if tail.endswith(b"Password:"):
        os.write(fd, password + b"\n")
        seen = b""
    elif tail.endswith(b"[Y/n]"):
        os.write(fd, b"Y\n")
        seen = b""
else:
    os.kill(pid, 9)
_, status = os.waitpid(pid, 0)
sys.exit(os.waitstatus_to_exitcode(status))
PY
}

# The GNU build id of the ELF program $1: what tells one build from another.
build_id() {
  readelf -n "$1" 2>/dev/null | awk '/Build ID:/ { print $3; exit }'
}

# The installed version of the package in root $1, empty when none is.
installed_version() {
  chroot "$1" dpkg-query -W -f='${db:Status-Status} ${Version}\n' tarnwick 2>/dev/null |
    awk '$1 == "installed" { print $2 }'
}

# make_package ROOT USER DIR NAME: scripts/package.sh in the checkout DIR,
# its package copied to $logs/NAME/, and its version and its program's build
# id noted there beside it.
make_package() {
  local r=$1 who=$2 dir=$3 name=$4 deb version id
  deb=$(in_root "$r" "$who" "cd $(printf %q "$dir") && scripts/package.sh") || return 1
  echo "scripts/package.sh printed: $deb"
  [[ "$deb" == "$dir/build/package/tarnwick_"*.deb && -f "$r$deb" ]] ||
    { echo "that is not a package in $dir/build/package"; return 1; }
  version=$(dpkg-deb --field "$r$deb" Version)
  id=$(build_id "$r$dir/build/release/src/tarnwick")
  [[ -n "$id" ]] || { echo "the program built has no build id"; return 1; }
  [[ "$(basename "$deb")" == "tarnwick_${version}_$(dpkg-deb --field "$r$deb" Architecture).deb" ]] ||
    { echo "the file name does not give the version $version"; return 1; }
  mkdir -p "$logs/$name"
  cp "$r$deb" "$logs/$name/"
  echo "$version" >"$logs/$name/version"
  echo "$id" >"$logs/$name/build-id"
  echo "package: $(basename "$deb"), $(stat -c %s "$r$deb") bytes, program build id $id"
  dpkg-deb --field "$r$deb" Depends
  disk_use "$r" "$dir"
}

# A commit comes in: it is made in a clone of the checkout DIR in ROOT (as
# upstream), and DIR pulls it. It changes the program, so the program built
# from it differs from the one before.
pull_commit() {
  local r=$1 dir=$2
  in_root "$r" root "set -e
    rm -rf /root/upstream
    git clone -q $(printf %q "$dir") /root/upstream
    cd /root/upstream
    echo '[[gnu::used]] static const char kUpdateCheck[] = \"fresh-check update\";' >>src/table/main.cpp
    git -c user.name=fresh-check -c user.email=fresh-check@localhost commit -q -am 'fresh-check: a new commit'
    cd $(printf %q "$dir")
    git pull -q --ff-only /root/upstream HEAD
    git log -1 --format='pulled: %h %s'"
}

# The package NAME from $logs in root $1, installed with the README's command
# for root from a folder laid out as a checkout's, then checked: that version
# installed, and the program in /usr/bin the one built for it.
install_package() {
  local r=$1 name=$2 deb version id before f command
  deb=$(find "$logs/$name" -maxdepth 1 -name 'tarnwick_*.deb' | head -n1)
  [[ -n "$deb" ]] || { echo "no package $name"; return 1; }
  version=$(cat "$logs/$name/version")
  id=$(cat "$logs/$name/build-id")
  before=$(installed_version "$r")
  echo "installed before: ${before:-nothing}; installing $(basename "$deb")"
  rm -rf "$r/root/$name"
  mkdir -p "$r/root/$name/build/package"
  cp "$deb" "$r/root/$name/build/package/"
  chroot "$r" apt-get update -qq
  command=$(readme_command 'apt-get install ./') || return 1
  run_typed "$r" root "/root/$name" "$command" || return 1
  [[ "$(installed_version "$r")" == "$version" ]] ||
    { echo "installed: '$(installed_version "$r")', not $version"; return 1; }
  [[ "$(build_id "$r/usr/bin/tarnwick")" == "$id" ]] ||
    { echo "/usr/bin/tarnwick has build id $(build_id "$r/usr/bin/tarnwick"), not the new build's $id"; return 1; }
  echo "installed: tarnwick $version, /usr/bin/tarnwick build id $id"
  if [[ -n "$before" ]]; then
    dpkg --compare-versions "$version" gt "$before" || { echo "$version is not newer than $before"; return 1; }
    echo "updated from $before to $version"
  fi
  for f in /usr/bin/tarnwick /usr/share/applications/tarnwick.desktop /usr/share/doc/tarnwick/copyright \
           /usr/share/metainfo/org.tarnwick.tarnwick.metainfo.xml /usr/share/icons/hicolor/48x48/apps/tarnwick.png; do
    [[ -f "$r$f" ]] || { echo "not installed: $f"; return 1; }
  done
  disk_use "$r" /root
}

# The README's command for root removes the package and leaves no file of
# the game behind: neither one it installed nor any other named after it.
# Only the settings and scores its runs made stay, as the README says. Then
# it is purged, and dpkg knows nothing of it.
remove_package() {
  local r=$1 files left f status command
  files=$(chroot "$r" dpkg-query -L tarnwick)
  command=$(readme_command 'apt-get remove ') || return 1
  run_typed "$r" root /root "$command" || return 1
  [[ -z "$(installed_version "$r")" ]] || { echo "still installed after apt-get remove"; return 1; }
  left=
  while IFS= read -r f; do
    [[ -n "$f" && ( -f "$r$f" || -L "$r$f" ) ]] && left+="$f"$'\n'
  done <<<"$files"
  [[ -z "$left" ]] || { echo "files of the package left after apt-get remove:"; echo "$left"; return 1; }
  left=$(find "$r" -xdev \( -path "$r/proc" -o -path "$r/sys" -o -path "$r/dev" -o -path "$r/tmp" \
    -o -path "$r/root/first" -o -path "$r/root/second" -o -path "$r/root/.config/Tarnwick" \
    -o -path "$r/root/.local/share/Tarnwick" -o -path "$r/var/cache/apt" \) -prune -o \
    -iname '*tarnwick*' -print)
  [[ -z "$left" ]] || { echo "left after apt-get remove:"; echo "$left"; return 1; }
  echo "apt-get remove tarnwick left no file of the game"
  # A package without configuration files is forgotten by dpkg once
  # removed; one that kept some (status rc) is purged here.
  status=$(chroot "$r" dpkg-query -W -f='${db:Status-Abbrev}' tarnwick 2>/dev/null || true)
  if [[ -n "$status" && "$status" != "un "* && "$status" != "pn "* ]]; then
    echo "dpkg status after the remove: '$status'; purging"
    chroot "$r" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q tarnwick || return 1
    status=$(chroot "$r" dpkg-query -W -f='${db:Status-Abbrev}' tarnwick 2>/dev/null || true)
    [[ -z "$status" || "$status" == "un "* || "$status" == "pn "* ]] ||
      { echo "dpkg still lists tarnwick after a purge: '$status'"; return 1; }
  fi
  [[ -z "$(find "$r/var/lib/dpkg/info" -name 'tarnwick.*' -print -quit)" ]] ||
    { echo "dpkg keeps files of tarnwick in /var/lib/dpkg/info"; return 1; }
  echo "purged: dpkg knows no package tarnwick (status '${status:-none}')"
}

# The README's sudo or su -c commands, typed by the user in the checkout DIR:
# install the package scripts/package.sh made there, check it, remove it.
user_install() {
  local r=$1 dir=$2 how=$3 deb version command
  deb=$(find "$r$dir/build/package" -maxdepth 1 -name 'tarnwick_*.deb' | head -n1)
  [[ -n "$deb" ]] || { echo "no package in $dir/build/package"; return 1; }
  version=$(dpkg-deb --field "$deb" Version)
  command=$(readme_command "${how}apt-get install ./") || return 1
  run_typed "$r" "$user" "$dir" "$command" || return 1
  [[ "$(installed_version "$r")" == "$version" ]] ||
    { echo "installed: '$(installed_version "$r")', not $version"; return 1; }
  echo "installed: tarnwick $version"
  command=$(readme_command "${how}apt-get remove ") || return 1
  run_typed "$r" "$user" "$dir" "$command" || return 1
  [[ -z "$(installed_version "$r")" && ! -e "$r/usr/bin/tarnwick" ]] ||
    { echo "still installed after the README's remove command"; return 1; }
  echo "removed again"
}

# cmake_install ROOT WHO DIR INSTALL REMOVE PREFIX: the README's commands for
# an installation without a package (the first starting with INSTALL, then the
# first starting with REMOVE), typed by WHO in the checkout DIR: the program
# and its licence land under PREFIX, and the manifest's command takes every
# file away again.
cmake_install() {
  local r=$1 who=$2 dir=$3 prefix=$6 command f left=
  command=$(readme_command "$4") || return 1
  run_typed "$r" "$who" "$dir" "$command" || return 1
  for f in bin/tarnwick share/doc/tarnwick/copyright share/applications/tarnwick.desktop; do
    [[ -f "$r$prefix/$f" ]] || { echo "not installed: $prefix/$f"; return 1; }
  done
  echo "installed: $(grep -c "" "$r$dir/build/release/install_manifest.txt") files under $prefix"
  command=$(readme_command "$5") || return 1
  run_typed "$r" "$who" "$dir" "$command" || return 1
  while IFS= read -r f; do
    [[ ! -e "$r$f" ]] || left+="$f"$'\n'
  done <"$r$dir/build/release/install_manifest.txt"
  [[ -z "$left" ]] || { echo "left after the README's remove command:"; echo "$left"; return 1; }
  echo "removed again: no file of the manifest is left"
}

grant_sudo() {
  local r=$1
  chroot "$r" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
    sh -c "apt-get update -qq && apt-get install -y -qq --no-install-recommends sudo && adduser -q $user sudo"
  printf '%s ALL=(ALL:ALL) NOPASSWD: ALL\n' "$user" >"$r/etc/sudoers.d/$user"
  chmod 440 "$r/etc/sudoers.d/$user"
  in_root "$r" "$user" "sudo -n true"
}

# A user whose home is closed to others, as adduser makes it on a newer
# Debian: apt then reads a package in it as root, not as its own user.
new_user() {
  chroot "$1" /usr/sbin/useradd -m -s /bin/bash "$user"
  chmod 700 "$1/home/$user"
}

echo "Fresh $suite minbase check of $(git -C "$src" log -1 --format='%h %s')"
[[ -z "$(git -C "$src" status --porcelain --untracked-files=no)" ]] ||
  echo "note: uncommitted changes in $src are not part of the check"

write_typed
export -f in_root
export step_limit
# Root's password in the user's root, for the README's su -c commands.
root_password=fresh-check-$RANDOM$RANDOM

rc=0
as_root=$work/as-root
roots+=("$as_root")
phase root-make make_root "$as_root" || exit 1
mount_root "$as_root"
root_dir="/root/my games/tarnwick"
clone_into "$as_root" "$root_dir" root
phase root-test.sh run_in "$as_root" root "$root_dir" scripts/test.sh || rc=1
start_xvfb
phase root-play.sh play "$as_root" root "$root_dir" root-play || rc=1
phase root-package.sh make_package "$as_root" root "$root_dir" first || rc=1
# An update as the README gives it: git pull, scripts/play.sh, the package.
phase root-git-pull pull_commit "$as_root" "$root_dir" || rc=1
phase root-play.sh-updated play "$as_root" root "$root_dir" root-play-updated || rc=1
phase root-package.sh-updated make_package "$as_root" root "$root_dir" second || rc=1
phase root-cmake-install cmake_install "$as_root" root "$root_dir" 'cmake --install build/release' \
  "xargs -d '\\\\n' rm" /usr/local || rc=1
stop_procs_in "$as_root"
if unmount_all "$as_root" && ((!keep)); then
  rm -rf --one-file-system "$as_root"
fi

if [[ -f "$logs/first/version" ]]; then
  package=$work/package
  roots+=("$package")
  phase pkg-make make_root "$package" || exit 1
  mount_root "$package"
  phase pkg-install install_package "$package" first || rc=1
  phase pkg-start play "$package" root /root pkg-start tarnwick || rc=1
  if [[ -f "$logs/second/version" ]]; then
    phase pkg-update install_package "$package" second || rc=1
    phase pkg-start-updated play "$package" root /root pkg-start-updated tarnwick || rc=1
  else
    echo "no second package: the update is not checked"
    rc=1
  fi
  phase pkg-remove remove_package "$package" || rc=1
  stop_procs_in "$package"
  if unmount_all "$package" && ((!keep)); then
    rm -rf --one-file-system "$package"
  fi
else
  rc=1
fi

as_user=$work/as-user
roots+=("$as_user")
phase user-make make_root "$as_user" || exit 1
mount_root "$as_user"
new_user "$as_user"
user_dir="/home/$user/my games/tarnwick"
clone_into "$as_user" "$user_dir" $user
phase user-deps.sh-no-sudo no_sudo "$as_user" || rc=1
phase user-sudo-setup grant_sudo "$as_user" || exit 1
phase user-play.sh play "$as_user" $user "$user_dir" user-play || rc=1
phase user-test.sh run_in "$as_user" $user "$user_dir" scripts/test.sh || rc=1
phase user-package.sh make_package "$as_user" $user "$user_dir" user || rc=1
phase user-install-sudo user_install "$as_user" "$user_dir" "sudo " || rc=1
chroot "$as_user" sh -c 'printf "root:%s\n" "$1" | chpasswd' - "$root_password"
phase user-install-su user_install "$as_user" "$user_dir" "su -c '" || rc=1
phase user-cmake-install-home cmake_install "$as_user" $user "$user_dir" 'cmake --install build/release --prefix' \
  "xargs -d '\\\\n' rm" "/home/$user/.local" || rc=1
phase user-cmake-install-sudo cmake_install "$as_user" $user "$user_dir" 'sudo cmake --install' \
  "xargs -d '\\\\n' sudo rm" /usr/local || rc=1
phase user-cmake-install-su cmake_install "$as_user" $user "$user_dir" "su -c 'cmake --install" \
  'su -c "xargs' /usr/local || rc=1

printf '%-28s       %4d s\n' "total" "$((SECONDS - t_start))" | tee -a "$status_file"
echo "logs in $logs"
echo "fresh-check: $passed passed, $failed failed"
exit "$rc"
