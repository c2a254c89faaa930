#!/usr/bin/env bash
# The build installed to a temporary prefix, and packaged as a .deb unpacked into a scratch
# root: the installed programs run there (offscreen), find their image library, templates and
# help under ../share/corvane/, and store a message. The package's control file names its
# dependencies; the desktop entry and the AppStream metadata validate.
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$2
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/log" ] && cat "$work/log" >&2; exit 1; }

free_udp_port() {
  for candidate in $(shuf -i 20000-60000 -n 40); do
    if ! ss -Hlun "sport = :$candidate" 2>/dev/null | grep -q .; then echo "$candidate"; return; fi
  done
  fail "no free UDP port"
}

# Runs $1 (a window or headless program) from where it was installed, sends it one message and
# checks that it stored it with the installed templates, and (window) mapped its image library.
run_installed() {
  local exe=$1 share=$2 kind=$3 port data
  port=$(free_udp_port)
  data="$work/data-$kind/Corvane"
  rm -rf "$work/data-$kind"
  mkdir -p "$data" "$work/run"
  chmod 700 "$work/run"
  printf '[Options]\r\nUDPPort=%s\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\nUpdateCheck=0\r\nNotifySound=0\r\n' "$port" > "$data/corvane.ini"
  local -a args=() trace=() quiet=()
  [ "$kind" = headless ] && args=(--data-folder "$data")
  # strace, where there is one, shows which image library the window opened.
  if [ "$kind" = window ] && command -v strace >/dev/null; then
    trace=(strace -f -qq -e trace=openat -o "$work/opened")
    # The leak checker of a sanitizer build cannot run under a tracer.
    quiet=(ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0")
  fi
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_DATA_HOME="$work/data-$kind" XDG_RUNTIME_DIR="$work/run" \
    "${quiet[@]}" QT_QPA_PLATFORM=offscreen "${trace[@]}" "$exe" "${args[@]}" >"$work/log" 2>&1 &
  pid=$!
  for _ in $(seq 1 200); do
    ss -Hlun "sport = :$port" 2>/dev/null | grep -q . && break
    kill -0 "$pid" 2>/dev/null || fail "$exe ended early"
    sleep 0.05
  done
  ss -Hlun "sport = :$port" | grep -q . || fail "$exe does not listen on $port"
  if [ ${#trace[@]} -gt 0 ]; then
    grep -q "\"$share/corvane-images.rcc\", O_RDONLY" "$work/opened" || fail "$exe did not open $share/corvane-images.rcc"
  fi
  logger -n 127.0.0.1 -P "$port" -d --rfc3164 -t installed "from the installed $kind program"
  for _ in $(seq 1 100); do
    # While the program runs, new messages are in the data file's journal.
    cat "$data/MessageSet.vtx" "$data/MessageSet.vtx.journal" 2>/dev/null | grep -q "from the installed $kind program" && break
    sleep 0.05
  done
  # Under strace the program is strace's child; the signal goes to the program itself.
  local target=$pid
  if [ ${#trace[@]} -gt 0 ]; then target=$(pgrep -P "$pid" | head -1); fi
  kill -TERM "$target"
  wait "$pid" || fail "$exe ended with status $?"
  pid=""
  grep -q "from the installed $kind program" "$data/MessageSet.vtx" || fail "$exe did not store the message"
  # The templates came from the installed folder: the host table has its "Any" row.
  grep -q 'Name="Any"' "$data/HostSet.vtx" || fail "$exe did not copy the installed templates"
  if grep -q "not found\|could not be loaded" "$work/log"; then fail "$exe reported a missing file"; fi
}

# 1. A temporary prefix.
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/corvane bin/corvane-headless share/corvane/corvane-images.rcc share/corvane/Warning.wav \
         share/corvane/MessageSet.vtx share/corvane/help share/applications/corvane.desktop \
         share/metainfo/org.corvane.Corvane.metainfo.xml share/man/man1/corvane.1 \
         share/man/man1/corvane-headless.1 lib/systemd/user/corvane-headless.service; do
  [ -e "$prefix/$f" ] || fail "the installation has no $f"
done
ls "$prefix/share/corvane/help/"*.html >/dev/null 2>&1 || fail "the installation has no help pages"
grep -q "^ExecStart=$prefix/bin/corvane-headless$" "$prefix/lib/systemd/user/corvane-headless.service" \
  || fail "the user unit does not start the installed program"
run_installed "$prefix/bin/corvane" "$prefix/share/corvane" window
run_installed "$prefix/bin/corvane-headless" "$prefix/share/corvane" headless

# Desktop entry and metadata.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$source_dir/resources/desktop/corvane.desktop" | grep -v '^.*: hint:' && fail "desktop-file-validate" || true
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$source_dir/resources/desktop/org.corvane.Corvane.metainfo.xml" >"$work/log" 2>&1 \
    || fail "appstreamcli validate"
fi

# 2. The Debian package.
if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
  echo "dpkg-dev is not installed: the package is not built"
  exit 0
fi
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg" >"$work/log" 2>&1) || fail "cpack"
deb=$(ls "$work"/pkg/corvane_*_amd64.deb "$work"/pkg/corvane_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "cpack made no .deb"
dpkg-deb -f "$deb" Package | grep -qx corvane || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6svg6 libcurl4 libcanberra0 libc6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/corvane usr/bin/corvane-headless usr/share/corvane/corvane-images.rcc \
         usr/lib/systemd/user/corvane-headless.service usr/share/man/man1/corvane.1; do
  [ -e "$root/$f" ] || fail "the package has no /$f"
done
grep -q "^ExecStart=/usr/bin/corvane-headless$" "$root/usr/lib/systemd/user/corvane-headless.service" \
  || fail "the packaged unit does not start /usr/bin/corvane-headless"
"$root/usr/bin/corvane" --version | grep -q "^corvane " || fail "the packaged program does not run"
run_installed "$root/usr/bin/corvane" "$root/usr/share/corvane" window
run_installed "$root/usr/bin/corvane-headless" "$root/usr/share/corvane" headless
echo "e2e: installed to a prefix and packaged ($(basename "$deb"); Depends: $depends)"
