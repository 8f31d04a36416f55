#pragma once

#include <exception>
#include <string>

namespace tandrel {

// The program's own failures. Each carries one finished message for the user;
// the class only says what kind of failure it is, so handlers can pick by kind.
class GeneralException : public std::exception {
public:
    explicit GeneralException(const std::string& message) : message_(message) {}
    ~GeneralException() override;
    const char* what() const noexcept override;

private:
    std::string message_;
};

// A playlist folder or file that cannot be read or is not laid out as expected.
class MetaDataException : public GeneralException {
public:
    using GeneralException::GeneralException;
};

// A file-manager entry that cannot be written or removed.
class RegistryException : public GeneralException {
public:
    using GeneralException::GeneralException;
};

// Never thrown itself: the common base of the two below.
class FileSystemException : public GeneralException {
public:
    using GeneralException::GeneralException;
};

// A source folder or stream file that does not exist.
class InputDataMissingException : public FileSystemException {
public:
    using FileSystemException::FileSystemException;
};

// A destination path that breaks the file-name rules.
class FileTransferException : public FileSystemException {
public:
    using FileSystemException::FileSystemException;
};

// The user asked the job to stop while a card was read or a file copied. Not
// one of the failures above: a stop ends the job without a message.
class OperationStopped : public std::exception {
public:
    const char* what() const noexcept override;
};

} // namespace tandrel
