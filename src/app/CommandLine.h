#pragma once

#include <map>
#include <string>
#include <vector>

namespace corvane {

// The command line of both programs: --help and --version, the options a program adds, and
// options that belong to someone else (the window system's own) and are let through untouched.
// Parsing never starts anything, so asking for help or the version binds no port.
class CommandLine {
public:
    // What the program does after parsing.
    enum class Outcome {
        Run,          // go on; values() holds the options given
        ShowHelp,     // print usage() to standard output, exit 0
        ShowVersion,  // print versionText() to standard output, exit 0
        Fail,         // print error() and usage() to standard error, exit 2
    };
    static constexpr int kUsageExitCode = 2;

    // program: the executable's name as shown in the usage; summary: one or more lines after it.
    CommandLine(std::string program, std::string summary);

    // How an option with a value may be given.
    enum ValueRule : unsigned {
        kOnce = 0,        // a non-empty value; given twice, the last one counts
        kRepeatable = 1,  // may be given several times; values() holds them in order
        kMayBeEmpty = 2,  // an empty value is a value
    };

    // An option of this program. valueName empty: a flag; otherwise it takes one value, given
    // as "--name VALUE" or "--name=VALUE". Help is one line.
    void addOption(const std::string& name, const std::string& valueName, const std::string& help,
                   unsigned rule = kOnce);
    // An option another part of the program reads itself (e.g. "-platform" of the window system);
    // single- and double-dash spellings are both accepted. It is never listed in the usage.
    void addForeignOption(const std::string& name, bool takesValue);

    Outcome parse(const std::vector<std::string>& args);

    // After Run: the value of an option (a flag's is empty; the last of a repeated one), or
    // fallback when it was not given; and every value of a repeatable one, in order.
    bool has(const std::string& name) const { return m_values.count(name) != 0; }
    std::string value(const std::string& name, const std::string& fallback = {}) const;
    std::vector<std::string> values(const std::string& name) const;
    const std::string& error() const { return m_error; }

    std::string usage() const;
    std::string versionText() const;

    // Prints what the outcome asks for; answers the exit status, or -1 for Run.
    int report(Outcome outcome) const;

private:
    struct Option {
        std::string name;
        std::string valueName;
        std::string help;
        unsigned rule = kOnce;
    };
    const Option* findOption(const std::string& name) const;

    std::string m_program;
    std::string m_summary;
    std::vector<Option> m_options;
    std::map<std::string, bool> m_foreign;  // name without dashes -> takes a value
    std::map<std::string, std::vector<std::string>> m_values;
    std::string m_error;
};

// The window system's options that the window program lets through to it.
void addWindowSystemOptions(CommandLine& commandLine);

}  // namespace corvane
