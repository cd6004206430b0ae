// Microbenchmarks of the record layer's inner loops: the free-form reader on
// records shaped like the coordinates file, the free-form real and integer
// writers, the F6.1 fields of the array files (quick writer against the
// general one, and whole 400-value rows, most of them zero), and rows of the
// tract table (written whole by write_list, and kept by a repeated record).
//
//   micro_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <unistd.h>
#include <random>
#include <string>
#include <vector>

#include "text/fixed_field.hpp"
#include "text/free_form.hpp"
#include "text/real_text.hpp"
#include "text/repeated_record.hpp"

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

// One of the free-form field writers over 4096 values in turn.
template <class T, std::size_t Width, void (*Format)(T, char*)>
void list_field(benchmark::State& state, const std::vector<T>& values) {
    char out[Width];
    std::size_t k = 0;
    for (auto _ : state) {
        Format(values[k++ & 4095], out);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}

template <void (*Format)(float, char*)>
void list_real(benchmark::State& state) {
    list_field<float, list_real_width, Format>(state, report_values(4096));
}
BENCHMARK(list_real<format_list_real>)->Name("list_real");
BENCHMARK(list_real<format_list_real_exact>)->Name("list_real_exact");

void list_integer(benchmark::State& state) {
    std::mt19937 random(3);
    std::vector<std::int32_t> values(4096);
    for (auto& v : values) v = static_cast<std::int32_t>(random() % 200000) - 1000;
    list_field<std::int32_t, list_integer_width, format_list_integer>(state, values);
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

// The run writes only regular files: the benchmarks write to one in the
// temporary directory, removed at the end.
struct ScratchFile {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("tessadro-micro-bench-" + std::to_string(::getpid()))).string();
    ~ScratchFile() { std::filesystem::remove(path); }
};

void f61_row(benchmark::State& state) {
    const std::vector<float> row = array_row();
    const Format format("(326f6.1)");
    const ScratchFile scratch;
    OutputFile out(scratch.path, 8);
    for (auto _ : state) write_fixed_reals(out, format, row);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(row.size()));
}
BENCHMARK(f61_row);

// Rows of the tract table: groups of 40 tracts, whose group values (number,
// wells, point of diversion, range, acres) repeat from row to row.
void tract_rows(benchmark::State& state) {
    const std::vector<float> reals = report_values(4096);
    const bool repeated = state.range(0) != 0;
    const ScratchFile scratch;
    OutputFile out(scratch.path, 8);
    constexpr Item::Kind i = Item::Kind::integer, r = Item::Kind::real;
    RepeatedRecord record({i, i, i, i, i, r, r, r, r, i, i, i, r, i, i, r, r, r, r, r, r, i});
    std::int32_t k = 0;
    for (auto _ : state) {
        const std::int32_t grp = k / 40 + 1;
        const float fct = reals[static_cast<std::size_t>(k & 4095)];
        const float group_real = reals[static_cast<std::size_t>(grp & 4095)];
        const std::initializer_list<Item> items = {
            grp, 1 + k % 20, 1 + k % 45, 1 + k % 36, 1 + k % 16, 40.0f, fct,
            reals[static_cast<std::size_t>((k + 1) & 4095)], reals[static_cast<std::size_t>((k + 2) & 4095)],
            k % 400 + 1, k % 326 + 1, k % 130000, fct, 1, grp % 90, group_real, group_real * 2.0f,
            reals[static_cast<std::size_t>((k + 3) & 4095)], group_real / 3.0f,
            reals[static_cast<std::size_t>((k + 4) & 4095)], group_real * 5.0f, k % 40 + 1};
        if (repeated) {
            std::size_t at = 0;
            for (const Item& item : items) {
                if (item.kind == Item::Kind::integer) record.set(at++, item.integer);
                else record.set(at++, item.real);
            }
            record.write(out);
        } else {
            write_list(out, items);
        }
        ++k;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(repeated ? "repeated record" : "write_list");
}
BENCHMARK(tract_rows)->Arg(1)->Arg(0);

}  // namespace

BENCHMARK_MAIN();
