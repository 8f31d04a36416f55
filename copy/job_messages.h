#pragma once

#include <boost/filesystem/exception.hpp>

#include <string>

namespace tandrel {

// The question asked when a file-system failure stops one clip: worded by
// the kind of failure (a missing file, a file that may not be written, or
// anything else with its code and description), ending with "Do you want to
// skip this file and continue?".
std::string skipPromptText(const boost::filesystem::filesystem_error& error);
// The same failure without the question, for reports of what happened.
std::string failureText(const boost::filesystem::filesystem_error& error);

// The message that ends a job: the heading, `message`, the abort line and,
// when `withContact`, the line asking to contact the maker.
std::string fatalMessageText(const std::string& message, bool withContact);

// The fatal message for a failure that ends a job before its clips are
// copied: without the contact line when the user can mend it (a missing
// folder, a target inside the card), with it otherwise.
std::string jobFailureText(const std::exception& error);
// The fatal message for a failure of one clip that is no file-system error.
std::string clipFailureText(const std::exception& error);

} // namespace tandrel
