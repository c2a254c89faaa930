#!/usr/bin/env bash
# Both programs answer --help and --version at once and exit 0, without a display and without
# starting (no data folder is made, no settings read); an unknown option prints the usage to
# standard error and exits 2.
set -euo pipefail
window=$1
headless=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for program in "$window" "$headless"; do
  name=$(basename "$program")
  run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME="$work/data" timeout 10 "$program" "$@"; }

  out=$(run --help) || fail "$name --help ended with status $?"
  grep -q "^usage: $name " <<<"$out" || fail "$name --help printed no usage: $out"
  grep -q -- "--version" <<<"$out" || fail "$name --help does not list --version"

  out=$(run --version) || fail "$name --version ended with status $?"
  grep -Eq "^$name [0-9]+\.[0-9]+\.[0-9]+" <<<"$out" || fail "$name --version printed: $out"

  set +e
  err=$(run --no-such-option 2>&1 >/dev/null)
  status=$?
  set -e
  [ "$status" -eq 2 ] || fail "$name with an unknown option ended with status $status, not 2"
  grep -q "unknown option --no-such-option" <<<"$err" || fail "$name did not name the unknown option: $err"
  grep -q "^usage: $name " <<<"$err" || fail "$name did not print the usage on an unknown option"
  [ ! -e "$work/data" ] || fail "$name made its data folder although it only answered the command line"
done
out=$(env -u DISPLAY XDG_DATA_HOME="$work/data" timeout 10 "$headless" --help) || fail "headless --help failed"
grep -q -- "--data-folder DIR" <<<"$out" || fail "the headless program does not list --data-folder"
echo "e2e: --help, --version and unknown options answered by both programs"
