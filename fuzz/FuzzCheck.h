#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: say which one and abort, so that the
// fuzzer stores the input that broke it.
#define KELVARA_FUZZ_CHECK(condition)                                                                                  \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
