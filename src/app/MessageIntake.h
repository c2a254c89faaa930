#pragma once

#include "app/DialogGate.h"
#include "app/Notification.h"
#include "app/ThrottledNotifyActions.h"
#include "net/SyslogEvents.h"
#include "store/TData.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

class AlertHub;
class IntakeWindow;
class SilentSenders;
class TData;
class TnSysLogServer;

// The road of a message into the store: the window is raised, the sender's host row found or
// added, a message record appended and filled, the notification check run, the tables saved
// and the new record selected.
//
// Intake is never re-entered while one of its dialogs is open: the listener's messages wait in
// its queue and a message handed over directly waits here, until the dialog is closed.
class MessageIntake {
public:
    // Several waiting messages are taken as one batch of at most this many, and for at most
    // this long (or as long as the last save took, when that was longer) before the tables are
    // saved and the window gets its turn. Saving rewrites the whole message file, so the larger
    // the store, the more a batch must hold to keep up; this way saving never takes more than
    // about half of the time under load. A large store is written by a thread of its own, so
    // its save costs the window almost nothing and batches stay short.
    static constexpr std::size_t kDefaultBatchLimit = 1'000'000;
    static constexpr std::chrono::milliseconds kDefaultBatchTime{50};

    MessageIntake(TData& data, IntakeWindow& window, MessageDialogs& dialogs, NotifyActions& actions,
                  const NotificationState& notification);
    MessageIntake(const MessageIntake&) = delete;
    MessageIntake& operator=(const MessageIntake&) = delete;

    // The listener's message event. Sender and aBinding are not used. An error while filling
    // the record leaves here after the record was saved and selected.
    void HandleMessage(TnComponent* Sender, TnSyslogMessage* aData, Binding* aBinding);
    // Finds or adds the sender's host row, names it after the message and posts it; false when
    // the message is not to be stored.
    bool UpdateHost(TnSyslogMessage& aData);

    // Takes the listener's waiting messages through intake in arrival order. With one waiting
    // this is exactly HandleMessage; with several, up to the batch limit are stored and the
    // tables are saved and the last record selected once. Does nothing while intake is busy.
    // Answers how many messages were taken.
    std::size_t DeliverPending(TnSysLogServer& listener);
    // The listener's wake-up: DeliverPending, unless a resume is already scheduled (the
    // messages then wait for it, so that a run of batches leaves the event loop a turn).
    std::size_t WakeUp(TnSysLogServer& listener);
    // The scheduled resume: DeliverPending.
    std::size_t Resume(TnSysLogServer& listener);

    // True while a message is being taken in (and any dialog of it is open).
    bool busy() const { return m_depth > 0; }
    bool inBatch() const { return m_batch; }

    void setBatchLimit(std::size_t limit) { m_batchLimit = limit ? limit : 1; }
    void setBatchTime(std::chrono::milliseconds time) { m_batchTime = time; }
    // Called when intake becomes idle after it turned away the listener's messages (or after a
    // batch that left messages waiting), so that the owner can schedule DeliverPending again.
    void setResumeHook(std::function<void()> hook) { m_resume = std::move(hook); }
    // Saves the tables now, unless an intake is under way (it saves when it ends): what a
    // background write of the store asks for once it has ended, so that messages taken in
    // while it ran are written too and its failure is reported.
    void SavePending();

    // Messages read from a file rather than received. Between BeginImport and EndImport each
    // one goes through the steps of a message from the network, except that the window is not
    // raised and no notification runs (the events are past); the listener's messages wait
    // meanwhile. EndImport saves the tables once and selects the last record.
    // REQUIRES for BeginImport: intake is not busy.
    void BeginImport();
    // False when the message was not stored (its host row could not be updated, or filling
    // the record failed; the record is kept all the same, as for a received message).
    bool ImportMessage(TnSyslogMessage& aData);
    // A record of the program's own export: every field is taken as it stands, except `Key`
    // (the next key) and `HostKey` (the row of the record's `Address`, or of `fallbackAddress`
    // when it has none, named after its `Host`). Values are by MessageSet field position.
    bool ImportRecord(const std::vector<Value>& values, const std::string& fallbackAddress);
    TData::SaveResult EndImport();
    // Holds the listener's messages back (they wait in its queue) until ReleaseIntake, so that
    // the records in view stay as they are while they are written out.
    void HoldIntake() { ++m_depth; }
    void ReleaseIntake();
    bool importing() const { return m_importing; }

    // Repeats of an open dialog that were counted instead of shown.
    std::uint64_t repeatedWarnings() const { return m_dialogs.repeatedCount(); }
    // Program starts skipped because one had been made less than a second before.
    std::uint64_t skippedProgramStarts() const { return m_actions.skippedStarts(); }
    // Saves that failed (each failure after a success is reported once).
    std::uint64_t failedSaves() const { return m_failedSaves; }
    ThrottledNotifyActions& notifyActions() { return m_actions; }
    // Where matches go besides the sound and the program, and what pauses every alert; and the
    // watch over quiet senders, told of every stored message. Neither is owned; null for none.
    void setAlerts(AlertHub* alerts) { m_alerts = alerts; }
    void setSilentSenders(SilentSenders* silent) { m_silent = silent; }
    DialogGate& dialogs() { return m_dialogs; }

private:
    struct Busy;
    // Steps 2-4; false when nothing was appended.
    bool store(TnSyslogMessage& aData);
    void fillRecord(TnSyslogMessage& aData);
    void saveAndSelect();
    TData::SaveResult save();
    void becameIdle();

    // Field positions of the tables intake writes; found once per batch, or per single message.
    struct Fields {
        bool known = false;
        int hostKey, host, address, data, process, date, timeStamp, facilityKey, facility, severityKey,
            severity, pid, message, subProcess, processEx;
        int hKey, hName, hAddress, hDate;
    };
    const Fields& fields();

    Fields m_fields;
    TData& m_data;
    IntakeWindow& m_window;
    DialogGate m_dialogs;
    ThrottledNotifyActions m_actions;
    const NotificationState& m_notification;
    AlertHub* m_alerts = nullptr;
    SilentSenders* m_silent = nullptr;

    int m_depth = 0;
    bool m_batch = false;
    bool m_importing = false;
    std::size_t m_batchLimit = kDefaultBatchLimit;
    std::chrono::milliseconds m_batchTime = kDefaultBatchTime;
    std::chrono::steady_clock::duration m_lastSave{};
    std::deque<TnSyslogMessage> m_deferred;
    bool m_missedWake = false;
    bool m_resumeScheduled = false;
    std::function<void()> m_resume;
    bool m_saveReported = false;
    std::uint64_t m_failedSaves = 0;
};

}  // namespace corvane
