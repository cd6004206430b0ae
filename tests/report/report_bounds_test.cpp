// The year report's page and CSV files on hostile values: infinite and huge
// amounts, grids the maps cannot draw, texts that are no valid UTF-8 or that a
// spreadsheet would run, and more problems and longer records than a page
// can hold.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report/csv_files.hpp"
#include "report/html_page.hpp"
#include "support/test_files.hpp"

namespace tessadro {
namespace {

using test::occurrences;

constexpr float inf = std::numeric_limits<float>::infinity();
const std::string fffd = "\xEF\xBF\xBD";  // U+FFFD
const std::string ellipsis = "\xE2\x80\xA6";

std::string repeated(const std::string& text, std::size_t times) {
    std::string out;
    for (std::size_t k = 0; k < times; ++k) out += text;
    return out;
}

// A year on the given grid as the run leaves it: every cell active, the
// sixteen arrays of the maps holding `value` in every cell, May to October.
YearReport year(Grid grid, float value = 1.5f) {
    YearReport r;
    r.year = "2010";
    r.grid = grid;
    const std::size_t cells = grid.nrow > 0 && grid.ncol > 0 ? static_cast<std::size_t>(grid.nrow) *
                                                                   static_cast<std::size_t>(grid.ncol)
                                                             : 0;
    r.ibound.assign(cells, 1);
    for (int m = 5; m <= 10; ++m) r.months.push_back({m, 10.0, 5.0, 10.0, 5.0});
    for (const YearArray& f : year_arrays("2010")) {
        ArrayValues& a = r.arrays.emplace_back();
        static_cast<YearArray&>(a) = f;
        a.append(std::vector<float>(cells, value));
    }
    return r;
}

const Grid small{2, 3, 100.0f, 100.0f, 1000.0f, 2000.0f, 2200.0f};

Problem warning(std::string record, std::int32_t row = 0, std::int32_t column = 0) {
    Problem p = problem_of(Severity::warning, Reason::negative_acres, "f", 1);
    if (row != 0) p.cell = Cell{column, row};
    p.record = std::move(record);
    return p;
}

// Each case gives a finished page that names what it could not draw, by the
// id of its sentence, and holds no tick label of the axes it left out.
TEST(ReportBounds, ValuesThePageCannotDrawGiveAFinishedPageThatSaysSo) {
    struct Case {
        const char* what;
        void (*change)(YearReport&);
        const char* sentence;  // the id of the paragraph that says what was left out, if any
        const char* shows;     // and a piece of its text
    };
    const Case cases[] = {
        // A record of "inf", or of 1e39 (beyond the 4-byte range, so read as
        // infinite), makes the month's total infinite: no bar, no endless axis.
        {"infinite pumping", [](YearReport& r) { r.months[0].pumping = inf; }, "monthly-not-drawn",
         "pumping of May (inf)"},
        {"NaN recharge", [](YearReport& r) { r.months[1].recharge = std::nan(""); }, "monthly-not-drawn",
         "recharge of Jun (nan)"},
        {"1e39 in every cell",
         [](YearReport& r) {
             r = year(small, inf);
             for (MonthTotals& m : r.months) m.pumping = inf;
         },
         "monthly-not-drawn", "pumping of May (inf), pumping of Jun (inf)"},
        // The largest finite total: the axis's round top would be infinite.
        {"largest double", [](YearReport& r) { r.months[2].recharge = std::numeric_limits<double>::max(); },
         nullptr, nullptr},
        // Corners no map projection has: the image stays, the axes go.
        {"origin 1e20", [](YearReport& r) { r.grid.xorigin = 1e20f; }, "maps-no-axes", "x from 1e+20 to 1e+20 ft"},
        {"origin inf", [](YearReport& r) { r.grid.yorigin = -inf; }, "maps-no-axes", "y from -inf to -inf ft"},
        {"huge cells", [](YearReport& r) { r.grid.delx = 3e38f; }, "maps-no-axes", "to 9e+38 ft"},
        // The run stops on these; the page draws square cells without axes.
        {"zero cell width", [](YearReport& r) { r.grid.delx = 0.0f; }, "maps-not-to-scale", "cell size 0 &times; 100"},
        {"negative cell height", [](YearReport& r) { r.grid.dely = -50.0f; }, "maps-not-to-scale",
         "cell size 100 &times; -50"},
        {"NaN cell width", [](YearReport& r) { r.grid.delx = std::nanf(""); }, "maps-not-to-scale", "nan &times;"},
        // Grids without cells, which the run accepts, and one beyond its 400.
        {"no rows", [](YearReport& r) { r = year({0, 3, 100.0f, 100.0f, 0.0f, 0.0f, 0.0f}); }, "maps-not-drawn",
         "the grid has 0 rows and 3 columns"},
        {"no columns", [](YearReport& r) { r = year({4, 0, 100.0f, 100.0f, 0.0f, 0.0f, 400.0f}); }, "maps-not-drawn",
         "the grid has 4 rows and 0 columns"},
        {"negative rows", [](YearReport& r) { r = year({-3, 5, 100.0f, 100.0f, 0.0f, 0.0f, -300.0f}); },
         "maps-not-drawn", "the grid has -3 rows and 5 columns"},
        {"401 columns", [](YearReport& r) { r = year({1, 401, 100.0f, 100.0f, 0.0f, 0.0f, 100.0f}); },
         "maps-not-drawn", "more than the 400 a side"},
        {"codes short of the grid", [](YearReport& r) { r.ibound.pop_back(); }, "maps-not-drawn",
         "does not hold one code for each"},
    };
    for (const Case& c : cases) {
        YearReport r = year(small);
        c.change(r);
        const std::string page = html_page(r);
        EXPECT_TRUE(page.ends_with("</table></div>\n</body></html>\n")) << c.what;
        if (!c.sentence) {
            EXPECT_EQ(0u, occurrences(page, "class=\"not-drawn\"")) << c.what;
            continue;
        }
        const std::size_t at = page.find(std::string("<p class=\"not-drawn\" id=\"") + c.sentence + "\">");
        ASSERT_NE(std::string::npos, at) << c.what;
        EXPECT_NE(std::string::npos, page.substr(at, page.find("</p>", at) - at).find(c.shows)) << c.what;
        if (std::string(c.sentence) != "monthly-not-drawn") {
            EXPECT_EQ(0u, occurrences(page, "text-anchor=\"middle\">x (ft)")) << c.what;
        }
    }
    // The example's own kind of grid draws all sixteen maps with axes, no
    // sentence.
    const std::string page = html_page(year(small));
    EXPECT_EQ(0u, occurrences(page, "class=\"not-drawn\""));
    EXPECT_EQ(16u, occurrences(page, "text-anchor=\"middle\">x (ft)"));
}

// problems.csv after its header: one line a problem whatever its record
// holds, and the record on the page: 200 characters of it on the page, 1,000
// in problems.csv; a longer one keeps one fewer and ends with "…", which the
// page explains.
TEST(ReportBounds, RecordTextsQuotedGuardedValidAndCut) {
    const struct {
        std::string record, field, page = {};  // the CSV field, and a piece of the page after <code>
    } cases[] = {
        {"3117 12736 0.00 GW", "3117 12736 0.00 GW"},
        {"1,049.27", "\"1,049.27\""},                      // RFC 4180: a comma quotes the field
        {"say \"GW\"", "\"say \"\"GW\"\"\""},              // and a quote, doubled inside
        // A carriage return or line feed inside a record is a stray control
        // byte (the reader ends records at them): replaced, the row stays one.
        {"a\rb\nc", "a" + fffd + "b" + fffd + "c"},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},  // a formula first: an apostrophe before it
        {"+1", "'+1"},
        {"-39.75 3", "'-39.75 3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\t5", "'\t5"},
        {"\r=1", fffd + "=1"},                               // the carriage return is gone first
        {" =1", " =1"},                                      // not at the start: no formula
        {std::string("a\0b", 3), "a" + fffd + "b"},
        {"caf\xc3\xa9 \x7f", "caf\xc3\xa9 " + fffd},         // é kept, DEL replaced
        {"\xff\xfe", fffd + fffd},                           // bytes that start nothing: one each
        {"\xe2\x82", fffd},                                  // a cut sequence: one for the whole
        {"\xc0\xaf", fffd + fffd},                           // an overlong '/': C0 starts nothing
        {"\xed\xa0\x80", fffd + fffd + fffd},                // a surrogate: ED cannot go on with A0
        {"\xf4\x90\x80\x80", fffd + fffd + fffd + fffd},     // above U+10FFFF
        {"\xc2\x85", fffd},                                  // a C1 control (next line)
        {"\xf0\x9f\x92\xa7", "\xf0\x9f\x92\xa7"},            // a droplet, four bytes
        {std::string(200, 'x'), std::string(200, 'x'), std::string(200, 'x') + "</code></td>"},
        {std::string(201, 'x'), std::string(201, 'x'),
         std::string(199, 'x') + ellipsis + "</code> <span class=\"cut\">(cut: 201 characters)"},
        {std::string(1000, 'y'), std::string(1000, 'y'),
         std::string(199, 'y') + ellipsis + "</code> <span class=\"cut\">(cut: 1,000 characters)"},
        // Plain records at the limit of 1,000 and one past it; a tab, a
        // tilde, a control or a DEL or an é at either end of one.
        {std::string(1001, 'w'), std::string(999, 'w') + ellipsis,
         std::string(199, 'w') + ellipsis + "</code> <span class=\"cut\">(cut: 1,001 characters)"},
        {std::string(999, 'v') + "\xc3\xa9", std::string(999, 'v') + "\xc3\xa9",  // 1,001 bytes, 1,000 characters
         std::string(199, 'v') + ellipsis + "</code> <span class=\"cut\">(cut: 1,000 characters)"},
        {"\x1f" + std::string(999, 'u'), fffd + std::string(999, 'u'),
         fffd + std::string(198, 'u') + ellipsis + "</code> <span class=\"cut\">(cut: 1,000 characters)"},
        {"a\tb ~", "a\tb ~"},
        {"~ b\t", "~ b\t"},
        {"ab\x7f", "ab" + fffd},
        // The same in the second eight bytes of a record, and across them.
        {"abcdefghijklmno\x7f" "pq", "abcdefghijklmno" + fffd + "pq"},
        {"abcdefghijklmn\xc3\xa9" "pq", "abcdefghijklmn\xc3\xa9" "pq"},
        {"abcdefghijk\tmnopqr", "abcdefghijk\tmnopqr"},
        {"\xc3\xa9" "ab", "\xc3\xa9" "ab"},
        {std::string(1 << 20, 'z'), std::string(999, 'z') + ellipsis,
         std::string(199, 'z') + ellipsis + "</code> <span class=\"cut\">(cut: 1,048,576"},
        // Characters, not bytes: é is two bytes, a bad byte one character.
        {repeated("\xc3\xa9", 300), repeated("\xc3\xa9", 300),
         repeated("\xc3\xa9", 199) + ellipsis + "</code> <span class=\"cut\">(cut: 300"},
        {std::string(1001, '\xff'), repeated(fffd, 999) + ellipsis, repeated(fffd, 199) + ellipsis},
        // Quotes take six bytes each on the page, but count as one character.
        {std::string(300, '"'), "\"" + std::string(600, '"') + "\"", repeated("&quot;", 199) + ellipsis},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.record.substr(0, 40)));
        YearReport r = year(small);
        r.problems.push_back(warning(c.record));
        const std::string page = html_page(r), csv = problems_csv(r);
        EXPECT_EQ("warning,negative acres,f,1,,,,,,,,,,," + c.field + "\n", csv.substr(csv.find('\n') + 1));
        EXPECT_NE(std::string::npos, page.find("<code>" + c.page));
        EXPECT_EQ(c.page.find(ellipsis) != std::string::npos,
                  page.find("Records longer than 200 characters are cut here") != std::string::npos);
    }
    // Every text field: the file's name, a reason with a comma, the budget's.
    YearReport r = year(small);
    Problem p = warning("x");
    p.reason = Reason::tract_at_origin;
    p.file = "=f,g";
    r.problems.push_back(p);
    r.budget.push_back({Quantity::mi_pumping, BudgetKind::loss, Reason::off_grid, 2, -1.5});
    EXPECT_TRUE(problems_csv(r).ends_with(
        "\nwarning,\"tract without coordinates placed at (0, 0)\",\"'=f,g\",1,,,,,,,,,,,x\n"));
    EXPECT_TRUE(budget_csv(r).ends_with("\nm&i pumping,loss,off the grid,2,-1.5000\n"));  // a number is no formula
    // The page shows the same replacements, its markup escaped as before.
    r.problems[0].record = std::string("<a&\0\xff>", 6);
    EXPECT_NE(std::string::npos, html_page(r).find("<code>&lt;a&amp;" + fffd + fffd + "&gt;</code>"));
}

// A ring a cell of a rejected record, 2,000 at most on a map; the legend
// counts the cells left without one.
TEST(ReportBounds, MarksCappedAndTheRestCounted) {
    YearReport r = year({100, 100, 10.0f, 10.0f, 0.0f, 0.0f, 1000.0f});
    for (std::int32_t k = 0; k < 5000; ++k) {
        Problem p = warning("", 1 + k / 100, 1 + k % 100);
        p.pumping = 1.0;
        r.problems.push_back(p);
    }
    r.problems.push_back(r.problems.back());  // a second record on a marked cell adds no ring
    const std::string page = html_page(r);
    // Season pumping carries them, season recharge none.
    EXPECT_EQ(1u, occurrences(page, "class=\"marks\" data-count=\"2000\" data-not-marked=\"3000\""));
    EXPECT_EQ(1u, occurrences(page, "class=\"marks\""));
    EXPECT_EQ(2000u, occurrences(page, " 0 1 0 -"));  // the second arc of each ring
    EXPECT_EQ(1u, occurrences(page, ">3,000 more cells not marked</text>"));
}

// The largest year the run accepts, made as hostile as the page's sections
// allow: 400 x 400 cells of scattered classes in all sixteen maps (PNG data
// that compresses worst), a rejected well with every quantity on each cell
// (rings on four maps), and records of quotes (six bytes each on the page),
// thirty of them a megabyte long. The page stays whole and under 3 MB
// (report_limits.hpp adds up the sections).
TEST(ReportBounds, LargestHostileYearStaysUnderThreeMegabytes) {
    YearReport r = year({400, 400, 500.0f, 500.0f, 2e6f, 2e6f, 2.2e6f});
    std::uint32_t seed = 12345;
    for (ArrayValues& a : r.arrays) {
        std::vector<float> values(a.values.size());
        for (float& v : values) {
            seed = seed * 1664525u + 1013904223u;  // a linear congruential sequence
            // Each of the 13 colours about as often: zero, negative, asterisks
            // and the classes of 1 to 9000.
            const std::uint32_t pick = (seed >> 8) % 13;
            v = pick == 0 ? 0.0f : pick == 1 ? -5.0f : pick == 2 ? 1e5f : static_cast<float>(seed >> 20);
        }
        a.values.clear();
        a.written_tenths = a.unreadable_cells = 0;
        a.append(values);
    }
    const std::string megabyte(1 << 20, '"');
    for (std::int32_t k = 0; k < 400 * 400; ++k) {
        Problem p = warning(k < 30 ? megabyte : k < 200 ? std::string(300, '"') : "", 1 + k / 400, 1 + k % 400);
        p.reason = Reason::null_value;  // the longest reason
        p.file = "authacres2010.txt";
        p.pumping = p.return_flow = p.acres = p.mi = -3.4e38;
        p.point = Point{-3.4e38f, -3.4e38f};
        r.problems.push_back(std::move(p));
    }
    const std::string page = html_page(r);
    EXPECT_LT(page.size(), 3u << 20);
    EXPECT_TRUE(page.ends_with("</table></div>\n</body></html>\n"));
    EXPECT_EQ(200u, occurrences(page, "<tr class=\"problem\">"));
    EXPECT_EQ(4u, occurrences(page, "data-count=\"2000\" data-not-marked=\"158000\""));
}

}  // namespace
}  // namespace tessadro
