#include "run/check_reports.hpp"

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "model/year_files.hpp"
#include "text/fixed_field.hpp"
#include "text/free_form.hpp"
#include "text/units.hpp"

namespace tessadro {

void open_check_reports(const RunText& text, Reports& reports) {
    const std::string& year = text.chyear;
    std::error_code ec;
    std::filesystem::create_directories(text.chout, ec);  // a failure shows at the opening
    reports.run_report = std::make_unique<OutputFile>(text.out_path(run_report_name(year)), unit::run_report);
    reports.check_report = std::make_unique<OutputFile>(text.out_path(check_report_name(year)), unit::check);
    write_list(*reports.run_report,
               {"grp", "gwloc", "acloc", "gwrfnotauth", "gwacnotauth", "iloc", "jloc", "nodena", "numna"});
    static const Format header("(2a6,2a12,4a10)");
    reports.group_report = std::make_unique<OutputFile>(text.out_path(group_report_name(year)), unit::group_report);
    write_fixed(*reports.group_report, header,
                {" group", "   npd", "      xpd_ft", "      ypd_ft", "   pumpgrp", "  gwretloc", "  acresloc",
                 "   authtot"});
}

}  // namespace tessadro
