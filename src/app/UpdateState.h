#pragma once

#include <string>

namespace corvane {

class Settings;

// What the program knows about the daily update check during one run.
struct UpdateState {
    // UpdateCheck: false turns the daily check off.
    bool updateCheck = true;
    // UpdateURL: the base URL "Version.txt" is appended to; it must end in "/". Empty means no
    // update server is configured, and no check is made.
    std::string updateUrl;
    // When the last check of this run started (a local date-time); 0 until the first one.
    double lastCheck = 0;
    // True from the start of a check until its result has been taken in, dialog included.
    bool busy = false;
    // The build number of the first line of the last version file read; 0 when none.
    int latestBuild = 0;
    // The version file's second and third lines, when it held them and a build above 1.
    std::string secondLine;
    std::string thirdLine;
};

// Reads UpdateCheck (default true) and UpdateURL (default empty) of section Options.
void readUpdateSettings(UpdateState& state, const Settings& settings);

}  // namespace corvane
