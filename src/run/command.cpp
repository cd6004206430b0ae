#include "run/command.hpp"

#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "run/standard_streams.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

int report(const std::string& location, const char* message) {
    // Console lines written before the failure go out first.
    console().flush();
    std::fprintf(stderr, "%s\n%s%s\n", location.c_str(), error_prefix, message);
    return 2;
}

int guarded(const std::function<void()>& body) {
    try {
        body();
        return 0;
    } catch (const RunError& e) {
        return report(e.location(), e.what());
    } catch (const std::bad_alloc&) {
        const RunError e = out_of_memory();
        return report(e.location(), e.what());
    } catch (const std::exception& e) {
        console().flush();
        std::fprintf(stderr, "Internal error: %s\n", e.what());
        return 3;
    }
}

}  // namespace

int run_command(const std::function<void()>& body) {
    guard_standard_streams();
    const int status = guarded(body);
    console().flush();
    if (const int error = console().lost(); error != 0) {
        std::fprintf(stderr, "Warning: the console log could not be written: %s\n", std::strerror(error));
    }
    return status;
}

}  // namespace tessadro
