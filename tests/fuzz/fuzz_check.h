// What every fuzz target shares: a property check that stops the run with the failing values.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace velmora::fuzz {

// A broken property is a crash to libFuzzer, which then keeps the input that caused it.
inline void Check(bool holds, const char* property, const std::string& detail = {}) {
  if (holds) return;
  // Control bytes, NUL included, are shown escaped so the whole detail reaches the log.
  std::string shown;
  for (const char c : detail) {
    char escaped[8];
    const bool control = static_cast<unsigned char>(c) < 0x20 && c != '\n';
    if (control) std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
    shown += control ? std::string(escaped) : std::string(1, c);
  }
  std::fprintf(stderr, "property broken: %s\n%s\n", property, shown.c_str());
  std::abort();
}

// One of the given texts, picked by the fuzzer.
template <std::size_t N>
std::string PickOne(FuzzedDataProvider& data, const char* const (&choices)[N]) {
  return choices[data.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

}  // namespace velmora::fuzz
