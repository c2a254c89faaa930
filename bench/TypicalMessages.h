#pragma once

// The messages the store benchmarks fill their tables with.

#include <string>

// Table.h comes first: its field types must not shadow the date-time alias.
#include "store/Table.h"
#include "protocol/DateTime.h"

namespace corvane {

// A message as a router or server sends it, with the fields intake fills.
inline void appendTypical(Table& t, int i) {
    static const char* kProcesses[] = {"sshd", "kernel", "CRON", "dhcpd", "named", "postfix/smtpd"};
    static const char* kSeverities[] = {"Emergency", "Alert",  "Critical",    "Error",
                                        "Warning",   "Notice", "Information", "Debug"};
    static const char* kTexts[] = {
        "Accepted password for admin from 10.0.0.5 port 52144 ssh2",
        "DHCPACK on 192.168.1.57 to 3c:22:fb:10:7a:01 (laptop-7) via eth0",
        "connect from unknown[203.0.113.9]: lost connection after AUTH from \"mail.example\"",
        "IN=eth0 OUT= MAC=00:1a:2b:3c:4d:5e SRC=198.51.100.4 DST=192.168.1.1 LEN=60 PROTO=TCP DPT=23",
        "(root) CMD (   cd / && run-parts --report /etc/cron.hourly)",
    };
    const int sev = i % 8;
    const char* process = kProcesses[i % 6];
    const std::string text = kTexts[i % 5];
    const std::string host = "router-" + std::to_string(i % 40);
    const std::string address = "192.168.1." + std::to_string(i % 40 + 10);
    const int pid = 1000 + i % 30000;
    const DateTime when = *encodeDateTime({2026, 12, 9, 21, 0, 0, 0}) + i / 86400000.0 * 37;
    t.append();
    t.setInteger(0, i);
    t.setDateTime(1, when);
    t.setDateTime(2, when - 1.0 / 86400);
    t.setText(3, kSeverities[sev]);
    t.setText(4, process);
    t.setText(6, text);
    t.setText(7, host);
    t.setText(8, address);
    t.setText(9, "Security/Authorize");
    t.setInteger(10, pid);
    t.setText(11, "<" + std::to_string(80 + sev) + ">Dec  9 21:00:00 " + host + " " + process + "[" +
                      std::to_string(pid) + "]: " + text);
    t.setInteger(13, 10);
    t.setInteger(14, i % 40 + 1);
    t.setInteger(15, sev);
    t.post();
}

}  // namespace corvane
