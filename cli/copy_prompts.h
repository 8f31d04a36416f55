#pragma once

#include "cli/copy_progress.h"
#include "cli/naming_options.h"
#include "copy/copy_job_host.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

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
    // No notes about clashes settled without a question.
    bool quiet = false;
};

// The command line's CopyJobHost. Questions go to the terminal (stderr, with
// answers read from stdin) only under the Ask policies. Records what became
// of every clip, for the closing summary and the exit status.
class CopyPrompts : public CopyJobHost {
public:
    CopyPrompts(CopySettings settings, CopyProgress& progress, const std::atomic<bool>& stopFlag);

    std::string savedSourceFolder() override { return settings_.naming.source; }
    std::string targetFolderText() override { return settings_.naming.absoluteTarget(); }
    bool generateFolderChecked() override { return !settings_.naming.noFolder; }
    std::string folderMaskText() override { return settings_.naming.folderMask; }
    bool renameFilesChecked() override { return !settings_.naming.noRename; }
    std::string fileMaskText() override { return settings_.naming.fileMask; }
    ConflictChoice askConflict(const std::string& existing, const std::string& keepBothName,
                               bool& repeat) override;
    int askSkip(const std::string& text) override;
    void showFatal(const std::string& text) override;
    CopyJobState& jobState() override { return state_; }
    void clipSettled(const ClipReport& report) override;
    bool settlesClashesByContent() override { return settings_.onConflict == ConflictPolicy::Auto; }
    bool comparesLeftOutClips() override { return true; }

    bool failed() const { return failed_; }
    bool cancelledAtConflict() const { return cancelledAtConflict_; }
    // Clips that are not in the target: skipped after a failure, or left out
    // at a clash while the file of their name holds other bytes.
    bool skippedFiles() const { return !skipped_.empty(); }
    bool leftOutFiles() const { return !leftOut_.empty(); }
    // Names those clips on stderr; nothing when every clip is in the target.
    void printSummary() const;

private:
    std::optional<std::string> readAnswer();
    void note(const std::string& text, const std::string& path);

    CopySettings settings_;
    CopyProgress& progress_;
    const std::atomic<bool>& stopFlag_;
    CopyJobState state_;
    bool failed_ = false;
    bool cancelledAtConflict_ = false;
    std::vector<ClipReport> skipped_;
    std::vector<ClipReport> leftOut_;
};
