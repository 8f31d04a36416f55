#include "cli/copy_command.h"

#include "cli/copy_progress.h"
#include "cli/copy_prompts.h"
#include "copy/card_source.h"
#include "copy/copy_job.h"
#include "metadata/path_text.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <map>
#include <memory>

#include <unistd.h>

namespace {

enum ExitCode : int {
    ExitCopied = 0,
    ExitFailed = 1,
    ExitSkippedFiles = 3,
    ExitInterrupted = 130,
};

std::atomic<bool> stopFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop flag is set in a signal handler");

extern "C" void requestStop(int) {
    stopFlag.store(true);
}

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a question waiting for an answer returns at Ctrl+C.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A file-size limit then fails the write with EFBIG, which the job
    // reports, instead of killing the process with a temporary file left.
    std::signal(SIGXFSZ, SIG_IGN);
}

struct CopyOptions {
    CopySettings settings{
        "", "", true, "%Y_%m_%d", true, "%H_%M_%S", ConflictPolicy::Ask, ErrorPolicy::Ask};
    bool noFolder = false;
    bool noRename = false;
    bool quiet = false;
};

int runCopy(CopyOptions options) {
    const bool interactive = ::isatty(STDIN_FILENO) != 0;
    CopySettings settings = options.settings;
    settings.generateFolder = !options.noFolder;
    settings.renameFiles = !options.noRename;
    settings.quiet = options.quiet;
    // Without a terminal nobody can answer: keep what is there and go on.
    if (!interactive && settings.onConflict == ConflictPolicy::Ask) {
        settings.onConflict = ConflictPolicy::DontCopy;
    }
    if (!interactive && settings.onError == ErrorPolicy::Ask) {
        settings.onError = ErrorPolicy::Skip;
    }
    // The name rules want an absolute target, as a typed one in the program.
    settings.target = absoluteFromStart(pathFromText(settings.target)).string();

    ProgressStyle style = ProgressStyle::Quiet;
    if (!options.quiet) {
        style = ::isatty(STDERR_FILENO) != 0 ? ProgressStyle::Terminal : ProgressStyle::Lines;
    }
    stopFlag.store(false);
    installSignalHandlers();
    CopyProgress progress(style, stopFlag);
    CopyPrompts prompts(settings, progress, stopFlag);
    runCopyJob(progress, prompts, std::chrono::milliseconds(0));
    progress.breakLine();

    if (stopFlag.load()) {
        return ExitInterrupted;
    }
    if (prompts.failed()) {
        return ExitFailed;
    }
    if (prompts.cancelledAtConflict()) {
        return ExitInterrupted;
    }
    return prompts.skippedFiles() ? ExitSkippedFiles : ExitCopied;
}

} // namespace

void addCopyCommand(CLI::App& app, CommandResult& result) {
    auto options = std::make_shared<CopyOptions>();
    CLI::App* copy = app.add_subcommand(
        "copy", "Copy the clips of the card at SOURCE into TARGET, named by the masks.\n"
                "Exit codes: 0 all clips copied or settled by a choice, 1 fatal error,\n"
                "2 usage error, 3 files skipped after errors, 130 interrupted or cancelled.");
    copy->add_option("SOURCE", options->settings.source, "the card (its root folder)")->required();
    copy->add_option("TARGET", options->settings.target, "the folder the copies go to")->required();

    CLI::Option* folderMask = copy->add_option("--folder-mask", options->settings.folderMask,
                                               "mask of the folder each copy goes into")
                                  ->capture_default_str();
    CLI::Option* noFolder =
        copy->add_flag("--no-folder", options->noFolder, "copy straight into TARGET");
    folderMask->excludes(noFolder);

    CLI::Option* fileMask = copy->add_option("--file-mask", options->settings.fileMask,
                                             "mask of each copy's name (\".m2ts\" is added)")
                                ->capture_default_str();
    CLI::Option* noRename =
        copy->add_flag("--no-rename", options->noRename, "keep the stream files' own names");
    fileMask->excludes(noRename);

    const std::map<std::string, ConflictPolicy> conflictPolicies{
        {"ask", ConflictPolicy::Ask},
        {"replace", ConflictPolicy::Replace},
        {"dont-copy", ConflictPolicy::DontCopy},
        {"keep-both", ConflictPolicy::KeepBoth},
        {"skip", ConflictPolicy::Skip}};
    copy->add_option("--on-conflict", options->settings.onConflict,
                     "what to do when a copy's name is taken (ask needs a terminal; without "
                     "one: dont-copy)")
        ->transform(CLI::CheckedTransformer(conflictPolicies, CLI::ignore_case))
        ->default_str("ask");

    const std::map<std::string, ErrorPolicy> errorPolicies{
        {"ask", ErrorPolicy::Ask}, {"skip", ErrorPolicy::Skip}, {"abort", ErrorPolicy::Abort}};
    copy->add_option("--on-error", options->settings.onError,
                     "what to do when a file cannot be copied (ask needs a terminal; without "
                     "one: skip)")
        ->transform(CLI::CheckedTransformer(errorPolicies, CLI::ignore_case))
        ->default_str("ask");

    copy->add_flag("--quiet", options->quiet, "no progress on stderr");

    copy->callback([options, &result] { result.exitCode = runCopy(*options); });
}
