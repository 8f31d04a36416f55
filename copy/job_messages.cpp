#include "copy/job_messages.h"

#include "common/product_facts.h"
#include "copy/copy_failure.h"
#include "metadata/errors.h"
#include "naming/path_validity.h"

#include <boost/system/error_code.hpp>

namespace tandrel {

namespace {

constexpr const char* skipQuestion = "\nDo you want to skip this file and continue?\n";

bool isMissingFile(const boost::system::error_code& code) {
    return code == boost::system::errc::no_such_file_or_directory;
}

bool isAccessDenied(const boost::system::error_code& code) {
    namespace errc = boost::system::errc;
    return code == errc::permission_denied || code == errc::operation_not_permitted ||
           code == errc::read_only_file_system;
}

} // namespace

std::string skipPromptText(const boost::filesystem::filesystem_error& error) {
    return failureText(error) + skipQuestion;
}

std::string failureText(const boost::filesystem::filesystem_error& error) {
    // A failure of the copy says which side failed: the file the user has to
    // look at is named, and a destination is never called the source file.
    const auto* copyFailure = dynamic_cast<const CopyFailure*>(&error);
    const bool destinationSide =
        copyFailure && copyFailure->side() == CopyFailure::Side::Destination;
    if (isMissingFile(error.code()) && !destinationSide) {
        return "Could not find the source file " + nativeText(error.path1()) + ".\n";
    }
    if (isAccessDenied(error.code())) {
        const std::string file = nativeText(destinationSide ? error.path2() : error.path1());
        return "Cannot overwrite the file " + file + ".\n" + "(It may be write protectected.)\n";
    }
    const std::string first = nativeText(error.path1());
    return "An unknown error occured while trying to copy file " + first + " to " +
           nativeText(error.path2()) + ".\n" +
           "Error code: " + std::to_string(error.code().value()) + "\n" +
           "Error details: " + error.code().message() + "\n";
}

std::string fatalMessageText(const std::string& message, bool withContact) {
    std::string text = "The following fatal error has occured while copying the files:\n" +
                       message + "\n" + "The operation has been aborted.\n";
    if (withContact) {
        text += std::string("Please contact ") + companyName + " for assistance.";
    }
    return text;
}

std::string jobFailureText(const std::exception& error) {
    const bool usersToMend = dynamic_cast<const InputDataMissingException*>(&error) != nullptr ||
                             dynamic_cast<const FileTransferException*>(&error) != nullptr;
    return fatalMessageText(error.what(), !usersToMend);
}

std::string clipFailureText(const std::exception& error) {
    return fatalMessageText(error.what(), true);
}

} // namespace tandrel
