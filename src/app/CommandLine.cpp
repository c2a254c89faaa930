#include "app/CommandLine.h"

#include "platform/Version.h"

#include <cstdio>

namespace corvane {

namespace {

constexpr const char* kHelp = "help";
constexpr const char* kVersion = "version";

std::string withoutDashes(const std::string& arg) {
    std::size_t n = 0;
    while (n < arg.size() && n < 2 && arg[n] == '-') ++n;
    return arg.substr(n);
}

}  // namespace

CommandLine::CommandLine(std::string program, std::string summary)
    : m_program(std::move(program)), m_summary(std::move(summary)) {
    addOption(kHelp, {}, "print this help and exit");
    addOption(kVersion, {}, "print the version and exit");
}

void CommandLine::addOption(const std::string& name, const std::string& valueName, const std::string& help,
                            unsigned rule) {
    m_options.push_back(Option{name, valueName, help, rule});
}

void CommandLine::addForeignOption(const std::string& name, bool takesValue) {
    m_foreign[withoutDashes(name)] = takesValue;
}

const CommandLine::Option* CommandLine::findOption(const std::string& name) const {
    for (const Option& o : m_options)
        if (o.name == name)
            return &o;
    return nullptr;
}

CommandLine::Outcome CommandLine::parse(const std::vector<std::string>& args) {
    m_values.clear();
    m_error.clear();
    bool help = false;
    bool version = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h") {
            help = true;
            continue;
        }
        if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
            std::string name = arg.substr(2);
            std::string inlineValue;
            bool hasInline = false;
            if (const auto eq = name.find('='); eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name.erase(eq);
                hasInline = true;
            }
            if (const Option* option = findOption(name)) {
                if (option->valueName.empty()) {
                    if (hasInline) {
                        m_error = "option --" + name + " takes no value";
                        return Outcome::Fail;
                    }
                    help = help || name == kHelp;
                    version = version || name == kVersion;
                    m_values[name];
                    continue;
                }
                if (!hasInline) {
                    if (i + 1 >= args.size()) {
                        m_error = "option --" + name + " needs " + option->valueName;
                        return Outcome::Fail;
                    }
                    inlineValue = args[++i];
                }
                if (inlineValue.empty() && !(option->rule & kMayBeEmpty)) {
                    m_error = "option --" + name + " needs " + option->valueName;
                    return Outcome::Fail;
                }
                auto& given = m_values[name];
                if (!(option->rule & kRepeatable))
                    given.clear();
                given.push_back(inlineValue);
                continue;
            }
        }
        if (arg.size() > 1 && arg[0] == '-') {
            std::string name = withoutDashes(arg);
            const auto eq = name.find('=');
            const bool hasInline = eq != std::string::npos;
            if (hasInline)
                name.erase(eq);
            if (const auto foreign = m_foreign.find(name); foreign != m_foreign.end()) {
                if (foreign->second && !hasInline)
                    ++i;  // its value goes with it
                continue;
            }
            m_error = "unknown option " + arg;
            return Outcome::Fail;
        }
        m_error = "unexpected argument " + arg;
        return Outcome::Fail;
    }
    if (help)
        return Outcome::ShowHelp;
    if (version)
        return Outcome::ShowVersion;
    return Outcome::Run;
}

std::string CommandLine::value(const std::string& name, const std::string& fallback) const {
    const auto it = m_values.find(name);
    if (it == m_values.end())
        return fallback;
    return it->second.empty() ? std::string() : it->second.back();
}

std::vector<std::string> CommandLine::values(const std::string& name) const {
    const auto it = m_values.find(name);
    return it == m_values.end() ? std::vector<std::string>{} : it->second;
}

std::string CommandLine::usage() const {
    std::string out = "usage: " + m_program + " [OPTION]...\n" + m_summary;
    if (!m_summary.empty() && m_summary.back() != '\n')
        out += '\n';
    out += "\nOptions:\n";
    for (const Option& o : m_options) {
        std::string left = "  --" + o.name + (o.valueName.empty() ? "" : " " + o.valueName);
        if (left.size() < 24)
            left.resize(24, ' ');
        else
            left += "  ";
        out += left + o.help + '\n';
    }
    return out;
}

std::string CommandLine::versionText() const {
    const std::string version = fileVersionText();
    return m_program + " " + (version.empty() ? "(no version)" : version) + '\n';
}

int CommandLine::report(Outcome outcome) const {
    switch (outcome) {
        case Outcome::Run:
            return -1;
        case Outcome::ShowHelp:
            std::fputs(usage().c_str(), stdout);
            return 0;
        case Outcome::ShowVersion:
            std::fputs(versionText().c_str(), stdout);
            return 0;
        case Outcome::Fail:
            std::fprintf(stderr, "%s: %s\n%s", m_program.c_str(), m_error.c_str(), usage().c_str());
            return kUsageExitCode;
    }
    return kUsageExitCode;
}

void addWindowSystemOptions(CommandLine& commandLine) {
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
          "qwindowtitle", "session", "style", "stylesheet", "display", "geometry"})
        commandLine.addForeignOption(name, true);
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger"})
        commandLine.addForeignOption(name, false);
}

}  // namespace corvane
