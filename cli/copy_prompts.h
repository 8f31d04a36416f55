#pragma once

#include "cli/copy_progress.h"
#include "copy/copy_job_host.h"

#include <atomic>
#include <optional>
#include <string>

// What the copy command does at a name clash: ask on the terminal, or apply
// one choice to every clash.
enum class ConflictPolicy { Ask, Replace, DontCopy, KeepBoth, Skip };
// What it does when a file cannot be copied.
enum class ErrorPolicy { Ask, Skip, Abort };

// The settings of one `tandrel-cli copy` run, as the job reads them.
struct CopySettings {
    std::string source;
    std::string target;
    bool generateFolder = true;
    std::string folderMask;
    bool renameFiles = true;
    std::string fileMask;
    ConflictPolicy onConflict = ConflictPolicy::Ask;
    ErrorPolicy onError = ErrorPolicy::Ask;
    // No notes about clashes settled by a fixed policy.
    bool quiet = false;
};

// The command line's CopyJobHost. Questions go to the terminal (stderr, with
// answers read from stdin) only under the Ask policies; the command turns
// Ask into a fixed choice when stdin is no terminal. Records what happened
// for the exit code.
class CopyPrompts : public CopyJobHost {
public:
    CopyPrompts(CopySettings settings, CopyProgress& progress, const std::atomic<bool>& stopFlag);

    std::string savedSourceFolder() override { return settings_.source; }
    std::string targetFolderText() override { return settings_.target; }
    bool generateFolderChecked() override { return settings_.generateFolder; }
    std::string folderMaskText() override { return settings_.folderMask; }
    bool renameFilesChecked() override { return settings_.renameFiles; }
    std::string fileMaskText() override { return settings_.fileMask; }
    ConflictChoice askConflict(const std::string& existing, const std::string& keepBothName,
                               bool& repeat) override;
    int askSkip(const std::string& text) override;
    void showFatal(const std::string& text) override;
    CopyJobState& jobState() override { return state_; }

    bool failed() const { return failed_; }
    bool skippedFiles() const { return skippedFiles_; }
    bool cancelledAtConflict() const { return cancelledAtConflict_; }

private:
    std::optional<std::string> readAnswer();

    CopySettings settings_;
    CopyProgress& progress_;
    const std::atomic<bool>& stopFlag_;
    CopyJobState state_;
    bool failed_ = false;
    bool skippedFiles_ = false;
    bool cancelledAtConflict_ = false;
};
