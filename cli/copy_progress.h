#pragma once

#include "copy/copy_job_host.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

// How the copy command shows a job on stderr.
enum class ProgressStyle {
    // One line, redrawn in place: status, percentage, rate, time left.
    Terminal,
    // One line per status text, for logs and pipes.
    Lines,
    Quiet,
};

// The command line's progress display. The stop flag is the one SIGINT and
// SIGTERM set.
class CopyProgress : public ProgressReporter {
public:
    CopyProgress(ProgressStyle style, const std::atomic<bool>& stopFlag);

    void setText(const std::string& text) override;
    void setPosition(int percent) override;
    void disableCancel() override {}
    bool stopRequested() const override { return stopFlag_.load(); }
    void setBytes(std::uint64_t done, std::uint64_t total) override;

    // Ends the line being redrawn, so that a question or message starts on
    // a line of its own.
    void breakLine();

private:
    void redraw();

    ProgressStyle style_;
    const std::atomic<bool>& stopFlag_;
    std::string text_;
    int percent_ = 0;
    std::uint64_t done_ = 0;
    std::uint64_t total_ = 0;
    bool copying_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    bool lineOpen_ = false;
};
