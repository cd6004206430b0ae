#pragma once

#include <cstddef>

// How much the report shows of what grows with the input. The page holds
// everything of a year but for these, which a hostile or broken input can
// make as large as it likes; each section has its own bound, so that the page
// stays whole (never cut) and under 3 MB for any year the run accepts. On a
// 400 x 400 grid whose sixteen maps scatter their 13 colours at random (the
// worst case for the PNG's compression), with a rejected record that has
// every quantity on each cell and records of nothing but quotes:
//   maps: 16 palette PNGs of one pixel a cell, 90 kB each in base64: 1.44 MB;
//   marks: marks_on_map rings on each of the 4 maps that carry them, 52 bytes
//          a ring: 0.41 MB;
//   problem rows: problems_on_page rows of about 2 kB, the record's 200
//          characters escaped as six bytes each: 0.39 MB (the reasons and
//          file names are the program's own, at most 60 characters);
//   the outline of the constant-head cells, once: constant_head_runs runs of
//          about 14 bytes: 0.14 MB;
//   the rest (header, budget, months, legends, axes): about 60 kB;
// in all 2.5 MB. The full-size generated year's page is about 0.5 MB.
namespace tessadro {

// Problems listed on the page; problems.csv holds them all.
inline constexpr std::size_t problems_on_page = 200;

// Characters of a record's text (and of any other text of a problem) on the
// page and in problems.csv; a longer text is cut and ends with "…".
inline constexpr std::size_t record_characters_on_page = 200;
inline constexpr std::size_t record_characters_in_csv = 1000;

// Cells of rejected records ringed on one map; the legend counts the others.
inline constexpr std::size_t marks_on_map = 2000;

// Straight runs of the constant-head cells' outline; more than these (a
// scatter of single cells) and the maps go without it.
inline constexpr std::size_t constant_head_runs = 10000;

// The largest grid the maps draw, one pixel a cell: the run's arrays hold at
// most 400 rows and 400 columns.
inline constexpr int largest_map_side = 400;

// Pixels a side of a cell on the maps: at least the smallest, whatever the
// grid (the image holds a pixel a cell and the browser scales it), and a map
// at most the largest a side.
inline constexpr double smallest_cell_side = 2.0;
inline constexpr double largest_map_pixels = 1600.0;

}  // namespace tessadro
