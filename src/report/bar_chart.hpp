#pragma once

#include <string>
#include <vector>

#include "report/year_report.hpp"

namespace tessadro {

// The name of month 1 to 12 ("May").
std::string month_name(int month);

// Pumping and recharge of May to October as an inline SVG bar chart, two bars
// a month; every bar carries its month, quantity and value as attributes. A
// total that is infinite or NaN gets no bar, and a paragraph after the chart
// names it.
std::string monthly_bar_chart(const std::vector<MonthTotals>& months);

// A round step for a chart's value axis: about five steps up to the largest
// value (positive and finite).
double axis_step(double largest);

}  // namespace tessadro
