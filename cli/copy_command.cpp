#include "cli/copy_command.h"

#include "cli/check_command.h"
#include "cli/choice_option.h"
#include "cli/copy_progress.h"
#include "cli/copy_prompts.h"
#include "cli/stop_signals.h"
#include "copy/copy_job.h"

#include <CLI/CLI.hpp>

#include <optional>

#include <unistd.h>

namespace tandrel {

namespace {

enum ExitCode : int {
    ExitCopied = 0,
    ExitFailed = 1,
    ExitSkippedFiles = 3,
    ExitLeftOut = 4,
    ExitInterrupted = 130,
};

ProgressStyle progressStyle(const std::optional<ProgressStyle>& chosen, bool quiet) {
    if (chosen) {
        return *chosen;
    }
    if (quiet) {
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

} // namespace

CLI::App* CopyCommand::define(CLI::App& app) {
    CLI::App* copy = app.add_subcommand(
        "copy",
        "Copy the clips of the card at SOURCE into TARGET, named by the masks.\n"
        "Exit codes: 0 every clip is in TARGET (copied, or there already with the same bytes),\n"
        "1 fatal error or aborted, 2 usage error, 3 files skipped after errors, 4 clips left\n"
        "out whose names other files hold, 130 interrupted or cancelled.");
    addNamingOptions(*copy, settings_.naming);

    addChoiceOption<ConflictPolicy>(*copy, "--on-conflict", settings_.onConflict,
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
        *copy, "--on-error", settings_.onError,
        {{"ask", ErrorPolicy::Ask}, {"skip", ErrorPolicy::Skip}, {"abort", ErrorPolicy::Abort}},
        "what to do when a file cannot be copied (default ask; without a terminal skip)");

    copy->add_flag("--join", settings_.joinRecordings,
                   "copy the parts of a recording the camera split into one file, named by "
                   "its first part");
    copy->add_flag("--verify", settings_.verifyCopies,
                   "read each copy back from the disk and compare it with the card before it "
                   "gets its name");
    CLI::Option* progressOption = addChoiceOption<std::optional<ProgressStyle>>(
        *copy, "--progress", progress_,
        {{"bar", ProgressStyle::Bar},
         {"lines", ProgressStyle::Lines},
         {"json", ProgressStyle::Json}},
        "how progress shows on stderr (default bar on a terminal, else lines; json: one object "
        "a line for every status, position and outcome, and a summary)");
    copy->add_flag("--quiet", quiet_, "no progress on stderr")->excludes(progressOption);
    return copy;
}

int CopyCommand::run(const CommandOutput& output) {
    CopySettings settings = settings_;
    if (!sourcePasses(settings.naming.source, output.err)) {
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
    CopyProgress progress(progressStyle(progress_, quiet_), stopFlag, output.err);
    CopyPrompts prompts(settings, progress, stopFlag, output.err);
    runCopyJob(progress, prompts, std::chrono::milliseconds(0));
    const int status = exitStatus(prompts, stopFlag.load());
    progress.summary(prompts.tally(), status);
    progress.breakLine();
    return status;
}

} // namespace tandrel
