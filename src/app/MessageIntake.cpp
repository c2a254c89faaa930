#include "store/RowLayout.h"
#include "store/TData.h"
#include "app/MessageIntake.h"

#include "app/AlertHub.h"
#include "app/AppTexts.h"
#include "app/SilentSenders.h"
#include "app/IntakeWindow.h"
#include "net/SysLogServer.h"

#include <algorithm>
#include <exception>

namespace corvane {

namespace {

// What the check sets off while alerts are paused: nothing.
struct NoActions : NotifyActions {
    void PlayNotifySound(const std::string&) override {}
    int RunNotifyProgram(const std::string&) override { return 2; }
};

}  // namespace

// Marks intake as running for the lifetime of one step; leaving the outermost one runs what
// waited meanwhile.
struct MessageIntake::Busy {
    explicit Busy(MessageIntake& intake) : m_intake(intake) { ++m_intake.m_depth; }
    ~Busy() {
        if (--m_intake.m_depth == 0)
            m_intake.becameIdle();
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    MessageIntake& m_intake;
};

MessageIntake::MessageIntake(TData& data, IntakeWindow& window, MessageDialogs& dialogs,
                             NotifyActions& actions, const NotificationState& notification)
    : m_data(data), m_window(window), m_dialogs(dialogs), m_actions(actions), m_notification(notification) {}

void MessageIntake::HandleMessage(TnComponent* /*Sender*/, TnSyslogMessage* aData, Binding* /*aBinding*/) {
    if (busy()) {
        // Called again while one of intake's dialogs is open: this message waits its turn.
        if (aData)
            m_deferred.push_back(*aData);
        return;
    }
    Busy running(*this);
    if (!m_batch)
        m_window.BringToFront();
    if (!aData || !m_data.MessageSet().isOpen())
        return;
    if (!UpdateHost(*aData))
        return;

    std::exception_ptr error;
    try {
        fillRecord(*aData);
    } catch (...) {
        error = std::current_exception();
    }
    if (m_batch) {
        // The batch is saved as a whole; the record, filled or not, is kept now so the next
        // message starts a record of its own.
        m_data.MessageSet().post();
    } else {
        saveAndSelect();
    }
    if (error)
        std::rethrow_exception(error);
}

bool MessageIntake::UpdateHost(TnSyslogMessage& aData) {
    Table& hosts = m_data.HostSet();
    if (!hosts.isOpen())
        return false;
    try {
        const int addressField = hosts.requireField("Address");
        const std::string& peer = aData.PeerAddress();
        // The row holds the address as the store keeps it (cut to the field's size), so a long
        // address must be looked up in that form too, or every message would add a row.
        const std::string_view kept = storedText(peer, hosts.fields()[addressField].size);
        const bool known = hosts.locate(addressField, Value::ofText(kept));
        if (!known) {
            hosts.append();
            hosts.setText(addressField, peer);
        }
        hosts.edit();
        // A message that names no host (a sender that leaves its name out) keeps the name the
        // row has from earlier messages.
        const std::string host = aData.Host();
        if (!host.empty())
            hosts.setText(hosts.requireField("Name"), host);
        else if (!known)
            hosts.setText(hosts.requireField("Name"), app_texts::kUnassigned);
        hosts.setDateTime(hosts.requireField("Date"), aData.Received());
        hosts.post();
        return true;
    } catch (const std::exception& e) {
        hosts.cancel();
        m_dialogs.show(e.what(), app_texts::kUpdateHost, dkError);
        return false;
    }
}

const MessageIntake::Fields& MessageIntake::fields() {
    Table& m = m_data.MessageSet();
    Table& h = m_data.HostSet();
    if (m_batch && m_fields.known)
        return m_fields;
    Fields f;
    f.hostKey = m.requireField("HostKey");
    f.host = m.requireField("Host");
    f.address = m.requireField("Address");
    f.data = m.requireField("Data");
    f.process = m.requireField("Process");
    f.date = m.requireField("Date");
    f.timeStamp = m.requireField("TimeStamp");
    f.facilityKey = m.requireField("FacilityKey");
    f.facility = m.requireField("Facility");
    f.severityKey = m.requireField("SeverityKey");
    f.severity = m.requireField("Severity");
    f.pid = m.requireField("PID");
    f.message = m.requireField("Message");
    f.subProcess = m.requireField("SubProcess");
    f.processEx = m.requireField("ProcessEx");
    f.hKey = h.requireField("Key");
    f.hName = h.requireField("Name");
    f.hAddress = h.requireField("Address");
    f.hDate = h.requireField("Date");
    f.known = true;
    m_fields = f;
    return m_fields;
}

void MessageIntake::fillRecord(TnSyslogMessage& aData) {
    Table& messages = m_data.MessageSet();
    Table& hosts = m_data.HostSet();
    const Fields& f = fields();
    messages.append();
    messages.edit();

    messages.setValue(f.hostKey, hosts.value(f.hKey));
    // The record keeps the message's own host name, longer than the host row's; a message
    // without one takes the row's name.
    if (const std::string host = aData.Host(); !host.empty())
        messages.setText(f.host, host);
    else
        messages.setValue(f.host, hosts.value(f.hName));
    messages.setValue(f.address, hosts.value(f.hAddress));
    messages.setText(f.data, aData.Data());
    messages.setText(f.process, aData.Process());
    messages.setDateTime(f.date, aData.Received());
    messages.setDateTime(f.timeStamp, aData.TimeStamp());

    const std::int32_t facility = aData.Facility();
    messages.setInteger(f.facilityKey, facility);
    Table& facilities = m_data.FacilitySet();
    if (facilities.isOpen() && facilities.locate("Key", Value::ofInteger(facility)))
        messages.setValue(f.facility, facilities.value("Name"));

    const std::int32_t severity = aData.Severity();
    messages.setInteger(f.severityKey, severity);
    Table& severities = m_data.SeveritySet();
    if (severities.isOpen() && severities.locate("Key", Value::ofInteger(severity)))
        messages.setValue(f.severity, severities.value("Name"));

    messages.setInteger(f.pid, aData.PID());
    messages.setText(f.message, aData.MessageText());
    // A structured message names its message ID and structured data; other messages leave
    // both fields unset, and so does a nil field.
    if (aData.IsRfc5424()) {
        if (!aData.SubProcess().empty())
            messages.setText(f.subProcess, aData.SubProcess());
        if (!aData.ProcessEx().empty())
            messages.setText(f.processEx, aData.ProcessEx());
    }
    // Imported messages are history: they alert nobody and say nothing about a sender now.
    if (m_importing)
        return;
    if (m_alerts && m_alerts->paused()) {
        NoActions none;
        CheckNotification(m_notification, messages, facilities, severities, none);
    } else {
        CheckNotification(m_notification, messages, facilities, severities, m_actions, m_alerts);
    }
    if (m_silent && m_silent->minutes() > 0) {
        const Value name = hosts.value(f.hName);
        if (auto heard =
                m_silent->noteMessage(aData.PeerAddress(), name.kind == Value::Kind::Text ? name.text : ""))
            if (m_alerts)
                m_alerts->RaiseSenderAlert(*heard);
    }
}

void MessageIntake::saveAndSelect() {
    save();
    Table& messages = m_data.MessageSet();
    m_window.MessageSelect(messages, messages.recNo());
}

void MessageIntake::SavePending() {
    if (busy())
        return;  // the intake under way saves when it ends
    Busy saving(*this);
    save();
}

TData::SaveResult MessageIntake::save() {
    // Messages beyond the kept number or age go with the batch that took the store past it.
    m_data.ExpireMessages(now());
    const TData::SaveResult saved = m_data.SaveData();
    if (saved.ok()) {
        m_saveReported = false;
    } else {
        ++m_failedSaves;
        // Reported once until a save succeeds again; the unsaved records stay pending in the
        // tables' change logs and the next save writes them.
        if (!m_saveReported) {
            m_saveReported = true;
            m_dialogs.show(std::string(app_texts::kSaveFailed) + "\n" + saved.error, app_texts::kSaveData,
                           dkError);
        }
    }
    return saved;
}

std::size_t MessageIntake::DeliverPending(TnSysLogServer& listener) {
    if (busy()) {
        m_missedWake = true;
        return 0;
    }
    const std::size_t waiting = listener.QueuedCount();
    if (waiting == 0)
        return 0;
    if (waiting == 1) {
        // Exactly the specified road: raise, store, save and select for this one message.
        const std::size_t taken = listener.DeliverQueued(1);
        if (listener.HasQueued())
            m_missedWake = true;
        becameIdle();
        return taken;
    }

    m_window.BringToFront();
    std::size_t taken = 0;
    {
        m_batch = true;
        m_fields.known = false;
        struct EndBatch {
            bool& flag;
            ~EndBatch() { flag = false; }
        } endBatch{m_batch};
        // Chunks keep the clock out of the per-message path.
        constexpr std::size_t kChunk = 256;
        const auto deadline = std::chrono::steady_clock::now() +
                              std::max<std::chrono::steady_clock::duration>(m_batchTime, m_lastSave);
        while (taken < m_batchLimit) {
            const std::size_t got = listener.DeliverQueued(std::min(kChunk, m_batchLimit - taken));
            taken += got;
            if (got == 0 || std::chrono::steady_clock::now() >= deadline)
                break;
        }
    }
    {
        Busy saving(*this);
        try {
            const auto started = std::chrono::steady_clock::now();
            saveAndSelect();
            m_lastSave = std::chrono::steady_clock::now() - started;
        } catch (...) {
            // As for a single message from the network, an error of saving or selecting has
            // no caller to go back to; a failed write is reported by saveAndSelect itself.
        }
        if (listener.HasQueued())
            m_missedWake = true;
    }
    return taken;
}

std::size_t MessageIntake::WakeUp(TnSysLogServer& listener) {
    return m_resumeScheduled ? 0 : DeliverPending(listener);
}

std::size_t MessageIntake::Resume(TnSysLogServer& listener) {
    m_resumeScheduled = false;
    return DeliverPending(listener);
}

void MessageIntake::becameIdle() {
    while (!m_deferred.empty() && !busy()) {
        TnSyslogMessage next = std::move(m_deferred.front());
        m_deferred.pop_front();
        try {
            HandleMessage(nullptr, &next, nullptr);
        } catch (...) {
            // A message handed over while intake was busy has no caller left to report to,
            // like one from the network.
        }
    }
    if (m_missedWake && !busy()) {
        m_missedWake = false;
        if (m_resume && !m_resumeScheduled) {
            m_resumeScheduled = true;
            m_resume();
        }
    }
}

}  // namespace corvane
