#pragma once

#include "store/DataPacketReader.h"
#include "store/TData.h"
#include "store/TableJournal.h"
#include "app/IntakeWindow.h"
#include "platform/MessageDialogs.h"
#include "platform/NotifyActions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::test {

struct RecordingWindow : IntakeWindow {
    int raised = 0;
    std::vector<int> selected;  // recNo of every MessageSelect
    void BringToFront() override { ++raised; }
    void MessageSelect(Table&, int recNo) override { selected.push_back(recNo); }
};

struct ShownDialog {
    std::string message, title;
    int kind = 0;
};

// Records every dialog; whileOpen runs as if the dialog's own event loop were spinning.
struct RecordingDialogs : MessageDialogs {
    std::vector<ShownDialog> shown;
    std::function<void()> whileOpen;
    int show(const std::string& message, const std::string& title, int kind,
             const std::string& = {}) override {
        shown.push_back({message, title, kind});
        if (whileOpen) {
            auto once = std::move(whileOpen);
            whileOpen = nullptr;
            once();
        }
        return 1;
    }
};

struct RecordingActions : NotifyActions {
    std::vector<std::string> sounds, programs;
    std::vector<ProgramEnvironment> environments;  // one per program started with variables
    std::function<int(const std::string&)> onRun;
    void PlayNotifySound(const std::string& name) override { sounds.push_back(name); }
    int RunNotifyProgram(const std::string& path) override {
        programs.push_back(path);
        return onRun ? onRun(path) : 42;
    }
    int RunNotifyProgramWith(const std::string& path, const ProgramEnvironment& environment) override {
        environments.push_back(environment);
        return RunNotifyProgram(path);
    }
};

// A fresh data folder with the shipped templates, removed afterwards.
class TempDataFolder {
public:
    TempDataFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-intake-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern + "/";
    }
    ~TempDataFolder() { std::filesystem::remove_all(m_path); }
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline std::string templateFolder() {
    return std::string(CORVANE_SOURCE_DIR) + "/resources/templates/";
}

inline std::unique_ptr<TData> openStore(const std::string& folder) {
    auto data = std::make_unique<TData>(folder, templateFolder());
    data->DataModuleCreate();
    return data;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The records that reached the disk: a data file with its journals applied (read from a copy,
// so the folder is left as it is).
inline std::unique_ptr<Table> readTableFile(const std::string& path) {
    const std::string bytes = readFile(path);
    PacketReadResult r = DataPacketReader::read(bytes);
    if (!r.ok())
        return nullptr;
    auto table = std::make_unique<Table>("Read");
    table->load(std::move(r.contents));
    char folder[] = "/tmp/corvane-read-XXXXXX";
    if (!::mkdtemp(folder))
        return nullptr;
    const std::string copy = std::string(folder) + "/" + std::filesystem::path(path).filename().string();
    for (const char* suffix : {"", ".journal", ".journal-next"}) {
        std::error_code ec;
        std::filesystem::copy_file(path + suffix, copy + suffix, ec);
    }
    const FileIdentity identity = FileIdentity::of(bytes);
    {
        TableJournal journal(copy);
        journal.open(*table, &identity);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return table;
}

inline std::string textAt(const Table& t, int position, const char* field) {
    const Value v = t.valueAt(position, t.requireField(field));
    return v.kind == Value::Kind::Text ? v.text : std::string(v.isNull() ? "<null>" : "<not text>");
}

inline Value valueAt(const Table& t, int position, const char* field) {
    return t.valueAt(position, t.requireField(field));
}

}  // namespace corvane::test
