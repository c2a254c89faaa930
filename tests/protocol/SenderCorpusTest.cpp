// Messages in the shapes that real senders produce, each read the way intake reads it. The rows
// are written from the formats' public descriptions; each is named after the sender it stands for.
#include "protocol/SyslogMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using namespace std::string_literals;

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return encodeDateTime({y, mo, d, h, mi, s, 0}).value();
}

// A time in UTC, as the local time it names.
DateTime utc(int y, int mo, int d, int h, int mi, int s) {
    const std::int64_t days = static_cast<std::int64_t>(encodeDate(y, mo, d).value()) - 25569;
    return localFromUnix(static_cast<double>(days * 86400 + (h * 60LL + mi) * 60 + s));
}

// Received at 10 December 2026 13:11:00.250; a message without a time stamp gets the second.
const DateTime kReceivedAt = encodeDateTime({2026, 12, 10, 13, 11, 0, 250}).value();
const DateTime kReceipt = at(2026, 12, 10, 13, 11, 0);

struct SenderRow {
    const char* name;
    std::string input;
    std::string host;
    std::string process;
    std::int32_t pid;
    DateTime timeStamp;
    int facility;
    int severity;
    std::string message;
};

TEST(SenderCorpus, EveryShapeIsTakenApart) {
    const SenderRow rows[] = {
        {"rsyslog classic forwarding, hyphenated host",
         "<38>Dec 10 13:10:46 core-sw-01 sshd[4242]: Accepted publickey for admin from 10.0.0.5 port 51234 ssh2"s,
         "core-sw-01", "sshd[4242]:", 4242, at(2026, 12, 10, 13, 10, 46), 4, 6,
         "Accepted publickey for admin from 10.0.0.5 port 51234 ssh2"},
        {"rsyslog classic forwarding, underscore host",
         "<30>Dec 10 13:10:46 db_02 systemd[1]: Started Daily apt upgrade and clean activities."s, "db_02",
         "systemd[1]:", 1, at(2026, 12, 10, 13, 10, 46), 3, 6,
         "Started Daily apt upgrade and clean activities."},
        {"rsyslog RFC 3339 forwarding with offset",
         "<86>2026-12-10T13:10:46.123456+01:00 web-01 sudo[9921]: pam_unix(sudo:session): session opened for user root"s,
         "web-01", "sudo[9921]:", 9921, utc(2026, 12, 10, 12, 10, 46), 10, 6,
         "pam_unix(sudo:session): session opened for user root"},
        {"rsyslog RFC 5424 template",
         "<13>1 2026-12-10T13:10:46.001+00:00 app-01 myapp 1234 - - Job finished in 3 s"s, "app-01", "myapp",
         1234, utc(2026, 12, 10, 13, 10, 46), 1, 5, "Job finished in 3 s"},
        {"rsyslog single-digit day, slash in tag",
         "<13>Dec  1 08:05:09 mail-01 postfix/smtpd[2345]: connect from unknown[192.0.2.7]"s, "mail-01",
         "postfix/smtpd[2345]:", 2345, at(2026, 12, 1, 8, 5, 9), 1, 5, "connect from unknown[192.0.2.7]"},
        {"rsyslog host longer than 20 characters",
         "<14>Dec 10 13:10:46 backup-storage-node-07 rsync[771]: sent 1024 bytes"s, "backup-storage-node-07",
         "rsync[771]:", 771, at(2026, 12, 10, 13, 10, 46), 1, 6, "sent 1024 bytes"},
        {"rsyslog kernel line",
         "<4>Dec 10 13:10:46 nas-01 kernel: [12345.678901] usb 1-1: new high-speed USB device"s, "nas-01",
         "kernel:", -1, at(2026, 12, 10, 13, 10, 46), 0, 4,
         "[12345.678901] usb 1-1: new high-speed USB device"},
        {"rsyslog fully qualified host",
         "<29>Dec 10 13:10:46 ns1.example.net named[812]: client @0x7f 192.0.2.1#53: query refused"s,
         "ns1.example.net", "named[812]:", 812, at(2026, 12, 10, 13, 10, 46), 3, 5,
         "client @0x7f 192.0.2.1#53: query refused"},
        {"rsyslog relayed tag without colon",
         "<38>Dec 10 13:10:46 host sshd[4242] Connection closed by 10.0.0.9 port 22"s, "host", "sshd[4242]",
         4242, at(2026, 12, 10, 13, 10, 46), 4, 6, "Connection closed by 10.0.0.9 port 22"},
        {"syslog-ng classic",
         "<45>Dec 10 13:10:46 lb-01 syslog-ng[1021]: syslog-ng starting up; version='3.38.1'"s, "lb-01",
         "syslog-ng[1021]:", 1021, at(2026, 12, 10, 13, 10, 46), 5, 5,
         "syslog-ng starting up; version='3.38.1'"},
        {"syslog-ng ISO time stamps",
         "<166>2026-12-10T13:10:46+01:00 proxy-01 squid[3301]: 1700000000.123 45 10.0.0.8 TCP_MISS/200 512 GET http://example.org/ - HIER_DIRECT/93.184.216.34 text/html"s,
         "proxy-01", "squid[3301]:", 3301, utc(2026, 12, 10, 12, 10, 46), 20, 6,
         "1700000000.123 45 10.0.0.8 TCP_MISS/200 512 GET http://example.org/ - HIER_DIRECT/93.184.216.34 "
         "text/html"},
        {"syslog-ng RFC 5424 with structured data",
         "<165>1 2026-12-10T13:10:46.000+01:00 mymachine.example.com evntslog - ID47 [exampleSDID@32473 iut=\"3\" eventSource=\"Application\" eventID=\"1011\"] An application event log entry"s,
         "mymachine.example.com", "evntslog", -1, utc(2026, 12, 10, 12, 10, 46), 20, 5,
         "An application event log entry"},
        {"journald through rsyslog, systemd",
         "<30>Dec 10 13:10:46 laptop-07 systemd[1]: Starting Cleanup of Temporary Directories..."s,
         "laptop-07", "systemd[1]:", 1, at(2026, 12, 10, 13, 10, 46), 3, 6,
         "Starting Cleanup of Temporary Directories..."},
        {"journald through rsyslog, systemd-logind",
         "<38>Dec 10 13:10:46 laptop-07 systemd-logind[733]: New session 12 of user anna."s, "laptop-07",
         "systemd-logind[733]:", 733, at(2026, 12, 10, 13, 10, 46), 4, 6, "New session 12 of user anna."},
        {"logger --rfc3164", "<13>Dec 10 13:10:46 myhost anna: hello"s, "myhost", "anna:", -1,
         at(2026, 12, 10, 13, 10, 46), 1, 5, "hello"},
        {"logger --rfc3164 -i", "<13>Dec 10 13:10:46 myhost anna[5555]: hello"s, "myhost",
         "anna[5555]:", 5555, at(2026, 12, 10, 13, 10, 46), 1, 5, "hello"},
        {"logger classic with tag and local3.err", "<155>Dec 10 13:10:46 myhost backup: disk full"s, "myhost",
         "backup:", -1, at(2026, 12, 10, 13, 10, 46), 19, 3, "disk full"},
        {"Python SysLogHandler default", "<14>Disk usage above 90%\0"s, "", "Unknown", -1, kReceipt, 1, 6,
         "Disk usage above 90%"},
        {"Python SysLogHandler with name formatter", "<11>billing: Payment gateway timeout after 30 s\0"s, "",
         "billing:", -1, kReceipt, 1, 3, "Payment gateway timeout after 30 s"},
        {"Java log4j2 BSD layout", "<11>Dec 10 13:10:46 app-srv-3 OrderService: Order 1234 failed: timeout"s,
         "app-srv-3", "OrderService:", -1, at(2026, 12, 10, 13, 10, 46), 1, 3, "Order 1234 failed: timeout"},
        {"Java log4j2 RFC 5424 layout",
         "<11>1 2026-12-10T13:10:46.789+01:00 app-srv-3 OrderService - Audit [mdc@18060 user=\"bob\"] Order 1234 failed"s,
         "app-srv-3", "OrderService", -1, utc(2026, 12, 10, 12, 10, 46), 1, 3, "Order 1234 failed"},
        {"Java logback suffix pattern",
         "<11>Dec 10 13:10:46 app-srv-3 [main] ERROR com.example.Billing - Charge declined"s, "app-srv-3",
         "Unknown", -1, at(2026, 12, 10, 13, 10, 46), 1, 3,
         "[main] ERROR com.example.Billing - Charge declined"},
        {"Cisco IOS sequence, origin, msec, UTC",
         "<189>123: router-2: Dec 10 12:47:30.123 UTC: %LINEPROTO-5-UPDOWN: Line protocol on Interface GigabitEthernet0/1, changed state to up"s,
         "router-2", "LINEPROTO", -1, utc(2026, 12, 10, 12, 47, 30), 23, 5,
         "Line protocol on Interface GigabitEthernet0/1, changed state to up"},
        {"Cisco IOS sequence, unsynchronised clock",
         "<189>45: *Mar  1 00:01:02.345: %SYS-5-CONFIG_I: Configured from console by vty0 (10.0.0.2)"s, "",
         "CONFIG_I:", -1, at(2026, 3, 1, 0, 1, 2), 3, 5, "Configured from console by vty0 (10.0.0.2)"},
        {"Cisco IOS sequence, clock lost sync, UTC",
         "<187>46: .Dec 10 12:47:31.456 UTC: %LINK-3-UPDOWN: Interface GigabitEthernet0/2, changed state to down"s,
         "", "LINK", -1, utc(2026, 12, 10, 12, 47, 31), 23, 3,
         "Interface GigabitEthernet0/2, changed state to down"},
        {"Cisco IOS relayed with host, SEC facility word",
         "<189>Dec 10 12:47:30 10.1.1.1 %SEC-6-IPACCESSLOGP: list 101 denied tcp 10.0.0.1(1234) -> 10.0.0.2(80), 1 packet"s,
         "10.1.1.1", "IPACCESSLOGP:", -1, at(2026, 12, 10, 12, 47, 30), 4, 5,
         "list 101 denied tcp 10.0.0.1(1234) -> 10.0.0.2(80), 1 packet"},
        {"Cisco IOS sequence without time stamps",
         "<189>47: %LINK-5-CHANGED: Interface Serial0/0, changed state to administratively down"s, "", "LINK",
         -1, kReceipt, 23, 5, "Interface Serial0/0, changed state to administratively down"},
        {"Cisco IOS origin, local zone word",
         "<190>router-3: Dec 10 12:47:30 CET: %SYS-6-LOGGINGHOST_STARTSTOP: Logging to host 10.0.0.9 port 514 started"s,
         "router-3", "LOGGINGHOST_STARTSTOP:", -1, at(2026, 12, 10, 12, 47, 30), 3, 6,
         "Logging to host 10.0.0.9 port 514 started"},
        {"Cisco IOS sequence, year, UTC",
         "<189>48: Dec 10 2026 12:47:30.123 UTC: %SYS-5-RESTART: System restarted --"s, "", "RESTART:", -1,
         utc(2026, 12, 10, 12, 47, 30), 3, 5, "System restarted --"},
        {"Cisco NX-OS empty sequence, year first, UTC",
         "<189>: 2026 Dec 10 12:47:30 UTC: %ETHPORT-5-IF_UP: Interface Ethernet1/1 is up in mode access"s, "",
         "ETHPORT", -1, utc(2026, 12, 10, 12, 47, 30), 23, 5, "Interface Ethernet1/1 is up in mode access"},
        {"Cisco NX-OS relayed with host",
         "<187>2026 Dec 10 12:47:30 nx-sw-01 %ETHPORT-3-IF_DOWN_LINK_FAILURE: Interface Ethernet1/2 is down (Link failure)"s,
         "nx-sw-01", "ETHPORT", -1, at(2026, 12, 10, 12, 47, 30), 23, 3,
         "Interface Ethernet1/2 is down (Link failure)"},
        {"Cisco ASA time stamp and device id",
         "<166>Dec 10 2026 12:47:30 fw-asa-01 : %ASA-6-302013: Built outbound TCP connection 123 for outside:93.184.216.34/443 (93.184.216.34/443) to inside:10.0.0.8/51234 (10.1.1.8/51234)"s,
         "fw-asa-01", "ASA", -1, at(2026, 12, 10, 12, 47, 30), 20, 6,
         "Built outbound TCP connection 123 for outside:93.184.216.34/443 (93.184.216.34/443) to "
         "inside:10.0.0.8/51234 (10.1.1.8/51234)"},
        {"Cisco ASA without time stamp",
         "<164>%ASA-4-106023: Deny tcp src outside:198.51.100.7/4444 dst inside:10.0.0.8/22 by access-group \"outside_in\" [0x0, 0x0]"s,
         "", "ASA", -1, kReceipt, 20, 4,
         "Deny tcp src outside:198.51.100.7/4444 dst inside:10.0.0.8/22 by access-group \"outside_in\" [0x0, "
         "0x0]"},
        {"Cisco ASA time stamp without device id",
         "<166>Dec 10 2026 12:47:30: %ASA-6-305011: Built dynamic TCP translation from inside:10.0.0.8/51234 to outside:198.51.100.1/51234"s,
         "", "ASA", -1, at(2026, 12, 10, 12, 47, 30), 20, 6,
         "Built dynamic TCP translation from inside:10.0.0.8/51234 to outside:198.51.100.1/51234"},
        {"Juniper Junos classic",
         "<28>Dec 10 13:10:46 mx-edge-1 mib2d[2345]: SNMP_TRAP_LINK_DOWN: ifIndex 545, ifAdminStatus up(1), ifOperStatus down(2), ifName ge-0/0/1"s,
         "mx-edge-1", "mib2d[2345]:", 2345, at(2026, 12, 10, 13, 10, 46), 3, 4,
         "SNMP_TRAP_LINK_DOWN: ifIndex 545, ifAdminStatus up(1), ifOperStatus down(2), ifName ge-0/0/1"},
        {"Juniper Junos structured",
         "<165>1 2026-12-10T13:10:46.123+01:00 mx-edge-1 mgd 4213 UI_COMMIT [junos@2636.1.1.1.2.21 username=\"admin\" comment=\"none\"] User 'admin' requested 'commit' operation"s,
         "mx-edge-1", "mgd", 4213, utc(2026, 12, 10, 12, 10, 46), 20, 5,
         "User 'admin' requested 'commit' operation"},
        {"Juniper SRX structured RT_FLOW",
         "<14>1 2026-12-10T13:10:46.123Z srx-01 RT_FLOW - RT_FLOW_SESSION_CREATE [junos@2636.1.1.1.2.26 source-address=\"10.0.0.8\" destination-address=\"93.184.216.34\"] session created"s,
         "srx-01", "RT_FLOW", -1, utc(2026, 12, 10, 13, 10, 46), 1, 6, "session created"},
        {"MikroTik RouterOS topic line",
         "<30>firewall,info input: in:ether1 out:(unknown 0), src-mac 00:11:22:33:44:55, proto TCP (SYN), 198.51.100.7:4444->192.0.2.1:22, len 60"s,
         "", "firewall,info input:", -1, kReceipt, 3, 6,
         "in:ether1 out:(unknown 0), src-mac 00:11:22:33:44:55, proto TCP (SYN), "
         "198.51.100.7:4444->192.0.2.1:22, len 60"},
        {"MikroTik RouterOS topic line without colon",
         "<30>system,info,account user admin logged in from 10.0.0.5 via ssh"s, "", "Unknown", -1, kReceipt,
         3, 6, "system,info,account user admin logged in from 10.0.0.5 via ssh"},
        {"MikroTik RouterOS BSD syslog",
         "<134>Dec 10 13:10:46 MikroTik dhcp,info dhcp1 assigned 10.0.0.50 to 00:11:22:33:44:66"s, "MikroTik",
         "Unknown", -1, at(2026, 12, 10, 13, 10, 46), 16, 6,
         "dhcp,info dhcp1 assigned 10.0.0.50 to 00:11:22:33:44:66"},
        {"FortiGate key=value",
         "<189>date=2026-12-10 time=13:10:46 devname=\"FG100F\" devid=\"FG100FTK20000000\" logid=\"0000000013\" type=\"traffic\" subtype=\"forward\" level=\"notice\" vd=\"root\" srcip=10.0.0.8 dstip=93.184.216.34 action=\"accept\""s,
         "", "Unknown", -1, kReceipt, 23, 5,
         "date=2026-12-10 time=13:10:46 devname=\"FG100F\" devid=\"FG100FTK20000000\" logid=\"0000000013\" "
         "type=\"traffic\" subtype=\"forward\" level=\"notice\" vd=\"root\" srcip=10.0.0.8 "
         "dstip=93.184.216.34 action=\"accept\""},
        {"Sophos key=value",
         "<30>device=\"SFW\" date=2026-12-10 time=13:10:46 timezone=\"CET\" device_name=\"XG230\" log_id=010101600001 log_type=\"Firewall\" status=\"Allow\""s,
         "", "Unknown", -1, kReceipt, 3, 6,
         "device=\"SFW\" date=2026-12-10 time=13:10:46 timezone=\"CET\" device_name=\"XG230\" "
         "log_id=010101600001 log_type=\"Firewall\" status=\"Allow\""},
        {"pfSense filterlog without host",
         "<134>Dec 10 13:10:46 filterlog[21570]: 5,,,1000000103,igb0,match,block,in,4,0x0,,64,0,0,DF,6,tcp,60,198.51.100.7,192.0.2.1,4444,22,0,S,123,,64240,,mss"s,
         "", "filterlog[21570]:", 21570, at(2026, 12, 10, 13, 10, 46), 16, 6,
         "5,,,1000000103,igb0,match,block,in,4,0x0,,64,0,0,DF,6,tcp,60,198.51.100.7,192.0.2.1,4444,22,0,S,"
         "123,,64240,,mss"},
        {"OPNsense filterlog RFC 5424",
         "<134>1 2026-12-10T13:10:46+01:00 opnsense.localdomain filterlog 21570 - [meta sequenceId=\"12\"] 96,,,02f4bab031b57d1e30553ce08e0ec131,vtnet0,match,pass,in,4"s,
         "opnsense.localdomain", "filterlog", 21570, utc(2026, 12, 10, 12, 10, 46), 16, 6,
         "96,,,02f4bab031b57d1e30553ce08e0ec131,vtnet0,match,pass,in,4"},
        {"pfSense dhcpd without host",
         "<30>Dec 10 13:10:46 dhcpd: DHCPACK on 10.0.0.50 to 00:11:22:33:44:66 via igb1"s, "", "dhcpd:", -1,
         at(2026, 12, 10, 13, 10, 46), 3, 6, "DHCPACK on 10.0.0.50 to 00:11:22:33:44:66 via igb1"},
        {"Ubiquiti EdgeRouter dhcpd",
         "<30>Dec 10 13:10:46 ubnt-er-x dhcpd: DHCPREQUEST for 10.0.0.51 from 00:11:22:33:44:88 via switch0"s,
         "ubnt-er-x", "dhcpd:", -1, at(2026, 12, 10, 13, 10, 46), 3, 6,
         "DHCPREQUEST for 10.0.0.51 from 00:11:22:33:44:88 via switch0"},
        {"Ubiquiti USG kernel firewall",
         "<4>Dec 10 13:10:46 usg-01 kernel: [WAN_LOCAL-default-D]IN=eth0 OUT= MAC=00:11 SRC=198.51.100.7 DST=192.0.2.1 LEN=60 PROTO=TCP SPT=4444 DPT=22"s,
         "usg-01", "kernel:", -1, at(2026, 12, 10, 13, 10, 46), 0, 4,
         "[WAN_LOCAL-default-D]IN=eth0 OUT= MAC=00:11 SRC=198.51.100.7 DST=192.0.2.1 LEN=60 PROTO=TCP "
         "SPT=4444 DPT=22"},
        {"HP ProCurve ports", "<14>Dec 10 13:10:46 hp-2920-01 ports: port 12 is now on-line"s, "hp-2920-01",
         "ports:", -1, at(2026, 12, 10, 13, 10, 46), 1, 6, "port 12 is now on-line"},
        {"Aruba CX lldpd",
         "<190>Dec 10 13:10:46 aruba-cx-01 lldpd[3405]: Event|1304|LOG_INFO|AMM|1/1|LLDP neighbor 00:11:22:33:44:99 added on 1/1/5"s,
         "aruba-cx-01", "lldpd[3405]:", 3405, at(2026, 12, 10, 13, 10, 46), 23, 6,
         "Event|1304|LOG_INFO|AMM|1/1|LLDP neighbor 00:11:22:33:44:99 added on 1/1/5"},
        {"Aruba controller year after time",
         "<139>Dec 10 13:10:46 2026 aruba-mc-01 authmgr[4112]: <522008> <ERRS> |authmgr|  User authentication failed"s,
         "aruba-mc-01", "authmgr[4112]:", 4112, at(2026, 12, 10, 13, 10, 46), 17, 3,
         "<522008> <ERRS> |authmgr|  User authentication failed"},
        {"Palo Alto CSV over BSD",
         "<14>Dec 10 13:10:46 PA-3220 1,2026/12/10 13:10:46,012801000001,TRAFFIC,end,2561,2026/12/10 13:10:46,10.0.0.8,93.184.216.34,allow"s,
         "PA-3220", "Unknown", -1, at(2026, 12, 10, 13, 10, 46), 1, 6,
         "1,2026/12/10 13:10:46,012801000001,TRAFFIC,end,2561,2026/12/10 "
         "13:10:46,10.0.0.8,93.184.216.34,allow"},
        {"Palo Alto CSV over RFC 5424",
         "<14>1 2026-12-10T13:10:46+01:00 PA-3220 - - - - 1,2026/12/10 13:10:46,012801000001,THREAT,url"s,
         "PA-3220", "Unknown", -1, utc(2026, 12, 10, 12, 10, 46), 1, 6,
         "1,2026/12/10 13:10:46,012801000001,THREAT,url"},
        {"VMware ESXi 6 hostd",
         "<166>2026-12-10T12:10:46.123Z esxi-01.lab.local Hostd: info hostd[2099583] [Originator@6876 sub=Vimsvc.ha-eventmgr] Event 123 : User root@10.0.0.5 logged in"s,
         "esxi-01.lab.local", "Hostd:", -1, utc(2026, 12, 10, 12, 10, 46), 20, 6,
         "info hostd[2099583] [Originator@6876 sub=Vimsvc.ha-eventmgr] Event 123 : User root@10.0.0.5 logged "
         "in"},
        {"VMware ESXi 7 RFC 5424",
         "<166>1 2026-12-10T12:10:46.123Z esxi-02.lab.local vpxa 2099601 - - info vpxa[2099601] [Originator@6876 sub=vpxLro] Task completed"s,
         "esxi-02.lab.local", "vpxa", 2099601, utc(2026, 12, 10, 12, 10, 46), 20, 6,
         "info vpxa[2099601] [Originator@6876 sub=vpxLro] Task completed"},
        {"Synology DSM connection",
         "<14>Dec 10 13:10:46 DS920 Connection: User [admin] from [10.0.0.5] via [DSM] signed in successfully."s,
         "DS920", "Connection:", -1, at(2026, 12, 10, 13, 10, 46), 1, 6,
         "User [admin] from [10.0.0.5] via [DSM] signed in successfully."},
        {"Synology DSM RFC 5424",
         "<14>1 2026-12-10T13:10:46+01:00 DS920 WinFileService - - - Event: write, Path: /share/doc.txt, User: anna"s,
         "DS920", "WinFileService", -1, utc(2026, 12, 10, 12, 10, 46), 1, 6,
         "Event: write, Path: /share/doc.txt, User: anna"},
        {"Windows Snare tab record",
         "<14>Dec 10 13:10:46 WINSRV01 MSWinEventLog\t1\tSecurity\t5567\tThu Dec 10 13:10:46 2026\t4624\tMicrosoft-Windows-Security-Auditing\tN/A\tN/A\tSuccess Audit\tWINSRV01\tLogon\t\tAn account was successfully logged on."s,
         "WINSRV01", "Microsoft-Windows-Security-Auditing", -1, at(2026, 12, 10, 13, 10, 46), 1, 6,
         "An account was successfully logged on."},
        {"Windows NXLog RFC 5424",
         "<14>1 2026-12-10T13:10:46.000000+01:00 WINSRV01 Microsoft-Windows-Security-Auditing 4 - [NXLOG@14506 EventReceivedTime=\"2026-12-10 13:10:47\" EventID=\"4624\"] An account was successfully logged on."s,
         "WINSRV01", "Microsoft-Windows-Security-Auditing", 4, utc(2026, 12, 10, 12, 10, 46), 1, 6,
         "An account was successfully logged on."},
        {"nginx access line with percent-encoded path",
         "<190>Dec 10 13:10:46 web-01 nginx: 10.0.0.8 - - [10/Dec/2026:13:10:46 +0100] \"GET /docs/My%20File.pdf HTTP/1.1\" 200 5120 \"-\" \"curl/8.5.0\""s,
         "web-01", "nginx:", -1, at(2026, 12, 10, 13, 10, 46), 23, 6,
         "10.0.0.8 - - [10/Dec/2026:13:10:46 +0100] \"GET /docs/My%20File.pdf HTTP/1.1\" 200 5120 \"-\" "
         "\"curl/8.5.0\""},
        {"Apache access line through logger",
         "<134>Dec 10 13:10:46 web-02 httpd[1200]: 10.0.0.9 - - [10/Dec/2026:13:10:46 +0100] \"GET /search?q=100%25 HTTP/1.1\" 404 196"s,
         "web-02", "httpd[1200]:", 1200, at(2026, 12, 10, 13, 10, 46), 16, 6,
         "10.0.0.9 - - [10/Dec/2026:13:10:46 +0100] \"GET /search?q=100%25 HTTP/1.1\" 404 196"},
        {"nginx error line",
         "<187>Dec 10 13:10:46 web-01 nginx: 2026/12/10 13:10:46 [error] 1234#1234: *1 open() \"/var/www/favicon.ico\" failed (2: No such file or directory)"s,
         "web-01", "nginx:", -1, at(2026, 12, 10, 13, 10, 46), 23, 3,
         "2026/12/10 13:10:46 [error] 1234#1234: *1 open() \"/var/www/favicon.ico\" failed (2: No such file "
         "or directory)"},
        {"ISO date with blank separator", "<14>2026-12-10 13:10:46 host-5 app: started"s, "host-5",
         "app:", -1, at(2026, 12, 10, 13, 10, 46), 1, 6, "started"},
        {"short text without header", "<13>hi"s, "", "Unknown", -1, kReceipt, 1, 5, "hi"},
        {"logger --rfc5424=notime", "<13>1 - myhost anna - - - hello"s, "myhost", "anna", -1, kReceipt, 1, 5,
         "hello"},
        {"no host, tag only, short text", "<134>Dec 10 13:10:46 filterlog[21570]: x"s, "",
         "filterlog[21570]:", 21570, at(2026, 12, 10, 13, 10, 46), 16, 6, "x"},
        {"RFC 3164 worked example", "<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed"s, "mymachine",
         "su[123]:", 123, at(2026, 10, 11, 22, 14, 15), 4, 2, "'su root' failed"},
        {"logger default RFC 5424 with time quality",
         "<13>1 2026-12-10T14:52:32.180170+00:00 vm root - - [timeQuality tzKnown=\"1\" isSynced=\"0\"] hello world"s,
         "vm", "root", -1, utc(2026, 12, 10, 14, 52, 32), 1, 5, "hello world"},
        {"logger --rfc5424=nohost",
         "<13>1 2026-12-10T14:52:32.187078+00:00 - root - - [timeQuality tzKnown=\"1\" isSynced=\"0\"] hello world"s,
         "", "root", -1, utc(2026, 12, 10, 14, 52, 32), 1, 5, "hello world"},
        {"logger RFC 5424 local3.err with two SD elements",
         "<155>1 2026-12-10T14:52:32.191172+00:00 vm backup - - [timeQuality tzKnown=\"1\" isSynced=\"0\"][zoo@123 tiger=\"hungry\"] disk full"s,
         "vm", "backup", -1, utc(2026, 12, 10, 14, 52, 32), 19, 3, "disk full"},
        {"logger RFC 5424 with msgid", "<13>1 2026-12-10T14:52:32.194989+00:00 vm root - ID47 - hello world"s,
         "vm", "root", -1, utc(2026, 12, 10, 14, 52, 32), 1, 5, "hello world"},
        {"Python SysLogHandler warning", "<12>Payment gateway timeout\0"s, "", "Unknown", -1, kReceipt, 1, 4,
         "Payment gateway timeout"},
        {"Python SysLogHandler with ident", "<11>billing[77]: charge declined\0"s, "", "billing[77]:", 77,
         kReceipt, 1, 3, "charge declined"},
        {"UTF-8 text", "<13>Dec 10 13:10:46 sensor-3 probe: temperature 21 °C in Zürich"s, "sensor-3",
         "probe:", -1, at(2026, 12, 10, 13, 10, 46), 1, 5, "temperature 21 °C in Zürich"},
        {"Synology classic with NUL", "<30>Dec 10 13:10:46 nas-02 syno_hibernation: HDD woke up\0"s, "nas-02",
         "syno_hibernation:", -1, at(2026, 12, 10, 13, 10, 46), 3, 6, "HDD woke up"},
        {"Cisco IOS sequence, msec, UTC without origin",
         "<189>49: Dec 10 12:47:30.123 UTC: %OSPF-5-ADJCHG: Process 1, Nbr 10.0.0.2 on Gi0/0 from LOADING to FULL"s,
         "", "OSPF", -1, utc(2026, 12, 10, 12, 47, 30), 23, 5,
         "Process 1, Nbr 10.0.0.2 on Gi0/0 from LOADING to FULL"},
        {"ntpd with dotted address in text",
         "<29>Dec 10 13:10:46 ntp-01 ntpd[611]: 0.0.0.0 c61c 0c clock_step -0.123456 s"s, "ntp-01",
         "ntpd[611]:", 611, at(2026, 12, 10, 13, 10, 46), 3, 5, "0.0.0.0 c61c 0c clock_step -0.123456 s"},
        {"VMware ESXi vmkernel",
         "<14>Dec 10 13:10:46 esxi-03 vmkernel: cpu2:2097720)ScsiDeviceIO: 4325: Cmd(0x45b8c1d5f8c0) 0x28 failed"s,
         "esxi-03", "vmkernel:", -1, at(2026, 12, 10, 13, 10, 46), 1, 6,
         "cpu2:2097720)ScsiDeviceIO: 4325: Cmd(0x45b8c1d5f8c0) 0x28 failed"},
        {"Juniper /kernel tag",
         "<165>Dec 10 13:10:46 mx-edge-2 /kernel: KERN_ARP_ADDR_CHANGE: arp info overwritten for 10.0.0.7"s,
         "mx-edge-2", "/kernel:", -1, at(2026, 12, 10, 13, 10, 46), 20, 5,
         "KERN_ARP_ADDR_CHANGE: arp info overwritten for 10.0.0.7"},
    };
    ASSERT_GE(std::size(rows), 60u);
    for (const SenderRow& row : rows) {
        SCOPED_TRACE(row.name);
        TnSyslogMessage m;
        m.SetReceived(kReceivedAt);
        m.SetData(row.input);
        EXPECT_EQ(m.Host(), row.host);
        EXPECT_FALSE(m.Data().empty());
        EXPECT_EQ(m.Process(), row.process);
        EXPECT_DOUBLE_EQ(m.TimeStamp(), row.timeStamp);
        EXPECT_EQ(m.Facility(), row.facility);
        EXPECT_EQ(m.Severity(), row.severity);
        EXPECT_EQ(m.PID(), row.pid);
        EXPECT_EQ(m.MessageText(), row.message);
    }
}

}  // namespace
}  // namespace corvane
