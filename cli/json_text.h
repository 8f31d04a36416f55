#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace tandrel {

// `value` as compact JSON, as nlohmann's dump() writes it, except that its
// texts need not be UTF-8: names from a card or a mount table are bytes. Each
// byte that is not part of valid UTF-8 becomes the escape "\udcNN" (U+DC00
// plus the byte, the convention of Python's surrogateescape), so a script
// recovers a name's exact bytes (os.fsencode), and valid text reads as usual.
std::string jsonText(const nlohmann::ordered_json& value);

} // namespace tandrel
