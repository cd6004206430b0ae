// Runs tessadro or tessadro-report in a fresh copy of a whole-run dataset
// (tests/data/<name>: args, static/, work/), as the whole-run tests do.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_files.hpp"

namespace tessadro::test {

namespace fs = std::filesystem;

struct DatasetRun {
    fs::path work;
    int status = -1;
    std::string stdout_text, stderr_text;
};

// Runs binary with args (words for the shell) in work, where the year's files
// and static/ are; a program that hangs is stopped after a minute (status 124).
inline DatasetRun run_in_folder(const fs::path& work, const std::string& binary, const std::string& args) {
    DatasetRun r;
    r.work = work;
    const std::string command = "cd " + shell_quoted(work.string()) + " && TESSADRO_STATIC=static timeout 60 " +
                                shell_quoted(binary) + " " + args + " > stdout.txt 2> stderr.txt";
    const int status = std::system(command.c_str());
    if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
    r.stdout_text = slurp(work / "stdout.txt");
    r.stderr_text = slurp(work / "stderr.txt");
    return r;
}

// extra: arguments after the dataset's own (for example "--gis").
inline DatasetRun run_dataset(const fs::path& dataset, const std::string& binary, const std::string& tag,
                              const std::string& extra = "") {
    const fs::path work = fs::temp_directory_path() /
                          ("tessadro-" + tag + "-" + dataset.filename().string() + "-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    if (fs::exists(dataset / "work")) fs::copy(dataset / "work", work, fs::copy_options::recursive);
    if (fs::exists(dataset / "static")) fs::copy(dataset / "static", work / "static", fs::copy_options::recursive);
    std::string args;
    std::ifstream list(dataset / "args");
    for (std::string arg; std::getline(list, arg);) args.append(shell_quoted(arg)).append(" ");
    return run_in_folder(work, binary, args + extra);
}

// How tessadro-report ended otherwise than tessadro on the same year: its
// status, its standard error, its console (which must start with the run's)
// or a file of out/; "" when it ended as the run did.
inline std::string how_endings_differ(const DatasetRun& legacy, const DatasetRun& report) {
    if (legacy.status != report.status) {
        return "status " + std::to_string(legacy.status) + " and " + std::to_string(report.status) + ": " +
               report.stderr_text;
    }
    if (legacy.stderr_text != report.stderr_text) {
        return "standard error: '" + legacy.stderr_text + "' and '" + report.stderr_text + "'";
    }
    if (!report.stdout_text.starts_with(legacy.stdout_text)) return "the report's console does not start with the run's";
    const auto files = files_below(legacy.work / "out");
    if (files != files_below(report.work / "out")) return "out/ holds other files";
    for (const std::string& name : files) {
        if (slurp(legacy.work / "out" / name) != slurp(report.work / "out" / name)) return "out/" + name + " differs";
    }
    return "";
}

inline fs::path dataset_path(const std::string& name) { return fs::path(TESSADRO_TEST_DATA) / name; }

}  // namespace tessadro::test
