#pragma once

#include <cstddef>

// How much the report shows of what grows with the input. The page holds
// everything of a year but for these, which a hostile or broken input can
// make as large as it likes; each section has its own bound, so that the page
// stays whole (never cut) and under 3 MB for any year the run accepts:
//   maps: 16 palette PNGs of at most 400 x 400 cells, each at most about
//         110 kB in base64 for cells of random classes: under 1.8 MB;
//   marks: at most marks_on_map rings on each of the 4 maps that carry them,
//         about 50 bytes a ring: 0.4 MB;
//   problem rows: problems_on_page rows, each at most about 2.6 kB when every
//         character of its texts is an escaped quote: 0.55 MB;
//   the rest (header, budget, months, legends) is a few kB whatever the input.
namespace tessadro {

// Problems listed on the page; problems.csv holds them all.
inline constexpr std::size_t problems_on_page = 200;

// Characters of a record's text (and of any other text of a problem) on the
// page and in problems.csv; a longer text is cut and ends with "…".
inline constexpr std::size_t record_characters_on_page = 200;
inline constexpr std::size_t record_characters_in_csv = 1000;

// Cells of rejected records ringed on one map; the legend counts the others.
inline constexpr std::size_t marks_on_map = 2000;

// The largest grid the maps draw, one pixel a cell: the run's arrays hold at
// most 400 rows and 400 columns.
inline constexpr int largest_map_side = 400;

}  // namespace tessadro
