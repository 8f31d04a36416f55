#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tandrel {

// What goes into one binary's version block: the fixed record and its
// string tables.
struct VersionDescription {
    // Most significant part first: major, minor, build, revision.
    std::array<std::uint16_t, 4> fileVersion{};
    std::array<std::uint16_t, 4> productVersion{};
    std::uint32_t fileFlagsMask = 0x3F;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOs = 0;
    std::uint32_t fileType = 0;
    std::uint32_t fileSubtype = 0;
    // 100-nanosecond intervals since 1601-01-01 UTC, as the fixed record keeps it.
    std::uint64_t fileDate = 0;
    // One string table per language and code page; the translation table
    // lists them in this order.
    struct Table {
        std::uint16_t language = 0x0409;
        std::uint16_t codePage = 0x04B0;
        // Names and texts in UTF-8, in the order they are written.
        std::vector<std::pair<std::string, std::string>> strings;
    };
    std::vector<Table> tables;
};

// The VS_VERSIONINFO block in the Windows binary layout: little-endian,
// UTF-16 keys and texts, every block aligned to four bytes. Throws
// std::invalid_argument when a text is not valid UTF-8 or the block would
// outgrow its 16-bit lengths.
std::vector<unsigned char> writeVersionBlock(const VersionDescription& description);

// "2.5.0.11" and shorter forms ("1.0" is 1.0.0.0). Throws
// std::invalid_argument for anything else.
std::array<std::uint16_t, 4> parseVersion(const std::string& text);

} // namespace tandrel
