// The whole run in-process on a small dataset whose files the fuzzer mutates.
// The input is the dataset's files joined by NUL bytes, in the order of
// `files` below, then the factor argument; a part that is absent leaves its
// file missing. Every outcome must be a normal end or the run-error report
// (RunError); anything else (another exception, a crash, a sanitizer report,
// a hang) is a finding. The run works in a folder of its own (run_folder.hpp).
// The mutations are mostly record by record (record_mutator.hpp), so that
// most datasets go through every phase; fuzz/whole_run.dict holds the tokens
// of the reading rules for the byte mutations.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "record_mutator.hpp"
#include "run_folder.hpp"
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

// A quarantine of freed memory large enough for a small run's blocks, kept
// small so that the run's memory is used again warm instead of fresh pages.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::enter_run_folder(argc, argv);
    return 0;
}

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t max_size,
                                              unsigned int seed) {
    return fuzz::mutate_records(data, size, max_size, seed);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::note_input(data, size);
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
        fuzz::note_completed();
    } catch (const tessadro::RunError& e) {
        // The run-error report: exit status 2, a normal outcome for bad input.
        fuzz::note_run_error(e.what(), e.location());
    }
    return 0;
}
