#include "cli/cli_args.h"

#include "model/number_text.h"

namespace korvix::cli {

ParsedArgs::ParsedArgs(const std::vector<std::string>& args, const OptionSpec& known) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
            continue;
        }
        if (known.switches.contains(arg)) {
            m_values[arg] = "";
            m_ordered.emplace_back(arg, "");
        } else if (known.withValue.contains(arg)) {
            if (i + 1 >= args.size())
                throw UsageError("option " + arg + " needs a value");
            m_values[arg] = args[++i];
            m_ordered.emplace_back(arg, args[i]);
        } else {
            throw UsageError("unknown option " + arg);
        }
    }
}

bool ParsedArgs::has(const std::string& name) const {
    return m_values.contains(name);
}

std::optional<std::string> ParsedArgs::value(const std::string& name) const {
    const auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

double ParsedArgs::realValue(const std::string& name, double fallback) const {
    const auto text = value(name);
    if (!text)
        return fallback;
    const RealConversion converted = convertReal(*text);
    if (!converted.ok())
        throw UsageError(name + ": " + conversionMessage(converted.error, *text));
    return converted.value;
}

int ParsedArgs::integerValue(const std::string& name, int fallback) const {
    const auto text = value(name);
    if (!text)
        return fallback;
    const IntegerConversion converted = convertInteger(*text);
    if (!converted.ok())
        throw UsageError(name + ": " + conversionMessage(converted.error, *text));
    return converted.value;
}

} // namespace korvix::cli
