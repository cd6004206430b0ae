#pragma once

// Unit numbers: each file the run opens is connected to one, and the
// run-error report names it.
namespace tessadro::unit {
inline constexpr int plot = 8;          // each plot and array file in turn
inline constexpr int check = 9;         // check report
inline constexpr int static_table = 11; // each static grid or table in turn
inline constexpr int parameters = 12;   // run parameters
inline constexpr int pumping = 13;      // pumping file, later the M&I file
inline constexpr int run_report = 14;
inline constexpr int authorized = 20;   // authorized acres, read twice
inline constexpr int tracts = 21;       // 40-acre tract coordinates
inline constexpr int group_report = 30;
}  // namespace tessadro::unit
