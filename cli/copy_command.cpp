#include "cli/copy_command.h"

#include "cli/check_command.h"
#include "cli/choice_option.h"
#include "cli/copy_progress.h"
#include "cli/copy_prompts.h"
#include "cli/stop_signals.h"
#include "copy/copy_job.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <optional>

#include <unistd.h>

namespace {

enum ExitCode : int {
    ExitCopied = 0,
    ExitFailed = 1,
    ExitSkippedFiles = 3,
    ExitLeftOut = 4,
    ExitInterrupted = 130,
};

struct CopyOptions {
    CopySettings settings;
    std::optional<ProgressStyle> progress;
    bool quiet = false;
};

ProgressStyle progressStyle(const CopyOptions& options) {
    if (options.progress) {
        return *options.progress;
    }
    if (options.quiet) {
        return ProgressStyle::Quiet;
    }
    return ::isatty(STDERR_FILENO) != 0 ? ProgressStyle::Bar : ProgressStyle::Lines;
}

int exitStatus(const CopyPrompts& prompts, bool stopped) {
    if (stopped) {
        return ExitInterrupted;
    }
    if (prompts.failed()) {
        return ExitFailed;
    }
    if (prompts.cancelledAtConflict()) {
        return ExitInterrupted;
    }
    if (!prompts.tally().failed.empty()) {
        return ExitSkippedFiles;
    }
    return prompts.tally().leftOut.empty() ? ExitCopied : ExitLeftOut;
}

int runCopy(CopyOptions options) {
    CopySettings settings = options.settings;
    if (!sourcePasses(settings.naming.source, std::cerr)) {
        return ExitFailed;
    }
    // Without a terminal nobody can answer. A clash is then settled by the
    // files' contents, so a run never drops footage that merely shares a
    // name, and a failed file is skipped and named at the end.
    const bool interactive = ::isatty(STDIN_FILENO) != 0;
    if (!interactive && settings.onConflict == ConflictPolicy::Ask) {
        settings.onConflict = ConflictPolicy::Auto;
    }
    if (!interactive && settings.onError == ErrorPolicy::Ask) {
        settings.onError = ErrorPolicy::Skip;
    }

    installStopSignals();
    const std::atomic<bool>& stopFlag = stopRequestedBySignal();
    CopyProgress progress(progressStyle(options), stopFlag);
    CopyPrompts prompts(settings, progress, stopFlag);
    runCopyJob(progress, prompts, std::chrono::milliseconds(0));
    const int status = exitStatus(prompts, stopFlag.load());
    progress.summary(prompts.tally(), status);
    progress.breakLine();
    return status;
}

} // namespace

void addCopyCommand(CLI::App& app, CommandResult& result) {
    auto options = std::make_shared<CopyOptions>();
    CLI::App* copy = app.add_subcommand(
        "copy",
        "Copy the clips of the card at SOURCE into TARGET, named by the masks.\n"
        "Exit codes: 0 every clip is in TARGET (copied, or there already with the same bytes),\n"
        "1 fatal error or aborted, 2 usage error, 3 files skipped after errors, 4 clips left\n"
        "out whose names other files hold, 130 interrupted or cancelled.");
    addNamingOptions(*copy, options->settings.naming);

    addChoiceOption<ConflictPolicy>(*copy, "--on-conflict", options->settings.onConflict,
                                    {{"ask", ConflictPolicy::Ask},
                                     {"auto", ConflictPolicy::Auto},
                                     {"replace", ConflictPolicy::Replace},
                                     {"dont-copy", ConflictPolicy::DontCopy},
                                     {"keep-both", ConflictPolicy::KeepBoth},
                                     {"skip", ConflictPolicy::Skip}},
                                    "what to do when a copy's name is taken (default ask; "
                                    "without a terminal auto: the same bytes count as copied, "
                                    "other files keep both)");
    addChoiceOption<ErrorPolicy>(
        *copy, "--on-error", options->settings.onError,
        {{"ask", ErrorPolicy::Ask}, {"skip", ErrorPolicy::Skip}, {"abort", ErrorPolicy::Abort}},
        "what to do when a file cannot be copied (default ask; without a terminal skip)");

    copy->add_flag("--join", options->settings.joinRecordings,
                   "copy the parts of a recording the camera split into one file, named by "
                   "its first part");
    copy->add_flag("--verify", options->settings.verifyCopies,
                   "read each copy back from the disk and compare it with the card before it "
                   "gets its name");
    CLI::Option* progressOption = addChoiceOption<std::optional<ProgressStyle>>(
        *copy, "--progress", options->progress,
        {{"bar", ProgressStyle::Bar},
         {"lines", ProgressStyle::Lines},
         {"json", ProgressStyle::Json}},
        "how progress shows on stderr (default bar on a terminal, else lines; json: one object "
        "a line for every status, position and outcome, and a summary)");
    copy->add_flag("--quiet", options->quiet, "no progress on stderr")->excludes(progressOption);

    copy->callback([options, &result] { result.exitCode = runCopy(*options); });
}
