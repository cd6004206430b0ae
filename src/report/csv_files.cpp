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
// carriage return or a line feed. Appended to out, with the separator after.
void append_field(std::string& out, std::string_view raw, char separator = ',') {
    std::string shown;  // only for a text that is not plain
    const bool plain = shown_as_is(raw, record_characters_in_csv);
    if (!plain) {
        shown = shown_text(raw, record_characters_in_csv).text;
        raw = shown;
    }
    const bool formula = !raw.empty() && std::string_view("=+-@\t\r").find(raw.front()) != std::string_view::npos;
    // Plain text holds no carriage return or line feed.
    const bool quoted = raw.find(',') != std::string_view::npos || raw.find('"') != std::string_view::npos ||
                        (!plain && raw.find_first_of("\r\n") != std::string_view::npos);
    if (quoted) out.push_back('"');
    if (formula) out.push_back('\'');
    if (!quoted) {
        out.append(raw);
    } else {
        for (const char c : raw) {
            if (c == '"') out.push_back('"');
            out.push_back(c);
        }
        out.push_back('"');
    }
    out.push_back(separator);
}

void append_amount_field(std::string& out, const std::optional<double>& value) {
    if (value) append_amount(out, *value);
    out.push_back(',');
}

}  // namespace

std::string budget_csv(const YearReport& report) {
    std::string out = "quantity,kind,reason,count,amount\n";
    for (const BudgetRow& r : report.budget) {
        append_field(out, text_of(r.quantity));
        append_field(out, text_of(r.kind));
        append_field(out, text_of(r.reason));
        append_whole(out, r.count);
        out.push_back(',');
        append_amount(out, r.amount);
        out.push_back('\n');
    }
    return out;
}

std::string problems_csv(const YearReport& report) {
    std::string out =
        "severity,reason,file,line,group,row,column,x,y,pumping,return_flow,acres,mi_pumping,outside_ft,record\n";
    // Field by field onto the end: a year may have a problem in every cell.
    // Empty where an item has none.
    const auto whole = [&out](bool known, long long value) {
        if (known) append_whole(out, value);
        out.push_back(',');
    };
    const auto coordinate = [&out](bool known, float value) {
        if (known) append_shortest(out, value);
        out.push_back(',');
    };
    for (const Problem& p : report.problems) {
        append_field(out, text_of(p.severity));
        append_field(out, text_of(p.reason));
        append_field(out, p.file);
        whole(p.line > 0, p.line);
        whole(p.group.has_value(), p.group.value_or(0));
        whole(p.cell.has_value(), p.cell ? p.cell->row : 0);
        whole(p.cell.has_value(), p.cell ? p.cell->column : 0);
        coordinate(p.point.has_value(), p.point ? p.point->x : 0.0f);
        coordinate(p.point.has_value(), p.point ? p.point->y : 0.0f);
        for (const std::optional<double>* amount : {&p.pumping, &p.return_flow, &p.acres, &p.mi, &p.outside}) {
            append_amount_field(out, *amount);
        }
        append_field(out, p.record, '\n');
    }
    return out;
}

std::string area_totals_csv(const std::vector<AreaTotals>& areas) {
    std::string out = "id,pumping,return_flow,acres\n";
    for (const AreaTotals& a : areas) {
        append_whole(out, a.id);
        for (const double amount : {a.pumping, a.return_flow, a.acres}) {
            out.push_back(',');
            append_amount(out, amount);
        }
        out.push_back('\n');
    }
    return out;
}

}  // namespace tessadro
