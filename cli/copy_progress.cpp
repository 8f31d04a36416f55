#include "cli/copy_progress.h"

#include "cli/json_text.h"
#include "cli/terminal_text.h"
#include "naming/path_validity.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace tandrel {

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

// The words scripts read for each outcome.
const char* outcomeWord(ClipOutcome outcome) {
    switch (outcome) {
    case ClipOutcome::Copied:
        return "copied";
    case ClipOutcome::Replaced:
        return "replaced";
    case ClipOutcome::KeptBoth:
        return "kept-both";
    case ClipOutcome::AlreadyThere:
        return "already-there";
    case ClipOutcome::LeftOut:
        return "skipped";
    case ClipOutcome::Failed:
        break;
    }
    return "failed";
}

std::size_t indexOf(ClipOutcome outcome) {
    return static_cast<std::size_t>(outcome);
}

} // namespace

void CopyTally::add(const ClipReport& report) {
    ++outcomes[indexOf(report.outcome)];
    if (report.outcome == ClipOutcome::Failed) {
        failed.push_back(report);
    } else if (report.outcome == ClipOutcome::LeftOut && !report.holder) {
        leftOut.push_back(report);
    }
}

CopyProgress::CopyProgress(ProgressStyle style, const std::atomic<bool>& stopFlag,
                           std::ostream& err)
    : style_(style), stopFlag_(stopFlag), err_(err) {}

void CopyProgress::writeEvent(const nlohmann::ordered_json& event) {
    err_ << jsonText(event) << std::endl;
}

void CopyProgress::setText(const std::string& text) {
    // The status names a clip, whose name comes from the card.
    text_ = printable(text);
    if (style_ == ProgressStyle::Lines) {
        err_ << text_ << std::endl;
    } else if (style_ == ProgressStyle::Json) {
        writeEvent({{"event", "status"}, {"text", text}});
    }
    redraw();
}

void CopyProgress::phaseChanged(JobPhase phase) {
    phase_ = phase;
    if (phase == JobPhase::Copying) {
        // The rate counts from the first copy, not from reading the card.
        start_ = std::chrono::steady_clock::now();
    }
    redraw();
}

void CopyProgress::clipStarted(const ClipStart& start) {
    if (style_ == ProgressStyle::Json) {
        writeEvent({{"event", "clip"},
                    {"index", start.index},
                    {"count", start.count},
                    {"stream", start.streamName},
                    {"source", nativeText(start.source)},
                    {"destination", nativeText(start.destination)},
                    {"bytes", start.bytes},
                    {"parts", start.parts}});
    }
}

void CopyProgress::setPosition(int percent) {
    percent_ = percent;
    if (style_ == ProgressStyle::Json) {
        writeEvent(
            {{"event", "progress"}, {"percent", percent}, {"bytes", done_}, {"total", total_}});
    }
    redraw();
}

void CopyProgress::setBytes(std::uint64_t done, std::uint64_t total) {
    done_ = done;
    total_ = total;
}

void CopyProgress::breakLine() {
    if (lineOpen_) {
        err_ << '\n';
        lineOpen_ = false;
    }
}

void CopyProgress::redraw() {
    if (style_ != ProgressStyle::Bar) {
        return;
    }
    std::string line = text_ + "  " + std::to_string(percent_) + "%";
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (done_ > 0 && seconds > 0.2) {
        const double rate = static_cast<double>(done_) / seconds;
        line += "  " + formatRate(rate);
        if (total_ > done_ && phase_ == JobPhase::Copying) {
            line += "  " + formatDuration(static_cast<double>(total_ - done_) / rate);
        }
    }
    err_ << "\r\033[K" << line << std::flush;
    lineOpen_ = true;
}

void CopyProgress::clipSettled(const ClipReport& report, const std::string& note) {
    if (style_ == ProgressStyle::Json) {
        nlohmann::ordered_json event = {{"event", "outcome"},
                                        {"stream", report.streamName},
                                        {"source", nativeText(report.source)},
                                        {"destination", nativeText(report.destination)},
                                        {"bytes", report.bytes},
                                        {"outcome", outcomeWord(report.outcome)}};
        if (report.holder) {
            event["file"] = nativeText(*report.holder);
        }
        if (report.outcome == ClipOutcome::Failed) {
            event["message"] = report.failure;
        }
        writeEvent(event);
        return;
    }
    if (!note.empty() && style_ != ProgressStyle::Quiet) {
        breakLine();
        err_ << printable(note) << '\n';
    }
}

void CopyProgress::failure(const std::string& message, bool skipped) {
    if (style_ == ProgressStyle::Json) {
        // A skipped clip's failure comes with its outcome.
        if (!skipped) {
            writeEvent({{"event", "failure"}, {"message", message}});
        }
        return;
    }
    breakLine();
    // A blank line after the failure, where the prompt would ask its question.
    err_ << printableLines(message) << '\n' << (skipped ? "The file was skipped.\n" : "");
}

void CopyProgress::fatal(const std::string& message) {
    if (style_ == ProgressStyle::Json) {
        writeEvent({{"event", "fatal"}, {"message", message}});
        return;
    }
    breakLine();
    err_ << printableMessage(message);
}

void CopyProgress::summary(const CopyTally& tally, int exitStatus) {
    if (style_ == ProgressStyle::Json) {
        const auto count = [&](ClipOutcome outcome) {
            return tally.outcomes[indexOf(outcome)];
        };
        nlohmann::ordered_json missing = nlohmann::ordered_json::array();
        for (const std::vector<ClipReport>* reports : {&tally.failed, &tally.leftOut}) {
            for (const ClipReport& report : *reports) {
                missing.push_back(nativeText(report.source));
            }
        }
        writeEvent({{"event", "summary"},
                    {"copied", count(ClipOutcome::Copied)},
                    {"replaced", count(ClipOutcome::Replaced)},
                    {"keptBoth", count(ClipOutcome::KeptBoth)},
                    {"alreadyThere", count(ClipOutcome::AlreadyThere)},
                    {"skipped", count(ClipOutcome::LeftOut)},
                    {"failed", count(ClipOutcome::Failed)},
                    {"notInTarget", missing},
                    {"exitStatus", exitStatus}});
        return;
    }
    if (tally.failed.empty() && tally.leftOut.empty()) {
        return;
    }
    breakLine();
    err_ << "These clips are not in the target folder:\n";
    for (const ClipReport& report : tally.failed) {
        err_ << "  " << printable(nativeText(report.source)) << ": it could not be copied\n";
    }
    for (const ClipReport& report : tally.leftOut) {
        err_ << "  " << printable(nativeText(report.source)) << ": "
             << printable(nativeText(report.destination))
             << " holds other footage under its name\n";
    }
}

} // namespace tandrel
