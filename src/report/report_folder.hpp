#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// The folder of one year's report, report/<year>/ beside out/. Its files are
// written whole or not at all: each under a temporary name beside its own,
// closed and checked, and renamed into place only when every file of the
// report has been written, the page last, so that a page never stands beside
// a missing or partial file. Nothing is ever removed but the report's own file
// names (a folder may hold files of the user's), and a symbolic link found at
// one of them is removed itself, never followed.
namespace tessadro {

// The name of a year's report folder, the year as the run takes it
// (year_text()); empty when that text cannot
// name a folder safely: a '/', a control character, "." or "..", a blank
// name, or a leading '-'.
std::string report_folder_name(std::string_view year);

class ReportFolder {
public:
    // dir: report/<year>; names: every file the report may write there, as
    // paths below dir ("index.html", "gis/2010.agw.asc").
    ReportFolder(std::filesystem::path dir, std::vector<std::string> names);
    // Removes what an unfinished write left: temporary files, and the files
    // renamed into place by a write that then failed.
    ~ReportFolder();
    ReportFolder(const ReportFolder&) = delete;
    ReportFolder& operator=(const ReportFolder&) = delete;

    // Creates the folder when missing, then waits until no other run of this
    // year in this working folder holds it and holds it until the end of the
    // process: an advisory lock on the folder itself, which the system
    // releases when a run crashes, so that two runs of a year never mix their
    // outputs. Without a folder to lock (report/ a regular file), the run goes
    // on unlocked and the report fails when written.
    void lock();
    // Removes the files an earlier report of the year left, and the
    // temporary files of one that was killed. Failures are ignored: they show
    // when the new report is written.
    void remove_earlier() const;
    // Writes a file under its temporary name; a failure ends the run with
    // the file's path and the system's reason. Two threads may stage files
    // at once.
    void stage(const std::string& name, std::string_view text);
    // Renames the staged files into place in the order of the names given,
    // index.html last, whatever order they were staged in.
    void commit();

    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path dir_;
    std::vector<std::string> names_;
    std::mutex lock_;                    // over staged_ and made_gis_
    std::vector<std::string> staged_;    // written under their temporary names
    std::vector<std::string> placed_;    // renamed into place by commit()
    bool made_gis_ = false;              // gis/ created by this run
    int lock_fd_ = -1;
};

}  // namespace tessadro
