// A check that stops the fuzz target (and so shows the input) when a property fails.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                        \
    do {                                                                                             \
        if (!(condition)) {                                                                          \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                            \
        }                                                                                            \
    } while (0)
