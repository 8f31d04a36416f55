#pragma once

#include <cstddef>
#include <memory>

struct XXH3_state_s;

namespace tandrel {

// A 128-bit XXH3 hash of a stream of bytes: fast enough to run beside a copy
// at disk speed, strong enough that a copy whose bytes differ from its
// source's never passes as equal.
class ContentHash {
public:
    struct Digest {
        unsigned long long low = 0;
        unsigned long long high = 0;
        bool operator==(const Digest&) const = default;
    };

    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash&) = delete;
    ContentHash& operator=(const ContentHash&) = delete;

    void add(const void* bytes, std::size_t count);
    Digest digest() const;

private:
    struct StateDeleter {
        void operator()(XXH3_state_s* state) const;
    };
    std::unique_ptr<XXH3_state_s, StateDeleter> state_;
};

} // namespace tandrel
