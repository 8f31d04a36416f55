#include "metadata/errors.h"

namespace tandrel {

// Out of line so the vtable and type information live in one object file.
GeneralException::~GeneralException() = default;

const char* GeneralException::what() const noexcept {
    return message_.c_str();
}

const char* OperationStopped::what() const noexcept {
    return "The operation was stopped.";
}

} // namespace tandrel
