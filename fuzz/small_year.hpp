#pragma once

#include <string>
#include <utility>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

// A small year made from fuzz input: a grid of a few cells, a few tract
// points, authorized-acres, pumping and M&I records, the county factors. The
// files are well formed, so that nearly every year goes through the whole
// run; the values are the fuzzer's, mostly plausible and now and then odd:
// infinite, NaN, huge, negative, zero, counties and active flags outside
// their codes, grids without rows or columns.
namespace fuzz {

struct SmallYear {
    std::vector<std::pair<std::string, std::string>> files;  // path (in the run folder), text
    std::string factor;                                      // the exchange-area factor argument
};

SmallYear make_small_year(FuzzedDataProvider& in);

}  // namespace fuzz
