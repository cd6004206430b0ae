// What the tests that start the programs share: reading a file whole,
// listing the files a run wrote and splitting the report's CSV files.
#pragma once

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tessadro::test {

namespace fs = std::filesystem;

inline std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// How often what occurs in text, side by side.
inline std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
    return n;
}

// The files below a folder, by their paths relative to it.
inline std::set<std::string> files_below(const fs::path& root) {
    std::set<std::string> names;
    if (!fs::exists(root)) return names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), root).string());
    }
    return names;
}

// The rows of a CSV file split at commas (the report's files quote nothing).
inline std::vector<std::vector<std::string>> csv_rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::size_t at = 0;
        for (std::size_t comma; (comma = line.find(',', at)) != std::string::npos; at = comma + 1) {
            fields.push_back(line.substr(at, comma - at));
        }
        fields.push_back(line.substr(at));
        rows.push_back(fields);
    }
    return rows;
}

}  // namespace tessadro::test
