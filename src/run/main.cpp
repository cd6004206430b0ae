#include <cstdio>
#include <exception>

#include "run/record_file.hpp"
#include "run/run.hpp"
#include "run/run_error.hpp"

int main(int argc, char** argv) {
    if (argc != 3) {
        tessadro::print_usage();
        return 0;
    }
    try {
        tessadro::run(argv[1], argv[2]);
    } catch (const tessadro::RunError& e) {
        tessadro::console().flush();
        std::fprintf(stderr, "%s\n%s%s\n", e.location().c_str(), tessadro::error_prefix, e.what());
        return 2;
    } catch (const std::exception& e) {
        tessadro::console().flush();
        std::fprintf(stderr, "Internal error: %s\n", e.what());
        return 3;
    }
    return 0;
}
