#pragma once

#include <boost/filesystem/path.hpp>

#include <string>
#include <vector>

namespace tandrel {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const boost::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    boost::filesystem::path operator/(const std::string& relative) const {
        return path_ / relative;
    }

private:
    boost::filesystem::path path_;
};

// Every file below `folder` (anything but a folder), relative to it, in
// generic form and byte-wise order; empty when `folder` does not exist.
std::vector<std::string> filesBelow(const boost::filesystem::path& folder);

// The names of the entries directly in `folder`, hidden ones included, in
// byte-wise order.
std::vector<std::string> namesIn(const boost::filesystem::path& folder);

// Writes `content` to `file`, creating missing folders.
void writeFile(const boost::filesystem::path& file, const std::string& content);
// The whole content of `file`.
std::string readFile(const boost::filesystem::path& file);

} // namespace tandrel
