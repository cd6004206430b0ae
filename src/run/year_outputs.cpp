#include "run/year_outputs.hpp"

#include <filesystem>

namespace tessadro {

std::vector<std::string> year_output_paths(const RunText& text) {
    const std::string& year = text.chyear;
    std::vector<std::string> names = {"output" + year + ".dat",    "check" + year + ".out",
                                      "authacres" + year + ".out", "pumpgrid" + year + ".dat",
                                      "gwretgrid" + year + ".dat", "acresgrid" + year + ".dat",
                                      year + ".agw",               year + "migrid.dat",
                                      year + ".mi"};
    for (const char* month : {"05", "06", "07", "08", "09", "10"}) {
        names.push_back(year + "." + month + ".pmp");
        names.push_back(year + "." + month + ".rcg");
    }
    for (std::string& name : names) name = text.out_path(name);
    return names;
}

void remove_year_outputs(const RunText& text) {
    for (const std::string& path : year_output_paths(text)) {
        std::error_code ec;
        // A file that cannot be removed shows when the run opens it.
        if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) {
            std::filesystem::remove(path, ec);
        }
    }
}

}  // namespace tessadro
