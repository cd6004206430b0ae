// Microbenchmarks of the record layer's inner loops: the free-form reader on
// records shaped like the coordinates file, the free-form real and integer
// writers, the F6.1 fields of the array files (quick writer against the
// general one, and whole 400-value rows, most of them zero), and rows of the
// tract table (written whole by write_list, and kept by a repeated record);
// and, when the report is built, the class breaks of a 400 x 400 map, the
// PNG encoding of an 800 x 800 map image and the rows of the ASCII grids.
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

#ifdef TESSADRO_REPORT_BENCH
#include "report/class_breaks.hpp"
#include "report/gis_files.hpp"
#include "report/map_figure.hpp"
#include "report/png_image.hpp"
#endif

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

#ifdef TESSADRO_REPORT_BENCH
// A map of side x side cells as a year's arrays look: inactive outside an
// ellipse, and inside a third of the cells pumped, amounts spread over five
// decades (a few large wells), the others zero.
std::vector<double> map_values(int side) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> exponent(-1.0, 4.0);
    std::vector<double> values(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), -1.0);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const double x = 2.0 * column / side - 1.0, y = 2.0 * row / side - 1.0;
            if (x * x + y * y > 0.8) continue;  // inactive: no value
            values[static_cast<std::size_t>(row * side + column)] =
                random() % 3 == 0 ? std::pow(10.0, exponent(random)) : 0.0;
        }
    }
    return values;
}

// The breaks of the active cells' values (which the page gathers anew for
// each map: the copy is part of the work).
void class_breaks(benchmark::State& state) {
    std::vector<double> active = map_values(400);
    std::erase(active, -1.0);
    for (auto _ : state) benchmark::DoNotOptimize(choose_breaks(active));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(active.size()));
}
BENCHMARK(class_breaks);

// A map image of a pixel a cell, coloured by the classes of its values.
void png_map(benchmark::State& state) {
    const std::vector<double> values = map_values(800);
    std::vector<double> active = values;
    std::erase(active, -1.0);
    const ClassBreaks breaks = choose_breaks(active);
    PaletteImage image{800, 800, {}, map_palette(static_cast<int>(breaks.limits.size()))};
    for (double v : values) {
        const int colour = v < 0.0 ? inactive_colour : v > 0.0 ? first_class + breaks.class_of(v) : zero_colour;
        image.pixels.push_back(static_cast<std::uint8_t>(colour));
    }
    std::size_t bytes = 0;
    for (auto _ : state) bytes = encode_png(image).size();
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(image.pixels.size()));
    state.SetLabel(std::to_string(bytes) + " bytes");
}
BENCHMARK(png_map);

// A row of an ASCII grid of the report's gis/ folder: an array file's row of
// 400 values, each as its F6.1 field holds it.
void asc_row(benchmark::State& state) {
    const std::vector<float> row = array_row();
    const std::vector<std::int32_t> ibound(row.size(), 1);
    std::string out;
    for (auto _ : state) {
        out.clear();
        append_asc_row(out, ibound, row);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(row.size()));
}
BENCHMARK(asc_row);
#endif

}  // namespace

BENCHMARK_MAIN();
