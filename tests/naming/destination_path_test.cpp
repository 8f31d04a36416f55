#include "naming/name_mask.h"

#include "naming/path_validity.h"
#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

namespace {

struct Switches {
    bool generateFolder = true;
    std::string folderMask = "%Y_%m_%d";
    bool renameFiles = true;
    std::string fileMask = "%H_%M_%S";
};

std::string destination(const std::string& target, const Switches& switches,
                        const std::string& streamFile = "00001.M2TS",
                        PathStyle style = PathStyle::Windows) {
    return nativeText(buildDestinationPath(target, switches.generateFolder,
                                           parseMask(switches.folderMask), switches.renameFiles,
                                           parseMask(switches.fileMask), clipOf(streamFile)),
                      style);
}

} // namespace

TEST(DestinationPath, DefaultMasksAndSwitches) {
    Switches switches;
    EXPECT_EQ(destination("C:\\Videos", switches), "C:\\Videos\\2026_12_05\\18_45_03.m2ts");
    EXPECT_EQ(destination("/media/videos", switches, "00001.M2TS", PathStyle::Posix),
              "/media/videos/2026_12_05/18_45_03.m2ts");

    switches.renameFiles = false;
    EXPECT_EQ(destination("C:\\Videos", switches), "C:\\Videos\\2026_12_05\\00001.M2TS");

    switches.generateFolder = false;
    EXPECT_EQ(destination("C:\\Videos", switches), "C:\\Videos\\00001.M2TS");
}

TEST(DestinationPath, RenamingAlwaysAppendsLowerCaseExtension) {
    Switches switches;
    switches.fileMask = "%f";
    EXPECT_EQ(destination("C:\\Videos", switches), "C:\\Videos\\2026_12_05\\00001.m2ts");
    switches.fileMask = "";
    EXPECT_EQ(destination("C:\\Videos", switches), "C:\\Videos\\2026_12_05\\.m2ts");
}

TEST(DestinationPath, EmptyFolderPartPutsCopiesIntoTheTarget) {
    Switches switches;
    for (const char* mask : {"", "%"}) {
        switches.folderMask = mask;
        EXPECT_EQ(destination("C:\\Videos", switches), "C:\\Videos\\18_45_03.m2ts") << mask;
    }
    switches.folderMask = "%q";
    EXPECT_EQ(destination("C:\\Videos", switches), "C:\\Videos\\q\\18_45_03.m2ts");
}

TEST(DestinationPath, SeparatorsInMasksMakeFolderLevels) {
    Switches switches;
    switches.folderMask = "%Y\\%m";
    EXPECT_EQ(destination("C:\\Videos", switches), "C:\\Videos\\2026\\12\\18_45_03.m2ts");
    switches.folderMask = "%Y/%m";
    switches.fileMask = "%d/%H";
    EXPECT_EQ(destination("/v", switches, "00001.M2TS", PathStyle::Posix), "/v/2026/12/05/18.m2ts");
}

TEST(DestinationPath, TargetIsTakenAsTypedWithoutDoubledSeparators) {
    const Switches switches;
    EXPECT_EQ(destination("C:\\", switches), "C:\\2026_12_05\\18_45_03.m2ts");
    EXPECT_EQ(destination("C:\\Videos\\", switches), "C:\\Videos\\2026_12_05\\18_45_03.m2ts");
    EXPECT_EQ(destination("/media/videos/", switches, "00001.M2TS", PathStyle::Posix),
              "/media/videos/2026_12_05/18_45_03.m2ts");
    EXPECT_EQ(destination("", switches), "2026_12_05\\18_45_03.m2ts");
    EXPECT_EQ(destination(" Videos ", switches), " Videos \\2026_12_05\\18_45_03.m2ts");
    // A bare drive joins without a separator, which the name rules then refuse.
    EXPECT_EQ(destination("D:", switches), "D:2026_12_05\\18_45_03.m2ts");
}

// The stream name comes from the card, which may be crafted: whatever it
// holds, the destination must fail the name rules rather than point outside
// the target folder.
TEST(DestinationPath, CraftedStreamNamesCannotLeaveTheTarget) {
    const auto check = [](const Switches& switches, const std::string& streamFile) {
        return checkPathValidity(
            buildDestinationPath("/videos", switches.generateFolder, parseMask(switches.folderMask),
                                 switches.renameFiles, parseMask(switches.fileMask),
                                 clipOf(streamFile)),
            PathStyle::Posix);
    };
    Switches switches;
    switches.folderMask = "%f";
    EXPECT_EQ(check(switches, ".."), DirectoryEndsWithPeriod);
    EXPECT_EQ(check(switches, "..."), DirectoryEndsWithPeriod);
    switches.folderMask = "%e/%e";
    EXPECT_EQ(check(switches, "..."), Valid);
    switches.folderMask = "%f/%f";
    EXPECT_EQ(check(switches, "...."), DirectoryEndsWithPeriod);

    switches = Switches();
    switches.renameFiles = false;
    EXPECT_EQ(check(switches, ".."), FileEndsWithPeriod);
    EXPECT_EQ(check(switches, "x/.."), FileEndsWithPeriod);
    EXPECT_EQ(check(switches, "../../etc/00001.M2TS"), Valid);
    EXPECT_EQ(nativeText(buildDestinationPath("/videos", false, {}, false, {},
                                              clipOf("../../etc/00001.M2TS"))),
              "/videos/00001.M2TS");
}
