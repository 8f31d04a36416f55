#include "metadata/file_errors.h"

#include <string>

namespace tandrel {

namespace {

class FileErrorCategory : public boost::system::error_category {
public:
    const char* name() const noexcept override { return "tandrel"; }
    std::string message(int value) const override {
        switch (static_cast<FileError>(value)) {
        case FileError::LeadsOutOfCard:
            return "the path leads out of the card through a symbolic link";
        case FileError::NotRegularFile:
            return "it is not a regular file";
        case FileError::SourceChangedSize:
            return "the source file changed size while it was copied";
        case FileError::NoProgress:
            return "the file system accepted no more bytes";
        case FileError::VerifyMismatch:
            return "the copy read back from the disk differs from the source";
        }
        return "unknown error";
    }
};

} // namespace

const boost::system::error_category& fileErrorCategory() {
    static const FileErrorCategory category;
    return category;
}

boost::system::error_code makeErrorCode(FileError error) {
    return {static_cast<int>(error), fileErrorCategory()};
}

} // namespace tandrel
