// The year report in a real browser (headless Chromium): the example year's
// page read back from the document it renders, a screenshot of the map of a
// small known grid, whose cell centres must show the expected colours, what
// its hover script says, and the maps of a 400 x 400 grid on a narrow screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "report/constant_head.hpp"
#include "report/html_page.hpp"
#include "report/map_figure.hpp"
#include "report/map_hover.hpp"
#include "support/png_decode.hpp"
#include "support/test_files.hpp"
#include "run/run_helpers.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;
using test::csv_rows;
using test::decode_png;
using test::RgbImage;
using test::slurp;

// Headless Chromium with a fresh profile, no network and no sandbox (CI runs
// as root), by the runner of the whole-run tests in work; then the action and
// the page. Gives what it wrote on standard output.
std::string chromium(const fs::path& work, const std::vector<std::string>& action, const fs::path& page) {
    std::vector<std::string> args = {TESSADRO_CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu",
                                     "--disable-dev-shm-usage", "--disable-background-networking",
                                     "--disable-component-update", "--disable-sync", "--no-first-run",
                                     "--hide-scrollbars", "--force-device-scale-factor=1",
                                     "--user-data-dir=" + (work / "profile").string()};
    args.insert(args.end(), action.begin(), action.end());
    args.push_back("file://" + page.string());
    const test::Outcome r = test::run_program(work, args);
    EXPECT_EQ(0, r.status) << r.err;
    return r.out;
}

// The text that the script `then`, run when the page has loaded, passes to
// done(text); Chromium's clock runs ahead while the images decode.
std::string probe(const fs::path& work, std::string page, const std::string& then, int width) {
    page.insert(page.rfind("</body>"), "<pre id=\"probe\"></pre><script>function done(t){document.getElementById("
                                       "'probe').textContent='['+t+']';}addEventListener('load',function(){" +
                                           then + "});</script>");
    std::ofstream(work / "probe.html", std::ios::binary) << page;
    const std::string dom = chromium(work, {"--window-size=" + std::to_string(width) + ",900",
                                            "--virtual-time-budget=20000", "--dump-dom"}, work / "probe.html");
    const std::size_t at = dom.find("<pre id=\"probe\">[");
    if (at == std::string::npos) return "no probe text";
    return dom.substr(at + 17, dom.find("]</pre>", at) - at - 17);
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '&' ? std::string("&amp;") : std::string(1, c);
    return out;
}

TEST(BrowserPage, ExampleTablesAndFiguresAsTheBrowserReadsThem) {
    const fs::path work = test::prepare(fs::path(TESSADRO_SOURCE_DIR) / "example", "browser-dom");
    ASSERT_EQ(0, test::run_program(work, {TESSADRO_REPORT_BINARY, "2010", "0.7187758"}).status);
    const fs::path report = work / "report" / "2010";
    const std::string dom = chromium(work, {"--dump-dom"}, report / "index.html");
    ASSERT_FALSE(dom.empty());
    const auto shows = [&](const std::string& what) { return dom.find(what) != std::string::npos; };

    // Every row of budget.csv stands in the budget tables with its numbers.
    const auto budget = csv_rows(slurp(report / "budget.csv"));
    ASSERT_EQ(63u, budget.size());  // the header and 62 rows
    for (std::size_t k = 1; k < budget.size(); ++k) {
        const auto& f = budget[k];
        const std::string cell = "data-quantity=\"" + escaped(f[0]) + "\" data-kind=\"" + f[1] + "\" data-reason=\"" +
                                 escaped(f[2]) + "\" data-count=\"" + f[3] + "\" data-amount=\"" + f[4] + "\"";
        EXPECT_TRUE(shows(cell)) << cell;
    }
    // The monthly table and the chart's bars hold the same numbers: May to
    // October and the season, each bar the table's value for its month.
    const std::regex month_row("<tr data-month=\"([0-9a-z]+)\"><td>[^<]*</td>"
                               "<td class=\"n\" data-field=\"pumping\" data-value=\"([-0-9.]+)\">.*?"
                               "data-field=\"recharge\" data-value=\"([-0-9.]+)\"");
    std::map<std::string, std::pair<std::string, std::string>> months;
    for (auto it = std::sregex_iterator(dom.begin(), dom.end(), month_row); it != std::sregex_iterator(); ++it) {
        months[(*it)[1]] = {(*it)[2], (*it)[3]};
    }
    ASSERT_EQ(7u, months.size());
    // The season is what the budget says the monthly arrays hold.
    std::map<std::string, std::string> placed;
    for (const auto& f : budget) {
        if (f.size() == 5 && f[1] == "placed") placed[f[0]] = f[4];
    }
    EXPECT_EQ(placed["pumping"], months["season"].first);
    EXPECT_EQ(placed["return flow"], months["season"].second);
    for (int m = 5; m <= 10; ++m) {
        const std::string month = std::to_string(m), bar = "data-month=\"" + month + "\" data-quantity=\"";
        EXPECT_TRUE(shows(bar + "pumping\" data-value=\"" + months[month].first + "\"")) << month;
        EXPECT_TRUE(shows(bar + "recharge\" data-value=\"" + months[month].second + "\"")) << month;
    }
    // Sixteen maps, each an embedded PNG; the header's problem counts and the
    // problem rows (all 47 of the example fit on the page), the three input
    // warnings (wells outside the survey's extent) counted in the header and
    // first in the list.
    EXPECT_EQ(16u, test::occurrences(dom, "href=\"data:image/png;base64,"));
    EXPECT_TRUE(shows("data-severity=\"warning\" data-count=\"46\""));
    EXPECT_TRUE(shows("data-reason=\"well outside the survey's extent\" data-count=\"3\""));
    const std::size_t first_row = dom.find("<tr class=\"problem\">");
    EXPECT_NE(std::string::npos, dom.find("well outside the survey's extent</td><td>2010mi.txt</td>", first_row));
    EXPECT_EQ(first_row, dom.find("<tr class=\"problem\"><td class=\"sev-warning\">warning</td><td>well outside"));
    EXPECT_TRUE(shows("data-severity=\"note\" data-count=\"1\""));
    EXPECT_EQ(47u, test::occurrences(dom, "<tr class=\"problem\">"));

    // Each map with its y label, a scale bar and a north arrow. The grid is
    // 50 columns of 5,280 ft, 50 miles: the round length within a quarter of
    // that (12.5 mi) is 10 mi. The river of constant-head cells (-1 in
    // 02.ibound) is outlined once and drawn on every map. A map's box is 440
    // (annual) or 400 px wide, 8.8 or 8 cells' worth: each cell takes 8 whole
    // pixels, 400 for the 50 columns.
    EXPECT_EQ(16u, test::occurrences(dom, ">y (ft)</text>"));
    EXPECT_EQ(16u, test::occurrences(dom, ">10 mi = 52,800 ft</text>"));
    EXPECT_EQ(16u, test::occurrences(dom, "<g class=\"north-arrow\">"));
    EXPECT_EQ(1u, test::occurrences(dom, "<path id=\"constant-head-outline\""));
    EXPECT_EQ(16u, test::occurrences(dom, "<use class=\"constant-head\""));
    EXPECT_EQ(16u, test::occurrences(dom, "\" width=\"400.0\" height=\"320.0\" preserveAspectRatio"));

    // Screenshots of the whole page for a person to look at, on a wide and on
    // a narrow screen.
    fs::create_directories(TESSADRO_ARTIFACTS);
    for (auto [name, size] : {std::pair{"example-2010.png", "1400,6400"}, {"example-2010-800px.png", "800,11000"}}) {
        const fs::path shot = fs::path(TESSADRO_ARTIFACTS) / name;
        chromium(work, {"--window-size=" + std::string(size), "--screenshot=" + shot.string()}, report / "index.html");
        EXPECT_TRUE(fs::exists(shot)) << shot;
        std::printf("screenshot of the example page: %s\n", shot.c_str());
    }
    if (!HasFailure()) fs::remove_all(work);
}

// The sentences under the title and the units, as the browser shows them:
// the amounts and shares follow from the golden budget.csv of the example
// (tests/report/example_2010): 6,897.68 of 7,133.51 acre-feet of pumping is
// 96.7%, 1,287.22 of 1,365.53 94.3%, 6,152.76 of 6,695.14 acres 91.9%,
// 1,076.60 of 4,016.89 26.8%; the M&I wells on inactive cells lose 65.0% of
// their file, those off the grid 8.1%, the pumping records off the grid
// 2.6% (the return flow's 2.4% and acres' 2.4% come next).
TEST(BrowserPage, SummaryAndUnits) {
    const fs::path work = test::prepare(fs::path(TESSADRO_SOURCE_DIR) / "example", "browser-summary");
    ASSERT_EQ(0, test::run_program(work, {TESSADRO_REPORT_BINARY, "2010", "0.7187758"}).status);
    const std::string dom = chromium(work, {"--dump-dom"}, work / "report" / "2010" / "index.html");
    const auto shows = [&](const std::string& what) { return dom.find(what) != std::string::npos; };
    EXPECT_TRUE(shows("<p class=\"summary\" id=\"summary\">The input files hold 7,133.51 acre-feet of pumping, "
                      "1,365.53 acre-feet of return flow, 6,695.14 irrigated acres and 4,016.89 acre-feet of M&amp;I "
                      "pumping. The arrays hold 96.7% of the pumping, 94.3% of the return flow, 91.9% of the acres "
                      "and 26.8% of the M&amp;I pumping. The largest losses: 2,612.92 acre-feet of M&amp;I pumping "
                      "(on an inactive cell, 65.0% of what the file holds), 327.37 acre-feet of M&amp;I pumping (off "
                      "the grid, 8.1% of what the file holds) and 185.58 acre-feet of pumping (off the grid, 2.6% of "
                      "what the file holds). Factors changed the acres by -140.87 acres (exchange-area factor, "
                      "-2.1%).</p>"));
    // Units: once in the header, on each budget table's amounts, its share
    // of the file, and on the monthly and problem tables' amounts.
    EXPECT_TRUE(shows("id=\"head-units\">amounts are in the units of the input files"));
    for (const char* quantity : {"pumping", "return flow", "acres", "m&amp;i pumping", "authorized acres"}) {
        const std::string unit = std::string(quantity).ends_with("acres") ? "acres" : "acre-feet";
        EXPECT_TRUE(shows(std::string("data-quantity=\"") + quantity + "\"><caption>" + quantity +
                          "</caption><tbody><tr><th></th><th></th><th class=\"n\">count</th><th class=\"n\">" +
                          unit + "</th><th class=\"n\">% of file</th>"))
            << quantity;
    }
    EXPECT_TRUE(shows("<th>month</th><th class=\"n\">pumping, acre-feet</th><th class=\"n\">pumping written, "
                      "acre-feet</th><th class=\"n\">recharge, acre-feet</th><th class=\"n\">recharge written, "
                      "acre-feet</th>"));
    EXPECT_TRUE(shows("<tr data-month=\"5\"><td>May</td>"));
    EXPECT_TRUE(shows("<th class=\"n\">x, ft</th><th class=\"n\">y, ft</th><th class=\"n\">pumping, acre-feet</th>"
                      "<th class=\"n\">return flow, acre-feet</th><th class=\"n\">acres</th>"
                      "<th class=\"n\">M&amp;I, acre-feet</th>"));
    if (!HasFailure()) fs::remove_all(work);
}

// A period of four generated years, one of which fails and one of which
// holds a group of 500 acre-feet that the others lack: the years table and
// the charts hold period.csv's numbers, the changes table changes.csv's rows.
TEST(BrowserPage, PeriodTableChartsAndChangesAsTheBrowserReadsThem) {
    const fs::path work = test::fresh_folder("browser-period");
    std::string years;
    for (const char* year : {"2001", "2002", "2003", "2004"}) {
        ASSERT_EQ(0, test::run_program(work, {TESSADRO_MAKE_YEAR, ".", year, "--size", "example"}).status);
        years += std::string(year) + " 0.7187758\n";
    }
    // 2002: a copy of the first well in group 4999, pumping 500; 2003: a
    // record whose group is not a number ends the run.
    const std::string first = slurp(work / "tessadro2002.txt").substr(0, slurp(work / "tessadro2002.txt").find('\n'));
    const auto words = std::regex_replace(first, std::regex("^\\S+ (.*) \\S+ (\\S+ \\S+)$"), "4999 $1 500 $2");
    std::ofstream(work / "tessadro2002.txt", std::ios::app) << words << "\n";
    std::ofstream(work / "tessadro2003.txt", std::ios::app) << "x 1 0 0 0 GW 1 1 1\n";
    std::ofstream(work / "years.txt") << years;
    ASSERT_EQ(2, test::run_program(work, {TESSADRO_REPORT_BINARY, "--period", "years.txt"}).status);
    const fs::path page = work / "report" / "index.html";
    const std::string dom = chromium(work, {"--dump-dom"}, page);
    const auto shows = [&](const std::string& what) { return dom.find(what) != std::string::npos; };

    // In file and placed stand in the table as period.csv has them, the
    // losses summed; placed is also the foot of the year's bar.
    std::map<std::string, double> losses;  // by "year|quantity"
    const auto rows = csv_rows(slurp(work / "report" / "period.csv"));
    std::size_t budget_rows = 1;  // the header, then those of each year that ran
    for (const char* year : {"2001", "2002", "2004"}) {
        budget_rows += csv_rows(slurp(work / "report" / year / "budget.csv")).size() - 1;
    }
    ASSERT_EQ(budget_rows, rows.size());
    for (std::size_t k = 1; k < rows.size(); ++k) {
        const auto& f = rows[k];
        const std::string cell = "data-year=\"" + f[0] + "\" data-quantity=\"" + escaped(f[1]) + "\" data-kind=\"";
        if (f[2] == "loss") losses[f[0] + "|" + f[1]] += std::stod(f[5]);
        if (f[1] == "authorized acres") continue;
        if (f[2] == "in file") {
            EXPECT_TRUE(shows(cell + "in file\" data-amount=\"" + f[5])) << f[0] << " " << f[1];
        }
        if (f[2] != "placed") continue;
        EXPECT_TRUE(shows(cell + "placed\" data-amount=\"" + f[5])) << f[0] << " " << f[1];
        EXPECT_TRUE(shows("data-year=\"" + f[0] + "\" data-reason=\"placed\" data-amount=\"" + f[5] + "\""));
    }
    const std::regex loss_cell("data-year=\"(\\d+)\" data-quantity=\"([^\"]+)\" data-kind=\"loss\" "
                               "data-amount=\"([-0-9.]+)\"");
    int loss_cells = 0;
    for (auto it = std::sregex_iterator(dom.begin(), dom.end(), loss_cell); it != std::sregex_iterator(); ++it) {
        const std::string key = (*it)[1].str() + "|" + std::regex_replace((*it)[2].str(), std::regex("&amp;"), "&");
        EXPECT_NEAR(losses[key], std::stod((*it)[3]), 1e-3) << key;
        ++loss_cells;
    }
    EXPECT_EQ(3 * 4, loss_cells);  // three years that ran, four quantities
    // The failed year: its row and its message; the group appears in 2002
    // and disappears in 2004, the year that ran after it.
    EXPECT_TRUE(shows("<tr data-year=\"2003\" class=\"failed\">"));
    EXPECT_TRUE(shows("<li data-failed-year=\"2003\">2003: At line 194 of file tessadrov11"));
    const auto changes = csv_rows(slurp(work / "report" / "changes.csv"));
    EXPECT_EQ(changes.size() - 1, test::occurrences(dom, "<tr class=\"change\""));
    EXPECT_TRUE(shows("<tr class=\"change\" data-year=\"2002\" data-level=\"group\" data-id=\"4999\""));
    EXPECT_TRUE(shows("<tr class=\"change\" data-year=\"2004\" data-level=\"group\" data-id=\"4999\""));

    fs::create_directories(TESSADRO_ARTIFACTS);
    const fs::path shot = fs::path(TESSADRO_ARTIFACTS) / "period.png";
    chromium(work, {"--window-size=1400,1160", "--screenshot=" + shot.string()}, page);
    EXPECT_TRUE(fs::exists(shot)) << shot;
    std::printf("screenshot of the period page: %s\n", shot.c_str());
    if (!HasFailure()) fs::remove_all(work);
}

// A 3 x 4 grid of cells twice as wide as high, drawn 400 px wide: each cell
// is 100 x 50 px, the image's top-left corner at (78, 8) in the figure's SVG.
TEST(BrowserMap, CellCentresShowOrientationMaskingAndPaletteAndHoverNamesThem) {
    const Grid grid{3, 4, 100.0f, 50.0f, 0.0f, 0.0f, 150.0f};
    // Row 1 is the north edge: it must be the top row of the picture.
    const std::vector<std::int32_t> ibound = {1, 1, -1, 0,
                                              1, -1, 1, 1,
                                              1, 1, 1, 1};
    // Row 2, column 4 is too wide for an F6.1 field: written as ******.
    const std::vector<float> values = {90.0f, 10.0f, 0.0f, 55.0f,
                                       -3.0f, 50.0f, 20.0f, 1e5f,
                                       0.0f, 60.0f, 70.0f, 80.0f};
    const MapData map{"map-test", "test", "units", {values.size(), {values}}, {}};
    const ClassBreaks breaks{{25.0, 50.0, 75.0, 90.0}};
    const std::vector<Rgb> palette = map_palette(4);

    const fs::path work = test::fresh_folder("browser-map");
    const std::string page = std::string("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><style>body{margin:0}"
                                         "figure{margin:0}figcaption{display:none}</style>") +
                             map_hover_script() + "</head><body>" + constant_head_definition(grid, ibound) +
                             map_svg(grid, ibound, map, breaks, 400, true) +
                             "<table id=\"problems\"><tr><th>column</th><th>row</th></tr><tr><td>2</td><td>3</td>"
                             "</tr></table></body></html>";
    std::ofstream(work / "map.html", std::ios::binary) << page;
    chromium(work, {"--window-size=700,300", "--screenshot=" + (work / "map.png").string()}, work / "map.html");
    const RgbImage shot = decode_png(slurp(work / "map.png"));
    ASSERT_TRUE(shot.width >= 78 + 400 && shot.height >= 8 + 150) << shot.width << " x " << shot.height;
    const Rgb grey{176, 176, 176}, white{255, 255, 255}, black{0, 0, 0};
    const Rgb magenta = palette[negative_colour], pale_blue = palette[constant_head_colour];
    auto cls = [&](int k) { return palette[first_class + static_cast<std::size_t>(k)]; };
    const std::vector<std::vector<Rgb>> want = {
        {cls(3), cls(0), pale_blue, grey},  // 90 in the top class; 0 on ibound -1; (1,4) inactive despite its 55
        {magenta, cls(1), cls(0), black},   // -3, 50 on ibound -1 (active: its class), 20, ******
        {white, cls(2), cls(2), cls(3)},    // 0, 60, 70, 80
    };
    for (int row = 1; row <= 3; ++row) {
        for (int column = 1; column <= 4; ++column) {
            const Rgb got = shot.at(78 + column * 100 - 50, 8 + row * 50 - 25);
            EXPECT_EQ(want[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)], got)
                << "row " << row << " column " << column << ": got " << int(got.r) << "," << int(got.g) << ","
                << int(got.b);
        }
    }
    // The pointer at the centres of three cells, then on the problem row:
    // its cell (row 3, column 2) is outlined by a square of the larger cell
    // side, 100 px, around the cell's centre (78 + 150, 8 + 125).
    const std::string tips = probe(work, page, R"(
        var img = document.querySelector("image.cells"), tip = document.getElementById("map-tip"), said = [];
        function point(cells, then) {
          if (!cells.length) return then();
          var b = img.getBoundingClientRect(), cell = cells.shift();
          img.dispatchEvent(new MouseEvent("mousemove", {bubbles: true,
            clientX: b.left + (cell[1] - 0.5) * b.width / 4, clientY: b.top + (cell[0] - 0.5) * b.height / 3}));
          (function wait() {
            if (tip.textContent.indexOf(":") < 0) return setTimeout(wait, 10);
            said.push(tip.textContent);
            point(cells, then);
          })();
        }
        point([[2, 2], [1, 4], [1, 3]], function () {
          document.querySelectorAll("#problems td")[1].dispatchEvent(new MouseEvent("mouseover", {bubbles: true}));
          var m = document.querySelector("rect.pointed");
          said.push(["x", "y", "width", "height"].map(function (a) { return m.getAttribute(a); }).join(" "));
          done(said.join("|"));
        });)", 700);
    EXPECT_EQ("row 2, column 2: 25 to 50 units|row 1, column 4: inactive cell|row 1, column 3: 0, constant head|"
              "178 83 100 100",
              tips);
    if (!HasFailure()) fs::remove_all(work);
}

// A 400 x 400 grid (the largest the run reads) on an 800 px screen: the map
// boxes of 440 and 400 px would give a cell 1.1 and 1 px, so each cell takes
// the least of 2 px, and the maps, 800 px and more with their margins and
// legends, scroll inside their own boxes while the page keeps to the screen.
TEST(BrowserMap, LargestGridTwoPixelsACellScrollingInsideItsBox) {
    YearReport r;
    r.year = "2010";
    r.grid = Grid{400, 400, 500.0f, 500.0f, 0.0f, 0.0f, 200000.0f};
    r.ibound.assign(400u * 400u, 1);
    for (const YearArray& f : year_arrays("2010")) {
        ArrayValues& a = r.arrays.emplace_back();
        static_cast<YearArray&>(a) = f;
        a.append(std::vector<float>(400u * 400u, 1.5f));
    }
    const fs::path work = test::fresh_folder("browser-large-map");
    const std::string said = probe(work, html_page(r), R"(
        var maps = document.querySelectorAll("figure.map"), least = 1e9, inside = 0;
        maps.forEach(function (f) {
          var img = f.querySelector("image.cells").getBoundingClientRect();
          least = Math.min(least, img.width / 400, img.height / 400);
          if (f.scrollWidth > f.clientWidth && f.getBoundingClientRect().right <= innerWidth) ++inside;
        });
        done(maps.length + " maps, " + least + " px a cell, " + inside + " scroll inside, page " +
             document.documentElement.scrollWidth + " px wide");)", 800);
    EXPECT_EQ("16 maps, 2 px a cell, 16 scroll inside, page 800 px wide", said);
    if (!HasFailure()) fs::remove_all(work);
}

}  // namespace
}  // namespace tessadro
