#include "store/Compaction.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "store/FileIo.h"
#include "store/StoreTexts.h"
#include "protocol/Placeholders.h"

namespace corvane {

namespace {

std::mutex g_hookMutex;
Compaction::StepHook g_hook;

}  // namespace

void Compaction::setStepHook(StepHook hook) {
    std::lock_guard lock(g_hookMutex);
    g_hook = std::move(hook);
}

void Compaction::step(std::string_view name) {
    StepHook hook;
    {
        std::lock_guard lock(g_hookMutex);
        hook = g_hook;
    }
    if (hook)
        hook(name);
}

Compaction::Compaction(Paths paths, DataPacketWriter::Snapshot snapshot)
    : m_paths(std::move(paths)), m_snapshot(std::move(snapshot)) {}

Compaction::~Compaction() {
    join();
}

void Compaction::join() {
    if (m_thread.joinable())
        m_thread.join();
}

void Compaction::start(std::function<void()> ended) {
    m_thread = std::thread([this, ended = std::move(ended)] {
        run();
        if (ended)
            ended();
    });
}

void Compaction::run() {
    const auto failed = [this](const std::string& reason) {
        m_error = fillIn(storetexts::kCannotWriteFile, {m_paths.data, reason});
        m_ended = true;
    };
    {
        AtomicFile file(m_paths.data, 0600);
        FileIdentity::Builder identity;
        DataPacketWriter::write(m_snapshot, [&](std::string_view piece) {
            identity.add(piece);
            return file.write(piece);
        });
        if (const std::string error = file.sync(); !error.empty())
            return failed(error);
        m_identity = identity.identity();
        step("written");
        if (const std::string error = setJournalBase(m_paths.next, m_identity); !error.empty())
            return failed(error);
        step("marked");
        if (const std::string error = file.commit(); !error.empty())
            return failed(error);
        m_renamed = true;
        step("renamed");
    }
    m_snapshot.rows.clear();
    if (std::rename(m_paths.next.c_str(), m_paths.journal.c_str()) != 0)
        return failed(std::strerror(errno));
    syncFolder(m_paths.journal);
    m_switched = true;
    step("switched");
    m_ended = true;
}

}  // namespace corvane
