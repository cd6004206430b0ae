#pragma once

#include <string>
#include <vector>

#include "report/year_report.hpp"

namespace tessadro {

// The sentences under the page's title, for a reader with a minute: what the
// files hold, what share of it the arrays hold, the largest losses and a
// factor that changed an amount by more than a thousandth. Plain text, to be
// escaped where it is shown.
std::vector<std::string> summary_sentences(const YearReport& report);

// A part of a whole as a percentage with one decimal ("65.0%"); empty when
// the whole is zero or either is not finite.
std::string share_text(double part, double whole);

}  // namespace tessadro
