#include "naming/name_mask.h"

#include "naming/path_validity.h"
#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

namespace tandrel {

namespace {

struct Fields {
    const char* target;
    bool generateFolder;
    const char* folderMask;
    bool renameFiles;
    const char* fileMask;
    const char* streamFile;
};

boost::filesystem::path destination(const Fields& f) {
    return buildDestinationPath(f.target, f.generateFolder, parseMask(f.folderMask), f.renameFiles,
                                parseMask(f.fileMask), clipOf(f.streamFile));
}

} // namespace

TEST(DestinationPath, JoinsTargetFolderPartAndFileName) {
    const struct {
        Fields fields;
        const char* expected;
    } cases[] = {
        {{"C:\\Videos", true, "%Y_%m_%d", true, "%H_%M_%S", "00001.M2TS"},
         "C:\\Videos\\2026_12_05\\18_45_03.m2ts"},
        {{"C:\\Videos", true, "%Y_%m_%d", false, "%H_%M_%S", "00001.M2TS"},
         "C:\\Videos\\2026_12_05\\00001.M2TS"},
        {{"C:\\Videos", false, "%Y_%m_%d", false, "", "00001.M2TS"}, "C:\\Videos\\00001.M2TS"},
        {{"C:\\Videos", true, "", true, "%f", "00001.M2TS"}, "C:\\Videos\\00001.m2ts"},
        {{"C:\\Videos", true, "%", true, "", "00001.M2TS"}, "C:\\Videos\\.m2ts"},
        {{"C:\\Videos", true, "%Y\\%m", true, "%d/%H", "00001.M2TS"},
         "C:\\Videos\\2026\\12\\05\\18.m2ts"},
        // The target is taken as typed, without a doubled separator.
        {{"C:\\", true, "%Y_%m_%d", true, "%H_%M_%S", "00001.M2TS"},
         "C:\\2026_12_05\\18_45_03.m2ts"},
        {{"C:\\Videos\\", true, "%Y", true, "%H", "00001.M2TS"}, "C:\\Videos\\2026\\18.m2ts"},
        {{"", true, "%Y", true, "%H", "00001.M2TS"}, "2026\\18.m2ts"},
        {{"D:", true, "%Y", true, "%H", "00001.M2TS"}, "D:2026\\18.m2ts"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nativeText(destination(c.fields), PathStyle::Windows), c.expected);
    }
}

// The stream name comes from the card, which may be crafted: whatever it
// holds, the destination must fail the name rules rather than point outside
// the target folder.
TEST(DestinationPath, CraftedStreamNamesCannotLeaveTheTarget) {
    const auto validity = [](const Fields& fields) {
        return checkPathValidity(destination(fields), PathStyle::Posix);
    };
    EXPECT_EQ(validity({"/v", true, "%f", true, "%H", ".."}),
              PathValidity::DirectoryEndsWithPeriod);
    EXPECT_EQ(validity({"/v", true, "%f", true, "%H", "..."}),
              PathValidity::DirectoryEndsWithPeriod);
    EXPECT_EQ(validity({"/v", true, "%f/%f", true, "%H", "...."}),
              PathValidity::DirectoryEndsWithPeriod);
    EXPECT_EQ(validity({"/v", true, "%Y", false, "", ".."}), PathValidity::FileEndsWithPeriod);
    EXPECT_EQ(validity({"/v", true, "%Y", false, "", "x/.."}), PathValidity::FileEndsWithPeriod);
    EXPECT_EQ(nativeText(destination({"/v", false, "", false, "", "../../etc/00001.M2TS"})),
              "/v/00001.M2TS");
}

} // namespace tandrel
