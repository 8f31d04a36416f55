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
    bool quiet = false;
};

int runCopy(CopyOptions options) {
    CopySettings settings = options.settings;
    if (!sourcePasses(settings.naming.source, std::cerr)) {
        return ExitFailed;
    }
    settings.quiet = options.quiet;
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

    ProgressStyle style = ProgressStyle::Quiet;
    if (!options.quiet) {
        style = ::isatty(STDERR_FILENO) != 0 ? ProgressStyle::Terminal : ProgressStyle::Lines;
    }
    installStopSignals();
    const std::atomic<bool>& stopFlag = stopRequestedBySignal();
    CopyProgress progress(style, stopFlag);
    CopyPrompts prompts(settings, progress, stopFlag);
    runCopyJob(progress, prompts, std::chrono::milliseconds(0));
    progress.breakLine();
    prompts.printSummary();

    if (stopFlag.load()) {
        return ExitInterrupted;
    }
    if (prompts.failed()) {
        return ExitFailed;
    }
    if (prompts.cancelledAtConflict()) {
        return ExitInterrupted;
    }
    if (prompts.skippedFiles()) {
        return ExitSkippedFiles;
    }
    return prompts.leftOutFiles() ? ExitLeftOut : ExitCopied;
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

    copy->add_flag("--quiet", options->quiet, "no progress on stderr");

    copy->callback([options, &result] { result.exitCode = runCopy(*options); });
}
