#include "cli/copy_prompts.h"

#include <cerrno>
#include <cstdio>
#include <utility>

#include <unistd.h>

namespace {

constexpr const char* skipQuestion = "\nDo you want to skip this file and continue?\n";

// The failure without the question, for runs that do not ask.
std::string withoutQuestion(const std::string& text) {
    const std::size_t question = text.rfind(skipQuestion);
    return question == std::string::npos ? text : text.substr(0, question) + "\n";
}

ConflictChoice fixedChoice(ConflictPolicy policy) {
    switch (policy) {
    case ConflictPolicy::Replace:
        return CopyAndReplace;
    case ConflictPolicy::KeepBoth:
        return KeepBoth;
    case ConflictPolicy::Skip:
        return Skip;
    case ConflictPolicy::DontCopy:
    case ConflictPolicy::Ask:
        break;
    }
    return DontCopy;
}

std::string settledClashNote(ConflictChoice choice, const std::string& keepBothName) {
    switch (choice) {
    case CopyAndReplace:
        return "Name taken, replaced";
    case KeepBoth:
        return "Name taken, copied as \"" + keepBothName + "\" beside";
    default:
        return "Name taken, not copied";
    }
}

} // namespace

CopyPrompts::CopyPrompts(CopySettings settings, CopyProgress& progress,
                         const std::atomic<bool>& stopFlag)
    : settings_(std::move(settings)), progress_(progress), stopFlag_(stopFlag) {}

std::optional<std::string> CopyPrompts::readAnswer() {
    std::string line;
    for (;;) {
        char c = 0;
        const ssize_t count = ::read(STDIN_FILENO, &c, 1);
        if (count == 0) {
            return line.empty() ? std::nullopt : std::optional<std::string>(line);
        }
        if (count < 0) {
            // Ctrl+C interrupts the read; any other failure is no answer.
            if (errno == EINTR && !stopFlag_.load()) {
                continue;
            }
            return std::nullopt;
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
        const ConflictChoice choice = fixedChoice(settings_.onConflict);
        if (!settings_.quiet) {
            progress_.breakLine();
            std::fprintf(stderr, "%s: %s\n", settledClashNote(choice, keepBothName).c_str(),
                         existing.c_str());
        }
        return choice;
    }
    progress_.breakLine();
    std::fprintf(stderr,
                 "There is already a file with this name in this location:\n  %s\n"
                 "What would you like to do?\n"
                 "  r  Copy and Replace\n"
                 "  d  Don't Copy\n"
                 "  k  Copy, but keep both files (the copy becomes %s)\n"
                 "  s  Skip\n"
                 "  c  Cancel\n"
                 "A capital letter (R, D, K, S) does this for any remaining conflicts.\n",
                 existing.c_str(), keepBothName.c_str());
    for (;;) {
        std::fputs("Choice [r/d/k/s/c]: ", stderr);
        std::fflush(stderr);
        const std::optional<std::string> answer = readAnswer();
        if (!answer) {
            std::fputs("\n", stderr);
            cancelledAtConflict_ = true;
            return ConflictCancel;
        }
        if (answer->size() != 1) {
            continue;
        }
        const char letter = (*answer)[0];
        const bool forAll = letter >= 'A' && letter <= 'Z';
        switch (letter | 0x20) {
        case 'r':
            repeat = forAll;
            return CopyAndReplace;
        case 'd':
            repeat = forAll;
            return DontCopy;
        case 'k':
            repeat = forAll;
            return KeepBoth;
        case 's':
            repeat = forAll;
            return Skip;
        case 'c':
            cancelledAtConflict_ = true;
            return ConflictCancel;
        default:
            break;
        }
    }
}

int CopyPrompts::askSkip(const std::string& text) {
    progress_.breakLine();
    if (settings_.onError == ErrorPolicy::Skip) {
        std::fprintf(stderr, "%sThe file was skipped.\n", withoutQuestion(text).c_str());
        skippedFiles_ = true;
        return PromptOk;
    }
    if (settings_.onError == ErrorPolicy::Abort) {
        std::fputs(withoutQuestion(text).c_str(), stderr);
        failed_ = true;
        return PromptCancel;
    }
    std::fputs(text.c_str(), stderr);
    for (;;) {
        std::fputs("Skip and continue? [y/n]: ", stderr);
        std::fflush(stderr);
        const std::optional<std::string> answer = readAnswer();
        if (!answer || *answer == "n" || *answer == "N") {
            failed_ = true;
            return PromptCancel;
        }
        if (*answer == "y" || *answer == "Y") {
            skippedFiles_ = true;
            return PromptOk;
        }
    }
}

void CopyPrompts::showFatal(const std::string& text) {
    progress_.breakLine();
    std::fputs(text.c_str(), stderr);
    if (text.empty() || text.back() != '\n') {
        std::fputs("\n", stderr);
    }
    failed_ = true;
}
