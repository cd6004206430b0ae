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

// extra: arguments after the dataset's own (for example "--gis").
inline DatasetRun run_dataset(const fs::path& dataset, const std::string& binary, const std::string& tag,
                              const std::string& extra = "") {
    DatasetRun r;
    r.work = fs::temp_directory_path() /
             ("tessadro-" + tag + "-" + dataset.filename().string() + "-" + std::to_string(::getpid()));
    fs::remove_all(r.work);
    fs::create_directories(r.work);
    if (fs::exists(dataset / "work")) fs::copy(dataset / "work", r.work, fs::copy_options::recursive);
    if (fs::exists(dataset / "static")) fs::copy(dataset / "static", r.work / "static", fs::copy_options::recursive);
    std::string command = std::string("cd ") + shell_quoted(r.work.string()) + " && TESSADRO_STATIC=static " + shell_quoted(binary);
    std::ifstream args(dataset / "args");
    for (std::string arg; std::getline(args, arg);) command.append(" ").append(shell_quoted(arg));
    if (!extra.empty()) command.append(" ").append(extra);
    command += " > stdout.txt 2> stderr.txt";
    const int status = std::system(command.c_str());
    if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
    r.stdout_text = slurp(r.work / "stdout.txt");
    r.stderr_text = slurp(r.work / "stderr.txt");
    return r;
}

inline fs::path dataset_path(const std::string& name) { return fs::path(TESSADRO_TEST_DATA) / name; }

}  // namespace tessadro::test
