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
        // A file that cannot be removed shows when the run opens it. A
        // symbolic link goes too, so that the new file replaces it instead of
        // overwriting whatever it points to.
        const auto status = std::filesystem::symlink_status(path, ec);
        if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status)) {
            std::filesystem::remove(path, ec);
        }
    }
}

}  // namespace tessadro
