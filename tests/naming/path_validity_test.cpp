#include "naming/path_validity.h"

#include "metadata/path_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tandrel {

namespace {

constexpr PathStyle W = PathStyle::Windows;
constexpr PathStyle P = PathStyle::Posix;

} // namespace

TEST(PathValidity, NativeText) {
    const boost::filesystem::path path = pathFromText("C:\\Videos/a.m2ts");
    EXPECT_EQ(nativeText(path, W), "C:\\Videos\\a.m2ts");
    EXPECT_EQ(nativeText(path), "C:/Videos/a.m2ts");
}

TEST(PathValidity, Rules) {
    const std::string name260 = std::string(260 - 3 - 5, 'a') + ".m2ts";
    const struct {
        PathStyle style;
        std::string path;
        PathValidity expected;
    } cases[] = {
        {W, "C:\\Videos\\2026_12_05\\18_45_03.m2ts", PathValidity::Valid},
        {P, "/media/videos/2026_12_05/18_45_03.m2ts", PathValidity::Valid},
        // The root: a drive on Windows, "/" and no colon at all here.
        {W, "2026_12_05\\18_45_03.m2ts", PathValidity::InvalidCharacter},
        {W, "\\\\server\\share\\a.m2ts", PathValidity::InvalidCharacter},
        {W, "D:2026_12_05\\a.m2ts", PathValidity::InvalidCharacter},
        {W, "C:\\Videos\\PM:45.m2ts", PathValidity::InvalidCharacter},
        {W, "", PathValidity::InvalidCharacter},
        {P, "2026_12_05/a.m2ts", PathValidity::InvalidCharacter},
        {P, "C:\\Videos\\a.m2ts", PathValidity::InvalidCharacter},
        {P, "/media/PM:45.m2ts", PathValidity::InvalidCharacter},
        {P, std::string("/media/a") + '\0' + ".m2ts", PathValidity::InvalidCharacter},
        {W, "C:\\folder \\CON?", PathValidity::InvalidCharacter},
        // Reserved names: the file name's stem only, ASCII case ignored.
        {W, "C:\\Videos\\con.m2ts", PathValidity::ReservedName},
        {P, "/videos/CON", PathValidity::ReservedName},
        {P, "/videos/lpt9.x", PathValidity::ReservedName},
        {W, "C:\\Videos\\CON.tar.m2ts", PathValidity::Valid},
        {P, "/videos/COM10.m2ts", PathValidity::Valid},
        {P, "/videos/CONSOLE.m2ts", PathValidity::Valid},
        {W, "C:\\CON\\AUX\\a.m2ts", PathValidity::Valid},
        {W, "C:\\Videos \\con.m2ts", PathValidity::ReservedName},
        // Only the innermost folder is judged.
        {W, "C:\\Videos\\2026_12_05 \\a.m2ts", PathValidity::DirectoryEndsWithSpace},
        {W, "C:\\Videos.\\a.m2ts", PathValidity::DirectoryEndsWithPeriod},
        {P, "/videos./a.m2ts", PathValidity::DirectoryEndsWithPeriod},
        {P, "/videos./2026/a.m2ts", PathValidity::Valid},
        {W, "C:\\Videos\\00001.M2TS ", PathValidity::FileEndsWithSpace},
        {P, "/videos/00001.", PathValidity::FileEndsWithPeriod},
        {W, "C:\\Videos.\\00001.", PathValidity::DirectoryEndsWithPeriod},
        // At most 260 characters, separators included.
        {W, "C:\\" + name260, PathValidity::Valid},
        {W, "C:\\a" + name260, PathValidity::TooLong},
        {P, "/ab" + name260, PathValidity::Valid},
        {P, "/abc" + name260, PathValidity::TooLong},
        // "." and ".." anywhere would lead out of the target folder.
        {P, "/videos/../a.m2ts", PathValidity::DirectoryEndsWithPeriod},
        {P, "/videos/./2026/a.m2ts", PathValidity::DirectoryEndsWithPeriod},
        {W, "C:\\Videos\\..\\Windows\\a.m2ts", PathValidity::DirectoryEndsWithPeriod},
        {P, "/videos/..", PathValidity::FileEndsWithPeriod},
        {P, "/videos/.hidden/..a/a..b/a.m2ts", PathValidity::Valid},
        // A path ending in a separator names no file.
        {P, "/videos/", PathValidity::Empty},
        {W, "C:\\", PathValidity::Empty},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkPathValidity(pathFromText(c.path), c.style), c.expected)
            << (c.style == W ? "Windows " : "Posix ") << c.path;
    }
    for (char c : std::string("<>\"|?*")) {
        EXPECT_EQ(checkPathValidity(pathFromText(std::string("C:\\a") + c), W),
                  PathValidity::InvalidCharacter);
    }
}

TEST(PathValidity, Messages) {
    EXPECT_EQ(pathValidityMessage(PathValidity::InvalidCharacter),
              "Invalid mask: Filename cannot contain the characters < > : \" | ? *");
    EXPECT_EQ(pathValidityMessage(PathValidity::ReservedName),
              "Invalid mask: Filename cannot be CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9");
    EXPECT_EQ(pathValidityMessage(PathValidity::DirectoryEndsWithPeriod),
              "Invalid mask: A directory name cannot end with a space or period");
    EXPECT_EQ(pathValidityMessage(PathValidity::DirectoryEndsWithSpace),
              pathValidityMessage(PathValidity::DirectoryEndsWithPeriod));
    EXPECT_EQ(pathValidityMessage(PathValidity::FileEndsWithSpace),
              "Invalid mask: A filename name cannot end with a space or period");
    EXPECT_EQ(pathValidityMessage(PathValidity::FileEndsWithPeriod),
              pathValidityMessage(PathValidity::FileEndsWithSpace));
    EXPECT_EQ(pathValidityMessage(PathValidity::TooLong),
              "Invalid mask: Filename cannot be longer than 260 characters");
    EXPECT_EQ(pathValidityMessage(PathValidity::Empty), "Invalid mask: Filename cannot be empty");
    for (PathValidity outside : {PathValidity::Valid, static_cast<PathValidity>(9)}) {
        EXPECT_THROW(
            {
                try {
                    pathValidityMessage(outside);
                } catch (const std::invalid_argument& error) {
                    EXPECT_STREQ(error.what(), "Unknown validity.");
                    throw;
                }
            },
            std::invalid_argument);
    }
}

} // namespace tandrel
