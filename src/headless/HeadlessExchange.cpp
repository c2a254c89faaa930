#include "store/TData.h"
#include "headless/HeadlessRunner.h"

#include "app/DialogGate.h"
#include "app/LogImport.h"
#include "app/MessageIntake.h"
#include "app/Notification.h"
#include "app/RecordExport.h"
#include "filter/ExpressionFilterCompiler.h"
#include "platform/NotifyActions.h"

#include <cstdio>

namespace corvane {

namespace {

// Imported events are past: nothing is played or started for them.
struct SilentActions : NotifyActions {
    void PlayNotifySound(const std::string&) override {}
    int RunNotifyProgram(const std::string&) override { return 42; }
};

void printSummary(std::FILE* out, const std::string& path, const ImportSummary& s) {
    std::fprintf(out, "%s: %zu lines read, %zu stored, %zu skipped", path.c_str(), s.linesRead, s.stored,
                 s.skipped);
    if (s.firstBadLine != 0)
        std::fprintf(out, " (first bad line %zu)", s.firstBadLine);
    std::fputc('\n', out);
}

}  // namespace

int runExchange(const HeadlessOptions& options, std::FILE* out, std::FILE* log) {
    StreamDialogs streamDialogs(log);
    DialogGate dialogs(streamDialogs);
    provideTemplates(options.dataFolder, options.appFolder);
    TData data(options.dataFolder, options.appFolder,
               [&](TData::ReportKind, const std::string& caption, const std::string& text) {
                   dialogs.show(text, caption, dkError);
               });
    data.DataModuleCreate();
    int status = 0;

    if (!options.importFiles.empty()) {
        HeadlessWindow window;
        SilentActions actions;
        NotificationState notification;
        MessageIntake intake(data, window, dialogs, actions, notification);
        for (const std::string& path : options.importFiles) {
            const ImportSummary s = importLogFile(intake, data, path);
            if (!s.error.empty()) {
                std::fprintf(log, "corvane-headless: %s\n", s.error.c_str());
                status = 1;
            }
            if (s.linesRead > 0 || s.error.empty())
                printSummary(out, path, s);
        }
        if (const TData::SaveResult saved = data.SaveData(true); !saved.ok()) {
            std::fprintf(log, "corvane-headless: %s\n", saved.error.c_str());
            status = 1;
        }
    }

    if (!options.exportFile.empty()) {
        Table& messages = data.MessageSet();
        const ExpressionFilterCompiler compiler;
        data.setFilterCompiler(&compiler);
        if (!options.filter.empty()) {
            messages.setFilterText(options.filter);
            const Table::FilterStatus filtered = messages.setFiltered(true);
            if (!filtered.ok) {
                std::fprintf(log, "corvane-headless: --filter: %s\n", filtered.error.c_str());
                data.setFilterCompiler(nullptr);
                return 2;
            }
        }
        const ExportResult r =
            exportRecords(messages, options.exportFile, *exportFormatFromName(options.exportFormat));
        messages.setFiltered(false);
        data.setFilterCompiler(nullptr);
        if (!r.ok()) {
            std::fprintf(log, "corvane-headless: %s\n", r.error.c_str());
            return 1;
        }
        std::fprintf(out, "%zu records exported to %s\n", r.records, options.exportFile.c_str());
    }
    std::fflush(out);
    return status;
}

}  // namespace corvane
