#include "report/html_page.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <utility>

#include "report/bar_chart.hpp"
#include "report/html_text.hpp"
#include "report/map_figure.hpp"
#include "report/map_hover.hpp"
#include "report/numbers.hpp"
#include "report/report_limits.hpp"
#include "report/shown_text.hpp"
#include "report/summary.hpp"
#include "run/version.hpp"

namespace tessadro {
namespace {

const char* style = R"(<style>
body{font-family:sans-serif;font-size:13px;margin:16px 24px;color:#222;max-width:1400px}
h1{font-size:22px;margin:0 0 8px}h2{font-size:17px;margin:22px 0 8px;border-bottom:1px solid #ccc}
table{border-collapse:collapse}td,th{padding:2px 8px;border-bottom:1px solid #eee;text-align:left}
td.n,th.n{text-align:right;font-variant-numeric:tabular-nums}
.budgets{display:flex;flex-wrap:wrap;gap:18px;align-items:flex-start}.budgets table{min-width:380px}
.budgets caption{text-align:left;font-weight:bold;padding:4px 0}
tr.placed td,tr.written td{font-weight:bold}
.maps{display:flex;flex-wrap:wrap;gap:10px 24px}figure.map{margin:0;max-width:100%;overflow-x:auto}
figcaption{font-weight:bold;margin:2px 0}
.sev-error{color:#b00;font-weight:bold}.sev-warning{color:#a60}.sev-note{color:#555}
.head td:first-child{color:#555}td.record code{white-space:pre}.cut{color:#555;font-style:italic}
p.not-drawn{color:#b00}p.summary{font-size:14px;max-width:60em;line-height:1.45}
.scroll{overflow-x:auto;max-width:100%}#problems td{white-space:nowrap}ul.explained{margin:6px 0;padding-left:18px;max-width:60em}
</style>
)";

std::string head_section(const YearReport& r) {
    const Grid& g = r.grid;
    std::string summary;
    for (const std::string& sentence : summary_sentences(r)) {
        if (!summary.empty()) summary += ' ';
        summary += html_escaped(sentence);
    }
    std::string out = "<h1>Year report " + html_escaped(r.year) + "</h1>\n<p class=\"summary\" id=\"summary\">" +
                      summary + "</p>\n<table class=\"head\">\n";
    auto line = [&out](const std::string& label, const std::string& id, const std::string& value) {
        out += "<tr><td>" + label + "</td><td id=\"" + id + "\">" + value + "</td></tr>\n";
    };
    line("program", "head-program", std::string("tessadro-report ") + version);
    line("year", "head-year", html_escaped(r.year));
    line("exchange-area factor", "head-factor", html_escaped(r.factor_text) + " (" + shortest_text(r.factor) + ")");
    line("grid", "head-grid", std::to_string(g.nrow) + " rows &times; " + std::to_string(g.ncol) + " columns");
    line("cell size", "head-cell", shortest_text(g.delx) + " &times; " + shortest_text(g.dely) + " ft");
    line("south-west corner", "head-corner",
         "x = " + grouped_text(g.xorigin, 1) + " ft, y = " + grouped_text(g.yorigin, 1) + " ft");
    line("active cells", "head-active", std::to_string(r.active_cells));
    line("units", "head-units",
         "amounts are in the units of the input files: acre-feet of pumping, return flow and M&amp;I pumping, "
         "acres of land; x and y in feet");
    std::string inputs;
    for (const InputCount& f : r.inputs) {
        inputs += "<span data-file=\"" + html_escaped(f.file) + "\" data-records=\"" + std::to_string(f.records) + "\">" +
                  html_escaped(f.file) + ": " + std::to_string(f.records) + " " + html_escaped(f.what) + "</span><br>";
    }
    line("input files", "head-inputs", inputs);
    std::string problems;
    for (Severity severity : {Severity::error, Severity::warning, Severity::note}) {
        const std::string& s = text_of(severity);
        const long n = r.count_of(severity);
        problems += "<span class=\"sev-" + s + "\" data-severity=\"" + s + "\" data-count=\"" + std::to_string(n) +
                    "\">" + std::to_string(n) + " " + s + (n == 1 ? "" : "s") + "</span> ";
    }
    line("problems", "head-problems", problems);
    // The input warnings: records the reading rules probably misread, then
    // values read as written that lie outside the plausible ranges.
    std::string input[2];
    for (const InputWarningCount& c : r.input_warnings) {
        if (c.count == 0) continue;
        const std::string reason = html_escaped(text_of(c.reason));
        input[static_cast<int>(c.reason) < misread_reasons ? 0 : 1] +=
            "<span class=\"sev-warning\" data-reason=\"" + reason + "\" data-count=\"" + std::to_string(c.count) +
            "\">" + std::to_string(c.count) + " &times; " + reason + "</span><br>";
    }
    line("probable misreads", "head-misreads", input[0].empty() ? "none" : input[0]);
    line("implausible values", "head-implausible", input[1].empty() ? "none" : input[1]);
    return out + "</table>\n";
}

double in_file_of(const YearReport& r, Quantity quantity) {
    for (const BudgetRow& b : r.budget) {
        if (b.quantity == quantity && b.kind == BudgetKind::in_file) return b.amount;
    }
    return 0.0;
}

// A budget row's amount, with what the CSV file holds of the row as
// attributes.
std::string amount_cell(const BudgetRow& b, int decimals) {
    const std::string quantity = html_escaped(text_of(b.quantity)), kind = html_escaped(text_of(b.kind));
    return "<td class=\"n\" data-quantity=\"" + quantity + "\" data-kind=\"" + kind + "\" data-reason=\"" +
           html_escaped(text_of(b.reason)) + "\" data-count=\"" + std::to_string(b.count) + "\" data-amount=\"" +
           amount_text(b.amount) + "\">" + grouped_text(b.amount, decimals) + "</td>";
}

bool below_budget(const BudgetRow& b) { return b.kind == BudgetKind::rounding || b.kind == BudgetKind::check_report; }

std::string budget_tables(const YearReport& r) {
    std::string out = "<div class=\"budgets\">\n";
    std::optional<Quantity> table;
    for (const BudgetRow& b : r.budget) {
        if (below_budget(b)) continue;
        const std::string quantity = html_escaped(text_of(b.quantity)), unit = html_escaped(unit_of(b.quantity));
        if (b.quantity != table) {
            if (table) out += "</table>\n";
            table = b.quantity;
            out += "<table class=\"budget\" data-quantity=\"" + quantity + "\"><caption>" + quantity +
                   "</caption><tr><th></th><th></th><th class=\"n\">count</th><th class=\"n\">" + unit +
                   "</th><th class=\"n\">% of file</th></tr>\n";
        }
        const bool counted = b.kind != BudgetKind::written;
        out += "<tr class=\"" + text_of(b.kind) + "\"><td>" + html_escaped(text_of(b.kind)) + "</td><td>" +
               html_escaped(text_of(b.reason)) + "</td><td class=\"n\">" + (counted ? std::to_string(b.count) : "") +
               "</td>" + amount_cell(b, 2) + "<td class=\"n\">" + share_text(b.amount, in_file_of(r, b.quantity)) +
               "</td></tr>\n";
    }
    if (table) out += "</table>\n";
    return out + "</div>\n";
}

// The rounding rows of every quantity, one line a quantity: the columns'
// rows by their reasons, the check report's total by its kind.
std::string rounding_table(const YearReport& r) {
    std::string out = "<div class=\"scroll\"><table id=\"rounding\"><tr><th>quantity</th><th>unit</th>"
                      "<th class=\"n\">4-byte sums</th><th class=\"n\">F6.1 fields</th>"
                      "<th class=\"n\">check report's total</th><th class=\"n\">its running sum's rounding</th></tr>\n";
    std::optional<Quantity> quantity;
    std::string cells[4];
    auto end_row = [&] {
        if (!quantity) return;
        out += "<tr><td>" + html_escaped(text_of(*quantity)) + "</td><td>" + html_escaped(unit_of(*quantity)) +
               "</td>";
        for (std::string& c : cells) out += c.empty() ? "<td class=\"n\"></td>" : std::exchange(c, "");
        out += "</tr>\n";
    };
    for (const BudgetRow& b : r.budget) {
        if (!below_budget(b)) continue;
        if (b.quantity != quantity) {
            end_row();
            quantity = b.quantity;
        }
        const int column = b.kind == BudgetKind::check_report ? 2
                           : b.reason == Reason::balance      ? 0
                           : b.reason == Reason::f6_1_fields  ? 1
                                                              : 3;
        cells[column] = amount_cell(b, 4);
    }
    end_row();
    return out + "</table></div>\n";
}

std::string budget_section(const YearReport& r) {
    const std::string check = html_escaped(check_report_name(r.year));
    return "<h2>Water budget</h2>\n<p>What the input files hold, what each loss took, what factors changed, and "
           "what the arrays hold: sums of the 4-byte values the run keeps, and at the end what the model reads "
           "from the arrays' fields.</p>\n" +
           budget_tables(r) + "<h3>Rounding</h3>\n" + rounding_table(r) +
           "<ul class=\"explained\">\n"
           "<li>4-byte sums: what the file holds, less the losses, plus the changes, less what the arrays hold. "
           "The run keeps each amount as a 4-byte real of about seven significant digits, so the budget balances "
           "only to this rounding.</li>\n"
           "<li>F6.1 fields: the array files write each cell with one decimal, and the model reads those fields; "
           "this is what that rounding adds up to over every cell (at most 0.05 a cell).</li>\n"
           "<li>Check report's total: the total that " + check + " gives for the quantity. The run adds cell "
           "after cell (and month after month) into one 4-byte real, rounding at each addition, so its total "
           "drifts from the exact sum of the same 4-byte values (the budget's placed row) by the rounding shown in "
           "the last column.</li>\n"
           "</ul>\n";
}

std::string monthly_section(const YearReport& r) {
    std::string out = "<h2>Monthly totals, May to October</h2>\n" + monthly_bar_chart(r.months);
    out += "<table id=\"monthly\"><tr><th>month</th><th class=\"n\">pumping, acre-feet</th>"
           "<th class=\"n\">pumping written, acre-feet</th><th class=\"n\">recharge, acre-feet</th>"
           "<th class=\"n\">recharge written, acre-feet</th></tr>\n";
    MonthTotals season;
    auto cells = [](const MonthTotals& m) {
        std::string s;
        for (auto [field, value] : {std::pair{"pumping", m.pumping}, {"pumping_written", m.pumping_written},
                                    {"recharge", m.recharge}, {"recharge_written", m.recharge_written}}) {
            s += "<td class=\"n\" data-field=\"" + std::string(field) + "\" data-value=\"" + amount_text(value) +
                 "\">" + grouped_text(value, 2) + "</td>";
        }
        return s;
    };
    for (const MonthTotals& m : r.months) {
        out += "<tr data-month=\"" + std::to_string(m.month) + "\"><td>" + month_name(m.month) + "</td>" + cells(m) +
               "</tr>\n";
        season.pumping += m.pumping;
        season.pumping_written += m.pumping_written;
        season.recharge += m.recharge;
        season.recharge_written += m.recharge_written;
    }
    out += "<tr data-month=\"season\"><td>season</td>" + cells(season) + "</tr>\n</table>\n";
    return out;
}

std::string optional_cell(const std::optional<double>& v, int decimals = 2) {
    return "<td class=\"n\">" + (v ? grouped_text(*v, decimals) : std::string()) + "</td>";
}

// A text of a problem on the page: escaped, cut to a bounded length.
std::string page_text(const std::string& raw) { return html_escaped(shown_text(raw, record_characters_on_page).text); }

std::string problems_section(const YearReport& r) {
    const std::size_t shown = std::min(r.problems.size(), problems_on_page);
    std::string rows;
    bool cut = false;
    for (std::size_t k = 0; k < shown; ++k) {
        const Problem& p = r.problems[k];
        const ShownText record = shown_text(p.record, record_characters_on_page);
        rows += "<tr class=\"problem\"><td class=\"sev-" + page_text(text_of(p.severity)) + "\">" +
                page_text(text_of(p.severity)) + "</td><td>" + page_text(text_of(p.reason)) + "</td><td>" +
                page_text(p.file) + "</td><td class=\"n\">" +
                (p.line > 0 ? std::to_string(p.line) : "") + "</td><td class=\"n\">" +
                (p.group ? std::to_string(*p.group) : "") + "</td><td class=\"n\">" +
                (p.cell ? std::to_string(p.cell->row) : "") + "</td><td class=\"n\">" +
                (p.cell ? std::to_string(p.cell->column) : "") + "</td><td class=\"n\">" +
                (p.point ? grouped_text(p.point->x, 1) : "") + "</td><td class=\"n\">" +
                (p.point ? grouped_text(p.point->y, 1) : "") + "</td>" + optional_cell(p.pumping) +
                optional_cell(p.return_flow) + optional_cell(p.acres) + optional_cell(p.mi) +
                optional_cell(p.outside, 1) + "<td class=\"record\"><code>" + html_escaped(record.text) + "</code>";
        if (record.cut) {
            rows += " <span class=\"cut\">(cut: " + grouped_text(static_cast<double>(record.characters), 0) +
                    " characters)</span>";
        }
        rows += "</td></tr>\n";
        cut = cut || record.cut;
    }
    std::string out = "<h2>Problems</h2>\n<p id=\"problems-count\" data-count=\"" + std::to_string(r.problems.size()) +
                      "\">" + std::to_string(r.problems.size()) + " problems";
    if (r.problems.size() > problems_on_page) out += "; the first " + std::to_string(problems_on_page) + " below";
    out += ", all of them in <a href=\"problems.csv\">problems.csv</a>.";
    if (cut) {
        out += " Records longer than " + std::to_string(record_characters_on_page) +
               " characters are cut here and end with &hellip;; problems.csv holds the first " +
               grouped_text(static_cast<double>(record_characters_in_csv), 0) + " characters of each.";
    }
    out += "</p>\n";
    // A narrow screen scrolls the table in its own box, not the page.
    out += "<div class=\"scroll\"><table id=\"problems\"><tr><th>severity</th><th>reason</th><th>file</th>"
           "<th class=\"n\">line</th><th class=\"n\">group</th><th class=\"n\">row</th><th class=\"n\">column</th>"
           "<th class=\"n\">x, ft</th><th class=\"n\">y, ft</th><th class=\"n\">pumping, acre-feet</th>"
           "<th class=\"n\">return flow, acre-feet</th><th class=\"n\">acres</th>"
           "<th class=\"n\">M&amp;I, acre-feet</th><th class=\"n\">outside, ft</th><th>record</th></tr>\n";
    return out + rows + "</table></div>\n";
}

}  // namespace

PageFrame page_frame(const YearReport& report) {
    PageFrame frame;
    frame.before_maps = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Year report " +
                        html_escaped(report.year) + "</title>\n" + style + map_hover_script() + "</head><body>\n";
    if (!report.alert.empty()) {
        frame.before_maps += "<p id=\"alert\" class=\"sev-error\">" + html_escaped(report.alert) + "</p>\n";
    }
    frame.before_maps += head_section(report);
    frame.before_maps += budget_section(report);
    frame.before_maps += monthly_section(report);
    frame.after_maps = problems_section(report) + "</body></html>\n";
    return frame;
}

std::string html_page(const PageFrame& frame, const std::string& maps_section) {
    std::string page;
    page.reserve(frame.before_maps.size() + maps_section.size() + frame.after_maps.size());
    return page.append(frame.before_maps).append(maps_section).append(frame.after_maps);
}

std::string html_page(const YearReport& report) {
    // The maps drawn here, in order, by the same pieces.
    SharedWork here(false);
    PageMaps maps;
    maps.add_months(report, here);
    maps.add_annual(report, here);
    here.finish();
    return html_page(page_frame(report), maps.section(report));
}

}  // namespace tessadro
