#include "copy/copy_failure.h"

namespace tandrel {

void failCopy(const char* operation, int error, CopyFailure::Side side,
              const boost::filesystem::path& source, const boost::filesystem::path& destination) {
    throw CopyFailure(operation, side, source, destination,
                      boost::system::error_code(error, boost::system::system_category()));
}

} // namespace tandrel
