#include "cli/json_text.h"

#include "cli/terminal_text.h"

#include <cstdio>
#include <string_view>

namespace tandrel {

namespace {

// The control characters JSON writes with a letter, as dump() does.
constexpr std::string_view shortEscapes = "\b\t\n\f\r";
constexpr std::string_view shortEscapeLetters = "btnfr";

std::string unicodeEscape(unsigned codeUnit) {
    char escape[7];
    std::snprintf(escape, sizeof escape, "\\u%04x", codeUnit);
    return escape;
}

std::string jsonString(std::string_view text) {
    std::string result = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        const std::size_t letter = shortEscapes.find(c);
        const std::size_t length = utf8SequenceLength(text, at);
        if (c == '"' || c == '\\') {
            result += {'\\', c};
        } else if (letter != std::string_view::npos) {
            result += {'\\', shortEscapeLetters[letter]};
        } else if (byte < 0x20) {
            result += unicodeEscape(byte);
        } else if (length == 0) {
            result += unicodeEscape(0xDC00 + byte);
        } else {
            result.append(text.substr(at, length));
            at += length;
            continue;
        }
        ++at;
    }
    return result + "\"";
}

} // namespace

std::string jsonText(const nlohmann::ordered_json& value) {
    if (value.is_string()) {
        return jsonString(value.get_ref<const std::string&>());
    }
    if (value.is_object()) {
        std::string result = "{";
        for (const auto& [key, member] : value.items()) {
            result += (result.size() > 1 ? "," : "") + jsonString(key) + ":" + jsonText(member);
        }
        return result + "}";
    }
    if (value.is_array()) {
        std::string result = "[";
        for (const nlohmann::ordered_json& element : value) {
            result += (result.size() > 1 ? "," : "") + jsonText(element);
        }
        return result + "]";
    }
    return value.dump();
}

} // namespace tandrel
