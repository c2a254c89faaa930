#!/usr/bin/env bash
# Starts the program offscreen with a temporary data folder and a settings file that binds
# 127.0.0.1 on free high UDP and TCP ports, sends it datagrams with logger and as raw UDP and
# messages over TCP with logger (both framings), ends it with SIGTERM and checks that the
# messages are in MessageSet.vtx and the settings file was written.
set -euo pipefail
program=$1
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/log" ] && cat "$work/log" >&2; exit 1; }

# A port nobody listens on: the first of a few candidates that ss does not list.
port=""
for candidate in $(shuf -i 20000-60000 -n 20); do
  if ! ss -Hlun "sport = :$candidate" 2>/dev/null | grep -q .; then port=$candidate; break; fi
done
[ -n "$port" ] || fail "no free port"
tport=""
for candidate in $(shuf -i 20000-60000 -n 20); do
  if [ "$candidate" != "$port" ] && ! ss -Hltn "sport = :$candidate" 2>/dev/null | grep -q .; then tport=$candidate; break; fi
done
[ -n "$tport" ] || fail "no free TCP port"

data="$work/data/Corvane"
mkdir -p "$data"
printf '[Options]\nUDPPort=%s\nUDPBindings=127.0.0.1\nTCPPort=%s\nTCPBindings=127.0.0.1\nUpdateCheck=0\n' "$port" "$tport" \
  > "$data/corvane.ini"

XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" "$program" >"$work/log" 2>&1 &
pid=$!

# Wait until it listens (at most 20 s).
for _ in $(seq 1 200); do
  ss -Hlun "sport = :$port" 2>/dev/null | grep -q . && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended early"
  sleep 0.1
done
ss -Hlun "sport = :$port" | grep -q . || fail "the program does not listen on $port"
ss -Hltn "sport = :$tport" | grep -q . || fail "the program does not listen on TCP port $tport"

logger -n 127.0.0.1 -P "$port" -d --rfc3164 -t e2etag "first message from logger"
logger -n 127.0.0.1 -P "$port" -d "second message from logger"
printf '<11>Dec  9 10:00:00 rawhost rawapp[77]: third message raw' > "/dev/udp/127.0.0.1/$port"
logger -n 127.0.0.1 -P "$tport" -T --rfc5424 --msgid LINKDOWN -t tcpapp "fourth message over tcp"
logger -n 127.0.0.1 -P "$tport" -T --octet-count --rfc5424 --sd-id origin@32473 --sd-param 'ip="10.0.0.9"' \
  -t tcpapp2 "fifth message octet counted"

# Wait until the five are stored (intake appends them to the message file's journal).
for _ in $(seq 1 100); do
  if [ -f "$data/MessageSet.vtx" ] && [ "$(cat "$data"/MessageSet.vtx* | grep -o 'message from logger\|third message raw\|fourth message\|fifth message' | wc -l)" -ge 5 ]; then
    break
  fi
  sleep 0.1
done

kill -TERM "$pid"
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end on SIGTERM"
wait "$pid" || fail "the program ended with status $?"
pid=""

file="$data/MessageSet.vtx"
[ -n "${E2E_SHOW:-}" ] && tr ">" "\n" < "$file" | grep ROW >&2
[ -f "$file" ] || fail "no MessageSet.vtx"
grep -q 'Message="first message from logger"' "$file" || fail "the logger message (RFC 3164) is missing"
grep -q 'Process="e2etag"' "$file" || grep -q 'Process="e2etag:"' "$file" || fail "the logger tag is missing"
grep -q 'second message from logger' "$file" || fail "the logger message (RFC 5424) is missing"
grep -q 'Message="third message raw"' "$file" || fail "the raw datagram is missing"
grep -q 'Host="rawhost"' "$file" || fail "the raw datagram's host is missing"
grep -q 'PID="77"' "$file" || fail "the raw datagram's process ID is missing"
grep -q 'Message="fourth message over tcp"' "$file" || fail "the TCP message (newline framing) is missing"
grep -q 'Process="tcpapp"' "$file" || fail "the TCP message's APP-NAME is not its process"
grep -q 'SubProcess="LINKDOWN"' "$file" || fail "the TCP message's MSGID is not its subprocess"
grep -q 'Message="fifth message octet counted"' "$file" || fail "the TCP message (octet counting) is missing"
grep -q 'ProcessEx="[^"]*\[origin@32473 ip=&quot;10.0.0.9&quot;\]"' "$file" || fail "the structured data is not in ProcessEx"
[ -f "$data/HostSet.vtx" ] || fail "no HostSet.vtx"
ls "$data" | grep -q 'journal' && fail "a journal was left after a clean exit: $(ls "$data")"
[ "$(stat -c %a "$data")" = 700 ] || fail "the data folder is not private: $(stat -c %a "$data")"
[ "$(stat -c %a "$file")" = 600 ] || fail "the message file is not private: $(stat -c %a "$file")"
grep -q '^UDPPort=' "$data/corvane.ini" || fail "the settings file was not written back"
echo "e2e: three messages stored on UDP port $port and two on TCP port $tport"
