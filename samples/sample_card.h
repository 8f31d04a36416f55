#pragma once

#include "tests/support/card_writer.h"

namespace tandrel {

// The bundled sample card of samples/card: three playlists with clips
// recorded on three days, stream files of a few kilobytes.
CardSpec sampleCard();

} // namespace tandrel
