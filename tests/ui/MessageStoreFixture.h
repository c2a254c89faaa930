#pragma once

#include "filter/ExpressionFilterCompiler.h"
#include "store/TData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

// A data module on a fresh temporary data folder (started from the shipped templates) with a
// filter compiler in fixed regional formats, and a way to add messages as intake fills them.
class MessageStore {
public:
    struct Message {
        int severity = 6;
        int facility = 1;
        std::string address = "192.168.1.20";
        std::string text = "link up";
        DateTime date = 0;
        std::string host = "router";
        std::string process = "kernel";
        int pid = -1;
    };

    MessageStore() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-ui-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data()))
            std::abort();
        m_folder = std::string(name.data()) + "/";
        data = std::make_unique<TData>(m_folder, std::string(CORVANE_SOURCE_DIR) + "/resources/templates/");
        data->DataModuleCreate();
        data->setFilterCompiler(&compiler);
    }
    ~MessageStore() {
        data.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    MessageStore(const MessageStore&) = delete;
    MessageStore& operator=(const MessageStore&) = delete;

    Table& messages() { return data->MessageSet(); }
    const std::string& folder() const { return m_folder; }

    static LocaleFormats formats() {
        LocaleFormats f;
        f.shortDate = "yyyy-MM-dd";
        f.longTime = "HH:mm:ss";
        return f;
    }

    static DateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        return *encodeDateTime({y, mo, d, h, mi, s, ms});
    }

    // Appends and posts one message the way intake fills it; answers its key.
    int add(const Message& m) {
        static const char* const kSeverities[] = {"Emergency", "Alert",  "Critical",    "Error",
                                                  "Warning",   "Notice", "Information", "Debug"};
        Table& t = messages();
        t.append();
        const int key = t.integer(t.requireField("Key"));
        const DateTime date = m.date != 0 ? m.date : at(2024, 12, 8, 9, 0, 0) + key / 86400.0;
        t.setValue("Date", Value::ofDateTime(date));
        t.setValue("TimeStamp", Value::ofDateTime(date));
        t.setValue("SeverityKey", Value::ofInteger(m.severity));
        t.setValue("Severity", Value::ofText(kSeverities[m.severity & 7]));
        t.setValue("FacilityKey", Value::ofInteger(m.facility));
        if (m.facility < 24)
            t.setValue("Facility", Value::ofText(m.facility == 16 ? "Local 0" : "User"));
        t.setValue("Address", Value::ofText(m.address));
        t.setValue("Host", Value::ofText(m.host));
        t.setValue("Process", Value::ofText(m.process));
        t.setValue("PID", Value::ofInteger(m.pid));
        t.setValue("Message", Value::ofText(m.text));
        t.setValue("Data", Value::ofText("<14>" + m.text));
        t.post();
        return key;
    }

    // Adds a host row; answers its key.
    int addHost(const std::string& name, const std::string& address) {
        Table& h = data->HostSet();
        h.append();
        h.setValue("Name", Value::ofText(name));
        h.setValue("Address", Value::ofText(address));
        h.post();
        return h.integer(h.requireField("Key"));
    }

    ExpressionFilterCompiler compiler{formats()};
    std::unique_ptr<TData> data;

private:
    std::string m_folder;
};

}  // namespace corvane::test
