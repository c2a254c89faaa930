#include "store/TData.h"
#include "app/AppCore.h"
#include "app/IntakeWindow.h"

#include "app/AppTexts.h"
#include "app/Ticker.h"
#include "net/NetTexts.h"
#include "platform/LocalAddresses.h"
#include "platform/MessageDialogs.h"
#include "protocol/Placeholders.h"

#include <algorithm>
#include <chrono>

namespace corvane {

AppCore::AppCore(TData& data, std::string settingsPath, IntakeWindow& window, MessageDialogs& dialogs,
                 NotifyActions& actions, MainThread& mainThread)
    : m_data(data),
      m_dialogs(dialogs),
      m_alerts(actions, m_notification),
      m_mailer(mainThread,
               [this](const std::string& text) { m_dialogs.show(text, app_texts::kMailTitle, 48); }),
      m_intake(data, window, dialogs, actions, m_notification),
      m_listener(std::make_unique<TnSysLogServer>()) {
    Settings::LoadResult loaded = Settings::load(settingsPath);
    m_settings = std::move(loaded.settings);
    m_settingsError = std::move(loaded.error);

    m_alerts.addSink(m_mailer);
    m_intake.setAlerts(&m_alerts);
    m_intake.setSilentSenders(&m_silent);
    m_postSilentCheck = [&mainThread, check = whileAlive([this] { CheckSilentSenders(); })] {
        mainThread.post(check);
    };
    m_listener->Name = "SysLogServer";
    m_listener->OnMessage = [this](TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding) {
        ++m_received;
        m_intake.HandleMessage(sender, aData, aBinding);
    };
    // Intake decides when waiting messages are taken (never while one of its dialogs is open).
    m_listener->SetMainThread(&mainThread, [this] { m_intake.WakeUp(*m_listener); });
    // Errors of the TCP side (a sender's framing, reported once per connection) reach the
    // operator without a dialog; they arrive in order with the messages, on this thread.
    m_listener->SetOnTCPException([&window](TnComponent*, Binding*, const std::string& text,
                                            const std::string&) { window.ShowNotice(text); });
    // Messages left waiting after a batch are taken once the window's timers have had their turn.
    m_intake.setResumeHook([this, &mainThread] {
        mainThread.postAfterTimers(whileAlive([this] { m_intake.Resume(*m_listener); }));
    });
    // A background write of the store ends on its own thread; the save that follows runs here.
    m_data.setBackgroundSaveEnded(
        [&mainThread, save = whileAlive([this] { m_intake.SavePending(); })] { mainThread.post(save); });
}

std::function<void()> AppCore::whileAlive(std::function<void()> task) const {
    return [alive = std::weak_ptr<const bool>(m_alive), task = std::move(task)] {
        if (alive.lock())
            task();
    };
}

AppCore::~AppCore() {
    m_silentTicker.reset();
    m_alive.reset();
    m_data.setBackgroundSaveEnded({});
    // The receive thread ends before the hand-over it uses goes away.
    m_listener.reset();
}

bool AppCore::RefreshLocalAddresses() {
    m_localAddresses = m_addressSource ? m_addressSource() : localIPv4Addresses();
    return !m_localAddresses.empty();
}

std::string AppCore::defaultBindingAddress() const {
    return m_localAddresses.empty() ? std::string(app_texts::kLoopbackAddress) : m_localAddresses.front();
}

std::string AppCore::ApplySettings() {
    // A settings file that could not be read is left as it is; every setting takes its default,
    // the listeners' own safe addresses included (never every interface).
    const Settings none{std::string()};
    const Settings& s = m_settings ? *m_settings : none;
    const char* o = app_texts::kOptions;
    m_notification.NotifySound = s.readBool(o, "NotifySound", true);
    m_notification.NotifyExec = s.readBool(o, "NotifyExec", false);
    m_notification.ExecPath = s.readString(o, "ExecPath", "");
    m_notification.NotifyEmail = s.readBool(o, "NotifyEmail", false);
    m_notification.NotifyAddress = s.readString(o, "NotifyAddress", "");
    m_notification.NotifyCondition = s.readString(o, "NotifyCondition", "");
    m_notification.NotifyFacility = s.readString(o, "NotifyFacility", "System");
    m_notification.NotifySeverity = s.readString(o, "NotifySeverity", "Emergency");
    m_notification.NotifyDesktop = s.readBool(o, "NotifyDesktop", true);
    m_mailer.configure(readMailSettings(s));
    m_silent.setMinutes(s.readInteger(o, "SilentMinutes", 0));
    if (m_silent.minutes() > 0 && !m_silentTicker)
        m_silentTicker = std::make_unique<Ticker>(kSilentCheckInterval, m_postSilentCheck);
    else if (m_silent.minutes() == 0)
        m_silentTicker.reset();

    m_data.setExpiry(s.readInteger(o, "KeepMessages", TData::kDefaultKeepMessages),
                     s.readInteger(o, "KeepDays", 0));

    UpdateCheck = s.readBool(o, "UpdateCheck", true);
    UpdateURL = s.readString(o, "UpdateURL", kDefaultUpdateURL);

    RefreshLocalAddresses();
    const std::string fallback = defaultBindingAddress();

    TnSysLogServer& listener = *m_listener;
    const int port = s.readInteger(o, "UDPPort", TnUDPSyslogServer::kDefaultPort);
    const std::string address = s.readString(o, "UDPBindings", fallback);
    // Rebind when the port or the address in use differs from the configured one; comparing
    // with the address actually bound (not the first local address) lets a change back to that
    // address take effect too.
    const bool reopen = listener.UDPServer().Active() &&
                        ((port != 0 && port != listener.UDPPort()) || listener.BoundAddress() != address);
    if (reopen)
        (void)listener.SetActive(false);
    std::string error;
    if (!listener.UDPServer().Active())
        error = listener.SetUDPPort(port);
    if (listener.UDPBindings().empty())
        listener.UDPBindings().Add();
    listener.UDPBindings()[0].IP = address;
    if (reopen)
        error = listener.SetActive(true);
    if (const std::string tcpError = applyTcpSettings(s); !tcpError.empty())
        error = error.empty() ? tcpError : error + "\n" + tcpError;
    return error;
}

std::string AppCore::applyTcpSettings(const Settings& s) {
    const char* o = app_texts::kOptions;
    TnSysLogServer& listener = *m_listener;
    TnTCPSyslogServer& tcp = listener.TCPServer();
    tcp.SetMaxConnections(s.readInteger(o, "TCPMaxConnections", TnTCPSyslogServer::kDefaultMaxConnections));
    tcp.SetIdleTimeout(std::chrono::seconds(
        s.readInteger(o, "TCPIdleTimeout", TnTCPSyslogServer::kDefaultIdleTimeoutSeconds)));
    tcp.SetMaxFrame(static_cast<std::size_t>(
        std::max(1, s.readInteger(o, "TCPMaxFrame", static_cast<int>(TnTCPSyslogServer::kDefaultMaxFrame)))));

    // TCP listens on its own port like UDP; a port of 0 (or one that is no port) set by hand in
    // the settings file turns it off.
    int port = s.readInteger(o, "TCPPort", TnTCPSyslogServer::kDefaultPort);
    if (port < 0 || port > 65535)
        port = 0;
    const std::string address = s.readString(o, "TCPBindings", app_texts::kLoopbackAddress);
    const bool asConfigured = listener.TCPPort() == port && !listener.TCPBindings().empty() &&
                              listener.TCPBindings()[0].IP == address;
    if (listener.TCPActive() && (port == 0 || !asConfigured))
        (void)listener.SetTCPActive(false);
    m_tcpError.clear();
    m_tcpBuiltIn = !s.keyExists(o, "TCPPort");
    if (port == 0 || listener.TCPActive())
        return {};
    (void)listener.SetTCPPort(port);
    if (listener.TCPBindings().empty())
        listener.TCPBindings().Add();
    listener.TCPBindings()[0].IP = address;
    if (const std::string error = listener.SetTCPActive(true); !error.empty())
        m_tcpError = fillIn(net_texts::kTcpListenFailed, error);
    return m_tcpError;
}

void AppCore::setAlertLanguage(const std::string& code) {
    if (!m_settings)
        return;
    MailSettings mail = readMailSettings(*m_settings);
    mail.language = code;
    m_mailer.configure(mail);
}

void AppCore::CheckSilentSenders() {
    for (const Alert& alert : m_silent.check()) m_alerts.RaiseSenderAlert(alert);
}

std::string AppCore::Start() {
    ApplySettings();
    const std::string error = m_listener->SetActive(true);
    // Reported only now that every listener that can listen does. A port the operator chose is
    // worth a dialog; the built-in default failing (for want of the privilege for port 601, say)
    // is only noted, for the window's status bar.
    if (!m_tcpError.empty() && !m_tcpBuiltIn)
        m_dialogs.show(m_tcpError, net_texts::kTcpListenFailedTitle, dkWarning);
    return error;
}

std::string AppCore::firstBindingAddress() {
    return m_listener->UDPBindings().empty() ? std::string() : m_listener->UDPBindings()[0].IP;
}

bool AppCore::InjectMessage(const std::string& text, const std::string& address) {
    return m_listener->InjectMessage(text, address);
}

std::string AppCore::Shutdown() {
    if (m_shutDown)
        return {};
    m_shutDown = true;
    std::string errors;
    auto note = [&errors](const std::string& e) {
        if (e.empty())
            return;
        if (!errors.empty())
            errors += '\n';
        errors += e;
    };
    if (m_settings)
        note(m_settings->flush());
    (void)m_listener->SetActive(false);
    (void)m_listener->SetTCPActive(false);
    // What was received before the listener closed is still taken in, so nothing is lost.
    while (m_listener->HasQueued() && !m_intake.busy()) m_intake.DeliverPending(*m_listener);
    note(m_data.SaveLookups().error);
    note(m_data.SaveData(true).error);
    return errors;
}

}  // namespace corvane
