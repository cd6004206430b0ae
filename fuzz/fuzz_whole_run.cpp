// The whole run in-process on a small dataset whose files the fuzzer mutates.
// The input is the dataset's files joined by NUL bytes, in the order of
// `files` below, then the factor argument; a part that is absent leaves its
// file missing. Every outcome must be a normal end or the run-error report
// (RunError); anything else (another exception, a crash, a sanitizer report,
// a hang) is a finding. The run works in a scratch folder of its own, with
// its console going to /dev/null.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "run/run.hpp"
#include "text/run_error.hpp"

namespace fs = std::filesystem;

namespace {

const char* const files[] = {
    "static/tessadro.par",      "static/02.ibound",      "static/cty.flg",
    "static/monthlyfactorsbycounty.txt", "static/queltapdivs.txt", "static/40coords.dat",
    "authacres2010.txt",        "tessadro2010.txt",      "2010mi.txt",
};

}  // namespace

namespace {

fs::path scratch;

void remove_scratch() {
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(scratch, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    scratch = fs::temp_directory_path() / ("tessadro-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(scratch / "static");
    fs::current_path(scratch);
    std::atexit(remove_scratch);
    ::setenv("TESSADRO_STATIC", "static", 1);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::close(null);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> parts;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (parts.size() < std::size(files) + 1) {
        const std::size_t nul = rest.find('\0');
        parts.push_back(rest.substr(0, nul));
        if (nul == std::string_view::npos) break;
        rest.remove_prefix(nul + 1);
    }
    for (std::size_t k = 0; k < std::size(files); ++k) {
        fs::remove(files[k]);
        if (k < parts.size()) std::ofstream(files[k], std::ios::binary) << parts[k];
    }
    const std::string factor(parts.size() > std::size(files) ? parts[std::size(files)] : "1.0");
    try {
        tessadro::run("2010", factor);
    } catch (const tessadro::RunError&) {
        // The run-error report: exit status 2, a normal outcome for bad input.
    }
    return 0;
}
