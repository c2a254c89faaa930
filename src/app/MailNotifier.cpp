#include "app/MailNotifier.h"

#include "app/AppTexts.h"
#include "protocol/Placeholders.h"

#include <ctime>

namespace corvane {

MailNotifier::MailNotifier(MainThread& mainThread, std::function<void(const std::string&)> report)
    : m_mainThread(mainThread),
      m_report(std::move(report)),
      m_alive(std::make_shared<bool>(true)),
      m_clock([] { return std::chrono::steady_clock::now(); }),
      // A mail under way is given up when the mailer goes (at the program's end).
      m_sender([this](const SmtpOptions& o, const std::string& m) { return SmtpSend(o, m, &m_stopFlag); }) {
    m_thread = std::thread([this] { run(); });
}

MailNotifier::~MailNotifier() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_stopFlag = true;
    m_wake.notify_all();
    m_thread.join();
    *m_alive = false;
}

void MailNotifier::configure(const MailSettings& settings) {
    std::lock_guard lock(m_mutex);
    m_settings = settings;
    if (!settings.enabled) {
        m_throttle.clear();
        m_reported = false;
    }
    m_wake.notify_all();
}

void MailNotifier::Deliver(const Alert& alert) {
    std::lock_guard lock(m_mutex);
    if (!m_settings.enabled)
        return;
    m_throttle.add(alert);
    m_wake.notify_all();
}

MailNotifier::Stats MailNotifier::stats() const {
    std::lock_guard lock(m_mutex);
    return m_stats;
}

std::size_t MailNotifier::queued() const {
    std::lock_guard lock(m_mutex);
    return m_throttle.queued();
}

void MailNotifier::setClock(Clock clock) {
    std::lock_guard lock(m_mutex);
    m_clock = std::move(clock);
}

void MailNotifier::setSender(Sender sender) {
    std::lock_guard lock(m_mutex);
    m_sender = std::move(sender);
}

void MailNotifier::setTiming(MailThrottle::Timing timing) {
    std::lock_guard lock(m_mutex);
    m_throttle.setTiming(timing);
}

void MailNotifier::wake() {
    m_wake.notify_all();
}

void MailNotifier::run() {
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        const auto now = m_clock();
        if (!m_settings.enabled || !m_throttle.dueAt()) {
            m_wake.wait(lock);
            continue;
        }
        if (!m_throttle.due(now)) {
            // The clock may be a test's, so the wait is short and the throttle is asked again.
            const auto left = *m_throttle.dueAt() - now;
            m_wake.wait_for(
                lock, std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(200)));
            continue;
        }
        MailBatch batch = m_throttle.take(now);
        const MailSettings settings = m_settings;
        const Sender sender = m_sender;
        lock.unlock();

        SmtpResult result;
        std::string message;
        if (std::string problem = settings.problem(); !problem.empty()) {
            result.error = std::move(problem);
        } else {
            message = mailMessage(settings.smtp.from, settings.smtp.recipients,
                                  composeAlertMail(batch, settings.language), std::time(nullptr));
            result = sender(settings.smtp, message);
        }

        lock.lock();
        if (result.ok) {
            m_throttle.succeeded();
            ++m_stats.sent;
            m_stats.lastMessage = std::move(message);
            m_reported = false;
            continue;
        }
        ++m_stats.failed;
        m_stats.lastError = result.error;
        if (m_stop)
            break;
        m_throttle.failed(std::move(batch), m_clock());
        if (!m_reported) {
            m_reported = true;
            reportFailure(result.error);
        }
    }
}

void MailNotifier::reportFailure(const std::string& error) {
    if (!m_report)
        return;
    const std::string text = fillIn(app_texts::kMailFailed, error) + "\n" + app_texts::kMailRetried;
    m_mainThread.post([alive = std::weak_ptr<bool>(m_alive), report = m_report, text] {
        if (auto flag = alive.lock(); flag && *flag)
            report(text);
    });
}

}  // namespace corvane
