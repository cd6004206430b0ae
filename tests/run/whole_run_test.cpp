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

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines_of(const fs::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string quoted(const std::string& text) {
    std::string q(1, '\'');
    for (char c : text) {
        if (c == '\'') q.append("'\\''");
        else q.push_back(c);
    }
    q.push_back('\'');
    return q;
}

std::set<std::string> files_below(const fs::path& root) {
    std::set<std::string> names;
    if (!fs::exists(root)) return names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), root).string());
    }
    return names;
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

    std::string command = "cd " + quoted(work.string()) + " && TESSADRO_STATIC=static " + quoted(TESSADRO_BINARY);
    for (const std::string& arg : lines_of(dataset / "args")) command.append(" ").append(quoted(arg));
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

std::vector<std::string> datasets() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TESSADRO_TEST_DATA)) {
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Datasets, WholeRun, testing::ValuesIn(datasets()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
