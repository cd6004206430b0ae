#include "report/report_command.hpp"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

namespace tessadro {
namespace {

// More years at once than this only wait on each other for the disk.
constexpr int max_jobs = 1024;

std::string in_quotes(std::string_view text) {
    std::string s(1, '\'');
    return s.append(text).append(1, '\'');
}

// One option: its name, the name of its value in the usage (empty for an
// option without one), what it does, and how it sets the command; set
// returns a usage problem, or "" when the value is fine.
struct OptionRow {
    std::string_view name;
    std::string_view value;
    std::string_view help;
    std::string (*set)(ReportCommand& command, std::string_view value);
};

const OptionRow options[] = {
    {"--gis", "", "also write report/<year>/gis/: ESRI ASCII grids of the arrays, the plot files as CSV",
     [](ReportCommand& c, std::string_view) {
         c.gis = true;
         return std::string();
     }},
    {"--strict", "", "exit with status 1 when the report finds an error problem (out/ and the report are written)",
     [](ReportCommand& c, std::string_view) {
         c.strict = true;
         return std::string();
     }},
    {"--period", "<years file>",
     "run every year of the file, one '<year> <factor>' a line, then write report/index.html over them",
     [](ReportCommand& c, std::string_view value) {
         if (value.empty()) return std::string("option '--period' needs a file name");
         c.period = value;
         return std::string();
     }},
    {"--jobs", "N", "with --period: run at most N years at once (default: the number of processors)",
     [](ReportCommand& c, std::string_view value) {
         int n = 0;
         const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
         if (error != std::errc() || end != value.data() + value.size() || n < 1 || n > max_jobs) {
             return "option '--jobs' needs a whole number from 1 to " + std::to_string(max_jobs) + ", got " +
                    in_quotes(value);
         }
         c.jobs = n;
         return std::string();
     }},
    {"--help", "", "print this text and exit",
     [](ReportCommand& c, std::string_view) {
         c.action = ReportCommand::Action::help;
         return std::string();
     }},
    {"--version", "", "print the version and exit",
     [](ReportCommand& c, std::string_view) {
         c.action = ReportCommand::Action::version;
         return std::string();
     }},
};

ReportCommand usage_error(std::string problem) {
    ReportCommand c;
    c.action = ReportCommand::Action::usage_error;
    c.problem = std::move(problem);
    return c;
}

const OptionRow* option_named(std::string_view name) {
    const auto at = std::find_if(std::begin(options), std::end(options),
                                 [name](const OptionRow& row) { return row.name == name; });
    return at == std::end(options) ? nullptr : at;
}

}  // namespace

ReportCommand read_report_command(std::span<char* const> args) {
    ReportCommand command;
    std::vector<std::string> arguments;
    bool options_ended = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string_view arg = args[k];
        if (options_ended || !arg.starts_with("--")) {
            arguments.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const OptionRow* row = option_named(name);
        if (row == nullptr) return usage_error("unknown option " + in_quotes(arg));
        std::string_view value;
        if (row->value.empty()) {
            if (equals != std::string_view::npos) return usage_error("option " + in_quotes(name) + " takes no value");
        } else if (equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
        } else if (k + 1 < args.size()) {
            value = args[++k];
        } else {
            return usage_error("option " + in_quotes(name) + " needs a value: " + std::string(name) + " " +
                               std::string(row->value));
        }
        if (std::string problem = row->set(command, value); !problem.empty()) return usage_error(problem);
        if (command.action != ReportCommand::Action::run) return command;
    }
    if (!command.period.empty()) {
        if (arguments.empty()) return command;
        return usage_error("expected no arguments with --period, the years file names the years, but got " +
                           std::to_string(arguments.size()));
    }
    if (command.jobs != 0) return usage_error("option '--jobs' runs the years of a period: give --period too");
    if (arguments.size() != 2) {
        return usage_error("expected 2 arguments, the year and the quelta factor, but got " +
                           std::to_string(arguments.size()));
    }
    command.year = arguments[0];
    command.factor = arguments[1];
    return command;
}

std::string report_usage() {
    std::string text =
        "usage: tessadro-report [options] [--] <year> <quelta factor>\n"
        "       tessadro-report --period <years file> [--gis] [--strict] [--jobs N]\n"
        "Runs the year as tessadro does (out/), then writes its report to report/<year>/; with --period, every\n"
        "year of the file so, then report/index.html, period.csv and changes.csv over them.\n"
        "Options may stand anywhere; \"--\" ends them.\n";
    std::size_t width = 2;  // "--"
    for (const OptionRow& row : options) width = std::max(width, row.name.size() + 1 + row.value.size());
    auto line = [&text, width](std::string_view left, std::string_view help) {
        text.append("  ").append(left).append(width + 2 - left.size(), ' ').append(help).append("\n");
    };
    for (const OptionRow& row : options) {
        std::string left(row.name);
        if (!row.value.empty()) left.append(" ").append(row.value);
        line(left, row.help);
    }
    line("--", "end of options: what follows is the year and the factor");
    return text +
           "ex. for 2010: tessadro-report 2010 0.7187758\n"
           "ex. for a period: tessadro-report --period years.txt --jobs 4\n"
           "exit status: 0 done; 1 done, but --strict found an error problem; 2 a run error (in any year of a "
           "period), a report that could not be written, a bad years file or a usage error; 3 an internal error\n";
}

}  // namespace tessadro
