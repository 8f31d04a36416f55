#include "naming/example_line.h"

#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

namespace {

const std::tm exampleTime = recordedAt(2026, 12, 5, 18, 45, 3);

struct Fields {
    std::string target = "C:\\Videos";
    bool generateFolder = true;
    std::string folderMask = "%Y_%m_%d";
    bool renameFiles = true;
    std::string fileMask = "%H_%M_%S";
};

ExampleLine windowsLine(const Fields& fields) {
    return makeExampleLine(fields.target, fields.generateFolder, fields.folderMask,
                           fields.renameFiles, fields.fileMask, exampleTime, PathStyle::Windows);
}

std::string windowsText(const Fields& fields) {
    return windowsLine(fields).text;
}

const std::string forbiddenMessage =
    "Invalid mask: Filename cannot contain the characters < > : \" | ? *";
const std::string directoryMessage =
    "Invalid mask: A directory name cannot end with a space or period";

} // namespace

TEST(ExampleLine, ShowsTheSampleClipsDestination) {
    Fields fields;
    const ExampleLine line = windowsLine(fields);
    EXPECT_EQ(line.text, "C:\\Videos\\2026_12_05\\18_45_03.m2ts");
    EXPECT_TRUE(line.namingReady);

    fields.renameFiles = false;
    EXPECT_EQ(windowsText(fields), "C:\\Videos\\2026_12_05\\0000.m2ts");
    fields.renameFiles = true;
    fields.fileMask = "%f";
    EXPECT_EQ(windowsText(fields), "C:\\Videos\\2026_12_05\\0000.m2ts");
    fields.fileMask = "%f_%e";
    EXPECT_EQ(windowsText(fields), "C:\\Videos\\2026_12_05\\0000_m2ts.m2ts");
}

TEST(ExampleLine, NativeStyleShowsSlashes) {
    const ExampleLine line =
        makeExampleLine("/home/me/Videos", true, "%Y_%m_%d", true, "%H_%M_%S", exampleTime);
    EXPECT_EQ(line.text, "/home/me/Videos/2026_12_05/18_45_03.m2ts");
    EXPECT_TRUE(line.namingReady);

    const ExampleLine windowsTarget =
        makeExampleLine("C:\\Videos", true, "%Y_%m_%d", true, "%H_%M_%S", exampleTime);
    EXPECT_EQ(windowsTarget.text, forbiddenMessage);
    EXPECT_FALSE(windowsTarget.namingReady);
}

TEST(ExampleLine, BlankTargetOverridesEveryMessage) {
    Fields fields;
    fields.target = "";
    for (PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        const ExampleLine line =
            makeExampleLine("", true, "%Y_%m_%d", true, "con", exampleTime, style);
        EXPECT_EQ(line.text, "Target folder cannot be blank");
        EXPECT_FALSE(line.namingReady);
    }
    // Spaces are text: the target is not blank, only invalid.
    fields.target = "   ";
    EXPECT_EQ(windowsText(fields), forbiddenMessage);
}

TEST(ExampleLine, MessagesOfBrokenRules) {
    Fields fields;
    fields.target = "Videos";
    EXPECT_EQ(windowsText(fields), forbiddenMessage);
    fields.target = "\\\\server\\share";
    EXPECT_EQ(windowsText(fields), forbiddenMessage);
    EXPECT_FALSE(windowsLine(fields).namingReady);

    fields = Fields();
    fields.folderMask = "%Y_%m_%d ";
    EXPECT_EQ(windowsText(fields), directoryMessage);

    fields = Fields();
    fields.fileMask = "%p:%M";
    EXPECT_EQ(windowsText(fields), forbiddenMessage);

    fields = Fields();
    fields.target = "C:\\Videos.";
    fields.generateFolder = false;
    EXPECT_EQ(windowsText(fields), directoryMessage);

    fields = Fields();
    fields.fileMask = "con";
    EXPECT_EQ(windowsText(fields),
              "Invalid mask: Filename cannot be CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9");

    fields = Fields();
    fields.target = "C:\\" + std::string(200, 'v');
    fields.folderMask = std::string(42, 'f');
    EXPECT_TRUE(windowsLine(fields).namingReady);
    fields.folderMask += "f";
    EXPECT_EQ(windowsText(fields), "Invalid mask: Filename cannot be longer than 260 characters");
}

TEST(ExampleLine, SwitchedOffMasksAreIgnored) {
    Fields fields;
    fields.generateFolder = false;
    fields.folderMask = "%p:%M";
    fields.renameFiles = false;
    fields.fileMask = "con";
    const ExampleLine line = windowsLine(fields);
    EXPECT_EQ(line.text, "C:\\Videos\\0000.m2ts");
    EXPECT_TRUE(line.namingReady);
}

TEST(ExampleLine, MasksCannotClimbOutOfTheTarget) {
    Fields fields;
    fields.folderMask = "..";
    EXPECT_EQ(windowsText(fields), directoryMessage);
    fields.folderMask = "%Y/../..";
    EXPECT_EQ(windowsText(fields), directoryMessage);
    fields = Fields();
    fields.fileMask = "../%H";
    EXPECT_EQ(windowsText(fields), directoryMessage);
    EXPECT_FALSE(windowsLine(fields).namingReady);
}
