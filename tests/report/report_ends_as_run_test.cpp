// tessadro-report ends as tessadro does: on a few hundred small generated
// years full of edge cases (make_year --edge, bench/edge_year.cpp), both
// programs give the same exit status, the same out/ byte for byte and the
// same standard error, and the report's console starts with the run's. Most
// years end well; many end with the run's error, which the report must give
// in the same words.
#include <gtest/gtest.h>

#include "run/run_helpers.hpp"

namespace tessadro::test {
namespace {

TEST(ReportEndsAsRun, OnGeneratedEdgeCaseYears) {
#ifdef TESSADRO_SANITIZED
    constexpr std::uint32_t years = 40;  // the sanitized programs take ten times as long
#else
    constexpr std::uint32_t years = 250;
#endif
    const fs::path root = fresh_folder("ends");
    std::vector<std::string> differ;
    int ended_well = 0;
    for (std::uint32_t seed = 1; seed <= years; ++seed) {
        const std::string edge = std::to_string(seed);
        Outcome ends[2];
        for (int k = 0; k < 2; ++k) {
            const fs::path work = root / (k == 0 ? "run" : "report");
            fs::remove_all(work);
            fs::create_directories(work);
            const Outcome made = run_program(work, {TESSADRO_MAKE_YEAR, ".", "2010", "--edge", edge});
            ASSERT_EQ(0, made.status) << made.err;
            const std::string factor = made.out.substr(0, made.out.find('\n'));
            ends[k] = run_program(work, {k == 0 ? TESSADRO_BINARY : TESSADRO_REPORT_BINARY, "2010", factor});
        }
        ended_well += ends[0].status == 0 ? 1 : 0;
        const std::string why = how_ending_differs(ends[0], ends[1], true);
        if (!why.empty()) differ.push_back("seed " + edge + ": " + why);
    }
    fs::remove_all(root);
    // The years must reach the report: most of them end well.
    EXPECT_GT(ended_well, static_cast<int>(years) / 2);
    std::string list;
    for (const std::string& d : differ) list += d + "\n";
    EXPECT_TRUE(differ.empty()) << differ.size() << " of " << years << " years end otherwise:\n" << list;
}

}  // namespace
}  // namespace tessadro::test
