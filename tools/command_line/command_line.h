// Every tool's command line is read with CLI11 the same way: help and version go to standard
// output with status 0, a usage fault to standard error as "<program>: error: ..." with status 2.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tools {

// -1 to go on, or the exit status when the program should stop now.
inline int parseCommandLine(CLI::App& app, int argc, char** argv) {
    // CLI11 built for Windows would take "/x" for an option; here it is a path (Wine passes Unix paths).
    app.allow_windows_style_options(false);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& shown) {
        return app.exit(shown);
    } catch (const CLI::CallForVersion& shown) {
        return app.exit(shown);
    } catch (const CLI::ParseError& error) {
        const std::string& program = app.get_name();
        std::fprintf(stderr, "%s: error: %s (%s --help lists the options)\n", program.c_str(), error.what(),
                     program.c_str());
        return 2;
    }
    return -1;
}

// A whole number in decimal digits from `least` to `most`, for Option::transform (check() would
// drop the rewrite to plain digits). CLI11 alone would read "010" as octal, "0x10" as hexadecimal,
// a negative count as a huge one and an overlong one as the largest.
inline CLI::Validator wholeNumber(std::uint64_t least, std::uint64_t most) {
    const std::string range = "a whole number from " + std::to_string(least) + " to " + std::to_string(most);
    return CLI::Validator(
        [least, most, range](std::string& text) -> std::string {
            std::uint64_t value = 0;
            for (const char digit : text) {
                const auto next = static_cast<std::uint64_t>(digit - '0');
                if (digit < '0' || digit > '9' || next > most || value > (most - next) / 10)
                    return "'" + text + "' is not " + range;
                value = value * 10 + next;
            }
            if (text.empty() || value < least) return "'" + text + "' is not " + range;
            text = std::to_string(value);  // without leading zeros, which CLI11 would read as octal
            return std::string();
        },
        std::string());
}

// An option taking a whole number from `least` to `most`, its default shown in the help.
template <class T>
CLI::Option* addWholeNumber(CLI::App& app, const std::string& name, T& value, const std::string& description,
                            const std::string& typeName, std::uint64_t least, std::uint64_t most) {
    return app.add_option(name, value, description)
        ->type_name(typeName)
        ->transform(wholeNumber(least, most))
        ->capture_default_str();
}

}  // namespace tools
