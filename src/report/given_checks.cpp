#include "report/given_checks.hpp"

#include <cctype>
#include <filesystem>
#include <system_error>
#include <utility>

#include "model/year_files.hpp"
#include "report/numbers.hpp"
#include "run/run.hpp"

namespace tessadro {
namespace {

std::string in_quotes(std::string_view text) {
    std::string s(1, '\'');
    return s.append(text).append(1, '\'');
}

bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Skips an optional sign, then digits; the number of digits skipped.
std::size_t signed_digits(std::string_view s, std::size_t& at, bool point_allowed) {
    if (at < s.size() && (s[at] == '+' || s[at] == '-')) ++at;
    std::size_t digits = 0;
    for (bool point = !point_allowed; at < s.size(); ++at) {
        if (is_digit(s[at])) {
            ++digits;
        } else if (s[at] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return digits;
}

// A problem about what was given: no cell, no record of a file; its text
// says what was given and what became of it.
Problem given_problem(Severity severity, Reason reason, std::string file, std::string text) {
    Problem p = problem_of(severity, reason, std::move(file), 0);
    p.record = std::move(text);
    return p;
}

// An argument longer than the run takes it: what follows its first kept
// characters, blanks aside, is not used.
void check_cut(std::vector<Problem>& problems, const char* what, std::string_view typed, std::size_t kept) {
    if (typed.size() <= kept || typed.substr(kept).find_first_not_of(' ') == std::string_view::npos) return;
    problems.push_back(given_problem(Severity::warning, Reason::argument_cut, "",
                                     std::string(what) + " " + in_quotes(typed) + " was cut to its first " +
                                         std::to_string(kept) + " characters: " + in_quotes(typed.substr(0, kept))));
}

}  // namespace

bool plain_number(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c != ' ') s.push_back(c);
    }
    std::size_t at = 0;
    if (signed_digits(s, at, true) == 0) return false;
    if (at == s.size()) return true;
    if (std::string_view("eEdD").find(s[at]) == std::string_view::npos) return false;
    ++at;
    return signed_digits(s, at, false) > 0 && at == s.size();
}

GivenToRun given_to_run(std::string_view year, std::string_view factor) {
    GivenToRun given{std::string(year), std::string(factor), {}, {}};
    std::error_code ec;
    given.folder = std::filesystem::current_path(ec).string();
    // The run's own test of each file, on the same names: a file that is not
    // there (or cannot be looked at) is read as empty.
    const std::string chyear = year_text(year);
    for (const std::string& name :
         {authorized_acres_file_name(chyear), pumping_file_name(chyear), mi_file_name(chyear)}) {
        if (!std::filesystem::exists(name, ec)) given.missing.push_back(name);
    }
    return given;
}

void add_given_problems(const GivenToRun& given, YearReport& report) {
    std::vector<Problem> problems;
    const std::size_t factor_kept = factor_text(given.factor).size();
    check_cut(problems, "year", given.year, year_text(given.year).size());
    check_cut(problems, "factor", given.factor, factor_kept);
    const std::string factor = given.factor.substr(0, factor_kept);
    const std::string read = "factor " + in_quotes(factor) + " was read as " + shortest_text(report.factor);
    if (!plain_number(factor)) {
        problems.push_back(given_problem(Severity::error, Reason::factor_not_read_whole, "", read));
    }
    if (!(report.factor >= 0.0f && report.factor <= 1.0f)) {
        problems.push_back(given_problem(Severity::warning, Reason::factor_outside, "", read));
    }
    for (const std::string& name : given.missing) {
        problems.push_back(
            given_problem(Severity::error, Reason::year_file_missing, name, "looked for in " + given.folder));
    }
    if (given.missing.size() == 3) {
        report.alert = "None of the year's files (" + given.missing[0] + ", " + given.missing[1] + ", " +
                       given.missing[2] + ") was found in " + given.folder +
                       ": every amount below is zero. Run tessadro-report in the folder that holds them.";
    }
    report.problems.insert(report.problems.begin(), std::make_move_iterator(problems.begin()),
                           std::make_move_iterator(problems.end()));
}

}  // namespace tessadro
