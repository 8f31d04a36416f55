#include "cli/copy_prompts.h"

#include "cli/stop_signals.h"
#include "cli/terminal_text.h"
#include "naming/path_validity.h"

#include <cerrno>
#include <utility>

#include <poll.h>
#include <pthread.h>
#include <unistd.h>

namespace tandrel {

namespace {

ConflictChoice fixedChoice(ConflictPolicy policy) {
    switch (policy) {
    case ConflictPolicy::Replace:
        return ConflictChoice::CopyAndReplace;
    case ConflictPolicy::KeepBoth:
        return ConflictChoice::KeepBoth;
    case ConflictPolicy::Skip:
        return ConflictChoice::Skip;
    case ConflictPolicy::DontCopy:
    case ConflictPolicy::Ask:
    case ConflictPolicy::Auto:
        break;
    }
    return ConflictChoice::DontCopy;
}

class StopSignalsBlocked {
public:
    StopSignalsBlocked() {
        const sigset_t stopSignals = stopSignalSet();
        pthread_sigmask(SIG_BLOCK, &stopSignals, &previous_);
    }
    ~StopSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    StopSignalsBlocked(const StopSignalsBlocked&) = delete;
    StopSignalsBlocked& operator=(const StopSignalsBlocked&) = delete;

    const sigset_t& previousMask() const { return previous_; }

private:
    sigset_t previous_{};
};

} // namespace

CopyPrompts::CopyPrompts(CopySettings settings, CopyProgress& progress,
                         const std::atomic<bool>& stopFlag, std::ostream& err)
    : settings_(std::move(settings)), progress_(progress), stopFlag_(stopFlag), err_(err) {}

std::optional<std::string> CopyPrompts::readAnswer() {
    // The stop signals stay blocked except inside ppoll, so a signal that
    // arrives between the look at the stop flag and the wait still ends the
    // wait instead of being missed while the read blocks.
    StopSignalsBlocked blocked;
    std::string line;
    for (;;) {
        if (stopFlag_.load()) {
            return std::nullopt;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (::ppoll(&input, 1, nullptr, &blocked.previousMask()) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        char c = 0;
        const ssize_t count = ::read(STDIN_FILENO, &c, 1);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return line.empty() ? std::nullopt : std::optional<std::string>(line);
        }
        if (c == '\n') {
            return line;
        }
        line += c;
    }
}

ConflictChoice CopyPrompts::askConflict(const std::string& existing,
                                        const std::string& keepBothName, bool& repeat) {
    if (settings_.onConflict != ConflictPolicy::Ask) {
        // Not remembered by the job, so every clash gets its note.
        repeat = false;
        return fixedChoice(settings_.onConflict);
    }
    progress_.breakLine();
    err_ << "There is already a file with this name in this location:\n  " << printable(existing)
         << "\nWhat would you like to do?\n"
            "  r  Copy and Replace\n"
            "  d  Don't Copy\n"
            "  k  Copy, but keep both files (the copy becomes "
         << printable(keepBothName)
         << ")\n"
            "  s  Skip\n"
            "  c  Cancel\n"
            "A capital letter (R, D, K, S) does this for any remaining conflicts.\n";
    for (;;) {
        err_ << "Choice [r/d/k/s/c]: " << std::flush;
        const std::optional<std::string> answer = readAnswer();
        if (!answer) {
            // Whatever is printed next starts on a line of its own.
            err_ << '\n';
            cancelledAtConflict_ = true;
            return ConflictChoice::Cancel;
        }
        if (answer->size() != 1) {
            continue;
        }
        const char letter = (*answer)[0];
        const bool forAll = letter >= 'A' && letter <= 'Z';
        switch (letter | 0x20) {
        case 'r':
            repeat = forAll;
            return ConflictChoice::CopyAndReplace;
        case 'd':
            repeat = forAll;
            return ConflictChoice::DontCopy;
        case 'k':
            repeat = forAll;
            return ConflictChoice::KeepBoth;
        case 's':
            repeat = forAll;
            return ConflictChoice::Skip;
        case 'c':
            cancelledAtConflict_ = true;
            return ConflictChoice::Cancel;
        default:
            break;
        }
    }
}

PromptAnswer CopyPrompts::askSkip(const SkipQuestion& question) {
    if (settings_.onError == ErrorPolicy::Skip) {
        progress_.failure(question.failure, true);
        return PromptAnswer::Ok;
    }
    if (settings_.onError == ErrorPolicy::Abort) {
        progress_.failure(question.failure, false);
        failed_ = true;
        return PromptAnswer::Cancel;
    }
    progress_.breakLine();
    err_ << printableLines(question.text);
    for (;;) {
        err_ << "Skip and continue? [y/n]: " << std::flush;
        const std::optional<std::string> answer = readAnswer();
        if (!answer) {
            err_ << '\n';
            failed_ = true;
            return PromptAnswer::Cancel;
        }
        if (*answer == "n" || *answer == "N") {
            failed_ = true;
            return PromptAnswer::Cancel;
        }
        if (*answer == "y" || *answer == "Y") {
            return PromptAnswer::Ok;
        }
    }
}

void CopyPrompts::showFatal(const std::string& text) {
    progress_.fatal(text);
    failed_ = true;
}

std::string CopyPrompts::noteOf(const ClipReport& report) const {
    if (settings_.onConflict == ConflictPolicy::Ask) {
        return {};
    }
    const std::string destination = nativeText(report.destination);
    switch (report.outcome) {
    case ClipOutcome::Replaced:
        return "Name taken, replaced: " + destination;
    case ClipOutcome::KeptBoth:
        return "Name taken, copied as \"" + report.holder->filename().string() +
               "\" beside: " + destination;
    case ClipOutcome::AlreadyThere:
        return "Already there with the same bytes: " + nativeText(*report.holder);
    case ClipOutcome::LeftOut:
        return "Name taken, not copied: " + destination;
    case ClipOutcome::Copied:
    case ClipOutcome::Failed:
        break;
    }
    return {};
}

void CopyPrompts::clipSettled(const ClipReport& report) {
    tally_.add(report);
    progress_.clipSettled(report, noteOf(report));
}

JobOptions CopyPrompts::jobOptions() {
    JobOptions options;
    options.settleClashesByContent = settings_.onConflict == ConflictPolicy::Auto;
    // Exit 0 promises that every clip is in the target, so a clip left out
    // must be told from one whose bytes are there already.
    options.compareLeftOutClips = true;
    options.joinRecordings = settings_.joinRecordings;
    options.verifyCopies = settings_.verifyCopies;
    return options;
}

} // namespace tandrel
