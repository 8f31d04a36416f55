#include "cli/json_text.h"
#include "cli/terminal_text.h"

#include <gtest/gtest.h>

namespace tandrel {

TEST(TerminalText, EscapesControlsAndInvalidUtf8Only) {
    EXPECT_EQ(printable("Caméra \\ 🎥 00001.MTS"), "Caméra \\ 🎥 00001.MTS");
    EXPECT_EQ(printable("a\x1b[31mb\x7f\n"), "a\\x1b[31mb\\x7f\\x0a");
    // U+009B is a one-character CSI on some terminals.
    EXPECT_EQ(printable("\xc2\x9b"
                        "2J\xc2\xa0"),
              "\\xc2\\x9b2J\xc2\xa0");
    // A lone byte, an overlong "/", a surrogate, beyond U+10FFFF, cut short.
    EXPECT_EQ(printable("\xff"), "\\xff");
    EXPECT_EQ(printable("\xc0\xaf"), "\\xc0\\xaf");
    EXPECT_EQ(printable("\xed\xa0\x80"), "\\xed\\xa0\\x80");
    EXPECT_EQ(printable("\xf4\x90\x80\x80"), "\\xf4\\x90\\x80\\x80");
    EXPECT_EQ(printable("x\xe2\x82"), "x\\xe2\\x82");
}

TEST(TerminalText, JsonKeepsTheExactBytes) {
    const nlohmann::ordered_json valid = {{"name", "Caméra \"1\"\\\b\t\n\f\r\x01\x7f"},
                                          {"list", {1, -2.5, true, nullptr}},
                                          {"empty", {}}};
    EXPECT_EQ(jsonText(valid), valid.dump());
    EXPECT_EQ(jsonText({{"mountPoint", "/media/x\xff\xc3"}}),
              R"({"mountPoint":"/media/x\udcff\udcc3"})");
}

} // namespace tandrel
