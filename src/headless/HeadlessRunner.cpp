#include "store/DataFolder.h"
#include "store/FolderLock.h"
#include "store/StoreTemplates.h"
#include "store/TData.h"
#include "headless/HeadlessRunner.h"

#include "app/AppCore.h"
#include "app/DialogGate.h"
#include "app/SettingsTexts.h"
#include "net/NetTexts.h"
#include "net/Socket.h"
#include "platform/AppFolder.h"
#include "platform/NotifyActions.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr int kMainThreadNice = 5;

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

const char* kindName(int kind) {
    switch (kind) {
        case dkError:
            return "error";
        case dkQuestion:
            return "question";
        case dkWarning:
            return "warning";
        case dkInformation:
            return "information";
        default:
            return "notice";
    }
}

}  // namespace

void provideTemplates(const std::string& dataFolder, const std::string& appFolder) {
    std::error_code ec;
    if (fs::exists(dataFolder + "MessageSet.vtx", ec) || fs::exists(appFolder + "MessageSet.vtx", ec))
        return;
    fs::create_directories(dataFolder, ec);
    for (const char* name : {"MessageSet", "HostSet", "FacilitySet", "SeveritySet", "FilterSet"}) {
        const std::string text = templateText(name);
        if (text.empty())
            continue;
        std::ofstream out(dataFolder + name + ".vtx", std::ios::binary);
        out << text;
    }
}

int StreamDialogs::show(const std::string& message, const std::string& title, int kind,
                        const std::string& detail) {
    std::fprintf(m_out, "[%s] %s: %s\n", kindName(kind), title.c_str(), message.c_str());
    if (!detail.empty())
        std::fprintf(m_out, "  %s\n", detail.c_str());
    std::fflush(m_out);
    return 1;
}

CommandLine headlessCommandLine() {
    CommandLine commandLine(
        "corvane-headless",
        "Receives syslog messages into the data folder's tables without a window, using the ports and\n"
        "addresses of corvane.ini there, until SIGINT, SIGTERM or SIGHUP. The data folder defaults to\n"
        "$USERPROFILE/AppData/Local/Corvane/ or $XDG_DATA_HOME/Corvane/ (~/.local/share/Corvane/).\n"
        "With --import or --export it does not listen: it takes each log file (syslog text, RFC 5424\n"
        "or JSON Lines, plain or .gz) into the tables, then writes the messages that pass the filter\n"
        "expression, every field, to the export file, and ends. The format defaults to the export\n"
        "file's extension (.csv, .jsonl, .log).");
    commandLine.addOption("data-folder", "DIR", "the folder of the data files and corvane.ini");
    commandLine.addOption("app-folder", "DIR", "the folder of the template data files and Warning.wav");
    commandLine.addOption("import", "FILE", "import a log file (may be given more than once)",
                          CommandLine::kRepeatable);
    commandLine.addOption("export", "FILE", "export the messages to FILE");
    commandLine.addOption("format", "FORMAT", "csv, jsonl or syslog (default: from the export file's name)");
    commandLine.addOption("filter", "EXPR", "export only the messages that pass this filter expression",
                          CommandLine::kMayBeEmpty);
    return commandLine;
}

std::string headlessOptionsFrom(const CommandLine& commandLine, HeadlessOptions& options) {
    options.dataFolder = withSlash(commandLine.value("data-folder"));
    options.appFolder = withSlash(commandLine.value("app-folder"));
    options.importFiles = commandLine.values("import");
    options.exportFile = commandLine.value("export");
    options.exportFormat = commandLine.value("format");
    options.filter = commandLine.value("filter");
    if (options.exportFile.empty() && (!options.exportFormat.empty() || !options.filter.empty()))
        return "--format and --filter need --export";
    if (!options.exportFile.empty() && options.exportFormat.empty()) {
        const std::string& f = options.exportFile;
        auto endsWith = [&](std::string_view e) { return f.size() > e.size() && f.ends_with(e); };
        options.exportFormat = endsWith(".csv")     ? "csv"
                               : endsWith(".jsonl") ? "jsonl"
                               : endsWith(".log")   ? "syslog"
                                                    : "";
        if (options.exportFormat.empty())
            return "--export needs --format csv, jsonl or syslog";
    }
    if (!options.exportFormat.empty() && options.exportFormat != "csv" && options.exportFormat != "jsonl" &&
        options.exportFormat != "syslog")
        return "unknown format " + options.exportFormat + " (csv, jsonl or syslog)";
    if (options.dataFolder.empty())
        options.dataFolder = resolveDataFolder();
    if (options.dataFolder.empty())
        return "no data folder: set USERPROFILE, XDG_DATA_HOME or HOME, or pass --data-folder";
    if (options.appFolder.empty())
        options.appFolder = programFolder();
    return {};
}

HeadlessRunner::HeadlessRunner(HeadlessOptions options, std::FILE* log)
    : m_options(std::move(options)), m_log(log), m_streamDialogs(log) {
    m_dialogs = std::make_unique<DialogGate>(m_streamDialogs);
    m_actions = std::make_unique<PosixNotifyActions>(m_options.appFolder, *m_dialogs);
}

HeadlessRunner::~HeadlessRunner() {
    m_core.reset();
}

std::string HeadlessRunner::lockFolder() {
    m_lock = std::make_unique<FolderLock>(m_options.dataFolder);
    return m_lock->held() ? std::string() : m_lock->error();
}

std::string HeadlessRunner::start() {
    provideTemplates(m_options.dataFolder, m_options.appFolder);
    m_data =
        std::make_unique<TData>(m_options.dataFolder, m_options.appFolder,
                                [this](TData::ReportKind, const std::string& caption,
                                       const std::string& text) { m_dialogs->show(text, caption, dkError); });
    m_data->DataModuleCreate();
    m_core = std::make_unique<AppCore>(*m_data, settingsFilePath(m_options.dataFolder), m_window, *m_dialogs,
                                       *m_actions, m_loop);
    if (!m_core->settings() && !m_core->settingsError().empty())
        m_dialogs->show(m_core->settingsError(), settings_texts::kSettingsTitle, dkWarning);
    const std::string error = m_core->Start();
    // Without a status bar the built-in TCP default's failure is a line like any other warning.
    if (!m_core->tcpError().empty() && m_core->tcpIsBuiltInDefault())
        m_dialogs->show(m_core->tcpError(), net_texts::kTcpListenFailedTitle, dkWarning);
    // The receive thread (started above, at normal priority) must never wait for the CPU behind
    // this thread's saves, or the system's socket buffer overflows under load; so the main thread,
    // and the save threads it starts from now on, run at a lower priority.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kMainThreadNice);
    return error;
}

void HeadlessRunner::run() {
    m_loop.run();
}

std::string HeadlessRunner::shutdown() {
    return m_core ? m_core->Shutdown() : std::string();
}

std::string HeadlessRunner::listeningOn() {
    if (!m_core)
        return {};
    const auto bound = m_core->listener().UDPServer().BoundAddresses();
    if (bound.empty())
        return {};
    return endpointText(bound.front());
}

namespace {

std::atomic<EventLoop*> g_stopLoop{nullptr};

extern "C" void onStopSignal(int) {
    if (EventLoop* loop = g_stopLoop.load())
        loop->requestStop();
}

}  // namespace

int runHeadless(const std::vector<std::string>& args) {
    CommandLine commandLine = headlessCommandLine();
    if (const int status = commandLine.report(commandLine.parse(args)); status >= 0)
        return status;
    HeadlessOptions options;
    if (const std::string error = headlessOptionsFrom(commandLine, options); !error.empty()) {
        std::fprintf(stderr, "corvane-headless: %s\n%s", error.c_str(), commandLine.usage().c_str());
        return CommandLine::kUsageExitCode;
    }

    if (options.exchange())
        return runExchange(options);

    HeadlessRunner runner(options);
    g_stopLoop.store(&runner.loop());
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    // The session ending (SIGHUP) is a stop like the others; a second signal only asks again.
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &sa, nullptr);

    if (const std::string busy = runner.lockFolder(); !busy.empty()) {
        std::fprintf(stderr, "corvane-headless: %s\n", busy.c_str());
        return 1;
    }
    const std::string listenError = runner.start();
    int status = 0;
    if (listenError.empty()) {
        std::printf("listening on %s, data folder %s\n", runner.listeningOn().c_str(),
                    options.dataFolder.c_str());
        std::fflush(stdout);
        runner.run();
    } else {
        // Without a window there is nobody to fix the port, so the runner ends, saving as usual.
        std::fprintf(stderr, "corvane-headless: %s\n", listenError.c_str());
        status = 1;
    }
    const std::string saveErrors = runner.shutdown();
    g_stopLoop.store(nullptr);
    if (!saveErrors.empty()) {
        std::fprintf(stderr, "corvane-headless: %s\n", saveErrors.c_str());
        status = 1;
    }
    const int records = runner.data().MessageSet().totalRecordCount();
    const auto dropped = static_cast<unsigned long long>(runner.core().DroppedCount());
    if (saveErrors.empty())
        std::fprintf(stderr, "corvane-headless: %d messages on disk, %llu datagrams dropped\n", records,
                     dropped);
    else
        std::fprintf(stderr,
                     "corvane-headless: THE FINAL SAVE FAILED: of %d messages held, those received since the "
                     "last successful save are not on disk; %llu datagrams dropped\n",
                     records, dropped);
    return status;
}

}  // namespace corvane
