#include "tools/version_block/version_block_writer.h"

#include <cstdio>
#include <stdexcept>

namespace tandrel {

namespace {

constexpr std::uint32_t fixedSignature = 0xFEEF04BD;
constexpr std::uint32_t fixedStructureVersion = 0x00010000;
constexpr std::uint16_t binaryValue = 0;
constexpr std::uint16_t textValue = 1;

using Bytes = std::vector<unsigned char>;

void put16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

void set16(Bytes& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<unsigned char>(value & 0xFF);
    out[at + 1] = static_cast<unsigned char>(value >> 8);
}

void align4(Bytes& out) {
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
}

std::u16string utf16(const std::string& utf8) {
    std::u16string result;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t extra = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
        } else {
            throw std::invalid_argument("not UTF-8: " + utf8);
        }
        if (utf8.size() - i <= extra) {
            throw std::invalid_argument("not UTF-8: " + utf8);
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                throw std::invalid_argument("not UTF-8: " + utf8);
            }
            code = (code << 6) | (next & 0x3F);
        }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(code));
        }
    }
    return result;
}

void putText(Bytes& out, const std::u16string& text) {
    for (char16_t c : text) {
        put16(out, static_cast<std::uint16_t>(c));
    }
    put16(out, 0);
}

// Writes one block: header, key, value, then whatever `children` appends;
// the length field covers all of it.
template <typename Children>
void putBlock(Bytes& out, const std::string& key, std::uint16_t type, const Bytes& value,
              std::uint16_t valueLength, Children children) {
    align4(out);
    const std::size_t start = out.size();
    put16(out, 0);
    put16(out, valueLength);
    put16(out, type);
    putText(out, utf16(key));
    align4(out);
    out.insert(out.end(), value.begin(), value.end());
    children(out);
    const std::size_t length = out.size() - start;
    if (length > 0xFFFF) {
        throw std::invalid_argument("version block too large at " + key);
    }
    set16(out, start, static_cast<std::uint16_t>(length));
}

void noChildren(Bytes&) {}

Bytes fixedRecord(const VersionDescription& d) {
    Bytes record;
    put32(record, fixedSignature);
    put32(record, fixedStructureVersion);
    put32(record, (std::uint32_t{d.fileVersion[0]} << 16) | d.fileVersion[1]);
    put32(record, (std::uint32_t{d.fileVersion[2]} << 16) | d.fileVersion[3]);
    put32(record, (std::uint32_t{d.productVersion[0]} << 16) | d.productVersion[1]);
    put32(record, (std::uint32_t{d.productVersion[2]} << 16) | d.productVersion[3]);
    put32(record, d.fileFlagsMask);
    put32(record, d.fileFlags);
    put32(record, d.fileOs);
    put32(record, d.fileType);
    put32(record, d.fileSubtype);
    put32(record, static_cast<std::uint32_t>(d.fileDate >> 32));
    put32(record, static_cast<std::uint32_t>(d.fileDate & 0xFFFFFFFF));
    return record;
}

} // namespace

std::vector<unsigned char> writeVersionBlock(const VersionDescription& d) {
    Bytes out;
    const Bytes fixed = fixedRecord(d);
    putBlock(out, "VS_VERSION_INFO", binaryValue, fixed, static_cast<std::uint16_t>(fixed.size()),
             [&](Bytes& root) {
                 putBlock(root, "StringFileInfo", textValue, {}, 0, [&](Bytes& info) {
                     for (const VersionDescription::Table& t : d.tables) {
                         char key[9];
                         std::snprintf(key, sizeof key, "%04X%04X", unsigned{t.language},
                                       unsigned{t.codePage});
                         putBlock(info, key, textValue, {}, 0, [&](Bytes& table) {
                             for (const auto& [name, text] : t.strings) {
                                 Bytes value;
                                 const std::u16string wide = utf16(text);
                                 putText(value, wide);
                                 putBlock(table, name, textValue, value,
                                          static_cast<std::uint16_t>(wide.size() + 1), noChildren);
                             }
                         });
                     }
                 });
                 putBlock(root, "VarFileInfo", textValue, {}, 0, [&](Bytes& info) {
                     Bytes translation;
                     for (const VersionDescription::Table& t : d.tables) {
                         put16(translation, t.language);
                         put16(translation, t.codePage);
                     }
                     putBlock(info, "Translation", binaryValue, translation,
                              static_cast<std::uint16_t>(translation.size()), noChildren);
                 });
             });
    return out;
}

std::array<std::uint16_t, 4> parseVersion(const std::string& text) {
    std::array<std::uint16_t, 4> parts{};
    std::size_t part = 0;
    std::size_t i = 0;
    while (true) {
        if (part == parts.size() || i >= text.size() || text[i] < '0' || text[i] > '9') {
            throw std::invalid_argument("not a version: " + text);
        }
        unsigned long value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + static_cast<unsigned long>(text[i] - '0');
            if (value > 0xFFFF) {
                throw std::invalid_argument("version part above 65535: " + text);
            }
            ++i;
        }
        parts[part++] = static_cast<std::uint16_t>(value);
        if (i == text.size()) {
            return parts;
        }
        if (text[i] != '.') {
            throw std::invalid_argument("not a version: " + text);
        }
        ++i;
    }
}

} // namespace tandrel
