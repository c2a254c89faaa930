#pragma once

#include "app/AlertHub.h"
#include "app/MailNotifier.h"
#include "app/MessageIntake.h"
#include "app/Notification.h"
#include "app/Settings.h"
#include "app/SilentSenders.h"
#include "net/MainThread.h"
#include "net/SysLogServer.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class IntakeWindow;
class MessageDialogs;
class NotifyActions;
class TData;
class Ticker;

// The part of the main window's controller that needs no user interface: it owns the settings
// object, the listener (named "SysLogServer", its message event bound to intake), the local
// address list and the notification and update state, applies the settings and shuts down.
// Used by the Qt window and by the headless runner alike; everything runs on the main thread.
class AppCore {
public:
    // The text the update check starts from when no UpdateURL is set: none, so it is skipped.
    static constexpr const char* kDefaultUpdateURL = "";

    // The settings file at settingsPath is read at once; when it cannot be read the core runs
    // without a settings object (every setting at its default, nothing written).
    AppCore(TData& data, std::string settingsPath, IntakeWindow& window, MessageDialogs& dialogs,
            NotifyActions& actions, MainThread& mainThread);
    ~AppCore();
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    // Null when the settings file could not be read; settingsError() tells why.
    Settings* settings() { return m_settings.get(); }
    const std::string& settingsError() const { return m_settingsError; }

    TnSysLogServer& listener() { return *m_listener; }
    MessageIntake& intake() { return m_intake; }
    NotificationState& notification() { return m_notification; }
    // Every alert passes here on its way to mail, the desktop and the tray; it also pauses them.
    AlertHub& alerts() { return m_alerts; }
    SilentSenders& silentSenders() { return m_silent; }
    // Mails the alerts while NotifyEmail is on; configured by ApplySettings.
    MailNotifier& mailer() { return m_mailer; }
    // The window's language changed: the mails are written in it from now on.
    void setAlertLanguage(const std::string& code);
    // Raises the alerts of the senders that went quiet; runs by itself every kSilentCheckInterval
    // on the main thread while SilentMinutes is set.
    void CheckSilentSenders();
    static constexpr std::chrono::milliseconds kSilentCheckInterval{15000};

    // Update state read from the settings; the check itself lives elsewhere.
    bool UpdateCheck = true;
    std::string UpdateURL = kDefaultUpdateURL;

    // The computer's IPv4 addresses; refilled by RefreshLocalAddresses, true when any.
    const std::vector<std::string>& localAddresses() const { return m_localAddresses; }
    bool RefreshLocalAddresses();
    // The address the listener binds when the settings name none: the first local address,
    // or 127.0.0.1.
    std::string defaultBindingAddress() const;
    // Tests replace where the addresses come from.
    void setLocalAddressSource(std::function<std::vector<std::string>()> source) {
        m_addressSource = std::move(source);
    }

    // Reads the notification state, the update state, the local addresses and the listener's
    // port and bind address from the settings. The listener is reopened when it is open and its
    // bound address differs from the configured one. Answers the reason an open listener could
    // not be reopened, empty when all is well; the caller reports it and goes on.
    //
    // Syslog over TCP is received only when the settings name a TCPPort other than 0 (on
    // TCPBindings, default 127.0.0.1, with the limits TCPMaxConnections, TCPIdleTimeout in
    // seconds and TCPMaxFrame in bytes): the TCP listener is opened, reopened on a changed port
    // or address, or closed here, and a failure to open it is part of the answer.
    std::string ApplySettings();

    // Start-up: ApplySettings, then open the listener. Answers the listener's error text (empty
    // when it listens); everything else is done either way. A TCP listener that cannot be opened
    // does not count as a failed start: on a port the operator set it is shown as a warning once
    // both listeners are open; the built-in default's failure is only kept in tcpError().
    std::string Start();

    // Why the TCP listener is not open, empty when it listens or is off; and whether that is the
    // built-in TCP default (the settings name no TCPPort).
    const std::string& tcpError() const { return m_tcpError; }
    bool tcpIsBuiltInDefault() const { return m_tcpBuiltIn; }

    // The address of the listener's first binding (the test message's sender address).
    std::string firstBindingAddress();

    // Delivers a hand-typed message as if received from address.
    bool InjectMessage(const std::string& text, const std::string& address);

    // Shutdown: writes the settings file, closes the listener, saves the lookup tables when
    // changed and the message, host and filter tables. Answers the errors met, one per line.
    std::string Shutdown();

    // Datagrams the receive queue had to drop, for the status bar.
    std::uint64_t DroppedCount() const { return m_listener->DroppedCount(); }
    // Messages the listener handed to intake (the test message included), for the traffic rates.
    std::uint64_t ReceivedCount() const { return m_received; }

private:
    // The task, run only while the core still exists: what the core posts to the main thread
    // may run after it is gone.
    std::function<void()> whileAlive(std::function<void()> task) const;
    // The TCP part of ApplySettings; answers why the TCP listener could not be opened.
    std::string applyTcpSettings(const Settings& s);

    TData& m_data;
    std::unique_ptr<Settings> m_settings;
    std::string m_settingsError;
    MessageDialogs& m_dialogs;
    std::string m_tcpError;
    bool m_tcpBuiltIn = true;
    NotificationState m_notification;
    AlertHub m_alerts;
    SilentSenders m_silent;
    MailNotifier m_mailer;
    MessageIntake m_intake;
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
    std::unique_ptr<TnSysLogServer> m_listener;
    std::function<void()> m_postSilentCheck;  // posts CheckSilentSenders to the main thread
    std::unique_ptr<Ticker> m_silentTicker;
    std::vector<std::string> m_localAddresses;
    std::function<std::vector<std::string>()> m_addressSource;
    bool m_shutDown = false;
    std::uint64_t m_received = 0;
};

}  // namespace corvane
