#pragma once
// What the fuzz targets share: a check that stops the run with a message, and
// the rule by which written values come back.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "storage/ini_document.h"

#define FUZZ_CHECK(condition)                                                          \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

namespace wisplet_fuzz {

// A text read back after it was written (and perhaps written again): the
// same, whatever its length (values are read whole).
inline bool ReadsBackAs(std::string_view read, std::string_view written) { return read == written; }

}  // namespace wisplet_fuzz
