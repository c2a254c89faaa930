#!/usr/bin/env python3
"""Sends syslog with the real clients installed here (logger, Python's SysLogHandler over UDP
and TCP, an rsyslog relay of the test's own) into corvane-headless on loopback and checks the
stored records field by field.

    senders_test.py PATH/TO/corvane-headless

rsyslog is optional: without rsyslogd the relay part is skipped and said so."""
import logging
import logging.handlers
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

HOSTNAME = socket.gethostname().split(".")[0]


def free_port(kind):
    with socket.socket(socket.AF_INET, kind) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def fail(text, log=None):
    print("FAIL: " + text, file=sys.stderr)
    if log and os.path.exists(log):
        sys.stderr.write(open(log, encoding="utf-8", errors="replace").read())
    sys.exit(1)


def stored_rows(path):
    if not os.path.exists(path):
        return []
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError:
        return []
    return [row.attrib for row in root.iter("ROW")]


def stored_text(path):
    """The data file and its journal, where new records are while the program runs."""
    text = ""
    for name in (path, path + ".journal"):
        if os.path.exists(name):
            text += open(name, encoding="utf-8", errors="replace").read()
    return text


def wait_for(predicate, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(0.1)
    return predicate()


def start_rsyslog(work, listen_port, udp_port, tcp_port):
    rsyslogd = shutil.which("rsyslogd") or ("/usr/sbin/rsyslogd" if os.path.exists("/usr/sbin/rsyslogd") else None)
    if not rsyslogd:
        return None
    conf = os.path.join(work, "rsyslog.conf")
    with open(conf, "w", encoding="utf-8") as f:
        f.write(f"""global(workDirectory="{work}")
module(load="imudp")
input(type="imudp" address="127.0.0.1" port="{listen_port}" ruleset="relay")
ruleset(name="relay") {{
  action(type="omfwd" target="127.0.0.1" port="{udp_port}" protocol="udp"
         template="RSYSLOG_TraditionalForwardFormat")
  action(type="omfwd" target="127.0.0.1" port="{tcp_port}" protocol="tcp"
         template="RSYSLOG_SyslogProtocol23Format" TCP_Framing="octet-counted")
}}
""")
    log = open(os.path.join(work, "rsyslog.log"), "w")
    proc = subprocess.Popen([rsyslogd, "-n", "-f", conf, "-i", os.path.join(work, "rsyslog.pid")],
                            stdout=log, stderr=subprocess.STDOUT)
    return proc


def main():
    headless = sys.argv[1]
    work = tempfile.mkdtemp(prefix="corvane-senders-")
    procs = []
    try:
        data = os.path.join(work, "data") + "/"
        os.makedirs(data)
        udp_port = free_port(socket.SOCK_DGRAM)
        tcp_port = free_port(socket.SOCK_STREAM)
        with open(data + "corvane.ini", "w", encoding="utf-8") as f:
            f.write(f"[Options]\nUDPPort={udp_port}\nUDPBindings=127.0.0.1\nTCPPort={tcp_port}\n"
                    "TCPBindings=127.0.0.1\nUpdateCheck=0\nNotifySound=0\n")
        out_path, err_path = os.path.join(work, "out.txt"), os.path.join(work, "err.txt")
        program = subprocess.Popen([headless, "--data-folder", data], stdout=open(out_path, "w"),
                                   stderr=open(err_path, "w"))
        procs.append(program)
        if not wait_for(lambda: "listening on" in open(out_path).read(), 20):
            fail("corvane-headless does not listen", err_path)

        expected = []  # (message, host, process, pid, subprocess or None)

        def logger(*args, message, host=HOSTNAME, process, pid=-1, sub=None, tcp=False):
            port = tcp_port if tcp else udp_port
            cmd = ["logger", "-n", "127.0.0.1", "-P", str(port), "-T" if tcp else "-d", *args, message]
            subprocess.run(cmd, check=True)
            expected.append((message, host, process, pid, sub))

        logger("--rfc3164", "-t", "e2e-tag", message="logger classic over UDP", process="e2e-tag:")
        logger("--rfc3164", "-i", "-t", "e2e_pid", message="logger classic with PID",
               process="e2e_pid[*]:", pid="*")
        logger("-t", "e2e5424", "--msgid", "ID47", message="logger RFC 5424 over UDP", process="e2e5424",
               sub="ID47")
        logger("--rfc5424=notime", "-t", "notime", message="logger RFC 5424 without time", process="notime")
        logger("--octet-count", "-t", "tcpcount", message="logger octet counted over TCP", process="tcpcount",
               tcp=True)
        logger("--rfc3164", "-t", "tcpline", message="logger newline framed over TCP", process="tcpline:",
               tcp=True)

        # The standard library's handler: no time stamp and no host, each record ends with a NUL.
        log = logging.getLogger("corvane-e2e")
        log.propagate = False
        udp = logging.handlers.SysLogHandler(address=("127.0.0.1", udp_port))
        udp.setFormatter(logging.Formatter("%(name)s: %(message)s"))
        log.addHandler(udp)
        log.warning("python over UDP")
        # No host name in the record: it takes the name the sender's address already has (logger's).
        expected.append(("python over UDP", HOSTNAME, "corvane-e2e:", -1, None))
        log.removeHandler(udp)
        udp.close()
        tcp = logging.handlers.SysLogHandler(address=("127.0.0.1", tcp_port), socktype=socket.SOCK_STREAM)
        tcp.setFormatter(logging.Formatter("%(name)s: %(message)s"))
        log.addHandler(tcp)
        for n in (1, 2, 3):
            log.error("python over TCP %d", n)
            expected.append((f"python over TCP {n}", HOSTNAME, "corvane-e2e:", -1, None))
        log.removeHandler(tcp)
        tcp.close()

        relay_port = free_port(socket.SOCK_DGRAM)
        rsyslog = start_rsyslog(work, relay_port, udp_port, tcp_port)
        if rsyslog:
            procs.append(rsyslog)
            # rsyslog opens its input shortly after starting; send until the first copy is stored.
            relayed = "<38>Dec 10 13:10:46 core-sw-01 sshd[4242]: relayed through rsyslog"
            with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
                def arrived():
                    s.sendto(relayed.encode(), ("127.0.0.1", relay_port))
                    return stored_text(data + "MessageSet.vtx").count("relayed through rsyslog") >= 2
                # The store writes the file in batches; give the relay up to 20 s.
                relay_ok = wait_for(arrived, 20)
            if not relay_ok:
                fail("nothing relayed through rsyslog arrived", os.path.join(work, "rsyslog.log"))
        else:
            print("e2e senders: rsyslogd not installed, relay part skipped")

        wait_for(lambda: all(m in stored_text(data + "MessageSet.vtx") for m, *_ in expected), 15)
        program.send_signal(signal.SIGTERM)
        try:
            program.wait(20)
        except subprocess.TimeoutExpired:
            fail("corvane-headless did not end on SIGTERM", err_path)
        if program.returncode != 0:
            fail(f"corvane-headless ended with status {program.returncode}", err_path)

        rows = stored_rows(data + "MessageSet.vtx")
        by_message = {}
        for r in rows:
            by_message.setdefault(r.get("Message"), []).append(r)
        problems = []
        for message, host, process, pid, sub in expected:
            found = by_message.get(message)
            if not found:
                problems.append(f"missing: {message!r}")
                continue
            r = found[0]
            if r.get("Host") != host:
                problems.append(f"{message!r}: host {r.get('Host')!r}, expected {host!r}")
            if pid == "*":
                want_pid = r.get("PID")
                process = process.replace("*", want_pid or "?")
                if not want_pid or int(want_pid) <= 0:
                    problems.append(f"{message!r}: PID {want_pid!r}")
            elif int(r.get("PID", "-1")) != pid:
                problems.append(f"{message!r}: PID {r.get('PID')!r}, expected {pid}")
            if r.get("Process") != process:
                problems.append(f"{message!r}: process {r.get('Process')!r}, expected {process!r}")
            if sub is not None and r.get("SubProcess") != sub:
                problems.append(f"{message!r}: subprocess {r.get('SubProcess')!r}, expected {sub!r}")
            if r.get("Address") != "127.0.0.1":
                problems.append(f"{message!r}: address {r.get('Address')!r}")
            if not r.get("TimeStamp"):
                problems.append(f"{message!r}: no time stamp")
        if rsyslog:
            relayed_rows = by_message.get("relayed through rsyslog", [])
            forms = set()
            for r in relayed_rows:
                if r.get("Host") != "core-sw-01":
                    problems.append(f"relayed: host {r.get('Host')!r}")
                pid = r.get("PID")
                if pid != "4242":
                    problems.append(f"relayed: PID {pid!r}")
                forms.add(r.get("Process"))
            if not {"sshd[4242]:", "sshd"} <= forms:
                problems.append(f"relayed: processes {sorted(p or '' for p in forms)}, expected the classic "
                                "'sshd[4242]:' over UDP and the structured 'sshd' over TCP")
        if problems:
            fail("\n  ".join(["stored records are not right:"] + problems), err_path)
        print(f"e2e senders: {len(rows)} records stored and checked")
    finally:
        for p in procs:
            if p.poll() is None:
                p.kill()
                p.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
