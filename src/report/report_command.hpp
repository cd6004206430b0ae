#pragma once

#include <span>
#include <string>

// The command line of tessadro-report, read by the conventions of
// command-line tools (the legacy tessadro keeps its own): an argument that
// starts with "--" is an option, wherever it stands; an option with a value
// takes it after "=" or as the next argument; a lone "--" ends the options,
// so that what follows is taken as the year and the factor whatever it looks
// like. Every option is one row of a table in report_command.cpp, which the
// usage text is written from.
namespace tessadro {

struct ReportCommand {
    enum class Action { run, help, version, usage_error };
    Action action = Action::run;
    std::string problem;  // a usage error: one line naming it
    std::string year, factor;
    bool gis = false;     // also write report/<year>/gis/
    bool strict = false;  // exit status 1 when the report holds an error problem
    std::string period;   // the years file of a period of record; empty for one year
    int jobs = 0;         // years of a period run at once; 0: the number of processors
};

// args: the arguments after the program's name. --help and --version answer
// as soon as they are met; a problem met before them is a usage error.
ReportCommand read_report_command(std::span<char* const> args);

// The usage: the command, every option, an example and the exit statuses.
std::string report_usage();

}  // namespace tessadro
