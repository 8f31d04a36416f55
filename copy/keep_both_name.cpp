#include "copy/keep_both_name.h"

#include "copy/card_source.h"
#include "metadata/path_text.h"

#include <boost/filesystem/operations.hpp>

#include <cctype>
#include <optional>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads `text` the way strtol would (leading white space, an optional sign,
// then digits up to the first other character) and returns the value plus
// one in decimal, or nothing when no digit is there.
std::optional<std::string> nextNumber(const std::string& text) {
    std::size_t position = 0;
    while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position]))) {
        ++position;
    }
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    std::string digits;
    while (position < text.size() && isDigit(text[position])) {
        digits += text[position++];
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    digits = firstSignificant == std::string::npos ? "0" : digits.substr(firstSignificant);
    if (digits == "0") {
        return std::string("1");
    }
    if (!negative) {
        // Adds one to the magnitude.
        auto digit = digits.rbegin();
        for (; digit != digits.rend() && *digit == '9'; ++digit) {
            *digit = '0';
        }
        if (digit == digits.rend()) {
            digits.insert(digits.begin(), '1');
        } else {
            ++*digit;
        }
        return digits;
    }
    // -N + 1 = -(N - 1): takes one off the magnitude.
    auto digit = digits.rbegin();
    for (; *digit == '0'; ++digit) {
        *digit = '9';
    }
    --*digit;
    const std::size_t lead = digits.find_first_not_of('0');
    if (lead == std::string::npos) {
        return std::string("0");
    }
    return "-" + digits.substr(lead);
}

std::string nextStem(const std::string& stem) {
    const std::size_t open = stem.rfind('(');
    const std::size_t close = stem.rfind(')');
    if (open != std::string::npos && close != std::string::npos && close == stem.size() - 1 &&
        close > open) {
        if (const auto number = nextNumber(stem.substr(open + 1, close - open - 1))) {
            return stem.substr(0, open) + "(" + *number + ")";
        }
    }
    return stem + " (2)";
}

} // namespace

bool nameTaken(const fs::path& path) {
    return fs::exists(fs::symlink_status(path));
}

fs::path nextKeepBothName(const fs::path& path) {
    const std::string name = path.filename().string();
    const std::size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    return path.parent_path() / (nextStem(stem) + extension);
}

fs::path makeKeepBothName(const std::string& existing) {
    fs::path candidate = absoluteFromStart(pathFromText(existing));
    while (nameTaken(candidate)) {
        candidate = nextKeepBothName(candidate);
    }
    return candidate;
}

} // namespace tandrel
