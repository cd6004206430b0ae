// A run of tessadro or tessadro-report in a fresh copy of a whole-run dataset
// (tests/data/<name>: args, static/, work/), by the runner of the whole-run
// tests, as the report's tests read it.
#pragma once

#include "run/run_helpers.hpp"

namespace tessadro::test {

struct DatasetRun {
    fs::path work;
    int status = -1;
    std::string stdout_text, stderr_text;
};

// extra: an argument after the dataset's own (for example "--gis").
inline DatasetRun run_dataset(const fs::path& dataset, const std::string& binary, const std::string& tag,
                              const std::string& extra = "") {
    const fs::path work = prepare(dataset, tag + "-" + dataset.filename().string());
    std::vector<std::string> args = dataset_args(dataset, binary);
    if (!extra.empty()) args.push_back(extra);
    const Outcome r = run_program(work, args);
    return {work, r.status, r.out, r.err};
}

inline fs::path dataset_path(const std::string& name) { return dataset(name); }

}  // namespace tessadro::test
