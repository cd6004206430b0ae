#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "run/run.hpp"
#include "run/standard_streams.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace {

int report(const std::string& location, const char* message) {
    // Console lines written before the failure go out first.
    tessadro::console().flush();
    std::fprintf(stderr, "%s\n%s%s\n", location.c_str(), tessadro::error_prefix, message);
    return 2;
}

int run(int argc, char** argv) {
    try {
        if (argc != 3) {
            tessadro::print_usage();
            return 0;
        }
        tessadro::run(argv[1], argv[2]);
        return 0;
    } catch (const tessadro::RunError& e) {
        return report(e.location(), e.what());
    } catch (const std::bad_alloc&) {
        // Most likely on a huge record: name the file and record at hand.
        const tessadro::InputFile* file = tessadro::InputFile::last_read();
        return report(file != nullptr ? file->location() : tessadro::current_location(), "Out of memory");
    } catch (const std::exception& e) {
        tessadro::console().flush();
        std::fprintf(stderr, "Internal error: %s\n", e.what());
        return 3;
    }
}

}  // namespace

int main(int argc, char** argv) {
    tessadro::guard_standard_streams();
    const int status = run(argc, argv);
    // The exit status is that of the data: a console that could not be
    // written is only told.
    tessadro::console().flush();
    if (const int error = tessadro::console().lost(); error != 0) {
        std::fprintf(stderr, "Warning: the console log could not be written: %s\n", std::strerror(error));
    }
    return status;
}
