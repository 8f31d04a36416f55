#include "cli/copy_progress.h"

#include "cli/terminal_text.h"

#include <cstdio>

namespace {

std::string formatRate(double bytesPerSecond) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB/s", bytesPerSecond / 1e6);
    return text;
}

std::string formatDuration(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld left", whole / 60, whole % 60);
    return text;
}

} // namespace

CopyProgress::CopyProgress(ProgressStyle style, const std::atomic<bool>& stopFlag)
    : style_(style), stopFlag_(stopFlag) {}

void CopyProgress::setText(const std::string& text) {
    if (!copying_ && text.rfind("Copying: ", 0) == 0) {
        // The rate counts from the first copy, not from reading the card.
        copying_ = true;
        start_ = std::chrono::steady_clock::now();
    }
    // The status names a clip, whose name comes from the card.
    text_ = printable(text);
    if (style_ == ProgressStyle::Lines) {
        std::fprintf(stderr, "%s\n", text_.c_str());
    }
    redraw();
}

void CopyProgress::setPosition(int percent) {
    percent_ = percent;
    redraw();
}

void CopyProgress::setBytes(std::uint64_t done, std::uint64_t total) {
    done_ = done;
    total_ = total;
}

void CopyProgress::breakLine() {
    if (lineOpen_) {
        std::fputs("\n", stderr);
        lineOpen_ = false;
    }
}

void CopyProgress::redraw() {
    if (style_ != ProgressStyle::Terminal) {
        return;
    }
    std::string line = text_ + "  " + std::to_string(percent_) + "%";
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (done_ > 0 && seconds > 0.2) {
        const double rate = static_cast<double>(done_) / seconds;
        line += "  " + formatRate(rate);
        if (total_ > done_ && text_ != "Done!") {
            line += "  " + formatDuration(static_cast<double>(total_ - done_) / rate);
        }
    }
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
    lineOpen_ = true;
}
