#include "common/elf_section.h"

#include <QFile>

#include <cstdint>
#include <cstring>

namespace tandrel {

namespace {

constexpr unsigned char elfClass32 = 1;
constexpr unsigned char elfClass64 = 2;
constexpr unsigned char littleEndian = 1;
constexpr unsigned char bigEndian = 2;
constexpr std::uint32_t sectionTypeNoBits = 8;
constexpr std::uint16_t sectionIndexExtended = 0xFFFF;
// More section headers than any real binary has; keeps a crafted count from
// making us read a large table.
constexpr std::uint64_t maxSectionCount = 0x10000;
// Section names are short; a longer string table is not worth reading whole.
constexpr std::uint64_t maxNameTableSize = 1 << 20;

struct Section {
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t link = 0;
};

class ElfFile {
public:
    explicit ElfFile(const QString& fileName) : file_(fileName) {}

    std::optional<QByteArray> section(const char* name, qint64 maxSize) {
        if (!file_.open(QIODevice::ReadOnly) || !readHeader()) {
            return std::nullopt;
        }
        const std::optional<Section> names = sectionAt(nameTableIndex_);
        if (!names || names->size > maxNameTableSize) {
            return std::nullopt;
        }
        const std::optional<QByteArray> nameTable = contents(*names);
        if (!nameTable) {
            return std::nullopt;
        }
        const std::size_t nameLength = std::strlen(name);
        for (std::uint64_t i = 1; i < sectionCount_; ++i) {
            const std::optional<Section> candidate = sectionAt(i);
            if (!candidate) {
                return std::nullopt;
            }
            if (!nameIs(*nameTable, candidate->name, name, nameLength)) {
                continue;
            }
            if (candidate->type == sectionTypeNoBits || candidate->size == 0 ||
                candidate->size > static_cast<std::uint64_t>(maxSize)) {
                return std::nullopt;
            }
            return contents(*candidate);
        }
        return std::nullopt;
    }

private:
    bool readHeader() {
        unsigned char ident[16];
        if (file_.read(reinterpret_cast<char*>(ident), sizeof ident) != sizeof ident ||
            std::memcmp(ident,
                        "\x7F"
                        "ELF",
                        4) != 0) {
            return false;
        }
        if ((ident[4] != elfClass32 && ident[4] != elfClass64) ||
            (ident[5] != littleEndian && ident[5] != bigEndian)) {
            return false;
        }
        wide_ = ident[4] == elfClass64;
        bigEndian_ = ident[5] == bigEndian;

        const QByteArray header = readAt(0, wide_ ? 64 : 52);
        if (header.isEmpty()) {
            return false;
        }
        const std::uint64_t tableOffset = wide_ ? get64(header, 40) : get32(header, 32);
        const std::uint16_t entrySize = get16(header, wide_ ? 58 : 46);
        std::uint64_t count = get16(header, wide_ ? 60 : 48);
        std::uint32_t nameIndex = get16(header, wide_ ? 62 : 50);
        if (tableOffset == 0 || tableOffset > static_cast<std::uint64_t>(file_.size()) ||
            entrySize < (wide_ ? 64 : 40)) {
            return false;
        }
        tableOffset_ = tableOffset;
        entrySize_ = entrySize;
        // Extended numbering: with many sections the real count and name
        // table index live in the first section header.
        sectionCount_ = 1;
        const std::optional<Section> first = sectionAt(0);
        if (!first) {
            return false;
        }
        if (count == 0) {
            count = first->size;
        }
        if (nameIndex == sectionIndexExtended) {
            nameIndex = first->link;
        }
        if (count == 0 || count > maxSectionCount || nameIndex >= count) {
            return false;
        }
        sectionCount_ = count;
        nameTableIndex_ = nameIndex;
        return true;
    }

    std::optional<Section> sectionAt(std::uint64_t index) {
        if (index >= sectionCount_) {
            return std::nullopt;
        }
        const QByteArray entry = readAt(tableOffset_ + index * entrySize_, wide_ ? 64 : 40);
        if (entry.isEmpty()) {
            return std::nullopt;
        }
        Section s;
        s.name = get32(entry, 0);
        s.type = get32(entry, 4);
        s.offset = wide_ ? get64(entry, 24) : get32(entry, 16);
        s.size = wide_ ? get64(entry, 32) : get32(entry, 20);
        s.link = get32(entry, wide_ ? 40 : 24);
        return s;
    }

    std::optional<QByteArray> contents(const Section& s) {
        if (s.type == sectionTypeNoBits) {
            return std::nullopt;
        }
        if (s.size == 0) {
            return QByteArray();
        }
        QByteArray bytes = readAt(s.offset, s.size);
        if (bytes.isEmpty()) {
            return std::nullopt;
        }
        return bytes;
    }

    static bool nameIs(const QByteArray& table, std::uint32_t at, const char* name,
                       std::size_t length) {
        if (at >= static_cast<std::uint64_t>(table.size()) ||
            static_cast<std::uint64_t>(table.size()) - at < length + 1) {
            return false;
        }
        return std::memcmp(table.constData() + at, name, length) == 0 && table[at + length] == 0;
    }

    // Exactly `size` bytes at `offset`, or nothing when the file ends sooner.
    QByteArray readAt(std::uint64_t offset, std::uint64_t size) {
        const auto fileSize = static_cast<std::uint64_t>(file_.size());
        if (offset > fileSize || size > fileSize - offset ||
            !file_.seek(static_cast<qint64>(offset))) {
            return {};
        }
        QByteArray bytes = file_.read(static_cast<qint64>(size));
        if (static_cast<std::uint64_t>(bytes.size()) != size) {
            return {};
        }
        return bytes;
    }

    std::uint16_t get16(const QByteArray& b, int at) const {
        const auto lo = static_cast<std::uint8_t>(b[at]);
        const auto hi = static_cast<std::uint8_t>(b[at + 1]);
        return bigEndian_ ? static_cast<std::uint16_t>((lo << 8) | hi)
                          : static_cast<std::uint16_t>((hi << 8) | lo);
    }

    std::uint32_t get32(const QByteArray& b, int at) const {
        const std::uint32_t first = get16(b, at);
        const std::uint32_t second = get16(b, at + 2);
        return bigEndian_ ? (first << 16) | second : (second << 16) | first;
    }

    std::uint64_t get64(const QByteArray& b, int at) const {
        const std::uint64_t first = get32(b, at);
        const std::uint64_t second = get32(b, at + 4);
        return bigEndian_ ? (first << 32) | second : (second << 32) | first;
    }

    QFile file_;
    bool wide_ = false;
    bool bigEndian_ = false;
    std::uint64_t tableOffset_ = 0;
    std::uint64_t entrySize_ = 0;
    std::uint64_t sectionCount_ = 0;
    std::uint64_t nameTableIndex_ = 0;
};

} // namespace

std::optional<QByteArray> readElfSection(const QString& fileName, const char* name,
                                         qint64 maxSize) {
    return ElfFile(fileName).section(name, maxSize);
}

} // namespace tandrel
