#include "metadata/path_text.h"

#include <gtest/gtest.h>

namespace tandrel {

TEST(PathText, TakesBothSeparators) {
    EXPECT_EQ(pathFromText("C:\\Users\\me/Videos").string(), "C:/Users/me/Videos");
    EXPECT_EQ(pathFromText("\\PRIVATE\\AVCHDL").string(), "/PRIVATE/AVCHDL");
    EXPECT_EQ(pathFromText("").string(), "");
}

TEST(PathText, AppendsWithOneSeparator) {
    const boost::filesystem::path card("/media/card");
    EXPECT_EQ(appendText(card, "\\PRIVATE\\AVCHDL\\BDMV\\PLAYLIST").string(),
              "/media/card/PRIVATE/AVCHDL/BDMV/PLAYLIST");
    EXPECT_EQ(appendText(card, "2026_12_05").string(), "/media/card/2026_12_05");
    EXPECT_EQ(appendText(boost::filesystem::path("/media/card/"), "x").string(), "/media/card/x");
    EXPECT_EQ(appendText(boost::filesystem::path("D:"), "x").string(), "D:x");
    EXPECT_EQ(appendText(boost::filesystem::path(), "a\\b").string(), "a/b");
}

} // namespace tandrel
