#include "store/Table.h"
#include "app/Notification.h"

#include "app/Alert.h"
#include "app/AppTexts.h"
#include "platform/NotifyActions.h"

#include <optional>
#include <span>

namespace corvane {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The key a condition name stands for: the first row of the table with that name (which
// becomes current), else the code of the settings dialog's item of that name; nothing when
// neither knows the name. -1 means no restriction.
std::optional<std::int32_t> conditionKey(Table& table, std::string_view name,
                                         std::span<const std::string_view> items) {
    const int nameField = table.fieldIndex("Name");
    const int keyField = table.fieldIndex("Key");
    if (table.isOpen() && nameField >= 0 && keyField >= 0) {
        for (int i = 0; i < table.recordCount(); ++i) {
            const RowReader row = table.readerAt(i);
            if (!row.isNull(nameField) && equalsNoCase(row.text(nameField), name)) {
                table.moveTo(i);
                return table.isNull(keyField) ? 0 : table.integer(keyField);
            }
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        if (equalsNoCase(items[i], name))
            return static_cast<std::int32_t>(i) - 1;
    return std::nullopt;
}

std::optional<std::int32_t> recordInteger(const Table& record, std::string_view field) {
    const int f = record.fieldIndex(field);
    if (f < 0 || record.isNull(f))
        return std::nullopt;
    return record.integer(f);
}

std::string_view recordText(const Table& record, std::string_view field) {
    const int f = record.fieldIndex(field);
    if (f < 0 || record.isNull(f))
        return {};
    return record.text(f);
}

}  // namespace

bool CheckNotification(const NotificationState& state, Table& messageSet, Table& facilitySet,
                       Table& severitySet, NotifyActions& actions, AlertSink* alerts) {
    bool matched = true;
    if (!state.NotifyFacility.empty()) {
        if (auto key = conditionKey(facilitySet, state.NotifyFacility, app_texts::kDialogFacilities))
            matched = *key == -1 || recordInteger(messageSet, "FacilityKey") == *key;
    }
    if (!state.NotifySeverity.empty()) {
        if (auto key = conditionKey(severitySet, state.NotifySeverity, app_texts::kDialogSeverities)) {
            if (matched && *key != -1)
                matched = recordInteger(messageSet, "SeverityKey") == *key;
        }
    }
    if (!state.NotifyCondition.empty())
        matched =
            matched && recordText(messageSet, "Data").find(state.NotifyCondition) != std::string_view::npos;
    if (!state.NotifyAddress.empty())
        matched = matched && recordText(messageSet, "Address") == state.NotifyAddress;
    if (!matched)
        return false;
    if (state.NotifySound)
        actions.PlayNotifySound(app_texts::kWarningSound);
    const bool runProgram = state.NotifyExec && state.ExecPath.size() > kMinExecPathLength;
    if (!runProgram && !alerts)
        return true;
    const Alert alert = alertFromRecord(messageSet);
    if (runProgram)
        actions.RunNotifyProgramWith(state.ExecPath, alertEnvironment(alert));
    if (alerts)
        alerts->Deliver(alert);
    return true;
}

}  // namespace corvane
