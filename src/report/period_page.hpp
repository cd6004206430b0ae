#pragma once

#include <string>
#include <vector>

#include "report/changes.hpp"
#include "report/year_result.hpp"

namespace tessadro {

// The page of a period, report/index.html: self-contained, no script, no
// network. A table of the years (factor, exit status, problems by severity,
// and for each quantity what the files hold, what was lost, what was placed
// and the share placed), each year linked to its own page; a chart of each
// quantity over the years; the changes between consecutive years; the failed
// years with their messages. The numbers carry data- attributes (year,
// quantity, kind, amount) so that they can be read back from the document.
// years: in calendar order.
std::string period_page(const std::vector<YearResult>& years, const std::vector<Change>& changes);

}  // namespace tessadro
