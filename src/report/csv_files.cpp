#include "report/csv_files.hpp"

#include "report/numbers.hpp"
#include "report/report_limits.hpp"
#include "report/shown_text.hpp"

namespace tessadro {
namespace {

// A text field (docs/formats.md, section 10.4): valid UTF-8 without control
// characters, cut to a bounded length; one that a spreadsheet would take for
// a formula gets a leading apostrophe, which spreadsheets read as "text
// follows"; quoted as RFC 4180 says when it holds a comma, a quote, a
// carriage return or a line feed.
std::string field(const std::string& raw) {
    std::string text = shown_text(raw, record_characters_in_csv).text;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
        text.insert(0, 1, '\'');
    }
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string q = "\"";
    for (char c : text) {
        if (c == '"') q.push_back('"');
        q.push_back(c);
    }
    return q + "\"";
}

std::string optional_amount(const std::optional<double>& value) { return value ? amount_text(*value) : ""; }

}  // namespace

std::string budget_csv(const YearReport& report) {
    std::string out = "quantity,kind,reason,count,amount\n";
    for (const BudgetRow& r : report.budget) {
        out += field(text_of(r.quantity)) + "," + field(text_of(r.kind)) + "," + field(text_of(r.reason)) + "," +
               std::to_string(r.count) + "," +
               amount_text(r.amount) + "\n";
    }
    return out;
}

std::string problems_csv(const YearReport& report) {
    std::string out =
        "severity,reason,file,line,group,row,column,x,y,pumping,return_flow,acres,mi_pumping,outside_ft,record\n";
    // Field by field onto the end: a year may have a problem in every cell.
    auto add = [&out](const std::string& text) { out.append(text).push_back(','); };
    for (const Problem& p : report.problems) {
        add(field(text_of(p.severity)));
        add(field(text_of(p.reason)));
        add(field(p.file));
        add(p.line > 0 ? std::to_string(p.line) : "");
        add(p.group ? std::to_string(*p.group) : "");
        add(p.cell ? std::to_string(p.cell->row) : "");
        add(p.cell ? std::to_string(p.cell->column) : "");
        add(p.point ? shortest_text(p.point->x) : "");
        add(p.point ? shortest_text(p.point->y) : "");
        for (const std::optional<double>* amount : {&p.pumping, &p.return_flow, &p.acres, &p.mi, &p.outside}) {
            add(optional_amount(*amount));
        }
        out.append(field(p.record)).push_back('\n');
    }
    return out;
}

std::string area_totals_csv(const std::vector<AreaTotals>& areas) {
    std::string out = "id,pumping,return_flow,acres\n";
    for (const AreaTotals& a : areas) {
        out += std::to_string(a.id) + "," + amount_text(a.pumping) + "," + amount_text(a.return_flow) + "," +
               amount_text(a.acres) + "\n";
    }
    return out;
}

}  // namespace tessadro
