#include "copy/job_messages.h"

#include "common/company.h"
#include "naming/path_validity.h"

#include <boost/system/error_code.hpp>

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
    const std::string first = nativeText(error.path1());
    if (isMissingFile(error.code())) {
        return "Could not find the source file " + first + ".\n" + skipQuestion;
    }
    if (isAccessDenied(error.code())) {
        return "Cannot overwrite the file " + first + ".\n" + "(It may be write protectected.)\n" +
               skipQuestion;
    }
    return "An unknown error occured while trying to copy file " + first + " to " +
           nativeText(error.path2()) + ".\n" +
           "Error code: " + std::to_string(error.code().value()) + "\n" +
           "Error details: " + error.code().message() + "\n" + skipQuestion;
}

std::string fatalMessageText(const std::string& message, bool withContact) {
    std::string text = "The following fatal error has occured while copying the files:\n" +
                       message + "\n" + "The operation has been aborted.\n";
    if (withContact) {
        text += std::string("Please contact ") + companyName + " for assistance.";
    }
    return text;
}
