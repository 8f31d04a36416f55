#pragma once

#include <functional>

namespace tandrel {

// Runs `check` as an ordinary user and returns its result: directly when the
// tests already run as one, else in a child process that has given up root
// for the user nobody, since root reads and lists whatever the permission
// bits say. A child that cannot drop root returns -1.
int runUnprivileged(const std::function<int()>& check);

} // namespace tandrel
