#pragma once

#include <string>
#include <vector>

#include "report/report_keys.hpp"
#include "report/year_result.hpp"

namespace tessadro {

// One quantity of a period over its years as an inline SVG chart: a bar a
// year, what the arrays hold at its foot and the losses by reason stacked
// above it, so that a year that lost much stands out; a failed year is a gap
// marked "failed". Every segment carries its year, reason and amount as
// attributes. years: in calendar order.
std::string period_chart(const std::vector<YearResult>& years, Quantity quantity);

}  // namespace tessadro
