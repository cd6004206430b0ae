#include "report/year_report.hpp"

#include <utility>

namespace tessadro {

std::optional<Point> location(float x, float y) {
    if (x == 0.0f && y == 0.0f) return std::nullopt;
    return Point{x, y};
}

Problem problem_of(Severity severity, Reason reason, std::string file, long line) {
    Problem p;
    p.severity = severity;
    p.reason = reason;
    p.file = std::move(file);
    p.line = line;
    return p;
}

Problem problem_at(Severity severity, Reason reason, std::string file, long line, Cell cell, float x, float y) {
    Problem p = problem_of(severity, reason, std::move(file), line);
    p.point = location(x, y);
    if (p.point) p.cell = cell;
    return p;
}

long YearReport::count_of(Severity severity) const {
    long n = 0;
    for (const Problem& p : problems) n += p.severity == severity ? 1 : 0;
    return n;
}

long YearReport::misread_count() const {
    long n = 0;
    for (const InputWarningCount& c : input_warnings) n += static_cast<int>(c.reason) < misread_reasons ? c.count : 0;
    return n;
}

long YearReport::implausible_count() const {
    long n = 0;
    for (const InputWarningCount& c : input_warnings) n += static_cast<int>(c.reason) < misread_reasons ? 0 : c.count;
    return n;
}

}  // namespace tessadro
