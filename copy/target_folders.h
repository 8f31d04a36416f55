#pragma once

#include <boost/filesystem/path.hpp>

#include <map>
#include <set>

namespace tandrel {

// The folders a job puts copies in. A folder is made when its first copy
// needs it, swept of the temporary copies that killed runs left behind the
// first time the job uses it, and flushed once at the end of the job, so that
// a finished job's copies and new folders survive a crash under their names.
class TargetFolders {
public:
    // Makes `folder` with every missing folder above it. Throws
    // boost::filesystem::filesystem_error.
    void prepare(const boost::filesystem::path& folder);

    // A copy of `source` now has a name in `folder`.
    void received(const boost::filesystem::path& folder, const boost::filesystem::path& source);

    // Flushes every folder whose entries the job changed, deepest first: each
    // folder that received a copy, and the folder above each folder the job
    // made, up to the first that existed before. Every folder is tried; the
    // first failure is then thrown as CopyFailure (destination side) naming
    // the folder and the last copy made in it. Flushed folders are forgotten,
    // so a second call flushes only what changed since.
    void flush();

private:
    // Changed folders, each with the source of the copy that changed it.
    std::map<boost::filesystem::path, boost::filesystem::path> changed_;
    std::set<boost::filesystem::path> swept_;
};

} // namespace tandrel
