#include "run_folder.hpp"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sched.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace fuzz {
namespace {

fs::path scratch;
std::FILE* outcomes = nullptr;
std::uint64_t input_hash = 0;

void remove_scratch() {
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(scratch, ec);
}

// A memory file system spares the run the disk's file creation, which is
// most of the time of a small run's twenty-odd files.
fs::path scratch_parent() {
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return fs::temp_directory_path();
}

// The flags whose value is a path.
constexpr std::string_view path_flags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict=",
                                           "-merge_control_file=", "-features_dir=", "-mutation_graph_file=",
                                           "-stop_file="};

std::string absolute(std::string_view path) {
    if (path.empty() || path.front() == '/') return std::string(path);
    std::string made = fs::absolute(fs::path(path)).lexically_normal().string();
    // "-artifact_prefix=crash/" names a folder: its slash stays.
    if (path.back() == '/' && (made.empty() || made.back() != '/')) made += '/';
    return made;
}

// The folders of processes that ended on a finding (which leaves no time to
// remove them) go when the next one starts.
void remove_stale_folders(const fs::path& parent) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(parent, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("tessadro-fuzz-")) continue;
        const std::string pid = name.substr(std::string_view("tessadro-fuzz-").size());
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        if (fs::exists("/proc/" + pid, ec)) continue;
        fs::remove_all(entry.path(), ec);
    }
}

}  // namespace

void enter_run_folder(int* argc, char*** argv) {
    static std::vector<std::string> args;
    static std::vector<char*> pointers;
    for (int k = 0; k < *argc; ++k) {
        std::string_view arg((*argv)[k]);
        if (k == 0) {
            args.emplace_back(arg);
        } else if (!arg.starts_with('-')) {
            args.push_back(absolute(arg));
        } else {
            std::string made(arg);
            for (std::string_view flag : path_flags) {
                if (arg.starts_with(flag)) {
                    made = std::string(flag) + absolute(arg.substr(flag.size()));
                }
            }
            args.push_back(made);
        }
    }
    for (std::string& a : args) pointers.push_back(a.data());
    pointers.push_back(nullptr);
    *argv = pointers.data();

    if (const char* log = std::getenv("FUZZ_OUTCOMES")) outcomes = std::fopen(log, "a");
    remove_stale_folders(scratch_parent());
    scratch = scratch_parent() / ("tessadro-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(scratch / "static");
    fs::current_path(scratch);
    std::atexit(remove_scratch);
    ::setenv("TESSADRO_STATIC", "static", 1);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::close(null);

    // Every run maps and unmaps its big tables; on one processor the unmaps
    // need no other processor's attention. The run's threads share it.
    cpu_set_t one;
    CPU_ZERO(&one);
    const int cpu = ::sched_getcpu();
    CPU_SET(cpu >= 0 ? cpu : 0, &one);
    ::sched_setaffinity(0, sizeof one, &one);
}

void note_input(const std::uint8_t* data, std::size_t size) {
    if (outcomes == nullptr) return;
    input_hash = 14695981039346656037u;  // FNV-1a
    for (std::size_t k = 0; k < size; ++k) input_hash = (input_hash ^ data[k]) * 1099511628211u;
}

void note_completed() {
    if (outcomes == nullptr) return;
    std::fprintf(outcomes, "%016llx completed\n", static_cast<unsigned long long>(input_hash));
    std::fflush(outcomes);
}

void note_run_error(const std::string& message, const std::string& location) {
    if (outcomes == nullptr) return;
    // One line an input.
    std::string line = "error: " + message + " | " + location;
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::fprintf(outcomes, "%016llx %s\n", static_cast<unsigned long long>(input_hash), line.c_str());
    std::fflush(outcomes);
}

}  // namespace fuzz
