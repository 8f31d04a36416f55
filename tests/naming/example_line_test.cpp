#include "naming/example_line.h"

#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

namespace tandrel {

namespace {

const std::tm exampleTime = recordedAt(2026, 12, 5, 18, 45, 3);
const char* const forbidden = "Invalid mask: Filename cannot contain the characters < > : \" | ? *";
const char* const directory = "Invalid mask: A directory name cannot end with a space or period";

} // namespace

TEST(ExampleLine, TextAndReadiness) {
    const std::string longTarget = "C:\\" + std::string(200, 'v');
    const struct {
        std::string target;
        bool generateFolder;
        std::string folderMask;
        bool renameFiles;
        std::string fileMask;
        std::string expected;
    } cases[] = {
        {"C:\\Videos", true, "%Y_%m_%d", true, "%H_%M_%S", "C:\\Videos\\2026_12_05\\18_45_03.m2ts"},
        {"C:\\Videos", true, "%Y_%m_%d", false, "%H_%M_%S", "C:\\Videos\\2026_12_05\\0000.m2ts"},
        {"C:\\Videos", true, "%Y_%m_%d", true, "%f", "C:\\Videos\\2026_12_05\\0000.m2ts"},
        // Masks that are switched off are ignored, however broken.
        {"C:\\Videos", false, "%p:%M", false, "con", "C:\\Videos\\0000.m2ts"},
        // A blank target overrides every other message; spaces are not blank.
        {"", true, "%Y_%m_%d", true, "con", "Target folder cannot be blank"},
        {"   ", true, "%Y_%m_%d", true, "%H_%M_%S", forbidden},
        {"Videos", true, "%Y_%m_%d", true, "%H_%M_%S", forbidden},
        {"\\\\server\\share", true, "%Y_%m_%d", true, "%H_%M_%S", forbidden},
        {"C:\\Videos", true, "%Y_%m_%d ", true, "%H_%M_%S", directory},
        {"C:\\Videos", true, "%Y_%m_%d", true, "%p:%M", forbidden},
        {"C:\\Videos.", false, "%Y_%m_%d", true, "%H_%M_%S", directory},
        {"C:\\Videos", true, "%Y_%m_%d", true, "con",
         "Invalid mask: Filename cannot be CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9"},
        {"C:\\Videos", true, "..", true, "%H_%M_%S", directory},
        {"C:\\Videos", true, "%Y", true, "../%H", directory},
        {longTarget, true, std::string(42, 'f'), true, "%H_%M_%S",
         longTarget + "\\" + std::string(42, 'f') + "\\18_45_03.m2ts"},
        {longTarget, true, std::string(43, 'f'), true, "%H_%M_%S",
         "Invalid mask: Filename cannot be longer than 260 characters"},
    };
    for (const auto& c : cases) {
        const ExampleLine line =
            makeExampleLine(c.target, c.generateFolder, c.folderMask, c.renameFiles, c.fileMask,
                            exampleTime, PathStyle::Windows);
        EXPECT_EQ(line.text, c.expected)
            << c.target << " | " << c.folderMask << " | " << c.fileMask;
        // A path is shown exactly when the masks allow a copy.
        EXPECT_EQ(line.namingReady, c.expected.starts_with(c.target.empty() ? "?" : c.target));
    }
}

TEST(ExampleLine, NativeStyleByDefault) {
    ExampleLine line =
        makeExampleLine("/home/me/Videos", true, "%Y_%m_%d", true, "%H_%M_%S", exampleTime);
    EXPECT_EQ(line.text, "/home/me/Videos/2026_12_05/18_45_03.m2ts");
    EXPECT_TRUE(line.namingReady);
    line = makeExampleLine("C:\\Videos", true, "%Y_%m_%d", true, "%H_%M_%S", exampleTime);
    EXPECT_EQ(line.text, forbidden);
    line = makeExampleLine("", true, "%Y_%m_%d", true, "%H_%M_%S", exampleTime);
    EXPECT_EQ(line.text, "Target folder cannot be blank");
    EXPECT_FALSE(line.namingReady);
}

} // namespace tandrel
