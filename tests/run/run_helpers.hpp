// Whole runs of the programs started by the tests themselves, in a working
// directory laid out from a dataset of tests/data, with room to spoil the
// environment the program starts in; and the one comparison of how two runs
// ended.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "support/test_files.hpp"

namespace tessadro::test {

namespace fs = std::filesystem;

// A dataset of tests/data by its name, or any folder laid out as one.
inline fs::path dataset(const fs::path& name) { return fs::path(TESSADRO_TEST_DATA) / name; }

// An empty folder of the test's own.
inline fs::path fresh_folder(const std::string& tag) {
    const fs::path work = fs::temp_directory_path() / ("tessadro-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    return work;
}

// A working directory: the dataset's year files (work/, or year/ in the
// example) and its static tables in static/, where TESSADRO_STATIC points, so
// that the paths the run shows are the same on every machine.
inline fs::path prepare(const fs::path& name, const std::string& tag) {
    const fs::path from = dataset(name), work = fresh_folder(tag);
    for (const char* year : {"work", "year"}) {
        if (fs::exists(from / year)) fs::copy(from / year, work, fs::copy_options::recursive);
    }
    if (fs::exists(from / "static")) fs::copy(from / "static", work / "static", fs::copy_options::recursive);
    return work;
}

// Writes text, then megabytes MiB of digits without a line end, into the FIFO
// at path from a process of its own, as a pipeline would; it gives up after a
// minute if nobody reads.
inline void feed_fifo(const fs::path& path, const std::string& text, int megabytes = 0) {
    if (::fork() != 0) return;
    ::alarm(60);
    std::ofstream fifo(path, std::ios::binary);
    const std::string digits(1u << 20, '7');
    fifo << text;
    for (int i = 0; fifo && i < megabytes; ++i) fifo << digits;
    fifo.close();
    ::_exit(0);
}

// How a program ended, and the folder whose out/ holds what it wrote.
struct Outcome {
    int status = -1;  // exit status, or -1 when killed by a signal
    std::string out, err;
    fs::path work = {};
};

inline Outcome ended(const fs::path& work, int status) {
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(work / "stdout.txt"), slurp(work / "stderr.txt"), work};
}

// Runs a program with the given arguments in work, standard output and error
// going to files there; setup() runs in the child just before the program
// starts, to spoil its environment. A run that hangs is killed after a minute.
// With wait false the child's pid is returned in status, for finish().
inline Outcome run_program(const fs::path& work, std::vector<std::string> args,
                           const std::function<void()>& setup = {}, bool wait = true) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(work.c_str()) != 0) ::_exit(126);
        ::setenv("TESSADRO_STATIC", "static", 1);
        const int out = ::open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::close(out);
        ::close(err);
        ::signal(SIGPIPE, SIG_DFL);  // as a shell starts a program
        ::alarm(60);
        if (setup) setup();
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (!wait) return {pid, {}, {}, work};
    int status = 0;
    ::waitpid(pid, &status, 0);
    return ended(work, status);
}

// The end of a program started with wait false.
inline Outcome finish(const Outcome& started) {
    int status = 0;
    ::waitpid(started.status, &status, 0);
    return ended(started.work, status);
}

// The binary, then the dataset's arguments (its file args, one a line), then extra ones.
inline std::vector<std::string> dataset_args(const fs::path& name, const std::string& binary,
                                             std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {binary};
    std::ifstream list(dataset(name) / "args");
    for (std::string arg; std::getline(list, arg);) args.push_back(arg);
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// How the dataset expects tessadro to end: expected/ holds status, stdout,
// stderr and out/ with every file the run must write.
inline Outcome expected(const std::string& name) {
    const fs::path folder = dataset(name) / "expected";
    return {std::stoi(slurp(folder / "status")), slurp(folder / "stdout"), slurp(folder / "stderr"), folder};
}

// How got ended otherwise than want: its status, its standard error, its
// console or a file of out/; "" when it ended alike. With more_console got's
// console may go on after want's (the report's block after the run's).
inline std::string how_ending_differs(const Outcome& want, const Outcome& got, bool more_console = false) {
    if (want.status != got.status) {
        return "status " + std::to_string(want.status) + " and " + std::to_string(got.status) + ": " + got.err;
    }
    if (want.err != got.err) return "standard error: '" + want.err + "' and '" + got.err + "'";
    if (more_console ? !got.out.starts_with(want.out) : got.out != want.out) {
        return "console: '" + want.out + "' and '" + got.out + "'";
    }
    const auto files = files_below(want.work / "out");
    if (files != files_below(got.work / "out")) return "out/ holds other files";
    for (const std::string& name : files) {
        if (slurp(want.work / "out" / name) != slurp(got.work / "out" / name)) return "out/" + name + " differs";
    }
    return "";
}

// Everything in the working directory but out/ and report/, the console
// captures aside.
inline std::set<std::string> entries_outside_out(const fs::path& work) {
    std::set<std::string> names;
    for (auto it = fs::recursive_directory_iterator(work); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = fs::relative(it->path(), work).string();
        if (name == "out" || name == "report") it.disable_recursion_pending();
        if (name != "out" && name != "report" && name != "stdout.txt" && name != "stderr.txt") names.insert(name);
    }
    return names;
}

inline void clean_up(const fs::path& work) {
    if (!testing::Test::HasFailure()) fs::remove_all(work);
}

}  // namespace tessadro::test
