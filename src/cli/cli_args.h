#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvix::cli {

// A mistake on the command line: reported with the command's usage, exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Exit codes of every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Options of one subcommand: which take a value ("-o OUT", "--size WxH") and which are
// plain switches. Everything else that does not start with "-" is a positional argument.
struct OptionSpec {
    std::set<std::string> withValue;
    std::set<std::string> switches;
};

class ParsedArgs {
public:
    ParsedArgs(const std::vector<std::string>& args, const OptionSpec& known);

    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    // Options in the order given (for commands where order matters, like filters).
    const std::vector<std::pair<std::string, std::string>>& ordered() const { return m_ordered; }
    const std::vector<std::string>& positional() const { return m_positional; }

    double realValue(const std::string& name, double fallback) const;
    int integerValue(const std::string& name, int fallback) const;

private:
    std::map<std::string, std::string> m_values;
    std::vector<std::pair<std::string, std::string>> m_ordered;
    std::vector<std::string> m_positional;
};

} // namespace korvix::cli
