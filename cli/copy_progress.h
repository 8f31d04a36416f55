#pragma once

#include "copy/copy_job_host.h"

#include <nlohmann/json_fwd.hpp>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tandrel {

// How the copy command shows a job on stderr.
enum class ProgressStyle {
    // One line, redrawn in place: status, percentage, rate, time left.
    Bar,
    // One line per status text, for logs and pipes.
    Lines,
    // One JSON object per line for every status, position and outcome, and a
    // closing summary, for scripts.
    Json,
    // Nothing but what went wrong.
    Quiet,
};

// What became of the clips of one run: how many ended each way, and those
// that are not in the target.
struct CopyTally {
    std::array<int, 6> outcomes{}; // by ClipOutcome
    std::vector<ClipReport> failed;
    // Left out at a clash while the file of their name holds other bytes.
    std::vector<ClipReport> leftOut;

    void add(const ClipReport& report);
};

// The command line's display of a copy job: its progress, what became of
// each clip, failures and the closing summary, as text for people or as
// JSON lines for scripts, all on `err`. The stop flag is the one the stop
// signals set.
class CopyProgress : public ProgressReporter {
public:
    CopyProgress(ProgressStyle style, const std::atomic<bool>& stopFlag, std::ostream& err);

    void setText(const std::string& text) override;
    void phaseChanged(JobPhase phase) override;
    void clipStarted(const ClipStart& start) override;
    void setPosition(int percent) override;
    void disableCancel() override {}
    bool stopRequested() const override { return stopFlag_.load(); }
    void setBytes(std::uint64_t done, std::uint64_t total) override;

    // Ends the line being redrawn, so that a question or message starts on
    // a line of its own.
    void breakLine();

    bool writesJson() const { return style_ == ProgressStyle::Json; }
    // A clip's outcome; `note` shows a clash settled without a question.
    void clipSettled(const ClipReport& report, const std::string& note);
    // A failure the job met (a clip that could not be copied, or the message
    // that ends the job); `skipped` when the run goes on without the clip.
    void failure(const std::string& message, bool skipped);
    void fatal(const std::string& message);
    // The clips that are not in the target, and for scripts the counts and
    // the exit status.
    void summary(const CopyTally& tally, int exitStatus);

private:
    void redraw();

    void writeEvent(const nlohmann::ordered_json& event);

    ProgressStyle style_;
    const std::atomic<bool>& stopFlag_;
    std::ostream& err_;
    std::string text_;
    JobPhase phase_ = JobPhase::Initialising;
    int percent_ = 0;
    std::uint64_t done_ = 0;
    std::uint64_t total_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    bool lineOpen_ = false;
};

} // namespace tandrel
