#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/line_reader.hpp"
#include "text/record_notes.hpp"

namespace tessadro {

// How a file's bytes are read: all of them at its opening and held (the
// authorized acres are read twice, and a pipe cannot be read again), or, for a
// plain file read once from start to end, in blocks as its records are asked
// for, which spares the run holding a big file whole. Anything but a plain
// file is always held.
enum class Reading { held, streamed };

// A text file the run reads, connected to a unit number that the run-error
// report names.
class InputFile {
public:
    // Opens an existing file; a missing or unreadable one ends the run.
    // listener: who hears about records the reading rules probably misread
    // (the year report), none in the legacy run.
    InputFile(std::string path, int unit, Reading reading = Reading::held, RecordListener* listener = nullptr);
    // Opens a year file that may be missing: then it reads as an empty file
    // (it is not created) and one warning line goes to standard error.
    static InputFile open_or_empty(std::string path, int unit, Reading reading = Reading::held,
                                   RecordListener* listener = nullptr);
    // A record source in memory, named as given (tests, the factor argument).
    InputFile(std::string path, int unit, std::string text, RecordListener* listener = nullptr);
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&&) = delete;

    // The file's records, for the record readers.
    LineReader& reader() {
        last_read_ = this;
        return *lines_;
    }
    void rewind();

    // "At line N of file ... (unit = U, file = 'PATH')" for the record at hand.
    std::string location() const;
    // The same for an earlier record.
    std::string location(long record) const;
    const std::string& path() const { return path_; }
    long records() const { return lines_->records(); }
    // The size of a file held whole; 0 for one read in blocks.
    std::size_t held_bytes() const { return lines_->held_bytes(); }
    // Who hears about records the reading rules probably misread, if anyone.
    RecordListener* listener() const { return listener_; }

    // The input file that delivered the last record to this thread, while it
    // is open.
    static const InputFile* last_read() { return last_read_; }

private:
    InputFile(std::string path, int unit, std::unique_ptr<LineReader> lines, RecordListener* listener);

    std::string path_;
    int unit_;
    std::unique_ptr<LineReader> lines_;
    RecordListener* listener_;
    static thread_local const InputFile* last_read_;
};

// A text file (or the console) the run writes, through one buffer.
class OutputFile {
public:
    // Creates or truncates the file; failure ends the run.
    OutputFile(std::string path, int unit);
    // A file whose records are formatted now, perhaps on another thread, and
    // held in memory until open() creates the file as the constructor above
    // does (and fails as it does); close() then writes them.
    // The buffer of a file written before may be handed on, so that memory
    // already in use takes the text: fresh memory is slow to fill.
    struct Later {};
    OutputFile(std::string path, int unit, Later, std::vector<char> buffer = {});
    void open();
    // Room for this many characters in all before the buffer must grow: the
    // whole of a file formatted ahead.
    void reserve(std::size_t bytes) {
        if (buffer_.size() < bytes) buffer_.resize(bytes);
    }
    // The buffer of a closed file, to be handed on.
    std::vector<char> take_buffer() { return std::move(buffer_); }
    // A stream that is already open (the console), records ending in a line feed.
    OutputFile(std::FILE* stream, std::string name, int unit);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void append(std::string_view text) { append(text.data(), text.size()); }
    void append(const char* text, std::size_t length) {
        char* place = claim(length);
        for (std::size_t i = 0; i < length; ++i) place[i] = text[i];
    }
    void append_blanks(std::size_t count) {
        char* place = claim(count);
        for (std::size_t i = 0; i < count; ++i) place[i] = ' ';
    }
    // Room for the next n characters of the record, to be filled by the caller.
    char* claim(std::size_t n) {
        if (used_ + n > buffer_.size()) grow(n);
        char* place = buffer_.data() + used_;
        used_ += n;
        return place;
    }
    // Returns the last n characters claimed but not filled.
    void give_back(std::size_t n) { used_ -= n; }
    void end_record();

    // Writes out the buffer; close() also disconnects the file. A failure
    // ends the run, except on the console (see lost()).
    void flush();
    void close();

    // The console only: the error (an errno value) that stopped its writing,
    // 0 while it is written. After it, records are dropped.
    int lost() const { return lost_; }
    // Stops writing the stream for the given reason (standard output that was
    // closed when the run started).
    void lose(int error);

    // Fields written as asterisks because the value was too wide.
    long overflowed_fields() const { return overflowed_; }
    void count_overflow() { ++overflowed_; }

    std::string location() const;
    const std::string& path() const { return path_; }

private:
    void write_failed();
    bool write_all();
    void grow(std::size_t n);

    std::string path_;
    int unit_;
    int fd_ = -1;              // a file of the run
    std::FILE* stream_;        // or the console
    const char* line_end_;
    std::vector<char> buffer_;
    bool later_ = false;  // formatted ahead, not yet opened
    std::size_t used_ = 0;
    long records_ = 0;
    long overflowed_ = 0;
    int lost_ = 0;
};

// Standard output, the run's console.
OutputFile& console();

// One line on standard error (after the console is flushed, so that the two
// streams interleave as written).
void warn(const std::string& text);

}  // namespace tessadro
