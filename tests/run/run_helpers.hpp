// Whole runs of the program started by the tests themselves, in a working
// directory laid out from a dataset of tests/data, with room to spoil the
// environment the program starts in.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "support/test_files.hpp"

namespace tessadro::test {

namespace fs = std::filesystem;

inline fs::path dataset(const std::string& name) { return fs::path(TESSADRO_TEST_DATA) / name; }

// A working directory laid out as the whole-run test lays it out.
inline fs::path prepare(const std::string& name, const std::string& tag) {
    const fs::path work = fs::temp_directory_path() / ("tessadro-env-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    if (fs::exists(dataset(name) / "work")) fs::copy(dataset(name) / "work", work, fs::copy_options::recursive);
    if (fs::exists(dataset(name) / "static")) {
        fs::copy(dataset(name) / "static", work / "static", fs::copy_options::recursive);
    }
    return work;
}

inline bool write_all(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes text, then megabytes MiB of digits without a line end, into the FIFO
// at path from a process of its own, as a pipeline would; it gives up after a
// minute if nobody reads.
inline void feed_fifo(const fs::path& path, const std::string& text, int megabytes = 0) {
    if (::fork() != 0) return;
    ::alarm(60);
    const int fd = ::open(path.c_str(), O_WRONLY);
    const std::string digits(1u << 20, '7');
    bool ok = fd >= 0 && write_all(fd, text);
    for (int i = 0; ok && i < megabytes; ++i) ok = write_all(fd, digits);
    ::_exit(0);
}

struct Outcome {
    int status = -1;  // exit status, or -1 when killed by a signal
    std::string out, err;
};

// Runs a program with the given arguments in work, standard output and error
// going to files there; setup() runs in the child just before the program
// starts, to spoil its environment. A run that hangs is killed after a minute.
// With wait false the child's pid is returned in status, for finish().
template <class Setup>
Outcome run_program(const fs::path& work, std::vector<std::string> args, Setup setup, bool wait = true) {
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
        setup();
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (!wait) return {pid, {}, {}};
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(work / "stdout.txt"), slurp(work / "stderr.txt")};
}

// The end of a program started with wait false.
inline Outcome finish(const fs::path& work, const Outcome& started) {
    int status = 0;
    ::waitpid(started.status, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(work / "stdout.txt"), slurp(work / "stderr.txt")};
}

// The dataset's arguments after the binary, then extra ones.
inline std::vector<std::string> dataset_args(const std::string& name, const std::string& binary,
                                             std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {binary};
    std::ifstream list(dataset(name) / "args");
    for (std::string arg; std::getline(list, arg);) args.push_back(arg);
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// tessadro with the dataset's arguments.
template <class Setup>
Outcome run_in(const fs::path& work, const std::string& name, Setup setup) {
    return run_program(work, dataset_args(name, TESSADRO_BINARY), setup);
}

// Every file of out/ as the dataset expects it.
inline void expect_expected_files(const std::string& name, const fs::path& work) {
    const fs::path expected = dataset(name) / "expected" / "out";
    EXPECT_EQ(files_below(expected), files_below(work / "out"));
    for (const std::string& file : files_below(expected)) {
        EXPECT_EQ(slurp(expected / file), slurp(work / "out" / file)) << "out/" << file;
    }
}

inline std::string expected(const std::string& name, const char* what) {
    return slurp(dataset(name) / "expected" / what);
}

inline void clean_up(const fs::path& work) {
    if (!testing::Test::HasFailure()) fs::remove_all(work);
}

}  // namespace tessadro::test
