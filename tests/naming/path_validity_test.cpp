#include "naming/path_validity.h"

#include "metadata/path_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

PathValidity windows(const std::string& text) {
    return checkPathValidity(pathFromText(text), PathStyle::Windows);
}

PathValidity posix(const std::string& text) {
    return checkPathValidity(pathFromText(text), PathStyle::Posix);
}

} // namespace

TEST(PathValidity, NativeTextUsesTheStyleSeparator) {
    const boost::filesystem::path path = pathFromText("C:\\Videos/2026_12_05\\a.m2ts");
    EXPECT_EQ(nativeText(path, PathStyle::Windows), "C:\\Videos\\2026_12_05\\a.m2ts");
    EXPECT_EQ(nativeText(path, PathStyle::Posix), "C:/Videos/2026_12_05/a.m2ts");
    EXPECT_EQ(nativeText(path), nativeText(path, PathStyle::Posix));
}

TEST(PathValidity, WindowsPathsNeedADriveAndNoOtherColon) {
    EXPECT_EQ(windows("C:\\Videos\\2026_12_05\\18_45_03.m2ts"), Valid);
    EXPECT_EQ(windows("C:\\18_45_03.m2ts"), Valid);
    EXPECT_EQ(windows("2026_12_05\\18_45_03.m2ts"), InvalidCharacter);
    EXPECT_EQ(windows("Videos\\2026_12_05\\18_45_03.m2ts"), InvalidCharacter);
    EXPECT_EQ(windows("\\\\server\\share\\18_45_03.m2ts"), InvalidCharacter);
    EXPECT_EQ(windows("D:2026_12_05\\18_45_03.m2ts"), InvalidCharacter);
    EXPECT_EQ(windows("C:\\Videos\\2026_12_05\\PM:45.m2ts"), InvalidCharacter);
    EXPECT_EQ(windows("/Videos/18_45_03.m2ts"), InvalidCharacter);
    EXPECT_EQ(windows(""), InvalidCharacter);
}

TEST(PathValidity, PosixPathsNeedARootAndNoColonAtAll) {
    EXPECT_EQ(posix("/media/videos/2026_12_05/18_45_03.m2ts"), Valid);
    EXPECT_EQ(posix("/18_45_03.m2ts"), Valid);
    EXPECT_EQ(posix("\\media\\18_45_03.m2ts"), Valid);
    EXPECT_EQ(posix("2026_12_05/18_45_03.m2ts"), InvalidCharacter);
    EXPECT_EQ(posix("C:\\Videos\\18_45_03.m2ts"), InvalidCharacter);
    EXPECT_EQ(posix("/media/videos/PM:45.m2ts"), InvalidCharacter);
    EXPECT_EQ(posix("/media:x/a.m2ts"), InvalidCharacter);
    EXPECT_EQ(posix(""), InvalidCharacter);
}

TEST(PathValidity, ForbiddenCharactersAnywhere) {
    for (char c : std::string("<>\"|?*")) {
        EXPECT_EQ(windows(std::string("C:\\Vid") + c + "eos\\a.m2ts"), InvalidCharacter) << c;
        EXPECT_EQ(posix(std::string("/media/a") + c + ".m2ts"), InvalidCharacter) << c;
    }
    EXPECT_EQ(posix(std::string("/media/a") + '\0' + "b.m2ts"), InvalidCharacter);
    EXPECT_EQ(posix("/media/tab\there.m2ts"), Valid);
    // Forbidden characters win over every later rule.
    EXPECT_EQ(windows("C:\\folder \\CON?"), InvalidCharacter);
}

TEST(PathValidity, ReservedNamesByStemOfTheFileNameOnly) {
    for (const char* name : {"con.m2ts", "CON", "Prn.m2ts", "aux.x", "NUL.m2ts", "com1.m2ts",
                             "COM9.m2ts", "lpt1.m2ts", "LPT9"}) {
        EXPECT_EQ(windows(std::string("C:\\Videos\\") + name), ReservedName) << name;
        EXPECT_EQ(posix(std::string("/videos/") + name), ReservedName) << name;
    }
    for (const char* name : {"CON.tar.m2ts", "COM10.m2ts", "CONSOLE.m2ts", "COM0.m2ts", "LPT.m2ts",
                             ".m2ts", "xcon.m2ts"}) {
        EXPECT_EQ(windows(std::string("C:\\Videos\\") + name), Valid) << name;
    }
    EXPECT_EQ(windows("C:\\CON\\AUX\\a.m2ts"), Valid);
    EXPECT_EQ(posix("/CON/a.m2ts"), Valid);
}

TEST(PathValidity, OnlyTheInnermostFolderIsJudged) {
    EXPECT_EQ(windows("C:\\Videos\\2026_12_05 \\a.m2ts"), DirectoryEndsWithSpace);
    EXPECT_EQ(windows("C:\\Videos.\\a.m2ts"), DirectoryEndsWithPeriod);
    EXPECT_EQ(posix("/videos /a.m2ts"), DirectoryEndsWithSpace);
    EXPECT_EQ(posix("/videos./a.m2ts"), DirectoryEndsWithPeriod);
    EXPECT_EQ(windows("C:\\Videos \\2026\\a.m2ts"), Valid);
    EXPECT_EQ(posix("/videos./2026/a.m2ts"), Valid);
    // The reserved-name rule comes first.
    EXPECT_EQ(windows("C:\\Videos \\con.m2ts"), ReservedName);
}

TEST(PathValidity, FileNameEnds) {
    EXPECT_EQ(windows("C:\\Videos\\00001.M2TS "), FileEndsWithSpace);
    EXPECT_EQ(windows("C:\\Videos\\00001."), FileEndsWithPeriod);
    EXPECT_EQ(posix("/videos/00001 "), FileEndsWithSpace);
    EXPECT_EQ(posix("/videos/00001."), FileEndsWithPeriod);
    EXPECT_EQ(windows("C:\\Videos.\\00001."), DirectoryEndsWithPeriod);
}

TEST(PathValidity, TwoHundredSixtyCharactersAtMost) {
    const std::string windowsHead = "C:\\";
    const std::string posixHead = "/";
    const std::string tail = ".m2ts";
    const auto withLength = [&tail](const std::string& head, std::size_t length) {
        return head + std::string(length - head.size() - tail.size(), 'a') + tail;
    };
    EXPECT_EQ(windows(withLength(windowsHead, 260)), Valid);
    EXPECT_EQ(windows(withLength(windowsHead, 261)), TooLong);
    EXPECT_EQ(posix(withLength(posixHead, 260)), Valid);
    EXPECT_EQ(posix(withLength(posixHead, 261)), TooLong);
    // Every character counts, separators included.
    EXPECT_EQ(posix("/" + std::string(100, 'a') + "/" + std::string(100, 'b') + "/" +
                    std::string(53, 'c') + tail),
              TooLong);
}

TEST(PathValidity, DotComponentsCannotLeaveTheTarget) {
    EXPECT_EQ(posix("/videos/../a.m2ts"), DirectoryEndsWithPeriod);
    EXPECT_EQ(posix("/videos/./a.m2ts"), DirectoryEndsWithPeriod);
    EXPECT_EQ(posix("/videos/../../etc/a.m2ts"), DirectoryEndsWithPeriod);
    EXPECT_EQ(posix("/videos/.."), FileEndsWithPeriod);
    EXPECT_EQ(posix("/videos/."), FileEndsWithPeriod);
    EXPECT_EQ(windows("C:\\Videos\\..\\Windows\\a.m2ts"), DirectoryEndsWithPeriod);
    EXPECT_EQ(windows("C:\\..\\a.m2ts"), DirectoryEndsWithPeriod);
    // Names that merely hold dots are ordinary names.
    EXPECT_EQ(posix("/videos/.hidden/..a/a..b/a.m2ts"), Valid);
}

TEST(PathValidity, APathEndingInASeparatorNamesNoFile) {
    EXPECT_EQ(posix("/videos/"), Empty);
    EXPECT_EQ(posix("/"), Empty);
    EXPECT_EQ(windows("C:\\Videos\\"), Empty);
    EXPECT_EQ(windows("C:\\"), Empty);
}

TEST(PathValidity, Messages) {
    EXPECT_EQ(pathValidityMessage(InvalidCharacter),
              "Invalid mask: Filename cannot contain the characters < > : \" | ? *");
    EXPECT_EQ(pathValidityMessage(ReservedName),
              "Invalid mask: Filename cannot be CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9");
    EXPECT_EQ(pathValidityMessage(DirectoryEndsWithSpace),
              "Invalid mask: A directory name cannot end with a space or period");
    EXPECT_EQ(pathValidityMessage(DirectoryEndsWithPeriod),
              pathValidityMessage(DirectoryEndsWithSpace));
    EXPECT_EQ(pathValidityMessage(FileEndsWithSpace),
              "Invalid mask: A filename name cannot end with a space or period");
    EXPECT_EQ(pathValidityMessage(FileEndsWithPeriod), pathValidityMessage(FileEndsWithSpace));
    EXPECT_EQ(pathValidityMessage(TooLong),
              "Invalid mask: Filename cannot be longer than 260 characters");
    EXPECT_EQ(pathValidityMessage(Empty), "Invalid mask: Filename cannot be empty");

    for (PathValidity outside :
         {Valid, static_cast<PathValidity>(9), static_cast<PathValidity>(-1)}) {
        try {
            pathValidityMessage(outside);
            FAIL() << "no exception for " << outside;
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), "Unknown validity.");
        }
    }
}
