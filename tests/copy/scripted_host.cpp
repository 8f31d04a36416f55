#include "tests/copy/scripted_host.h"

#include <gtest/gtest.h>

namespace tandrel {

ConflictChoice ScriptedHost::askConflict(const std::string& existing,
                                         const std::string& keepBothName, bool& repeat) {
    conflictQuestions.push_back({existing, keepBothName});
    if (conflictAnswers.empty()) {
        ADD_FAILURE() << "unexpected conflict question about " << existing;
        return ConflictChoice::Cancel;
    }
    const ConflictAnswer answer = conflictAnswers.front();
    conflictAnswers.pop_front();
    if (answer.repeat) {
        repeat = true;
    }
    return answer.choice;
}

PromptAnswer ScriptedHost::askSkip(const SkipQuestion& question) {
    skipQuestions.push_back(question.text);
    if (skipAnswers.empty()) {
        ADD_FAILURE() << "unexpected skip question: " << question.text;
        return PromptAnswer::Cancel;
    }
    const PromptAnswer answer = skipAnswers.front();
    skipAnswers.pop_front();
    return answer;
}

void ScriptedReporter::setText(const std::string& text) {
    texts.push_back(text);
    if (onText) {
        onText(text);
    }
}

void ScriptedReporter::setBytes(std::uint64_t done, std::uint64_t total) {
    if (onBytes) {
        onBytes(done, total);
    }
}

void RecordingProgress::transferred(std::uint64_t bytesOfFile) {
    counts.push_back(bytesOfFile);
    if (counts.size() == 1 && onFirstChunk) {
        onFirstChunk();
    }
}

bool ScriptedReporter::stopRequested() const {
    if (checksBeforeStop > 0) {
        --checksBeforeStop;
    }
    return stop || checksBeforeStop == 0;
}

} // namespace tandrel
