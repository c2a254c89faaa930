// Feeds arbitrary bytes to the settings file reader and checks that what it keeps survives a
// rewrite: loading the written text gives the same content again.
#include "app/IniFile.h"
#include "app/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    corvane::IniFile ini;
    ini.load(text);
    const auto lines = ini.lines();

    corvane::IniFile again;
    again.load(ini.text());
    if (again.lines() != lines)
        std::abort();

    corvane::Settings settings("unused");
    settings.setContent(lines);
    for (const auto& section : ini.sectionNames()) {
        (void)settings.readInteger(section, "UDPPort", 514);
        (void)settings.readBool(section, "NotifyExec", false);
        settings.writeString(section, "UDPPort", text.substr(0, 64));
        if (!settings.keyExists(section, "UDPPort"))
            std::abort();
        settings.deleteKey(section, "UDPPort");
    }
    (void)corvane::parseIniInteger(text.substr(0, 40));
    return 0;
}
