#include "store/RowLayout.h"
#include "store/TData.h"
#include "app/MessageIntake.h"

#include "app/AppTexts.h"
#include "app/IntakeWindow.h"

#include <exception>

namespace corvane {

void MessageIntake::BeginImport() {
    ++m_depth;
    m_batch = true;
    m_importing = true;
    m_fields.known = false;
}

bool MessageIntake::ImportMessage(TnSyslogMessage& aData) {
    if (!m_importing || !m_data.MessageSet().isOpen())
        return false;
    if (!UpdateHost(aData))
        return false;
    Table& messages = m_data.MessageSet();
    bool filled = true;
    try {
        fillRecord(aData);
    } catch (const std::exception&) {
        filled = false;
    }
    try {
        // Kept filled or not, so the next message starts a record of its own.
        messages.post();
    } catch (const std::exception&) {
        messages.cancel();
        return false;
    }
    return filled;
}

bool MessageIntake::ImportRecord(const std::vector<Value>& values, const std::string& fallbackAddress) {
    Table& messages = m_data.MessageSet();
    Table& hosts = m_data.HostSet();
    if (!m_importing || !messages.isOpen() || !hosts.isOpen() || values.size() != messages.fields().size())
        return false;
    const Fields& f = fields();
    auto textOf = [&](int field) -> std::string_view {
        const Value& v = values[static_cast<std::size_t>(field)];
        return v.kind == Value::Kind::Text ? std::string_view(v.text) : std::string_view();
    };
    const std::string_view address = textOf(f.address).empty() ? fallbackAddress : textOf(f.address);
    const Value& when = values[static_cast<std::size_t>(f.date)];
    try {
        const std::string_view kept = storedText(address, hosts.fields()[f.hAddress].size);
        if (!hosts.locate(f.hAddress, Value::ofText(kept))) {
            hosts.append();
            hosts.setText(f.hAddress, address);
            hosts.setText(f.hName, app_texts::kUnassigned);
        }
        hosts.edit();
        if (!textOf(f.host).empty())
            hosts.setText(f.hName, textOf(f.host));
        hosts.setDateTime(f.hDate, when.kind == Value::Kind::Date ? when.dateTime : now());
        hosts.post();
    } catch (const std::exception& e) {
        hosts.cancel();
        m_dialogs.show(e.what(), app_texts::kUpdateHost, dkError);
        return false;
    }
    try {
        messages.append();
        const int key = messages.requireField("Key");
        for (int i = 0; i < static_cast<int>(values.size()); ++i) {
            if (i == key || i == f.hostKey || messages.fields()[i].kind != FieldKind::Data)
                continue;
            messages.setValue(i, values[static_cast<std::size_t>(i)]);
        }
        messages.setValue(f.hostKey, hosts.value(f.hKey));
        if (textOf(f.address).empty())
            messages.setValue(f.address, hosts.value(f.hAddress));
        messages.post();
        return true;
    } catch (const std::exception&) {
        messages.cancel();
        return false;
    }
}

TData::SaveResult MessageIntake::EndImport() {
    m_importing = false;
    m_batch = false;
    TData::SaveResult saved;
    try {
        saved = save();
        Table& messages = m_data.MessageSet();
        m_window.MessageSelect(messages, messages.recNo());
    } catch (const std::exception& e) {
        if (saved.ok())
            saved.error = e.what();
    }
    if (--m_depth == 0)
        becameIdle();
    return saved;
}

void MessageIntake::ReleaseIntake() {
    if (--m_depth == 0)
        becameIdle();
}

}  // namespace corvane
