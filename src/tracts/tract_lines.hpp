#pragma once

#include <cstdint>

#include "text/record_file.hpp"
#include "text/repeated_record.hpp"

namespace tessadro {

// What the distribution writes for one authorized tract: its row of the tract
// table, or the run-report line of a tract that cannot be placed. The values
// are those of the moment the tract is met (the cell's acres and the group's
// tract count so far), so that the line reads the same whenever it is
// written.
struct TractLine {
    enum class Kind : std::uint8_t { placed, off_columns, off_rows, inactive };
    Kind kind = Kind::placed;
    long record = 0;  // of the authorized-acres file
    std::int32_t grp = 0, twnshp = 0, range = 0, sect = 0, tract = 0;
    float authacres = 0.0f, fct = 0.0f, xloc = 0.0f, yloc = 0.0f;
    std::int32_t row = 0, column = 0, node = 0, ibound = 0, npd = 0;
    float xpd = 0.0f, ypd = 0.0f, distpdpu_mi = 0.0f, pdrange = 0.0f, cell_acres = 0.0f, acresloc = 0.0f;
    std::int32_t ntracts = 0;
    std::int32_t nmsg = 0;              // message number of a tract off the grid
    float gwret = 0.0f, acres = 0.0f;   // shares lost on an inactive cell
};

// Writes the lines: a placed tract to the tract table, any other to the run
// report.
class TractLineWriter {
public:
    TractLineWriter(OutputFile& table, OutputFile& report);
    void write(const TractLine& line);

private:
    OutputFile& table_;
    OutputFile& report_;
    RepeatedRecord row_;  // of the tract table
};

// Where the distribution's lines go, in the order they are added.
class TractLines {
public:
    virtual ~TractLines() = default;
    // A failure to write a line is thrown from here or from finish(), and
    // then no later line is written.
    virtual void add(const TractLine& line) = 0;
    // Every line added is written by now.
    virtual void finish() = 0;
};

// Lines written as they are added.
class TractLinesNow : public TractLines {
public:
    TractLinesNow(OutputFile& table, OutputFile& report) : writer_(table, report) {}
    void add(const TractLine& line) override { writer_.write(line); }
    void finish() override {}

private:
    TractLineWriter writer_;
};

}  // namespace tessadro
