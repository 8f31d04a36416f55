#pragma once

#include "copy/copy_job_host.h"
#include "copy/file_transfer.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tandrel {

// A CopyJobHost whose answers are queued before the job runs and whose
// questions are recorded. A question without a queued answer fails the test.
class ScriptedHost : public CopyJobHost {
public:
    struct ConflictAnswer {
        ConflictChoice choice;
        bool repeat;
    };
    struct ConflictQuestion {
        std::string existing;
        std::string keepBothName;
    };

    std::string source;
    std::string target;
    bool generateFolder = true;
    std::string folderMask = "%Y_%m_%d";
    bool renameFiles = true;
    std::string fileMask = "%H_%M_%S";

    std::deque<ConflictAnswer> conflictAnswers;
    std::deque<PromptAnswer> skipAnswers;
    std::vector<ConflictQuestion> conflictQuestions;
    std::vector<std::string> skipQuestions;
    std::vector<std::string> fatalMessages;
    CopyJobState state;

    std::string savedSourceFolder() override { return source; }
    std::string targetFolderText() override { return target; }
    bool generateFolderChecked() override { return generateFolder; }
    std::string folderMaskText() override { return folderMask; }
    bool renameFilesChecked() override { return renameFiles; }
    std::string fileMaskText() override { return fileMask; }
    ConflictChoice askConflict(const std::string& existing, const std::string& keepBothName,
                               bool& repeat) override;
    PromptAnswer askSkip(const SkipQuestion& question) override;
    void showFatal(const std::string& text) override { fatalMessages.push_back(text); }
    CopyJobState& jobState() override { return state; }
};

// Records every report; `onText` and `onBytes` let a test act at a chosen
// moment of the job (remove a file, ask to stop).
class ScriptedReporter : public ProgressReporter {
public:
    std::vector<std::string> texts;
    std::vector<int> positions;
    int disableCancelCalls = 0;
    bool stop = false;
    // Once set to n > 0, the n-th stop check from then on answers true.
    mutable int checksBeforeStop = -1;
    std::function<void(const std::string&)> onText;
    std::function<void(std::uint64_t done, std::uint64_t total)> onBytes;

    void setText(const std::string& text) override;
    void setPosition(int percent) override { positions.push_back(percent); }
    void disableCancel() override { ++disableCancelCalls; }
    bool stopRequested() const override;
    void setBytes(std::uint64_t done, std::uint64_t total) override;
};

// Progress of a single file copy: records the counts and asks to stop once
// `stopAfterBytes` have been written (never when it is 0).
class RecordingProgress : public TransferProgress {
public:
    std::vector<std::uint64_t> counts;
    std::uint64_t stopAfterBytes = 0;
    std::function<void()> onFirstChunk;

    void transferred(std::uint64_t bytesOfFile) override;
    bool stopRequested() const override {
        return stopAfterBytes != 0 && !counts.empty() && counts.back() >= stopAfterBytes;
    }
};

} // namespace tandrel
