#include "cli/terminal_text.h"

#include <algorithm>
#include <cstdio>

namespace tandrel {

namespace {

unsigned byteAt(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

bool isContinuation(std::string_view text, std::size_t at) {
    return at < text.size() && (byteAt(text, at) & 0xC0) == 0x80;
}

std::string hexEscape(unsigned byte) {
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02x", byte);
    return escape;
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const unsigned lead = byteAt(text, at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    // The range the second byte must lie in rules out overlong forms,
    // surrogates and code points beyond U+10FFFF.
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + 1 >= text.size() || byteAt(text, at + 1) < low || byteAt(text, at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(text, at + i)) {
            return 0;
        }
    }
    return length;
}

std::string printable(std::string_view text) {
    std::string result;
    for (std::size_t at = 0; at < text.size();) {
        const unsigned byte = byteAt(text, at);
        const std::size_t length = utf8SequenceLength(text, at);
        // U+0080 to U+009F are C2 80 to C2 9F.
        const bool control = byte < 0x20 || byte == 0x7F ||
                             (byte == 0xC2 && length == 2 && byteAt(text, at + 1) < 0xA0);
        if (length == 0) {
            result += hexEscape(byte);
            ++at;
        } else if (control) {
            for (std::size_t i = 0; i < length; ++i) {
                result += hexEscape(byteAt(text, at + i));
            }
            at += length;
        } else {
            result.append(text.substr(at, length));
            at += length;
        }
    }
    return result;
}

std::string printableLines(std::string_view text) {
    std::string result;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        result += printable(text.substr(start, end - start));
        if (end < text.size()) {
            result += '\n';
        }
        start = end + 1;
    }
    return result;
}

std::string printableMessage(std::string_view text) {
    std::string message = printableLines(text);
    if (message.empty() || message.back() != '\n') {
        message += '\n';
    }
    return message;
}

} // namespace tandrel
