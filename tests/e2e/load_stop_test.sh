#!/usr/bin/env bash
# 100,000 numbered messages at 100,000 a second over one TCP connection, SIGTERM as soon as the
# sender has sent the last one (its connection still open): every message is stored once and
# whole. Then the same over UDP. Runs the program given (window offscreen, or headless).
#   load_stop_test.sh PROGRAM FLOOD [COUNT] [RATE]
set -euo pipefail
program=$1
flood=$2
count=${3:-100000}
rate=${4:-100000}
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/log" ] && tail -20 "$work/log" >&2; exit 1; }
now_ms() { date +%s%3N; }
free_port() {
  local kind=$1
  for candidate in $(shuf -i 20000-60000 -n 40); do
    if ! ss -Hl"$kind"n "sport = :$candidate" 2>/dev/null | grep -q .; then echo "$candidate"; return; fi
  done
  fail "no free port"
}

for transport in tcp udp; do
  port=$(free_port u)
  tport=$(free_port t)
  data="$work/$transport/Corvane"
  mkdir -p "$data" "$work/run"
  chmod 700 "$work/run"
  printf '[Options]\r\nUDPPort=%s\r\nUDPBindings=127.0.0.1\r\nTCPPort=%s\r\nTCPBindings=127.0.0.1\r\nUpdateCheck=0\r\nNotifySound=0\r\n' \
    "$port" "$tport" > "$data/corvane.ini"
  args=()
  case "$(basename "$program")" in corvane-headless*) args=(--data-folder "$data");; esac
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_DATA_HOME="$work/$transport" XDG_RUNTIME_DIR="$work/run" \
    QT_QPA_PLATFORM=offscreen "$program" "${args[@]}" >"$work/log" 2>&1 &
  pid=$!
  for _ in $(seq 1 200); do
    ss -Hlun "sport = :$port" 2>/dev/null | grep -q . && ss -Hltn "sport = :$tport" 2>/dev/null | grep -q . && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended early"
    sleep 0.05
  done
  target=$port
  [ "$transport" = tcp ] && target=$tport
  "$flood" "$transport" "$target" "$count" "$rate" 10 > "$work/flood.log" 2>&1 &
  flood_pid=$!
  for _ in $(seq 1 1000); do grep -q '^sent' "$work/flood.log" && break; sleep 0.01; done
  grep -q '^sent' "$work/flood.log" || fail "the sender did not finish: $(cat "$work/flood.log")"
  since=$(now_ms)
  kill -TERM "$pid"
  while kill -0 "$pid" 2>/dev/null; do
    [ $(( $(now_ms) - since )) -le 60000 ] || fail "the program did not end within 60 s of SIGTERM"
    sleep 0.02
  done
  wait "$pid" || fail "the program ended with status $?"
  pid=""
  took=$(( $(now_ms) - since ))
  kill "$flood_pid" 2>/dev/null || true
  wait "$flood_pid" 2>/dev/null || true

  file="$data/MessageSet.vtx"
  [ -f "$file" ] || fail "no MessageSet.vtx"
  grep -o 'Data="[^"]*flood n=[0-9]*[^"]*"' "$file" > "$work/stored" || true
  stored=$(wc -l < "$work/stored")
  whole=$(grep -c 'flood n=[0-9]\{7\} end"$' "$work/stored" || true)
  distinct=$(grep -o 'n=[0-9]\{7\} end' "$work/stored" | sort -u | wc -l)
  echo "$transport: $(cat "$work/flood.log" | head -1); ended $took ms after SIGTERM;" \
       "stored $stored, whole $whole, distinct $distinct of $count"
  [ "$whole" -eq "$stored" ] || fail "$transport: $((stored - whole)) messages were stored cut"
  [ "$distinct" -eq "$stored" ] || fail "$transport: $((stored - distinct)) messages were stored twice"
  [ "$stored" -eq "$count" ] || fail "$transport: $((count - stored)) of $count messages were lost"
done
echo "e2e: $count messages over TCP and over UDP, SIGTERM at once: none lost, cut or doubled"
