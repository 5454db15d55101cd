// The default record, byte for byte, against one checked-in hex file. The same test runs
// in the native, i686 and x86_64 builds, so all three produce the same bytes.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "DevmodeExchange.h"
#include "GoldenRecord.h"
#include "PrivateDevmode.h"

namespace {

// Hex pairs separated by white space; "#" starts a comment up to the end of the line.
std::vector<unsigned char> ParseHex(const char* text) {
  std::vector<unsigned char> bytes;
  std::string digits;
  for (const char* p = text; *p != 0; ++p) {
    if (*p == '#') {
      while (*p != 0 && *p != '\n') ++p;
      if (*p == 0) break;
      continue;
    }
    if (std::isxdigit(static_cast<unsigned char>(*p))) {
      digits += *p;
      if (digits.size() == 2) {
        bytes.push_back(static_cast<unsigned char>(std::stoul(digits, nullptr, 16)));
        digits.clear();
      }
    } else {
      EXPECT_TRUE(digits.empty()) << "odd hex digit before '" << *p << "'";
      EXPECT_TRUE(std::isspace(static_cast<unsigned char>(*p))) << "unexpected '" << *p << "'";
    }
  }
  EXPECT_TRUE(digits.empty());
  return bytes;
}

void ExpectSameBytes(const std::vector<unsigned char>& golden, const unsigned char* actual) {
  for (std::size_t i = 0; i < golden.size(); ++i)
    EXPECT_EQ(golden[i], actual[i]) << "record offset " << i << " (body offset " << static_cast<long>(i) - 12 << ")";
}

TEST(GoldenRecord, DefaultRecordOnAnA4LocaleIsByteIdentical) {
  const std::vector<unsigned char> golden = ParseHex(kDefaultRecordA4Hex);
  ASSERT_EQ(qv::kPrivateDevmodeSize, golden.size());

  qv::PrivateDevmode record;
  std::memset(&record, 0, sizeof(record));
  qv::SetPrivateDevmodeHeader(&record.dmExtraHeader);
  qv::DefaultPrivateDevmode(&record.body);
  ExpectSameBytes(golden, reinterpret_cast<const unsigned char*>(&record));
}

TEST(GoldenRecord, DefaultRequestWritesTheSameBytes) {
  const std::vector<unsigned char> golden = ParseHex(kDefaultRecordA4Hex);
  ASSERT_EQ(qv::kPrivateDevmodeSize, golden.size());
  std::vector<unsigned char> out(qv::kPrivateDevmodeSize, 0);
  qv::OemDevModeParam p;
  p.cbBufSize = qv::kPrivateDevmodeSize;
  p.pOEMDMOut = out.data();
  ASSERT_TRUE(qv::HandleOemDevMode(qv::kOemDmDefault, &p));
  ExpectSameBytes(golden, out.data());
}

}  // namespace
