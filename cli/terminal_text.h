#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tandrel {

// The length of the valid UTF-8 sequence that starts at `text[at]`, or 0 when
// the byte there starts none: a stray continuation byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF, or a sequence cut short.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

// `text`, read from a card, a mount table or a user, made safe to show on a
// terminal: control characters (C0, DEL and C1) and bytes that are not valid
// UTF-8 become "\xNN", one per byte, so no name can move the cursor, change
// colours or garble the line. Everything else, backslashes included, stays as
// it is: the text is for people; JSON output keeps the exact bytes.
std::string printable(std::string_view text);

// A message of several lines, each made printable; its line breaks stay.
std::string printableLines(std::string_view text);

// A message for the terminal: printableLines, ended by a line break when it
// does not carry one.
std::string printableMessage(std::string_view text);

} // namespace tandrel
