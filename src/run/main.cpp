#include "run/command.hpp"
#include "run/run.hpp"

int main(int argc, char** argv) {
    return tessadro::run_command([argc, argv] {
        if (argc != 3) {
            tessadro::print_usage();
            return;
        }
        tessadro::run(argv[1], argv[2]);
    });
}
