#include "copy/content_hash.h"

#include <new>

#include <xxhash.h>

namespace tandrel {

ContentHash::ContentHash() : state_(XXH3_createState()) {
    if (!state_ || XXH3_128bits_reset(state_.get()) == XXH_ERROR) {
        throw std::bad_alloc();
    }
}

ContentHash::~ContentHash() = default;

void ContentHash::StateDeleter::operator()(XXH3_state_s* state) const {
    XXH3_freeState(state);
}

void ContentHash::add(const void* bytes, std::size_t count) {
    XXH3_128bits_update(state_.get(), bytes, count);
}

ContentHash::Digest ContentHash::digest() const {
    const XXH128_hash_t hash = XXH3_128bits_digest(state_.get());
    return {hash.low64, hash.high64};
}

} // namespace tandrel
