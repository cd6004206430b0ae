#include "report/report_keys.hpp"

#include <iterator>

// Each table holds one text for each key, in the order of the enum: the last
// key's text is the last one.
namespace tessadro {
namespace {

template <typename Key>
constexpr std::size_t keys_up_to(Key last) {
    return static_cast<std::size_t>(last) + 1;
}

template <typename Key>
std::optional<Key> key_named(std::string_view text, Key last) {
    for (std::size_t k = 0; k < keys_up_to(last); ++k) {
        const Key key = static_cast<Key>(k);
        if (text_of(key) == text) return key;
    }
    return std::nullopt;
}

}  // namespace

const std::string& text_of(Quantity quantity) {
    static const std::string texts[] = {"pumping", "return flow", "acres", "m&i pumping", "authorized acres"};
    static_assert(std::size(texts) == keys_up_to(last_quantity));
    return texts[static_cast<std::size_t>(quantity)];
}

const std::string& text_of(Severity severity) {
    static const std::string texts[] = {"error", "warning", "note"};
    static_assert(std::size(texts) == keys_up_to(last_severity));
    return texts[static_cast<std::size_t>(severity)];
}

const std::string& text_of(BudgetKind kind) {
    static const std::string texts[] = {"in file",    "loss",    "change",   "placed",       "note",
                                        "unreadable", "written", "rounding", "check report"};
    static_assert(std::size(texts) == keys_up_to(last_budget_kind));
    return texts[static_cast<std::size_t>(kind)];
}

const std::string& text_of(Reason reason) {
    static const std::string texts[] = {
        "null value: the column kept the previous record's value",
        "values ran onto the next line",
        "more numbers than the read takes",
        "a slash ended the record early",
        "semicolons between fields and decimal commas",
        "byte-order mark at the start of the file",
        "negative acres",
        "month factor outside 0 to 1",
        "county factors do not add up to 1 within 0.001",
        "well outside the survey's extent",
        "pumping file",
        "authorized-acres file",
        "M&I file",
        "argument longer than the run reads",
        "factor not read whole",
        "exchange-area factor outside 0 to 1",
        "year file missing: read as empty",
        "off the grid",
        "on an inactive cell",
        "pumping record off the grid",
        "pumping record on an inactive cell",
        "M&I well off the grid",
        "M&I well on an inactive cell",
        "negative pumping not placed",
        "negative return flow not placed",
        "negative M&I pumping not placed",
        "tract without coordinates",
        "tract without coordinates placed at (0, 0)",
        "tract off the grid",
        "tract on an inactive cell",
        "640-acre cap of the reassignment",
        "group beyond 5000",
        "well outside the grid placed in an edge cell",
        "M&I well outside the grid placed in an edge cell",
        "tract outside the grid placed in an edge cell",
        "placed in edge cells from points outside the grid",
        "county monthly factors",
        "exchange-area factor",
        "monthly .pmp arrays",
        "monthly .rcg arrays",
        ".agw array",
        ".mi array",
        "group totals",
        "4-byte sums: in file - losses + changes - placed",
        "written as ******",
        "value written as ******",
        "F6.1 fields",
        "as the model reads it",
        "pumping",
        "gw returns",
        "gw acres",
        "m&i pumping",
        "check report's running 4-byte sum",
    };
    static_assert(std::size(texts) == keys_up_to(last_reason));
    return texts[static_cast<std::size_t>(reason)];
}

bool placed_from_outside(Reason reason) {
    return reason == Reason::well_in_edge_cell || reason == Reason::mi_in_edge_cell ||
           reason == Reason::tract_in_edge_cell;
}

const std::string& unit_of(Quantity quantity) {
    static const std::string acre_feet = "acre-feet", acres = "acres";
    return quantity == Quantity::acres || quantity == Quantity::authorized_acres ? acres : acre_feet;
}

std::optional<Quantity> quantity_named(std::string_view text) {
    return key_named(text, last_quantity);
}
std::optional<Severity> severity_named(std::string_view text) { return key_named(text, last_severity); }
std::optional<BudgetKind> kind_named(std::string_view text) { return key_named(text, last_budget_kind); }
std::optional<Reason> reason_named(std::string_view text) { return key_named(text, last_reason); }

}  // namespace tessadro
