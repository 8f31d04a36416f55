#pragma once

#include "copy/job_state.h"

#include <cstdint>
#include <string>

// The progress side of a copy job: the status line, the percentage, and the
// Cancel button. Reports after a stop are dropped by the implementation.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    virtual void setText(const std::string& text) = 0;
    virtual void setPosition(int percent) = 0;
    virtual void disableCancel() = 0;
    // The bytes behind the percentage: handled so far out of the stream
    // files' total. Comes with every setPosition of the copy loop, also
    // during a large file; for hosts that show a rate or the time left.
    virtual void setBytes(std::uint64_t done, std::uint64_t total) {
        (void)done;
        (void)total;
    }
    // True once the user asked the job to stop (Cancel, Close, Ctrl+C). Read
    // from the worker thread.
    virtual bool stopRequested() const = 0;
};

// Answers of OK/Cancel prompts, as message boxes return them.
enum PromptAnswer : int { PromptOk = 1, PromptCancel = 2 };

// Everything a copy job needs of the program that runs it: the saved and the
// live settings, the questions it asks, and the job state it keeps between
// files. The main dialog and the command line each implement it; tests
// script one.
class CopyJobHost {
public:
    virtual ~CopyJobHost() = default;

    virtual std::string savedSourceFolder() = 0;
    virtual std::string targetFolderText() = 0;
    virtual bool generateFolderChecked() = 0;
    virtual std::string folderMaskText() = 0;
    virtual bool renameFilesChecked() = 0;
    virtual std::string fileMaskText() = 0;

    // The conflict question: `existing` is the clashing destination, `keepBothName`
    // the file name a kept copy would get. Sets `repeat` only when the user
    // chose a button with "for all remaining conflicts" ticked.
    virtual ConflictChoice askConflict(const std::string& existing, const std::string& keepBothName,
                                       bool& repeat) = 0;
    // OK/Cancel: skip the file that failed and go on?
    virtual int askSkip(const std::string& text) = 0;
    // One OK box; the job ends after it.
    virtual void showFatal(const std::string& text) = 0;
    // A clip's copy is in place under its final name `destination`; for
    // hosts that tell what a job did.
    virtual void clipCopied(const std::string& destination) { (void)destination; }

    virtual CopyJobState& jobState() = 0;
};
