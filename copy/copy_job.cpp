#include "copy/copy_job.h"

#include "copy/card_source.h"
#include "copy/copy_one_file.h"
#include "copy/file_transfer.h"
#include "copy/job_messages.h"
#include "metadata/card_layout.h"
#include "metadata/errors.h"
#include "metadata/path_text.h"
#include "metadata/playlist_reader.h"
#include "naming/name_mask.h"
#include "naming/path_validity.h"

#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/operations.hpp>

#include <cstdint>
#include <string>
#include <thread>

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
    reporter.disableCancel();
}

// A mask may hold "." or ".." as a folder name (typed, or from a crafted
// card through %f and %e); such a destination would leave the target folder.
bool staysInTarget(const std::string& targetText, const fs::path& destination) {
    const std::string target = pathFromText(targetText).string();
    const std::string path = destination.string();
    if (path.compare(0, target.size(), target) != 0) {
        return false;
    }
    std::size_t start = target.size();
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string component = path.substr(start, end - start);
        if (component == "." || component == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

std::int64_t clipCount(const PlaylistSet& playlists) {
    std::int64_t count = 0;
    for (const PlaylistRecord& playlist : playlists.playlists) {
        count += static_cast<std::int64_t>(playlist.clips.size());
    }
    return count;
}

enum class Ending { Completed, Stopped };

Ending copyClips(ProgressReporter& reporter, CopyJobHost& host, const CardSource& card,
                 const PlaylistSet& playlists, std::int32_t streamCount, std::uint64_t totalBytes) {
    CopyJobState& state = host.jobState();
    JobProgress progress(reporter, totalBytes, clipCount(playlists));
    std::int32_t runningIndex = 1;
    std::uint64_t bytesDone = 0;
    std::int64_t clipsDone = 0;

    for (const PlaylistRecord& playlist : playlists.playlists) {
        for (const ClipRecord& clip : playlist.clips) {
            if (state.abortRequested || reporter.stopRequested()) {
                showTerminating(reporter);
                return Ending::Stopped;
            }
            try {
                const fs::path source = streamFileOf(card, clip.streamFile);
                if (!fs::exists(source)) {
                    throw InputDataMissingException("The file \"" + nativeText(source) +
                                                    "\" does not exist.");
                }
                const std::uint64_t size = fs::file_size(source);
                const std::string targetText = host.targetFolderText();
                const fs::path destination =
                    buildDestinationPath(targetText, host.generateFolderChecked(), state.folderMask,
                                         host.renameFilesChecked(), state.fileMask, clip);
                if (!staysInTarget(targetText, destination) ||
                    checkPathValidity(destination) != Valid) {
                    throw FileTransferException("The following filename is not valid:\n" +
                                                nativeText(destination));
                }
                reporter.setText("Copying: " + clip.streamFile.filename().string() + " (" +
                                 std::to_string(runningIndex) + "/" + std::to_string(streamCount) +
                                 ")");

                ClipProgress clipProgress(progress, bytesDone, clipsDone, size);
                copyOneFile(destination, host, source, clipProgress);

                bytesDone += size;
                ++clipsDone;
                progress.report(bytesDone, clipsDone);
                ++runningIndex;
            } catch (const TransferStopped&) {
                showTerminating(reporter);
                return Ending::Stopped;
            } catch (const fs::filesystem_error& error) {
                const int answer = host.askSkip(skipPromptText(error));
                if (answer == PromptCancel) {
                    showTerminating(reporter);
                    return Ending::Stopped;
                }
                if (answer != PromptOk) {
                    throw GeneralException("Unexpected return value.");
                }
            } catch (const std::exception& error) {
                showTerminating(reporter);
                host.showFatal(fatalMessageText(error.what(), true));
                return Ending::Stopped;
            }
        }
    }
    return Ending::Completed;
}

} // namespace

void runCopyJob(ProgressReporter& reporter, CopyJobHost& host,
                std::chrono::milliseconds donePause) {
    CopyJobState& state = host.jobState();
    try {
        reporter.setText("Initialising..");
        reporter.setPosition(0);
        state.clearFlags();

        const CardSource card = locateCard(host.savedSourceFolder());
        const std::int32_t streamCount = countFiles(card.streamFolder, streamExtension);
        const std::uint64_t totalBytes = sumFileSizes(card.streamFolder, streamExtension);
        state.folderMask = parseMask(host.folderMaskText());
        state.fileMask = parseMask(host.fileMaskText());
        PlaylistSet playlists;
        readPlaylists(card.playlistFolder, playlists, playlistExtension);

        if (copyClips(reporter, host, card, playlists, streamCount, totalBytes) ==
            Ending::Completed) {
            reporter.setText("Done!");
            reporter.setPosition(100);
            reporter.disableCancel();
            std::this_thread::sleep_for(donePause);
        }
    } catch (const InputDataMissingException& error) {
        showTerminating(reporter);
        host.showFatal(fatalMessageText(error.what(), false));
    } catch (const GeneralException& error) {
        showTerminating(reporter);
        host.showFatal(fatalMessageText(error.what(), true));
    } catch (const std::exception& error) {
        // Failures of the folder walks ("Not a directory.", a folder that
        // cannot be listed) end the job like any other fatal error instead
        // of closing the progress as if all had been copied.
        showTerminating(reporter);
        host.showFatal(fatalMessageText(error.what(), true));
    }
}
