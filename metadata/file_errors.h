#pragma once

#include <boost/system/error_code.hpp>

namespace tandrel {

// Failures of card and copy operations that have no system error number of
// their own. They travel in boost::filesystem::filesystem_error like the
// system's errors, so a skip prompt shows them with their code and words.
enum class FileError {
    LeadsOutOfCard = 1001,
    NotRegularFile = 1002,
    SourceChangedSize = 1003,
    NoProgress = 1004,
    VerifyMismatch = 1005,
};

const boost::system::error_category& fileErrorCategory();
boost::system::error_code makeErrorCode(FileError error);

} // namespace tandrel
