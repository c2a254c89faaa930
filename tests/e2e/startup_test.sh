#!/usr/bin/env bash
# Start-up and stop of the window program (offscreen), as an operator meets them:
#  1. as an ordinary user (no privilege for ports below 1024) with default settings but a free
#     high UDP port: UDP listens within 2 s and a message sent then is stored;
#  2. as root with the TCP port already taken by another socket: the same;
#  3. SIGTERM while a message dialog is open (a damaged data file is reported at start-up):
#     the program ends within 2 s, with the tables and the settings written.
set -euo pipefail
program=$1
flood=$2
work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# A sanitizer build runs a few times slower: its limits are three times as long.
slow=1
if ldd "$program" 2>/dev/null | grep -q 'libasan\|libtsan'; then slow=3; fi
limit=$((2000 * slow))
fail() { echo "FAIL: $*" >&2; for f in "$work"/*.log; do [ -f "$f" ] && { echo "== $f" >&2; cat "$f" >&2; }; done; exit 1; }

free_udp_port() {
  for candidate in $(shuf -i 20000-60000 -n 40); do
    if ! ss -Hlun "sport = :$candidate" 2>/dev/null | grep -q .; then echo "$candidate"; return; fi
  done
  fail "no free UDP port"
}
now_ms() { date +%s%3N; }
# Waits until UDP port $1 listens; fails after $2 ms counted from $3 (ms).
wait_listening() {
  local port=$1 limit=$2 since=$3
  while ! ss -Hlun "sport = :$port" 2>/dev/null | grep -q .; do
    [ $(( $(now_ms) - since )) -le "$limit" ] || fail "UDP port $port not listening within $limit ms"
    sleep 0.02
  done
  echo "UDP port $port listening after $(( $(now_ms) - since )) ms"
}
wait_stored() {
  local file=$1 text=$2
  for _ in $(seq 1 100); do
    # While the program runs, new messages are in the file's journal.
    cat "$file" "$file.journal" 2>/dev/null | grep -q "$text" && return 0
    sleep 0.05
  done
  fail "\"$text\" was not stored in $file"
}
# Sends SIGTERM to $1 and fails unless it ends within $2 ms.
stop_within() {
  local pid=$1 limit=$2 since
  since=$(now_ms)
  kill -TERM "$pid"
  while kill -0 "$pid" 2>/dev/null; do
    [ $(( $(now_ms) - since )) -le "$limit" ] || fail "the program did not end within $limit ms of SIGTERM"
    sleep 0.02
  done
  wait "$pid" || fail "the program ended with status $?"
  echo "ended $(( $(now_ms) - since )) ms after SIGTERM"
}
# A fresh data folder under $work/$1 owned by uid $2, with settings lines $3.
make_home() {
  local name=$1 uid=$2 lines=$3
  mkdir -p "$work/$name/data/Corvane" "$work/$name/run"
  printf '[Options]\r\n%b' "$lines" > "$work/$name/data/Corvane/corvane.ini"
  chown -R "$uid:$uid" "$work/$name"
  chmod 700 "$work/$name/run"
}
start() {
  local name=$1 user=$2
  local -a as=()
  if [ "$user" != root ]; then as=(setpriv --reuid="$user" --regid="$user" --clear-groups --inh-caps=-all); fi
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/$name" XDG_DATA_HOME="$work/$name/data" XDG_RUNTIME_DIR="$work/$name/run" \
    QT_QPA_PLATFORM=offscreen "${as[@]}" "$program" >"$work/$name.log" 2>&1 &
  pid=$!
  pids+=("$pid")
}

# 1. An ordinary user.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  port=$(free_udp_port)
  make_home user 65534 "UDPPort=$port\r\nUDPBindings=127.0.0.1\r\nUpdateCheck=0\r\n"
  since=$(now_ms)
  start user 65534
  wait_listening "$port" "$limit" "$since"
  logger -n 127.0.0.1 -P "$port" -d --rfc3164 -t e2e "stored for an ordinary user"
  wait_stored "$work/user/data/Corvane/MessageSet.vtx" "stored for an ordinary user"
  stop_within "$pid" "$limit"
  grep -q "^UDPPort=$port" "$work/user/data/Corvane/corvane.ini" || fail "the settings were not written"
else
  echo "not root: the ordinary-user start is not tried"
fi

# 2. The TCP port taken by another socket.
tport=$(free_udp_port)
"$flood" hold-tcp "$tport" 30 > "$work/hold.log" &
pids+=("$!")
for _ in $(seq 1 100); do grep -q . "$work/hold.log" && break; sleep 0.02; done
grep -q 'holding\|taken' "$work/hold.log" || fail "could not take TCP port $tport"
port=$(free_udp_port)
make_home taken "$(id -u)" "UDPPort=$port\r\nUDPBindings=127.0.0.1\r\nTCPPort=$tport\r\nTCPBindings=127.0.0.1\r\nUpdateCheck=0\r\n"
since=$(now_ms)
start taken root
wait_listening "$port" "$limit" "$since"
logger -n 127.0.0.1 -P "$port" -d --rfc3164 -t e2e "stored with the TCP port taken"
wait_stored "$work/taken/data/Corvane/MessageSet.vtx" "stored with the TCP port taken"

# 3. SIGTERM while the TCP warning (a port the operator chose) is open in case 2.
sleep 0.5
stop_within "$pid" "$limit"
grep -q "stored with the TCP port taken" "$work/taken/data/Corvane/MessageSet.vtx" || fail "the message was lost"
grep -q "^TCPPort=$tport" "$work/taken/data/Corvane/corvane.ini" || fail "the settings were not written"

# And with a damaged data file reported at start-up.
port=$(free_udp_port)
make_home damaged "$(id -u)" "UDPPort=$port\r\nUDPBindings=127.0.0.1\r\nTCPPort=0\r\nUpdateCheck=0\r\n"
printf '<?xml version="1.0"?><DATAPACKET Version="2.0"><METADATA><FIE' > "$work/damaged/data/Corvane/HostSet.vtx"
printf 'x' > "$work/damaged/data/Corvane/MessageSet.vtx"
since=$(now_ms)
start damaged root
wait_listening "$port" "$limit" "$since"
logger -n 127.0.0.1 -P "$port" -d --rfc3164 -t e2e "stored behind a dialog"
sleep 0.5
stop_within "$pid" "$limit"
ls "$work/damaged/data/Corvane/" | grep -q 'HostSet.vtx.damaged-' || fail "the damaged file was not kept aside"
grep -q "stored behind a dialog" "$work/damaged/data/Corvane/MessageSet.vtx" || fail "the message was lost"
grep -q "^UDPPort=$port" "$work/damaged/data/Corvane/corvane.ini" || fail "the settings were not written"
echo "e2e: listeners open before any dialog, SIGTERM ends the program promptly"
