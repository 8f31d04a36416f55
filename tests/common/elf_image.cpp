#include "tests/common/elf_image.h"

namespace tandrel {

namespace {

class Writer {
public:
    explicit Writer(bool bigEndian) : bigEndian_(bigEndian) {}

    void put(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            const int shift = bigEndian_ ? 8 * (bytes - 1 - i) : 8 * i;
            out_.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
    }
    void raw(const std::string& bytes) { out_ += bytes; }
    std::size_t size() const { return out_.size(); }
    std::string& bytes() { return out_; }

private:
    bool bigEndian_;
    std::string out_;
};

} // namespace

std::string elfImage(const std::string& name, const std::vector<unsigned char>& contents, bool wide,
                     bool bigEndian) {
    const std::string names = std::string(1, '\0') + name + '\0' + ".shstrtab" + '\0';
    const std::size_t headerSize = wide ? 64 : 52;
    const std::size_t entrySize = wide ? 64 : 40;
    const std::size_t contentsOffset = headerSize;
    const std::size_t namesOffset = contentsOffset + contents.size();
    const std::size_t tableOffset = (namesOffset + names.size() + 7) & ~std::size_t{7};
    const int word = wide ? 8 : 4;

    Writer w(bigEndian);
    w.raw(std::string("\x7F"
                      "ELF",
                      4));
    w.put(wide ? 2 : 1, 1);
    w.put(bigEndian ? 2 : 1, 1);
    w.put(1, 1);
    w.raw(std::string(9, '\0'));
    w.put(2, 2);    // executable
    w.put(62, 2);   // machine
    w.put(1, 4);    // version
    w.put(0, word); // entry
    w.put(0, word); // program headers
    w.put(tableOffset, word);
    w.put(0, 4); // flags
    w.put(headerSize, 2);
    w.put(0, 2); // program header size
    w.put(0, 2); // program header count
    w.put(entrySize, 2);
    w.put(3, 2); // section count
    w.put(2, 2); // name table index
    for (unsigned char c : contents) {
        w.put(c, 1);
    }
    w.raw(names);
    while (w.size() < tableOffset) {
        w.put(0, 1);
    }

    struct Entry {
        std::uint32_t name, type;
        std::uint64_t offset, size;
    };
    const Entry entries[] = {
        {0, 0, 0, 0},
        {1, 1, contentsOffset, contents.size()},
        {static_cast<std::uint32_t>(name.size() + 2), 3, namesOffset, names.size()},
    };
    for (const Entry& e : entries) {
        w.put(e.name, 4);
        w.put(e.type, 4);
        w.put(0, word); // flags
        w.put(0, word); // address
        w.put(e.offset, word);
        w.put(e.size, word);
        w.put(0, 4);    // link
        w.put(0, 4);    // info
        w.put(1, word); // alignment
        w.put(0, word); // entry size
    }
    return w.bytes();
}

} // namespace tandrel
