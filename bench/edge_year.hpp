// A small year of edge cases for tessadro, by seed (edge_year.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Writes dir/static/ and the files of the year; returns the factor argument.
std::string write_edge_year(const std::filesystem::path& dir, const std::string& year, std::uint32_t seed);
