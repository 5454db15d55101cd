// libFuzzer entry point for the XML reader (clang -fsanitize=fuzzer).
#include <cstdlib>
#include <cstdio>

#include "XmlFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string finding = FuzzXmlOnce(XmlFuzzText(data, size));
  if (!finding.empty()) {
    std::fprintf(stderr, "XML reader: %s\n", finding.c_str());
    std::abort();
  }
  return 0;
}
