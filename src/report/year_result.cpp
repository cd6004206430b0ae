#include "report/year_result.hpp"

#include <charconv>
#include <cstring>
#include <string_view>

#include "report/csv_reader.hpp"
#include "text/line_reader.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;

// A year's report files are a few megabytes at most (problems.csv of a year
// whose every record is a problem).
constexpr std::size_t max_report_file = std::size_t{1} << 30;

template <typename Number>
Number number_of(const std::string& field) {
    Number n{};
    std::from_chars(field.data(), field.data() + field.size(), n);
    return n;
}

// The rows of one of the year's CSV files after its header; false with
// message set when it cannot be read.
bool rows_of(const fs::path& path, std::vector<CsvRow>& rows, std::string& text, std::string& message) {
    std::string reason;
    text.clear();
    if (!read_whole(path.string(), max_report_file, text, reason)) {
        message = "its report could not be read: '" + path.string() + "': " + reason;
        return false;
    }
    rows = csv_rows_of(text);
    if (!rows.empty()) rows.erase(rows.begin());
    return true;
}

std::vector<AreaTotals> area_totals(const std::vector<CsvRow>& rows) {
    std::vector<AreaTotals> areas;
    for (const CsvRow& f : rows) {
        if (f.size() != 4) continue;
        areas.push_back({number_of<std::int32_t>(f[0]), number_of<double>(f[1]), number_of<double>(f[2]),
                         number_of<double>(f[3])});
    }
    return areas;
}

// The run's error as its two-line report on standard error gives it
// ("At line ... / Error: ..."), in one line; else the last line written.
std::string run_error_message(const fs::path& stderr_file) {
    std::string text, reason;
    read_whole(stderr_file.string(), max_report_file, text, reason);
    std::vector<std::string> lines;
    LineReader reader(std::move(text));
    for (std::string_view line; reader.next(line);) lines.emplace_back(line);
    for (std::size_t k = lines.size(); k-- > 0;) {
        if (lines[k].starts_with("At line ") && k + 1 < lines.size()) return lines[k] + ": " + lines[k + 1];
    }
    return lines.empty() ? std::string() : lines.back();
}

std::string failure_message(const fs::path& dir, const YearEnd& end) {
    if (!end.why.empty()) return end.why;
    if (end.signal != 0) {
        return "ended by signal " + std::to_string(end.signal) + " (" + ::strsignal(end.signal) + ")";
    }
    const std::string message = run_error_message(dir / "stderr.txt");
    return message.empty() ? "exit status " + std::to_string(end.status) : message;
}

}  // namespace

double YearResult::amount(Quantity quantity, BudgetKind kind) const {
    double sum = 0.0;
    for (const BudgetRow& row : budget) {
        if (row.quantity == quantity && row.kind == kind) sum += row.amount;
    }
    return sum;
}

YearResult read_year_result(const fs::path& dir, const PeriodYear& given, const YearEnd& end) {
    YearResult result;
    result.given = given;
    result.end = end;
    if (year_failed(end)) {
        result.message = failure_message(dir, end);
        return result;
    }
    std::vector<CsvRow> rows;
    std::string text;
    if (!rows_of(dir / "budget.csv", rows, text, result.message)) return result;
    result.budget_rows = text.substr(std::min(text.size(), text.find('\n') + 1));
    for (const CsvRow& f : rows) {
        const auto quantity = quantity_named(f.size() == 5 ? f[0] : "");
        const auto kind = kind_named(f.size() == 5 ? f[1] : "");
        const auto reason = reason_named(f.size() == 5 ? f[2] : "");
        if (!quantity || !kind || !reason) continue;
        result.budget.push_back({*quantity, *kind, *reason, number_of<long>(f[3]), number_of<double>(f[4])});
    }
    if (!rows_of(dir / "problems.csv", rows, text, result.message)) return result;
    for (const CsvRow& f : rows) {
        if (const auto severity = severity_named(f.empty() ? "" : f[0])) ++result.problems[static_cast<int>(*severity)];
    }
    if (!rows_of(dir / "groups.csv", rows, text, result.message)) return result;
    result.groups = area_totals(rows);
    if (!rows_of(dir / "counties.csv", rows, text, result.message)) return result;
    result.counties = area_totals(rows);
    result.ran = true;
    return result;
}

}  // namespace tessadro
