#include "report/summary.hpp"

#include <algorithm>
#include <cmath>

#include "report/numbers.hpp"

namespace tessadro {
namespace {

// The four quantities the arrays carry, in the order the budget lists them.
constexpr Quantity carried[] = {Quantity::pumping, Quantity::return_flow, Quantity::acres, Quantity::mi_pumping};

std::string name_of(Quantity quantity) {
    return quantity == Quantity::mi_pumping ? "M&I pumping" : text_of(quantity);
}

// "7,133.51 acre-feet of pumping", "6,695.14 irrigated acres".
std::string amount_of(Quantity quantity, double amount) {
    const std::string number = grouped_text(amount, 2);
    if (quantity == Quantity::acres) return number + " irrigated acres";
    return number + " " + unit_of(quantity) + " of " + name_of(quantity);
}

double in_file(const YearReport& report, Quantity quantity) {
    for (const BudgetRow& b : report.budget) {
        if (b.quantity == quantity && b.kind == BudgetKind::in_file) return b.amount;
    }
    return 0.0;
}

double of_kind(const YearReport& report, Quantity quantity, BudgetKind kind) {
    for (const BudgetRow& b : report.budget) {
        if (b.quantity == quantity && b.kind == kind) return b.amount;
    }
    return 0.0;
}

// "a, b and c".
std::string listed(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) out += k + 1 == items.size() ? " and " : ", ";
        out += items[k];
    }
    return out;
}

std::string held_sentence(const YearReport& report) {
    std::vector<std::string> held;
    for (Quantity q : carried) held.push_back(amount_of(q, in_file(report, q)));
    return "The input files hold " + listed(held) + ".";
}

std::string placed_sentence(const YearReport& report) {
    std::vector<std::string> shares;
    for (Quantity q : carried) {
        const std::string share = share_text(of_kind(report, q, BudgetKind::placed), in_file(report, q));
        if (!share.empty()) shares.push_back(share + " of the " + name_of(q));
    }
    if (shares.empty()) return "The arrays hold nothing, for the files hold nothing to place.";
    return "The arrays hold " + listed(shares) + ".";
}

// The three losses that took the largest share of what their file holds.
std::string losses_sentence(const YearReport& report) {
    struct Loss {
        double share;
        std::string text;
    };
    std::vector<Loss> losses;
    for (const BudgetRow& b : report.budget) {
        if (b.kind != BudgetKind::loss || b.quantity == Quantity::authorized_acres || !(b.amount > 0.0)) continue;
        const double whole = in_file(report, b.quantity);
        const std::string share = share_text(b.amount, whole);
        if (share.empty()) continue;
        losses.push_back({b.amount / whole, amount_of(b.quantity, b.amount) + " (" + text_of(b.reason) + ", " + share +
                                                " of what the file holds)"});
    }
    if (losses.empty()) return "Nothing that the files hold was lost on the way to the arrays.";
    std::stable_sort(losses.begin(), losses.end(), [](const Loss& a, const Loss& b) { return a.share > b.share; });
    losses.resize(std::min<std::size_t>(losses.size(), 3));
    std::vector<std::string> texts;
    for (const Loss& l : losses) texts.push_back(l.text);
    return (texts.size() == 1 ? "The one loss: " : "The largest losses: ") + listed(texts) + ".";
}

// Changes of more than a thousandth of what the file holds.
std::string changes_sentence(const YearReport& report) {
    std::vector<std::string> changes;
    for (const BudgetRow& b : report.budget) {
        if (b.kind != BudgetKind::change) continue;
        const double whole = in_file(report, b.quantity);
        if (!(std::fabs(b.amount) > 0.001 * std::fabs(whole))) continue;
        changes.push_back("the " + name_of(b.quantity) + " by " + grouped_text(b.amount, 2) + " " +
                          unit_of(b.quantity) + " (" + text_of(b.reason) +
                          (share_text(b.amount, whole).empty() ? "" : ", " + share_text(b.amount, whole)) + ")");
    }
    if (changes.empty()) return "";
    return "Factors changed " + listed(changes) + ".";
}

}  // namespace

std::vector<std::string> summary_sentences(const YearReport& report) {
    std::vector<std::string> sentences = {held_sentence(report), placed_sentence(report), losses_sentence(report)};
    std::string changes = changes_sentence(report);
    if (!changes.empty()) sentences.push_back(std::move(changes));
    return sentences;
}

std::string share_text(double part, double whole) {
    if (whole == 0.0 || !std::isfinite(part) || !std::isfinite(whole)) return "";
    return grouped_text(100.0 * part / whole, 1) + "%";
}

}  // namespace tessadro
