#pragma once

namespace tandrel {

// Common is built with hidden visibility; only declarations marked with
// COMMON_EXPORT are part of its interface.
#if defined(COMMON_BUILDING_LIBRARY)
#define COMMON_EXPORT __attribute__((visibility("default")))
#else
#define COMMON_EXPORT
#endif

} // namespace tandrel
