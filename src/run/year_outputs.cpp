#include "run/year_outputs.hpp"

#include <filesystem>

#include "model/year_files.hpp"

namespace tessadro {

std::vector<std::string> year_output_paths(const RunText& text) {
    const std::string& year = text.chyear;
    std::vector<std::string> names = {run_report_name(year),
                                      check_report_name(year),
                                      group_report_name(year),
                                      plot_file_name(year, ArrayKind::pumping),
                                      plot_file_name(year, ArrayKind::recharge),
                                      plot_file_name(year, ArrayKind::acres),
                                      array_file_name(year, ArrayKind::acres),
                                      plot_file_name(year, ArrayKind::mi),
                                      array_file_name(year, ArrayKind::mi)};
    for (int m = first_month; m <= last_month; ++m) {
        names.push_back(array_file_name(year, ArrayKind::pumping, m));
        names.push_back(array_file_name(year, ArrayKind::recharge, m));
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
