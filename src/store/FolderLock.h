#pragma once

#include <string>

namespace corvane {

// Holds a data folder for one running program: an exclusive flock on "corvane.lock" in the
// folder, which the system releases when the program ends, however it ends. The holder's
// process id is written into the file so that a second program can name it. A program that
// does not get the lock never writes the folder (the lock file aside, which it only opens).
class FolderLock {
public:
    static constexpr const char* kFileName = "corvane.lock";

    // Creates the folder (mode 0700) when it is missing and tries to take the lock once.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return m_fd >= 0; }
    // When not held: the process that holds the folder (0 when it could not be read) and the
    // sentence to show the operator.
    int holder() const { return m_holder; }
    const std::string& error() const { return m_error; }

private:
    int m_fd = -1;
    int m_holder = 0;
    std::string m_error;
};

// Start-up care of a data folder that this program holds: the folder gets mode 0700, the data
// files, journals, the lock and the settings file 0600, and the temporary files an interrupted
// save left behind ("<name>.vtx.tmp-XXXXXX") are removed. Answers how many were removed.
// REQUIRES: the caller holds the folder's FolderLock.
int tidyDataFolder(const std::string& folder);

}  // namespace corvane
