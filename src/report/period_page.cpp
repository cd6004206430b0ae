#include "report/period_page.hpp"

#include <cmath>

#include "report/html_text.hpp"
#include "report/numbers.hpp"
#include "report/period_chart.hpp"
#include "run/version.hpp"

namespace tessadro {
namespace {

const char* style = R"(<style>
body{font-family:sans-serif;font-size:13px;margin:16px 24px;color:#222;max-width:1600px}
h1{font-size:22px;margin:0 0 8px}h2{font-size:17px;margin:22px 0 8px;border-bottom:1px solid #ccc}
table{border-collapse:collapse}td,th{padding:2px 6px;border-bottom:1px solid #eee;text-align:left}
td.n,th.n{text-align:right;font-variant-numeric:tabular-nums}th.q{text-align:center;border-left:1px solid #ccc}
td.first{border-left:1px solid #ccc}tr.failed td{color:#b00}
.charts{display:flex;flex-wrap:wrap;gap:10px 24px}figure.chart{margin:0}figcaption{font-weight:bold;margin:2px 0}
.up{color:#b00}.down{color:#a60}
</style>
)";

constexpr Quantity quantities[] = {Quantity::pumping, Quantity::return_flow, Quantity::acres, Quantity::mi_pumping};
constexpr Severity severities[] = {Severity::error, Severity::warning, Severity::note};

std::string amount_cell(const std::string& year, Quantity quantity, const char* kind, double amount, bool first) {
    return std::string("<td class=\"n") + (first ? " first" : "") + "\" data-year=\"" + year + "\" data-quantity=\"" +
           html_escaped(text_of(quantity)) + "\" data-kind=\"" + kind + "\" data-amount=\"" + amount_text(amount) +
           "\">" + grouped_text(amount, 1) + "</td>";
}

std::string status_text(const YearResult& y) {
    if (!y.end.why.empty()) return "not started";
    if (y.end.signal != 0) return "signal " + std::to_string(y.end.signal);
    return std::to_string(y.end.status);
}

std::string year_row(const YearResult& y) {
    const std::string year = html_escaped(y.given.year);
    std::string row = std::string("<tr data-year=\"") + year + "\"" + (y.ran ? "" : " class=\"failed\"") + "><td>" +
                      (y.ran ? "<a href=\"" + year + "/index.html\">" + year + "</a>" : year) + "</td><td class=\"n\">" +
                      html_escaped(y.given.factor) + "</td><td class=\"n\" data-field=\"status\">" + status_text(y) +
                      "</td>";
    if (!y.ran) {
        return row + "<td colspan=\"19\" class=\"first\">failed: " + html_escaped(y.message) + "</td></tr>\n";
    }
    for (Severity s : severities) {
        row += "<td class=\"n\" data-severity=\"" + text_of(s) + "\">" +
               std::to_string(y.problems[static_cast<int>(s)]) + "</td>";
    }
    for (Quantity q : quantities) {
        const double in_file = y.amount(q, BudgetKind::in_file), placed = y.amount(q, BudgetKind::placed);
        row += amount_cell(year, q, "in file", in_file, true) +
               amount_cell(year, q, "loss", y.amount(q, BudgetKind::loss), false) +
               amount_cell(year, q, "placed", placed, false) + "<td class=\"n\">" +
               (in_file != 0.0 ? grouped_text(100.0 * placed / in_file, 1) + " %" : "") + "</td>";
    }
    return row + "</tr>\n";
}

std::string years_section(const std::vector<YearResult>& years) {
    std::string out =
        "<h2>Years</h2>\n<p>What each year's files hold, what was lost on the way to the arrays and what the arrays "
        "hold (acre-feet; acres), as each year's own page gives them. Exit status 1: a complete report in which "
        "--strict found an error problem.</p>\n<table id=\"years\"><tr><th rowspan=\"2\">year</th>"
        "<th rowspan=\"2\" class=\"n\">factor</th><th rowspan=\"2\" class=\"n\">exit status</th>"
        "<th colspan=\"3\" class=\"q\">problems</th>";
    for (Quantity q : quantities) out += "<th colspan=\"4\" class=\"q\">" + html_escaped(text_of(q)) + "</th>";
    out += "</tr>\n<tr>";
    for (Severity s : severities) out += "<th class=\"n\">" + text_of(s) + "s</th>";
    for (std::size_t k = 0; k < std::size(quantities); ++k) {
        out += "<th class=\"n\">in file</th><th class=\"n\">lost</th><th class=\"n\">placed</th>"
               "<th class=\"n\">share</th>";
    }
    out += "</tr>\n";
    for (const YearResult& y : years) out += year_row(y);
    return out + "</table>\n";
}

std::string charts_section(const std::vector<YearResult>& years) {
    std::string out = "<h2>Over the years</h2>\n<p>Each bar is a year: what the arrays hold at its foot, the losses "
                      "by reason stacked above.</p>\n<div class=\"charts\">\n";
    for (Quantity q : quantities) out += period_chart(years, q);
    return out + "</div>\n";
}

std::string change_row(const Change& c) {
    const auto ratio = c.ratio();
    const bool up = std::fabs(c.current) > std::fabs(c.previous);
    const char* what = c.previous == 0.0 ? "appears" : c.current == 0.0 ? "disappears" : up ? "up" : "down";
    return "<tr class=\"change\" data-year=\"" + html_escaped(c.year) + "\" data-level=\"" + text_of(c.level) +
           "\" data-id=\"" + (c.level == ChangeLevel::total ? "" : std::to_string(c.id)) + "\" data-quantity=\"" +
           html_escaped(text_of(c.quantity)) + "\"><td>" + html_escaped(c.year) + "</td><td>" +
           html_escaped(c.previous_year) + "</td><td>" + text_of(c.level) + "</td><td class=\"n\">" +
           (c.level == ChangeLevel::total ? "" : std::to_string(c.id)) + "</td><td>" +
           html_escaped(text_of(c.quantity)) + "</td><td class=\"" + (up ? "up" : "down") + "\">" + what +
           "</td><td class=\"n\">" + grouped_text(c.previous, 1) + "</td><td class=\"n\">" +
           grouped_text(c.current, 1) + "</td><td class=\"n\">" + (ratio ? grouped_text(*ratio, 2) : "") +
           "</td></tr>\n";
}

std::string changes_section(const std::vector<Change>& changes) {
    std::string out =
        "<h2>Changes between consecutive years</h2>\n<p>Each year that ran against the previous year that ran: "
        "the groups' pumping, return flow and acres (their totals in the pumping file) and the counties' (what "
        "the arrays hold in their cells) that changed by more than a factor of 3 either way with at least 100 in "
        "the larger year, or appear or disappear with at least 100; and a total pumping in the file that changed "
        "by more than 50 %. Appearances and disappearances first, then the largest ratios either way.</p>\n";
    if (changes.empty()) return out + "<p id=\"no-changes\">None.</p>\n";
    out += "<table id=\"changes\"><tr><th>year</th><th>previous</th><th>level</th><th class=\"n\">id</th>"
           "<th>quantity</th><th></th><th class=\"n\">previous</th><th class=\"n\">this year</th>"
           "<th class=\"n\">ratio</th></tr>\n";
    for (const Change& c : changes) out += change_row(c);
    return out + "</table>\n";
}

std::string failed_section(const std::vector<YearResult>& years) {
    std::string items;
    for (const YearResult& y : years) {
        if (y.ran) continue;
        items += "<li data-failed-year=\"" + html_escaped(y.given.year) + "\">" + html_escaped(y.given.year) +
                 ": " + html_escaped(y.message) + " (its console and standard error: <a href=\"" +
                 html_escaped(y.given.year) + "/console.txt\">console.txt</a>, <a href=\"" +
                 html_escaped(y.given.year) + "/stderr.txt\">stderr.txt</a>)</li>\n";
    }
    if (items.empty()) return "";
    return "<h2>Failed years</h2>\n<ul id=\"failed\">\n" + items + "</ul>\n";
}

}  // namespace

std::string period_page(const std::vector<YearResult>& years, const std::vector<Change>& changes) {
    const std::string first = years.empty() ? "" : html_escaped(years.front().given.year);
    const std::string last = years.empty() ? "" : html_escaped(years.back().given.year);
    std::size_t ran = 0;
    for (const YearResult& y : years) ran += y.ran ? 1 : 0;
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Period of record " +
                       first + "–" + last + "</title>\n" + style + "</head><body>\n<h1>Period of record " + first +
                       "–" + last + "</h1>\n<p id=\"summary\">" + std::to_string(years.size()) + " years, " +
                       std::to_string(ran) + " ran, " + std::to_string(years.size() - ran) +
                       " failed; tessadro-report " + version + ".</p>\n";
    page += years_section(years);
    page += charts_section(years);
    page += changes_section(changes);
    page += failed_section(years);
    return page + "</body></html>\n";
}

}  // namespace tessadro
