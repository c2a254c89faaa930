#pragma once

#include "app/CommandLine.h"
#include "app/IntakeWindow.h"
#include "headless/EventLoop.h"
#include "platform/MessageDialogs.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class FolderLock;

class AppCore;
class DialogGate;
class PosixNotifyActions;
class TData;

// No window to raise and nothing to select.
class HeadlessWindow : public IntakeWindow {
public:
    void BringToFront() override {}
    void MessageSelect(Table&, int) override {}
    void ShowNotice(const std::string& text) override {
        std::fprintf(stderr, "corvane-headless: %s\n", text.c_str());
        std::fflush(stderr);
    }
};

// Dialogs become lines on an output stream (standard error by default) and are answered OK.
class StreamDialogs : public MessageDialogs {
public:
    explicit StreamDialogs(std::FILE* out = stderr) : m_out(out) {}
    int show(const std::string& message, const std::string& title, int kind,
             const std::string& detail = {}) override;

private:
    std::FILE* m_out;
};

struct HeadlessOptions {
    std::string dataFolder;  // with a trailing slash
    std::string appFolder;   // with a trailing slash; holds templates and Warning.wav
    // One-shot work on the data folder instead of listening: files imported in this order, then
    // the records that pass `filter` exported to `exportFile` in `exportFormat`.
    std::vector<std::string> importFiles;
    std::string exportFile;
    std::string exportFormat;  // "csv", "jsonl" or "syslog"
    std::string filter;        // a filter expression; empty for every record
    bool exchange() const { return !importFiles.empty() || !exportFile.empty(); }
};

// Without templates beside the program, a first start writes the built-in ones, so the host
// table has its "Any" row and the filter table its record as with an installed program.
void provideTemplates(const std::string& dataFolder, const std::string& appFolder);

// Imports and exports as the options say; progress and errors go to `log`, the summaries to
// `out`. Answers the exit status: 0 when everything succeeded, 1 otherwise, 2 for a filter that
// does not compile.
int runExchange(const HeadlessOptions& options, std::FILE* out = stdout, std::FILE* log = stderr);

// The command line: --data-folder, --app-folder, --import, --export, --format and --filter
// besides --help and --version.
CommandLine headlessCommandLine();
// The options of a parsed command line; the data folder defaults to the program's rule
// (USERPROFILE or XDG_DATA_HOME), the program folder to the one rule both programs share.
// Answers the error text, empty on success.
std::string headlessOptionsFrom(const CommandLine& commandLine, HeadlessOptions& options);

// The store, settings, listener and intake on a main loop of our own, without a window: what
// the program does, minus the program's windows.
class HeadlessRunner {
public:
    explicit HeadlessRunner(HeadlessOptions options, std::FILE* log = stderr);
    ~HeadlessRunner();
    HeadlessRunner(const HeadlessRunner&) = delete;
    HeadlessRunner& operator=(const HeadlessRunner&) = delete;

    // Takes the data folder for this program; answers why it cannot (another program holds
    // it), empty when it is held. Nothing is written to the folder before this succeeds.
    std::string lockFolder();
    // Loads the store, applies the settings and opens the listener; answers the listener's
    // error text (empty when it listens).
    std::string start();
    // Runs until stop() (which a signal handler may call).
    void run();
    void stop() { m_loop.requestStop(); }
    // Saves the settings and the tables like the program's shutdown; answers the errors.
    std::string shutdown();

    EventLoop& loop() { return m_loop; }
    AppCore& core() { return *m_core; }
    TData& data() { return *m_data; }
    // "address:port" the listener is bound to; empty while it is closed.
    std::string listeningOn();

private:
    HeadlessOptions m_options;
    std::FILE* m_log;
    EventLoop m_loop;
    HeadlessWindow m_window;
    StreamDialogs m_streamDialogs;
    std::unique_ptr<DialogGate> m_dialogs;
    std::unique_ptr<PosixNotifyActions> m_actions;
    std::unique_ptr<FolderLock> m_lock;
    std::unique_ptr<TData> m_data;
    std::unique_ptr<AppCore> m_core;
};

// The whole program: options, signals, start, run, shutdown. Answers the exit status.
int runHeadless(const std::vector<std::string>& args);

}  // namespace corvane
