#include "copy/copy_job.h"

#include "copy/card_source.h"
#include "copy/copy_one_file.h"
#include "copy/copy_plan.h"
#include "copy/file_transfer.h"
#include "copy/job_messages.h"
#include "copy/target_folders.h"
#include "metadata/card_layout.h"
#include "metadata/errors.h"
#include "metadata/playlist_reader.h"
#include "metadata/recordings.h"
#include "naming/name_mask.h"

#include <boost/filesystem/exception.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <thread>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

// Often enough for a progress bar and a rate to look alive, rarely enough
// that reports never slow the copy.
constexpr auto reportInterval = std::chrono::milliseconds(250);

// The bytes of the whole job, and a fallback for cards whose stream files
// are all empty: then the clips handled count against the clips listed.
class JobProgress {
public:
    JobProgress(ProgressReporter& reporter, std::uint64_t totalBytes, std::int64_t totalClips)
        : reporter_(reporter), totalBytes_(totalBytes), totalClips_(totalClips) {}

    void report(std::uint64_t bytesDone, std::int64_t clipsDone) {
        reporter_.setBytes(bytesDone, totalBytes_);
        reporter_.setPosition(percent(bytesDone, clipsDone));
        lastReport_ = std::chrono::steady_clock::now();
    }

    // A report during a file, at most once per interval.
    void reportWithin(std::uint64_t bytesDone, std::int64_t clipsDone) {
        if (std::chrono::steady_clock::now() - lastReport_ >= reportInterval) {
            report(bytesDone, clipsDone);
        }
    }

    ProgressReporter& reporter() { return reporter_; }

private:
    int percent(std::uint64_t bytesDone, std::int64_t clipsDone) const {
        // Playlists may name a clip twice, so the count can pass the total;
        // the bar stops at full.
        double share = 0.0;
        if (totalBytes_ > 0) {
            share = static_cast<double>(bytesDone) / static_cast<double>(totalBytes_);
        } else if (totalClips_ > 0) {
            share = static_cast<double>(clipsDone) / static_cast<double>(totalClips_);
        }
        return share >= 1.0 ? 100 : static_cast<int>(share * 100.0);
    }

    ProgressReporter& reporter_;
    std::uint64_t totalBytes_;
    std::int64_t totalClips_;
    std::chrono::steady_clock::time_point lastReport_ = std::chrono::steady_clock::now();
};

// Feeds the copy of one clip into the job's progress.
class ClipProgress : public TransferProgress {
public:
    ClipProgress(JobProgress& job, std::uint64_t bytesBefore, std::int64_t clipsBefore,
                 std::uint64_t fileSize)
        : job_(job), bytesBefore_(bytesBefore), clipsBefore_(clipsBefore), fileSize_(fileSize) {}

    void transferred(std::uint64_t bytesOfFile) override {
        // The end of the file is reported by the job once the clip is done.
        if (bytesOfFile < fileSize_) {
            job_.reportWithin(bytesBefore_ + bytesOfFile, clipsBefore_);
        }
    }
    bool stopRequested() const override { return job_.reporter().stopRequested(); }

private:
    JobProgress& job_;
    std::uint64_t bytesBefore_;
    std::int64_t clipsBefore_;
    std::uint64_t fileSize_;
};

void showTerminating(ProgressReporter& reporter) {
    reporter.setText("Terminating..");
    reporter.phaseChanged(JobPhase::Terminating);
    reporter.disableCancel();
}

std::int64_t clipCount(const PlaylistSet& playlists) {
    std::int64_t count = 0;
    for (const PlaylistRecord& playlist : playlists.playlists) {
        count += static_cast<std::int64_t>(playlist.clips.size());
    }
    return count;
}

enum class Ending { Completed, Stopped };

// A file-system failure of one clip: the user is asked whether to skip it.
// After a stop nobody is asked; the job just ends.
Ending askToSkip(ProgressReporter& reporter, CopyJobHost& host, const fs::filesystem_error& error) {
    if (reporter.stopRequested()) {
        showTerminating(reporter);
        return Ending::Stopped;
    }
    const PromptAnswer answer = host.askSkip({skipPromptText(error), failureText(error)});
    if (answer == PromptAnswer::Cancel) {
        showTerminating(reporter);
        return Ending::Stopped;
    }
    if (answer != PromptAnswer::Ok) {
        throw GeneralException("Unexpected return value.");
    }
    return Ending::Completed;
}

class ClipCopier {
public:
    ClipCopier(ProgressReporter& reporter, CopyJobHost& host, const CardSource& card,
               const CopyPlanner& planner, JobProgress& progress, std::int32_t streamCount)
        : reporter_(reporter), host_(host), card_(card), planner_(planner), progress_(progress),
          streamCount_(streamCount) {}

    Ending copyAll(const std::vector<Recording>& recordings) {
        for (const Recording& recording : recordings) {
            if (host_.jobState().abortRequested || reporter_.stopRequested()) {
                showTerminating(reporter_);
                return flushAfterStop();
            }
            if (copyGuarded(recording) == Ending::Stopped) {
                return flushAfterStop();
            }
        }
        return flushGuarded();
    }

private:
    // A job that stops or fails still puts the names of the copies it made
    // on disk; nobody is asked about a flush that fails then, since the job
    // has already ended in a stop or a message.
    Ending flushAfterStop() {
        try {
            folders_.flush();
        } catch (const fs::filesystem_error&) {
            // Nothing more to report: the job's end has been shown.
        }
        return Ending::Stopped;
    }

    Ending copyGuarded(const Recording& recording) {
        std::optional<PlannedCopy> planned;
        try {
            planned = planner_.plan(recording);
            copyClip(*planned, recording.parts.size());
        } catch (const OperationStopped&) {
            showTerminating(reporter_);
            return Ending::Stopped;
        } catch (const fs::filesystem_error& error) {
            const Ending ending = askToSkip(reporter_, host_, error);
            if (ending == Ending::Completed && planned) {
                host_.clipSettled({planned->streamName, planned->sources.front(),
                                   planned->destination, ClipOutcome::Failed, std::nullopt, 0,
                                   failureText(error)});
            }
            return ending;
        } catch (const std::exception& error) {
            showTerminating(reporter_);
            if (!reporter_.stopRequested()) {
                host_.showFatal(clipFailureText(error));
            }
            return Ending::Stopped;
        }
        return Ending::Completed;
    }

    // One copy: of a clip, or of the `parts` of a recording joined. The
    // running index and the clips done count every part.
    void copyClip(const PlannedCopy& planned, std::size_t parts) {
        reporter_.setText("Copying: " + planned.streamName + " (" + std::to_string(runningIndex_) +
                          "/" + std::to_string(streamCount_) + ")");
        if (!copying_) {
            copying_ = true;
            reporter_.phaseChanged(JobPhase::Copying);
        }
        const ClipSource source(card_.tree, planned.sources, planned.destination);
        reporter_.clipStarted({runningIndex_, streamCount_, planned.streamName, source.path(),
                               planned.destination, source.size(), parts});
        ClipProgress clipProgress(progress_, bytesDone_, clipsDone_, source.size());
        const CopySettlement settlement =
            copyOneFile(planned.destination, host_, source, clipProgress, folders_);
        if (!settlement.cancelled) {
            host_.clipSettled({planned.streamName,
                               source.path(),
                               planned.destination,
                               settlement.outcome,
                               settlement.holder,
                               source.size(),
                               {}});
        }
        bytesDone_ += source.size();
        clipsDone_ += static_cast<std::int64_t>(parts);
        progress_.report(bytesDone_, clipsDone_);
        runningIndex_ += static_cast<std::int32_t>(parts);
    }

    // The last copies' names go to disk before "Done!": a failure there
    // is a file-system failure like any other.
    Ending flushGuarded() {
        try {
            folders_.flush();
        } catch (const fs::filesystem_error& error) {
            if (askToSkip(reporter_, host_, error) == Ending::Stopped) {
                return Ending::Stopped;
            }
            host_.clipSettled({error.path1().filename().string(), error.path1(), error.path2(),
                               ClipOutcome::Failed, std::nullopt, 0, failureText(error)});
        }
        return Ending::Completed;
    }

    ProgressReporter& reporter_;
    CopyJobHost& host_;
    const CardSource& card_;
    const CopyPlanner& planner_;
    JobProgress& progress_;
    std::int32_t streamCount_;
    TargetFolders folders_;
    bool copying_ = false;
    std::int32_t runningIndex_ = 1;
    std::uint64_t bytesDone_ = 0;
    std::int64_t clipsDone_ = 0;
};

} // namespace

void runCopyJob(ProgressReporter& reporter, CopyJobHost& host,
                std::chrono::milliseconds donePause) {
    CopyJobState& state = host.jobState();
    try {
        reporter.setText("Initialising..");
        reporter.phaseChanged(JobPhase::Initialising);
        reporter.setPosition(0);
        state.clearFlags();

        const CardSource card = locateCard(host.savedSourceFolder());
        state.folderMask = parseMask(host.folderMaskText());
        state.fileMask = parseMask(host.fileMaskText());
        const PlaylistSet playlists =
            readCardPlaylists(card, [&reporter] { return reporter.stopRequested(); });
        const CopyPlanner planner(card, host.targetFolderText(), host.generateFolderChecked(),
                                  state.folderMask, host.renameFilesChecked(), state.fileMask);

        JobProgress progress(reporter, card.streams.totalBytes(), clipCount(playlists));
        ClipCopier copier(reporter, host, card, planner, progress, card.streams.count());
        if (copier.copyAll(recordingsOf(playlists, host.jobOptions().joinRecordings)) ==
            Ending::Completed) {
            reporter.setText("Done!");
            reporter.phaseChanged(JobPhase::Done);
            reporter.setPosition(100);
            reporter.disableCancel();
            std::this_thread::sleep_for(donePause);
        }
    } catch (const OperationStopped&) {
        showTerminating(reporter);
    } catch (const std::exception& error) {
        // Every failure before the clips (a missing folder, a broken
        // playlist, a folder that cannot be listed) ends the job with one
        // message instead of closing the progress as if all had been copied;
        // after a stop nobody is told, a stop is final.
        showTerminating(reporter);
        if (!reporter.stopRequested()) {
            host.showFatal(jobFailureText(error));
        }
    }
}

} // namespace tandrel
