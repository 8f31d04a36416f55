#pragma once

#include <boost/filesystem/exception.hpp>

namespace tandrel {

// A failure while one clip was copied. The first path is always the source
// and the second the destination; which side failed decides how the skip
// prompt words it, so a destination is never called the source file.
class CopyFailure : public boost::filesystem::filesystem_error {
public:
    enum class Side { Source, Destination };

    CopyFailure(const char* operation, Side side, const boost::filesystem::path& source,
                const boost::filesystem::path& destination, boost::system::error_code code)
        : filesystem_error(operation, source, destination, code), side_(side) {}

    Side side() const { return side_; }

private:
    Side side_;
};

// Throws CopyFailure for the system error `error`.
[[noreturn]] void failCopy(const char* operation, int error, CopyFailure::Side side,
                           const boost::filesystem::path& source,
                           const boost::filesystem::path& destination);

} // namespace tandrel
