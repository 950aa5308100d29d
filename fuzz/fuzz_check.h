#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property is a crash, so the fuzzer keeps the input that showed it.
inline void require(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
  }
}
