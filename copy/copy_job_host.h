#pragma once

#include "copy/job_state.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace tandrel {

// Where a job stands; each phase begins with its status line.
enum class JobPhase {
    Initialising, // reading the card
    Copying,      // the clips, one ClipStart each
    Done,         // every clip was handled
    Terminating,  // a stop, or a failure with its message
};

// The copy of one clip, or of one joined recording, begins: what its status
// line says, as data, for hosts that show more than the text.
struct ClipStart {
    std::int32_t index = 0; // the status line's running index
    std::int32_t count = 0; // the stream files of the card
    std::string streamName; // the stream file, or a recording's first part
    boost::filesystem::path source;
    boost::filesystem::path destination;
    std::uint64_t bytes = 0;
    std::size_t parts = 1;
};

// The progress side of a copy job: the status line, the percentage, and the
// Cancel button. Reports after a stop are dropped by the implementation.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    virtual void setText(const std::string& text) = 0;
    // Comes right after the status line that begins the phase, so hosts can
    // follow the job without reading its texts.
    virtual void phaseChanged(JobPhase phase) { (void)phase; }
    // Comes right after the status line of each clip it describes.
    virtual void clipStarted(const ClipStart& start) { (void)start; }
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

// How one clip of a job ended.
enum class ClipOutcome {
    Copied,       // under its destination name
    Replaced,     // over the file that had its destination name
    KeptBoth,     // under the keep-both name, beside the file that had its name
    AlreadyThere, // its name, or one of its keep-both names, holds its bytes
    LeftOut,      // its name was taken, and the user's or a remembered choice left it out
    Failed,       // it could not be copied, and the user chose to skip it
};

// What a host learns about each clip once its outcome is known.
struct ClipReport {
    std::string streamName;              // the stream file as the playlist names it
    boost::filesystem::path source;      // the stream file on the card
    boost::filesystem::path destination; // the name the masks gave it
    ClipOutcome outcome = ClipOutcome::Copied;
    // Copied, Replaced, KeptBoth, AlreadyThere: the file that now holds the
    // clip. LeftOut: a file that holds the clip's bytes under its name or a
    // keep-both name, when the host asked to compare and one does.
    std::optional<boost::filesystem::path> holder;
    std::uint64_t bytes = 0;
    // Failed: what went wrong, as the skip question tells it.
    std::string failure;
};

// How a host wants its job run. The program asks for none of it: its job is
// the one the dialogs were made for.
struct JobOptions {
    // Settle a clash without a question: a taken name (or keep-both name)
    // whose file holds the clip's bytes counts as already there; else the
    // clip is copied under the first free keep-both name.
    bool settleClashesByContent = false;
    // Compare a clip left out at a clash with the files of its name
    // (ClipReport::holder), for hosts that must tell whether it is missing.
    bool compareLeftOutClips = false;
    // Copy the parts of a split recording as one file, the bytes of its
    // parts in playlist order, named by its first part.
    bool joinRecordings = false;
    // Read each copy back from the disk and compare its hash with the
    // source's before it gets its name.
    bool verifyCopies = false;
};

// The question asked when a file-system failure stops one clip: the prompt
// as shown, and the failure it tells of, for hosts that do not ask.
struct SkipQuestion {
    std::string text;
    std::string failure;
};

// Answers of OK/Cancel prompts, as message boxes return them.
enum class PromptAnswer : int { Ok = 1, Cancel = 2 };

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
    virtual PromptAnswer askSkip(const SkipQuestion& question) = 0;
    // One OK box; the job ends after it.
    virtual void showFatal(const std::string& text) = 0;

    virtual CopyJobState& jobState() = 0;

    // Called once for every clip whose outcome is known; a clip the job stops
    // at is not reported.
    virtual void clipSettled(const ClipReport& report) { (void)report; }
    virtual JobOptions jobOptions() { return {}; }
};

} // namespace tandrel
