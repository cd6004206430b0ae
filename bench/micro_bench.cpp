// Microbenchmarks of the record layer's inner loops: the free-form reader on
// records shaped like the coordinates file, the free-form real and integer
// writers, and the F6.1 fields of the array files (quick writer against the
// general one, and whole 400-value rows, most of them zero).
//
//   micro_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/fixed_field.hpp"
#include "text/free_form.hpp"
#include "text/real_text.hpp"

namespace {

using namespace tessadro;

// Reals as the reports hold them: coordinates in feet, acres, fractions.
std::vector<float> report_values(std::size_t count) {
    std::mt19937 random(42);
    std::uniform_real_distribution<float> exponent(-1.0f, 7.0f);
    std::vector<float> values(count);
    for (float& v : values) v = std::pow(10.0f, exponent(random)) * (random() % 8 == 0 ? -1.0f : 1.0f);
    return values;
}

// An array row: about two thirds zero, the rest tenths to thousands.
std::vector<float> array_row() {
    std::mt19937 random(7);
    std::vector<float> row(400);
    for (float& v : row) v = random() % 3 == 0 ? static_cast<float>(random() % 200000) / 70.0f : 0.0f;
    return row;
}

void free_form_read(benchmark::State& state) {
    // Records of the coordinates file: township, range, section, tract, x, y.
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += std::to_string(1 + i % 20) + " " + std::to_string(1 + i % 45) + " " + std::to_string(1 + i % 36) +
                " " + std::to_string(1 + i % 16) + " " + std::to_string(1500000 + i * 37) + ".76 " +
                std::to_string(1900000 + i * 11) + ".72\n";
    }
    LineReader in(text);
    std::int32_t t = 0, r = 0, s = 0, q = 0;
    float x = 0.0f, y = 0.0f;
    const Target targets[] = {t, r, s, q, x, y};
    for (auto _ : state) {
        if (read_list(in, targets).status != 0) in.rewind();
        benchmark::DoNotOptimize(x);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(free_form_read);

template <void (*Format)(float, char*)>
void list_real(benchmark::State& state) {
    const std::vector<float> values = report_values(4096);
    char out[list_real_width];
    std::size_t k = 0;
    for (auto _ : state) {
        Format(values[k++ & 4095], out);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(list_real<format_list_real>)->Name("list_real");
BENCHMARK(list_real<format_list_real_exact>)->Name("list_real_exact");

void list_integer(benchmark::State& state) {
    std::mt19937 random(3);
    std::vector<std::int32_t> values(4096);
    for (auto& v : values) v = static_cast<std::int32_t>(random() % 200000) - 1000;
    char out[list_integer_width];
    std::size_t k = 0;
    for (auto _ : state) {
        format_list_integer(values[k++ & 4095], out);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(list_integer);

void f61_field(benchmark::State& state) {
    const std::vector<float> values = array_row();
    const bool quick = state.range(0) != 0;
    char out[8];
    std::size_t k = 0;
    for (auto _ : state) {
        const float v = values[k++ % values.size()];
        benchmark::DoNotOptimize(quick ? format_f61(v, out) : format_fixed_real(v, 6, 1, out));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(quick ? "quick" : "general");
}
BENCHMARK(f61_field)->Arg(1)->Arg(0);

void f61_row(benchmark::State& state) {
    const std::vector<float> row = array_row();
    const Format format("(326f6.1)");
    OutputFile out("/dev/null", 8);
    for (auto _ : state) write_fixed_reals(out, format, row);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(row.size()));
}
BENCHMARK(f61_row);

}  // namespace

BENCHMARK_MAIN();
