// The DevMode requests on our private part and the synchronisation with the public
// DEVMODE. Output buffers carry guard bytes after cbBufSize; input parts are allocated
// at exactly their own size, so a read past it shows under AddressSanitizer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "DevmodeExchange.h"
#include "PaperTables.h"
#include "TestLocale.h"

namespace {

using qv::HandleOemDevMode;
using qv::OemDevModeParam;
using qv::PrivateDevmode;
using qv::PrivateDevmodeBody;
using qv::PublicDevmode;

constexpr unsigned char kFill = 0xA5;
constexpr unsigned char kGuard = 0xCC;
constexpr std::size_t kGuardBytes = 64;

// cbBufSize bytes of output followed by guard bytes; all pre-filled.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::size_t size) : size_(size), bytes_(size + kGuardBytes, kGuard) {
    std::memset(bytes_.data(), kFill, size);
  }
  void* data() { return bytes_.data(); }
  std::uint32_t size() const { return static_cast<std::uint32_t>(size_); }
  const PrivateDevmode& record() const { return *reinterpret_cast<const PrivateDevmode*>(bytes_.data()); }
  bool GuardIntact() const {
    for (std::size_t i = size_; i < bytes_.size(); ++i)
      if (bytes_[i] != kGuard) return false;
    return true;
  }
  bool Untouched() const {
    for (std::size_t i = 0; i < size_; ++i)
      if (bytes_[i] != kFill) return false;
    return GuardIntact();
  }

 private:
  std::size_t size_;
  std::vector<unsigned char> bytes_;
};

// A private part of exactly `size` bytes on the heap (at least its header).
std::unique_ptr<unsigned char[]> MakeInput(std::uint32_t size, std::uint32_t signature, std::uint32_t version,
                                           std::uint32_t declaredSize) {
  std::unique_ptr<unsigned char[]> bytes(new unsigned char[size]);
  std::memset(bytes.get(), 0x5A, size);
  qv::DmExtraHeader header{declaredSize, signature, version};
  std::memcpy(bytes.get(), &header, size < sizeof(header) ? size : sizeof(header));
  return bytes;
}

// Our record with some non-default values; Zoom 0 is invalid and must be repaired.
std::unique_ptr<unsigned char[]> MakeOurInput(void (*edit)(PrivateDevmodeBody&) = nullptr) {
  auto bytes = MakeInput(qv::kPrivateDevmodeSize, qv::kPrivateDevmodeSignature, qv::kPrivateDevmodeVersion,
                         qv::kPrivateDevmodeSize);
  PrivateDevmode* record = reinterpret_cast<PrivateDevmode*>(bytes.get());
  qv::DefaultPrivateDevmode(&record->body);
  record->body.Duplex = 2;
  record->body.Zoom = 0;
  std::memcpy(record->body.JobComment, "kept", 5);
  record->padding[0] = 0x11;
  if (edit != nullptr) edit(record->body);
  return bytes;
}

PrivateDevmodeBody Defaults() {
  PrivateDevmodeBody b;
  qv::DefaultPrivateDevmode(&b);
  return b;
}

bool SamePublic(const PublicDevmode& a, const PublicDevmode& b) {
  return a.dmFields == b.dmFields && a.dmOrientation == b.dmOrientation && a.dmPaperSize == b.dmPaperSize &&
         a.dmPaperLength == b.dmPaperLength && a.dmPaperWidth == b.dmPaperWidth &&
         a.dmDefaultSource == b.dmDefaultSource && a.dmPrintQuality == b.dmPrintQuality &&
         a.dmYResolution == b.dmYResolution && std::memcmp(a.dmFormName, b.dmFormName, sizeof(a.dmFormName)) == 0;
}

bool HasOurHeader(const PrivateDevmode& r) { return qv::IsOurPrivateDevmodeHeader(r.dmExtraHeader); }
bool SameBody(const PrivateDevmodeBody& a, const PrivateDevmodeBody& b) { return std::memcmp(&a, &b, sizeof(a)) == 0; }

PublicDevmode LetterLandscape600() {
  PublicDevmode pub;
  pub.dmFields = qv::kDmPaperSize | qv::kDmOrientation | qv::kDmPrintQuality | qv::kDmYResolution;
  pub.dmPaperSize = 1;
  pub.dmOrientation = qv::kDmOrientLandscape;
  pub.dmPrintQuality = 300;
  pub.dmYResolution = 600;
  return pub;
}

class DevmodeExchangeTest : public ::testing::Test {
 protected:
  void TearDown() override { qvtest::ResetFakeLocale(); }
};

TEST_F(DevmodeExchangeTest, SizeAnswers1056WhateverTheBuffer) {
  for (std::uint32_t size : {0u, 12u, 1055u, 1056u, 5000u}) {
    OutputBuffer out(size);
    OemDevModeParam p;
    p.cbBufSize = size;
    p.pOEMDMOut = out.data();
    EXPECT_TRUE(HandleOemDevMode(qv::kOemDmSize, &p));
    EXPECT_EQ(1056u, p.cbBufSize);
    EXPECT_TRUE(out.Untouched());
  }
}

TEST_F(DevmodeExchangeTest, RefusesBadRequests) {
  OutputBuffer out(1056);
  OemDevModeParam p;
  p.cbBufSize = out.size();
  p.pOEMDMOut = out.data();
  EXPECT_FALSE(HandleOemDevMode(qv::kOemDmSize, nullptr));
  EXPECT_FALSE(HandleOemDevMode(0, &p));
  EXPECT_FALSE(HandleOemDevMode(5, &p));
  EXPECT_EQ(1056u, p.cbBufSize);
  EXPECT_TRUE(out.Untouched());
}

TEST_F(DevmodeExchangeTest, DefaultWritesHeaderAndDefaultsIntoABufferThatHoldsThem) {
  struct Case {
    std::uint32_t size;
    bool ok;
  };
  for (const Case& c : {Case{1055, false}, Case{0, false}, Case{1056, true}, Case{4096, true}}) {
    SCOPED_TRACE(c.size);
    OutputBuffer out(c.size);
    PublicDevmode pub = LetterLandscape600();
    OemDevModeParam p;
    p.cbBufSize = c.size;
    p.pOEMDMOut = out.data();
    p.pPublicDMOut = &pub;
    ASSERT_EQ(c.ok, HandleOemDevMode(qv::kOemDmDefault, &p));
    EXPECT_TRUE(out.GuardIntact());
    if (!c.ok) {
      EXPECT_TRUE(out.Untouched());
      continue;
    }
    EXPECT_TRUE(HasOurHeader(out.record()));
    EXPECT_TRUE(SameBody(Defaults(), out.record().body));  // the public DEVMODE is not consulted
    const unsigned char* bytes = static_cast<const unsigned char*>(out.data());
    for (std::size_t i = 1053; i < c.size; ++i) ASSERT_EQ(kFill, bytes[i]) << "padding and beyond are left";
  }
  OemDevModeParam p;
  p.cbBufSize = 1056;
  EXPECT_FALSE(HandleOemDevMode(qv::kOemDmDefault, &p));  // no output buffer
}

struct ExchangeCase {
  const char* what;
  std::uint32_t mode;
  std::uint32_t inSize, inSignature, inVersion, inDeclared;  // inSize 0: our own record
  std::uint32_t cbBufSize;
  bool withPublic;
  bool ok;
  enum Result { kUntouched, kDefaults, kDefaultsWithPublic, kCopiedValidated, kCopiedValidatedWithPublic } result;
};

const ExchangeCase kExchangeCases[] = {
    {"convert ours", qv::kOemDmConvert, 0, 0, 0, 0, 1056, false, true, ExchangeCase::kCopiedValidated},
    {"convert ours with public", qv::kOemDmConvert, 0, 0, 0, 0, 1056, true, true,
     ExchangeCase::kCopiedValidatedWithPublic},
    {"merge ours with public", qv::kOemDmMerge, 0, 0, 0, 0, 2000, true, true, ExchangeCase::kCopiedValidatedWithPublic},
    {"convert ours into a short buffer", qv::kOemDmConvert, 0, 0, 0, 0, 1055, true, false, ExchangeCase::kUntouched},
    {"merge ours into no buffer", qv::kOemDmMerge, 0, 0, 0, 0, 0, true, false, ExchangeCase::kUntouched},
    {"foreign part of our size", qv::kOemDmConvert, 1056, 0x12345678, 0x00010001, 1056, 1056, false, true,
     ExchangeCase::kDefaults},
    {"foreign part, with public", qv::kOemDmMerge, 1056, 0x12345678, 0x00010001, 1056, 1056, true, true,
     ExchangeCase::kDefaultsWithPublic},
    {"header-only foreign part", qv::kOemDmConvert, 12, 0x12345678, 1, 12, 1056, true, true,
     ExchangeCase::kDefaultsWithPublic},
    {"part of 4 bytes that says so", qv::kOemDmMerge, 4, 0, 0, 4, 1056, false, true, ExchangeCase::kDefaults},
    {"ours but declares fewer bytes", qv::kOemDmMerge, 500, qv::kPrivateDevmodeSignature, qv::kPrivateDevmodeVersion,
     500, 1056, false, true, ExchangeCase::kDefaults},
    {"ours but declares more bytes", qv::kOemDmConvert, 2000, qv::kPrivateDevmodeSignature, qv::kPrivateDevmodeVersion,
     2000, 1056, false, true, ExchangeCase::kDefaults},
    {"older version of ours", qv::kOemDmConvert, 1056, qv::kPrivateDevmodeSignature, 0x10410440, 1056, 1056, false,
     true, ExchangeCase::kDefaults},
    {"foreign part into a short buffer", qv::kOemDmMerge, 1056, 0x12345678, 1, 1056, 1000, true, false,
     ExchangeCase::kUntouched},
    {"claims a huge size", qv::kOemDmConvert, 12, qv::kPrivateDevmodeSignature, qv::kPrivateDevmodeVersion,
     0xFFFFFFFF, 1056, false, true, ExchangeCase::kDefaults},
};

TEST_F(DevmodeExchangeTest, ConvertAndMerge) {
  for (const ExchangeCase& c : kExchangeCases) {
    SCOPED_TRACE(c.what);
    auto in = c.inSize == 0 ? MakeOurInput() : MakeInput(c.inSize, c.inSignature, c.inVersion, c.inDeclared);
    std::vector<unsigned char> inBefore(in.get(), in.get() + (c.inSize == 0 ? 1056 : c.inSize));
    OutputBuffer out(c.cbBufSize);
    PublicDevmode pub = LetterLandscape600();
    const PublicDevmode pubBefore = pub;
    OemDevModeParam p;
    p.cbBufSize = c.cbBufSize;
    p.pOEMDMIn = in.get();
    p.pOEMDMOut = out.data();
    p.pPublicDMOut = c.withPublic ? &pub : nullptr;
    EXPECT_EQ(c.ok, HandleOemDevMode(c.mode, &p));
    EXPECT_EQ(c.cbBufSize, p.cbBufSize);
    EXPECT_TRUE(out.GuardIntact());
    EXPECT_EQ(0, std::memcmp(inBefore.data(), in.get(), inBefore.size())) << "input is not changed";
    EXPECT_TRUE(SamePublic(pubBefore, pub)) << "public DEVMODE is only read";
    if (c.result == ExchangeCase::kUntouched) {
      EXPECT_TRUE(out.Untouched());
      continue;
    }
    const PrivateDevmode& r = out.record();
    EXPECT_TRUE(HasOurHeader(r));
    PrivateDevmodeBody expected = Defaults();
    if (c.result == ExchangeCase::kCopiedValidated || c.result == ExchangeCase::kCopiedValidatedWithPublic) {
      expected.Duplex = 2;
      std::memcpy(expected.JobComment, "kept", 5);
      EXPECT_EQ(0x11, r.padding[0]) << "the whole record is copied";
    }
    if (c.result == ExchangeCase::kDefaultsWithPublic || c.result == ExchangeCase::kCopiedValidatedWithPublic) {
      expected.PageSize = 0;
      expected.Orientation = 1;
      expected.Resolution = 1;
    }
    EXPECT_TRUE(SameBody(expected, r.body)) << "Zoom " << unsigned{r.body.Zoom} << " PageSize " << int{r.body.PageSize};
  }
}

TEST_F(DevmodeExchangeTest, NullInputOrOutputIsRefused) {
  auto in = MakeOurInput();
  OutputBuffer out(1056);
  for (std::uint32_t mode : {qv::kOemDmConvert, qv::kOemDmMerge}) {
    OemDevModeParam p;
    p.cbBufSize = 1056;
    p.pOEMDMOut = out.data();
    EXPECT_FALSE(HandleOemDevMode(mode, &p));
    p.pOEMDMIn = in.get();
    p.pOEMDMOut = nullptr;
    EXPECT_FALSE(HandleOemDevMode(mode, &p));
  }
  EXPECT_TRUE(out.Untouched());
}

TEST_F(DevmodeExchangeTest, InPlaceConversion) {
  auto record = MakeOurInput();
  OemDevModeParam p;
  p.cbBufSize = 1056;
  p.pOEMDMIn = record.get();
  p.pOEMDMOut = record.get();
  EXPECT_TRUE(HandleOemDevMode(qv::kOemDmMerge, &p));
  const PrivateDevmode* r = reinterpret_cast<const PrivateDevmode*>(record.get());
  EXPECT_EQ(100, unsigned{r->body.Zoom});
  EXPECT_EQ(2, r->body.Duplex);
}

// A public DEVMODE naming a paper without extents that is no page size (DMPAPER_B4):
// merge validates last and repairs the custom paper, convert keeps it unvalidated.
TEST_F(DevmodeExchangeTest, MergeValidatesAfterThePublicPaperConvertDoesNot) {
  struct Case {
    std::uint32_t mode;
    std::uint8_t pageSize;
  };
  for (const Case& c : {Case{qv::kOemDmMerge, 7}, Case{qv::kOemDmConvert, 19}}) {
    auto in = MakeOurInput();
    OutputBuffer out(1056);
    PublicDevmode pub;
    pub.dmFields = qv::kDmPaperSize;
    pub.dmPaperSize = 12;
    OemDevModeParam p;
    p.cbBufSize = 1056;
    p.pOEMDMIn = in.get();
    p.pOEMDMOut = out.data();
    p.pPublicDMOut = &pub;
    EXPECT_TRUE(HandleOemDevMode(c.mode, &p));
    EXPECT_EQ(c.pageSize, out.record().body.PageSize) << c.mode;
    EXPECT_EQ(0u, std::uint32_t{out.record().body.PageSizeWidth});
    EXPECT_EQ(0u, std::uint32_t{out.record().body.PageSizeHeight});
  }
}

TEST_F(DevmodeExchangeTest, PublicToPrivate) {
  struct Case {
    const char* what;
    std::uint32_t fields;
    std::int16_t paper, width, length, orientation, quality, yres;
    std::uint8_t pageSize;
    std::uint32_t pageWidth, pageHeight;
    std::uint8_t orientationAfter, resolution;
  };
  constexpr std::uint32_t kAll = qv::kDmPaperSize | qv::kDmOrientation | qv::kDmPrintQuality | qv::kDmYResolution;
  // The body starts as defaults with Orientation 1, Resolution 1 and extents 5 x 6.
  const Case cases[] = {
      {"A4 by id", kAll, 9, 0, 0, 1, 300, 300, 7, 5, 6, 0, 0},
      {"user paper near A4", kAll, 256, 2100, 2970, 2, 300, 600, 7, 5, 6, 1, 1},
      {"user paper matching nothing", kAll, 256, 1000, 2000, 2, 600, 600, 19, 100000, 200000, 1, 0},
      {"negative width gives no extent", kAll, 0, -100, 2970, 2, 300, 600, 19, 0, 297000, 1, 1},
      {"negative length gives no extent", kAll, 0, 2100, -1, 2, 300, 600, 19, 210000, 0, 1, 1},
      {"only the paper bit", qv::kDmPaperSize, 1, 0, 0, 1, 300, 300, 0, 5, 6, 1, 1},
      {"no paper bit", qv::kDmOrientation, 1, 0, 0, 1, 0, 0, 7, 5, 6, 0, 1},
      {"unknown orientation is portrait", qv::kDmOrientation, 0, 0, 0, 7, 0, 0, 7, 5, 6, 0, 1},
      {"resolution needs both bits", qv::kDmPrintQuality, 0, 0, 0, 0, 300, 300, 7, 5, 6, 1, 1},
      {"resolution needs both bits (y)", qv::kDmYResolution, 0, 0, 0, 0, 300, 300, 7, 5, 6, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PrivateDevmodeBody b = Defaults();
    b.Orientation = 1;
    b.Resolution = 1;
    b.PageSizeWidth = 5;
    b.PageSizeHeight = 6;
    PublicDevmode pub;
    pub.dmFields = c.fields;
    pub.dmPaperSize = c.paper;
    pub.dmPaperWidth = c.width;
    pub.dmPaperLength = c.length;
    pub.dmOrientation = c.orientation;
    pub.dmPrintQuality = c.quality;
    pub.dmYResolution = c.yres;
    EXPECT_TRUE(qv::PublicToPrivate(&pub, &b));
    EXPECT_EQ(c.pageSize, b.PageSize);
    EXPECT_EQ(c.pageWidth, std::uint32_t{b.PageSizeWidth});
    EXPECT_EQ(c.pageHeight, std::uint32_t{b.PageSizeHeight});
    EXPECT_EQ(c.orientationAfter, b.Orientation);
    EXPECT_EQ(c.resolution, b.Resolution);
  }
  PrivateDevmodeBody b = Defaults();
  PublicDevmode pub;
  EXPECT_FALSE(qv::PublicToPrivate(nullptr, &b));
  EXPECT_FALSE(qv::PublicToPrivate(&pub, nullptr));
}

TEST_F(DevmodeExchangeTest, PrivateToPublic) {
  struct Case {
    std::uint8_t orientation, resolution;
    std::int16_t dmOrientation, quality, yres;
    std::uint32_t fields;
  };
  constexpr std::uint32_t kRes = qv::kDmPrintQuality | qv::kDmYResolution;
  const std::uint32_t kOther = qv::kDmPaperSize;  // bits already set stay set
  const Case cases[] = {
      {0, 0, qv::kDmOrientPortrait, 300, 300, kOther | qv::kDmOrientation | kRes},
      {1, 1, qv::kDmOrientLandscape, 300, 600, kOther | qv::kDmOrientation | kRes},
      {3, 2, qv::kDmOrientPortrait, -5, -6, kOther | qv::kDmOrientation},  // resolution left alone
  };
  for (const Case& c : cases) {
    PrivateDevmodeBody b = Defaults();
    b.Orientation = c.orientation;
    b.Resolution = c.resolution;
    PublicDevmode pub;
    pub.dmFields = kOther;
    pub.dmPrintQuality = -5;
    pub.dmYResolution = -6;
    EXPECT_TRUE(qv::PrivateToPublic(&b, &pub));
    EXPECT_EQ(c.dmOrientation, pub.dmOrientation);
    EXPECT_EQ(c.quality, pub.dmPrintQuality);
    EXPECT_EQ(c.yres, pub.dmYResolution);
    EXPECT_EQ(c.fields, pub.dmFields);
  }
  PublicDevmode pub;
  PrivateDevmodeBody b = Defaults();
  EXPECT_FALSE(qv::PrivateToPublic(nullptr, &pub));
  EXPECT_FALSE(qv::PrivateToPublic(&b, nullptr));
}

TEST_F(DevmodeExchangeTest, DefaultPaperSettingsFollowTheLocale) {
  struct Case {
    const char16_t* paper;
    std::int32_t dmPaper;
  };
  for (const Case& c : {Case{u"1", 1}, Case{u"5", 5}, Case{u"8", 8}, Case{u"9", 9}, Case{nullptr, 9}}) {
    qvtest::SetFakePaperSize(c.paper);
    qv::PaperSettings s;
    std::memset(&s, 0x77, sizeof(s));
    qv::DefaultPaperSettings(&s);
    qv::PaperSettings expected;
    std::memset(&expected, 0, sizeof(expected));
    expected.fields = 0x202;
    expected.paperSize = c.dmPaper;
    expected.defaultSource = 7;
    EXPECT_EQ(0, std::memcmp(&expected, &s, sizeof(s))) << c.dmPaper;
  }
}

std::u16string Name(const char16_t* field, std::size_t length) {
  std::size_t n = 0;
  while (n < length && field[n] != 0) ++n;
  return std::u16string(field, n);
}

TEST_F(DevmodeExchangeTest, PublicToSettingsCopiesThePresentBitsOnly) {
  qv::PaperSettings s;
  std::memset(&s, 0, sizeof(s));
  s.fields = qv::kDmPaperLength | qv::kDmFormName | 0x40000000u;
  s.paperLength = 1234;
  PublicDevmode pub;
  pub.dmFields = qv::kDmPaperSize | qv::kDmPaperWidth | qv::kDmDefaultSource;
  pub.dmPaperSize = 9;
  pub.dmPaperWidth = -2;  // sign-extended
  pub.dmDefaultSource = 15;
  pub.dmPaperLength = 999;
  EXPECT_TRUE(qv::PublicToSettings(&s, &pub));
  EXPECT_EQ(qv::kDmPaperSize | qv::kDmPaperWidth | qv::kDmDefaultSource | 0x40000000u, std::uint32_t{s.fields});
  EXPECT_EQ(9, std::int32_t{s.paperSize});
  EXPECT_EQ(-2, std::int32_t{s.paperWidth});
  EXPECT_EQ(15, std::int32_t{s.defaultSource});
  EXPECT_EQ(1234, std::int32_t{s.paperLength}) << "absent bit leaves the value";

  // A form name that fills the DEVMODE field without a terminator is read 32 characters far.
  std::memset(&s, 0x7F, sizeof(s));
  pub.dmFields = qv::kDmFormName;
  for (char16_t& ch : pub.dmFormName) ch = u'F';
  EXPECT_TRUE(qv::PublicToSettings(&s, &pub));
  char16_t name[65];
  std::memcpy(name, reinterpret_cast<const unsigned char*>(&s) + 16, sizeof(name));
  EXPECT_EQ(std::u16string(32, u'F'), Name(name, 65));
  for (std::size_t i = 32; i < 65; ++i) EXPECT_EQ(0, name[i]);
  EXPECT_EQ(qv::kDmFormName, std::uint32_t{s.fields} & 0x1000E);

  EXPECT_FALSE(qv::PublicToSettings(&s, nullptr));
  EXPECT_FALSE(qv::PublicToSettings(nullptr, &pub));
}

TEST_F(DevmodeExchangeTest, SettingsToPublic) {
  qv::PaperSettings s;
  qv::DefaultPaperSettings(&s);  // fields 0x202
  PublicDevmode pub;
  pub.dmFields = qv::kDmPaperLength | qv::kDmPaperWidth | qv::kDmFormName | qv::kDmOrientation;
  pub.dmPaperLength = 50;
  pub.dmFormName[0] = u'x';
  EXPECT_TRUE(qv::SettingsToPublic(&s, &pub));
  EXPECT_EQ(qv::kDmPaperSize | qv::kDmDefaultSource | qv::kDmOrientation, pub.dmFields);
  EXPECT_EQ(9, pub.dmPaperSize);
  EXPECT_EQ(7, pub.dmDefaultSource);
  EXPECT_EQ(50, pub.dmPaperLength) << "cleared bit leaves the value";
  EXPECT_EQ(u'x', pub.dmFormName[0]);

  // Values are cut to 16 bits; a 40-character form name arrives as its first 31.
  s.fields = qv::kDmPaperLength | qv::kDmFormName;
  s.paperLength = 70000;
  char16_t name[65] = {};
  for (int i = 0; i < 40; ++i) name[i] = static_cast<char16_t>(u'A' + i % 26);
  std::memcpy(reinterpret_cast<unsigned char*>(&s) + 16, name, sizeof(name));
  for (char16_t& ch : pub.dmFormName) ch = u'?';
  EXPECT_TRUE(qv::SettingsToPublic(&s, &pub));
  EXPECT_EQ(static_cast<std::int16_t>(70000 & 0xFFFF), pub.dmPaperLength);
  EXPECT_EQ(std::u16string(name, 31), Name(pub.dmFormName, 32));
  EXPECT_EQ(0, pub.dmFormName[31]);
  EXPECT_EQ(qv::kDmPaperLength | qv::kDmFormName | qv::kDmOrientation, pub.dmFields);

  EXPECT_FALSE(qv::SettingsToPublic(&s, nullptr));
  EXPECT_FALSE(qv::SettingsToPublic(nullptr, &pub));
}

}  // namespace
