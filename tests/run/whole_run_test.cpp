// Whole runs of the program on small hand-made datasets, compared byte for
// byte with expected files.
//
// A dataset is a folder under tests/data holding
//   args          the command-line arguments, one per line
//   static/       the static tables, copied to static/ in the working
//                 directory, where TESSADRO_STATIC points
//   work/         the year files; the run's working directory starts as a copy
//   expected/     stdout, stderr and status (the exit status), and out/ with
//                 every file the run must write: no more, no fewer
//   README        how the expected numbers follow from the inputs
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_files.hpp"

namespace fs = std::filesystem;
using tessadro::test::files_below;
using tessadro::test::shell_quoted;
using tessadro::test::slurp;

namespace {

std::vector<std::string> lines_of(const fs::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class WholeRun : public testing::TestWithParam<std::string> {};

TEST_P(WholeRun, MatchesExpectedFiles) {
    const fs::path dataset = fs::path(TESSADRO_TEST_DATA) / GetParam();
    const fs::path work = fs::temp_directory_path() / ("tessadro-" + GetParam() + "-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    if (fs::exists(dataset / "work")) fs::copy(dataset / "work", work, fs::copy_options::recursive);
    // The static tables sit in the working directory as "static", so that the
    // paths the run shows are the same on every machine.
    if (fs::exists(dataset / "static")) fs::copy(dataset / "static", work / "static", fs::copy_options::recursive);

    std::string command = "cd " + shell_quoted(work.string()) + " && TESSADRO_STATIC=static " + shell_quoted(TESSADRO_BINARY);
    for (const std::string& arg : lines_of(dataset / "args")) command.append(" ").append(shell_quoted(arg));
    command += " > stdout.txt 2> stderr.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));

    const fs::path expected = dataset / "expected";
    EXPECT_EQ(std::to_string(WEXITSTATUS(status)) + "\n", slurp(expected / "status"));
    EXPECT_EQ(slurp(expected / "stdout"), slurp(work / "stdout.txt")) << "console";
    EXPECT_EQ(slurp(expected / "stderr"), slurp(work / "stderr.txt")) << "standard error";
    const std::set<std::string> want = files_below(expected / "out");
    EXPECT_EQ(want, files_below(work / "out")) << "files in out/";
    for (const std::string& name : want) {
        EXPECT_EQ(slurp(expected / "out" / name), slurp(work / "out" / name)) << "out/" << name;
    }
    if (!HasFailure()) fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Datasets, WholeRun, testing::ValuesIn(tessadro::test::dataset_names()),
                         tessadro::test::DatasetTestName());

}  // namespace
