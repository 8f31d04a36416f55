#pragma once

#include "cli/copy_progress.h"
#include "cli/naming_options.h"
#include "copy/copy_job_host.h"

#include <atomic>
#include <optional>
#include <ostream>
#include <string>

namespace tandrel {

// What the copy command does at a name clash: ask on the terminal, settle it
// by the files' contents, or apply one choice to every clash.
enum class ConflictPolicy { Ask, Auto, Replace, DontCopy, KeepBoth, Skip };
// What it does when a file cannot be copied.
enum class ErrorPolicy { Ask, Skip, Abort };

// The settings of one `tandrel-cli copy` run, as the job reads them. The
// command turns the Ask policies into fixed ones when stdin is no terminal.
struct CopySettings {
    NamingOptions naming;
    ConflictPolicy onConflict = ConflictPolicy::Ask;
    ErrorPolicy onError = ErrorPolicy::Ask;
    bool joinRecordings = false;
    bool verifyCopies = false;
};

// The command line's CopyJobHost. Questions go to the terminal (stderr, with
// answers read from stdin) only under the Ask policies; everything else the
// job tells goes to the display. Records what became of every clip, for the
// closing summary and the exit status.
class CopyPrompts : public CopyJobHost {
public:
    // Questions go to `err`, answers come from standard input.
    CopyPrompts(CopySettings settings, CopyProgress& progress, const std::atomic<bool>& stopFlag,
                std::ostream& err);

    std::string savedSourceFolder() override { return settings_.naming.source; }
    std::string targetFolderText() override { return settings_.naming.absoluteTarget(); }
    bool generateFolderChecked() override { return !settings_.naming.noFolder; }
    std::string folderMaskText() override { return settings_.naming.folderMask; }
    bool renameFilesChecked() override { return !settings_.naming.noRename; }
    std::string fileMaskText() override { return settings_.naming.fileMask; }
    ConflictChoice askConflict(const std::string& existing, const std::string& keepBothName,
                               bool& repeat) override;
    PromptAnswer askSkip(const SkipQuestion& question) override;
    void showFatal(const std::string& text) override;
    CopyJobState& jobState() override { return state_; }
    void clipSettled(const ClipReport& report) override;
    JobOptions jobOptions() override;

    bool failed() const { return failed_; }
    bool cancelledAtConflict() const { return cancelledAtConflict_; }
    const CopyTally& tally() const { return tally_; }

private:
    std::optional<std::string> readAnswer();
    // What the display says of a clash settled without a question; nothing
    // when the user answered one.
    std::string noteOf(const ClipReport& report) const;

    CopySettings settings_;
    CopyProgress& progress_;
    const std::atomic<bool>& stopFlag_;
    std::ostream& err_;
    CopyJobState state_;
    bool failed_ = false;
    bool cancelledAtConflict_ = false;
    CopyTally tally_;
};

} // namespace tandrel
