#pragma once
// What the fuzz targets share: a check that stops the run with a message, and
// the rule by which values longer than the profile functions' buffer come back.
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

// The longest text that goes through the file unchanged whatever it holds: the
// reader returns at most kProfileValueLimit characters, and a text that must
// be quoted loses one more to the closing quote.
constexpr std::size_t kExactTextLimit = wisplet::kProfileValueLimit - 1;

// A text read back after it was written (and perhaps written again): the same
// when short enough, and never anything but the start of it when longer.
inline bool ReadsBackAs(std::string_view read, std::string_view written) {
  if (written.size() <= kExactTextLimit) return read == written;
  return read.size() <= written.size() && written.substr(0, read.size()) == read;
}

}  // namespace wisplet_fuzz
