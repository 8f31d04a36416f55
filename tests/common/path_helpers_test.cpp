#include "common/path_helpers.h"
#include "common/special_folders.h"

#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <QDir>

#include <cstdlib>
#include <string>

namespace tandrel {

namespace fs = boost::filesystem;

TEST(PathHelpers, GetPathCutsAtTheLastSeparator) {
    EXPECT_EQ(getPath("C:\\Apps\\Tandrel.exe"), "C:\\Apps");
    EXPECT_EQ(getPath("C:\\"), "C:");
    EXPECT_EQ(getPath("Tandrel.exe"), "");
    EXPECT_EQ(getPath(""), "");
    EXPECT_EQ(getPath("/usr/local/bin/tandrel"), "/usr/local/bin");
    EXPECT_EQ(getPath("/tandrel"), "");
    EXPECT_EQ(getPath("/opt/tandrel/"), "/opt/tandrel");
    EXPECT_EQ(getPath("D:\\cards/card 1\\clip"), "D:\\cards/card 1");
}

TEST(PathHelpers, ExecutableIsThisProcess) {
    const std::string executable = getExecutableFileName();
    EXPECT_EQ(fs::path(executable), fs::canonical("/proc/self/exe"));
    EXPECT_EQ(fs::path(executable).filename(), "path_helpers_test");
    EXPECT_EQ(getModuleFileName(), executable);
}

TEST(PathHelpers, SpecialFoldersFollowTheUserDirectories) {
    // The GUI test main gives every suite a private HOME and XDG folders.
    const QString home = QDir::homePath();
    EXPECT_EQ(GetSpecialFolderPath(14), home + "/Videos");
    EXPECT_EQ(GetSpecialFolderPath(5), home + "/Documents");
    EXPECT_FALSE(QDir(home + "/Videos").exists()) << "the folder must not be created";

    const QString config = QString::fromLocal8Bit(std::getenv("XDG_CONFIG_HOME"));
    writeFile(fs::path(config.toStdString()) / "user-dirs.dirs",
              "XDG_VIDEOS_DIR=\"$HOME/Filme\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(GetSpecialFolderPath(14), home + "/Filme");
    EXPECT_EQ(GetSpecialFolderPath(5), home + "/Dokumente");
    fs::remove(fs::path(config.toStdString()) / "user-dirs.dirs");
}

TEST(PathHelpers, UnknownSpecialFolderIsEmpty) {
    EXPECT_TRUE(GetSpecialFolderPath(0).isEmpty());
    EXPECT_TRUE(GetSpecialFolderPath(16).isEmpty());
    EXPECT_TRUE(GetSpecialFolderPath(0xFFFFFFFFu).isEmpty());
}

} // namespace tandrel
