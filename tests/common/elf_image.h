#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tandrel {

// A minimal ELF file holding one section `name` with `contents` (plus the
// null section and the section-name table), in the class (32 or 64 bit)
// and byte order asked for. Enough for a section reader; nothing runs it.
std::string elfImage(const std::string& name, const std::vector<unsigned char>& contents,
                     bool wide = true, bool bigEndian = false);

} // namespace tandrel
