#pragma once

#include "app/Alert.h"
#include "app/MailSettings.h"
#include "app/MailThrottle.h"
#include "net/MainThread.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace corvane {

// Mails the alerts while NotifyEmail is on. Deliver only queues (it never waits for the
// network); a thread of its own sends, throttled and batched by MailThrottle. A failure is
// reported once, with the server's answer, through report on the main thread; the mail is tried
// again later, and the next failure is reported only after a mail got through again.
class MailNotifier : public AlertSink {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Sender = std::function<SmtpResult(const SmtpOptions&, const std::string& message)>;

    struct Stats {
        std::uint64_t sent = 0;
        std::uint64_t failed = 0;
        std::string lastError;
        std::string lastMessage;  // the last mail handed to the server, as sent
    };

    MailNotifier(MainThread& mainThread, std::function<void(const std::string&)> report);
    ~MailNotifier() override;
    MailNotifier(const MailNotifier&) = delete;
    MailNotifier& operator=(const MailNotifier&) = delete;

    // Main thread. Turning mail off forgets what waits.
    void configure(const MailSettings& settings);
    void Deliver(const Alert& alert) override;

    Stats stats() const;
    std::size_t queued() const;

    // Tests: the clock the throttle reads, the transport, the throttle's timing; wake makes the
    // sending thread look again at once (after the clock was moved).
    void setClock(Clock clock);
    void setSender(Sender sender);
    void setTiming(MailThrottle::Timing timing);
    void wake();

private:
    void run();
    // Tells the operator, on the main thread, that mail could not be sent.
    void reportFailure(const std::string& error);

    MainThread& m_mainThread;
    std::function<void(const std::string&)> m_report;
    std::shared_ptr<bool> m_alive;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    MailSettings m_settings;
    MailThrottle m_throttle;
    Clock m_clock;
    Sender m_sender;
    Stats m_stats;
    bool m_reported = false;
    bool m_stop = false;
    std::atomic<bool> m_stopFlag{false};
    std::thread m_thread;
};

}  // namespace corvane
