#include "report/year_jobs.hpp"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

#include "report/report_files.hpp"
#include "report/report_folder.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;

// A capture's name while its year runs: hidden, and not the temporary name
// of any file of the year's report, which the year's own run removes as an
// earlier run's leftover.
fs::path capture(const fs::path& dir, const char* name) {
    std::string hidden = ".";
    hidden.append(name).append(".capture");
    return dir / hidden;
}

int open_capture(const fs::path& path, std::string& why) {
    ::unlink(path.c_str());  // a link left at the name is not followed
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) why = "Cannot write file '" + path.string() + "': " + std::strerror(errno);
    return fd;
}

// Starts a year; its pid, or -1 with why set.
pid_t start_year(const PeriodYear& year, const std::vector<std::string>& options, std::string& why) {
    const fs::path dir = fs::path("report") / year.year;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        why = "Cannot create folder '" + dir.string() + "': " + ec.message();
        return -1;
    }
    const int out = open_capture(capture(dir, "console.txt"), why);
    const int err = out < 0 ? -1 : open_capture(capture(dir, "stderr.txt"), why);
    if (err < 0) {
        if (out >= 0) ::close(out);
        return -1;
    }
    std::vector<std::string> args = {"tessadro-report"};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {"--", year.year, year.factor});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execv("/proc/self/exe", argv.data());
        const char* failed = "Error: cannot start the year's run: ";
        [[maybe_unused]] const ssize_t n1 = ::write(STDERR_FILENO, failed, std::strlen(failed));
        const char* reason = std::strerror(errno);
        [[maybe_unused]] const ssize_t n2 = ::write(STDERR_FILENO, reason, std::strlen(reason));
        ::_exit(127);
    }
    if (pid < 0) why = std::string("Cannot start the year's run: ") + std::strerror(errno);
    ::close(out);
    ::close(err);
    return pid;
}

// Puts the captures in place, holding the year's folder as its own runs do.
// A year that failed keeps no report of an earlier run: only its captures.
void put_captures(const PeriodYear& year, const YearEnd& end) {
    const fs::path dir = fs::path("report") / year.year;
    ReportFolder folder(dir, report_file_names(year.year));
    folder.lock();
    if (year_failed(end)) folder.remove_earlier();
    for (const char* name : {"console.txt", "stderr.txt"}) ::rename(capture(dir, name).c_str(), (dir / name).c_str());
}

}  // namespace

bool year_failed(const YearEnd& end) {
    return !end.why.empty() || end.signal != 0 || (end.status != 0 && end.status != 1);
}

void run_years(const std::vector<PeriodYear>& years, const std::vector<std::string>& options, int jobs,
               const std::function<void(std::size_t, const YearEnd&)>& ended) {
    std::map<pid_t, std::size_t> running;
    std::size_t next = 0;
    while (next < years.size() || !running.empty()) {
        while (next < years.size() && running.size() < static_cast<std::size_t>(jobs)) {
            YearEnd end;
            const pid_t pid = start_year(years[next], options, end.why);
            if (pid > 0) {
                running[pid] = next++;
                continue;
            }
            put_captures(years[next], end);
            ended(next++, end);
        }
        if (running.empty()) continue;
        int status = 0;
        const pid_t pid = ::waitpid(-1, &status, 0);
        if (pid < 0) {
            if (errno == EINTR) continue;
            break;  // no child left: none of ours can still be running
        }
        const auto at = running.find(pid);
        if (at == running.end()) continue;
        YearEnd end;
        if (WIFSIGNALED(status)) {
            end.signal = WTERMSIG(status);
        } else {
            end.status = WEXITSTATUS(status);
        }
        const std::size_t k = at->second;
        running.erase(at);
        put_captures(years[k], end);
        ended(k, end);
    }
}

}  // namespace tessadro
