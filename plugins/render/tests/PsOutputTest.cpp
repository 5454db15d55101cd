// The PostScript text qvrender writes, checked byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "OptionDescriptors.h"
#include "ExpectedSetup.h"
#include "PsOutput.h"

namespace qv {
namespace render {
namespace {

using expected::DefaultSetupLines;
using expected::Join;
using expected::kDefaultSetup;
using expected::Line;

PrivateDevmodeBody Defaults() {
  PrivateDevmodeBody body;
  DefaultPrivateDevmode(&body);
  return body;
}

void SetText(char* field, std::size_t width, const char* text) {
  std::memset(field, 0, width);
  std::memcpy(field, text, std::min(std::strlen(text), width - 1));
}

TEST(PsOutput, DefaultRecordWritesTheDocumentedBlocks) {
  const PrivateDevmodeBody body = Defaults();
  EXPECT_EQ(BuildSetupOptions(body), Join(DefaultSetupLines()));
  EXPECT_EQ(BuildDscComments(body), expected::kDefaultDsc);
}

TEST(PsOutput, FormatPsOptionValueForms) {
  struct Case {
    const char* value;
    const char* expected;
  } const cases[] = {
      {nullptr, "()"},
      {"", "()"},
      {"Port", "(Port)"},
      {"-999", "(-999)"},
      {"a.b\"c-9", "(a.b\"c-9)"},
      {"12 34", "<3132203334>"},
      {"PC_01", "<50435F3031>"},
      {"(x)", "<287829>"},
      {"a\\b", "<615C62>"},
      {"\xC3\xBC", "<C3BC>"},
      {"\x7F", "<7F>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(FormatPsOption("Name", c.value), Line(c.expected, "Name"));
  }
  EXPECT_EQ(FormatPsOption(nullptr, "x"), "");
}

TEST(PsOutput, FormatDscCommentValueForms) {
  struct Case {
    const char* value;
    const char* expected;
  } const cases[] = {
      {nullptr, "%%TAVIK-K: \r\n"},
      {"", "%%TAVIK-K: \r\n"},
      {"Normal", "%%TAVIK-K: Normal\r\n"},
      {"rush job", "%%TAVIK-K: <72757368206A6F62>\r\n"},
      {"Report.pdf", "%%TAVIK-K: <5265706F72742E706466>\r\n"},
      {"m\xC3\xBCller", "%%TAVIK-K: <6DC3BC6C6C6572>\r\n"},
      {"a-b", "%%TAVIK-K: <612D62>\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(FormatDscComment("K", c.value), c.expected);
  }
  EXPECT_EQ(FormatDscComment(nullptr, "x"), "");
}

TEST(PsOutput, ValueToKeyword) {
  EXPECT_EQ(ValueToKeyword(0, desc::Form1), "NoForm");
  EXPECT_EQ(ValueToKeyword(10, desc::Form1), "Custom10");
  EXPECT_EQ(ValueToKeyword(11, desc::Form1), "0");
  EXPECT_EQ(ValueToKeyword(13, desc::Form1), "2");
  EXPECT_EQ(ValueToKeyword(0xFFFFFFFFu, desc::Form1), "4294967284");
  bool isNull = false;
  EXPECT_EQ(ValueToKeyword(0, desc::InputSlot, &isNull), "");
  EXPECT_TRUE(isNull);
}

TEST(PsOutput, ScalingTable) {
  struct Unsigned {
    std::uint32_t v, n, d;
    std::uint64_t expected;
  } const u[] = {
      {2539, 1000, 2540, 1000}, {129032, 1000, 2540, 50800}, {0, 1000, 2540, 0},
      {297000, 1000, 1000, 297000}, {4294966295u, 1000, 1000, 4294966295u},
      {0xFFFFFFFFu, 1000, 2540, 1690932006}, {100, 1, 1, 100}, {9999, 1, 1, 9999},
  };
  for (const auto& c : u) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(ScaleUnsigned(c.v, c.n, c.d), c.expected);
  }
  struct Signed {
    std::int32_t v;
    std::int64_t expected;
  } const s[] = {
      {-2540, -999}, {645160, 254000}, {-645159, -253999}, {0, 0}, {-1, 0}, {2539, 1000},
  };
  for (const auto& c : s) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(ScaleSigned(c.v, 1000, 2540), c.expected);
  }
  // Tables never hold these; the answer is defined instead of a division by zero.
  EXPECT_EQ(ScaleUnsigned(5, 0, 10), 0u);
  EXPECT_EQ(ScaleUnsigned(5, 10, 0), 5u);
}

// Values that reach the setup block: the block is the default one with the changed
// lines; `insertAfter` names the line the extra one follows ("" = a line replaced).
TEST(PsOutput, ConditionalAndChangedLines) {
  struct Case {
    const char* what;
    void (*change)(PrivateDevmodeBody&);
    const char* after;   // extra line goes after this option's line, or null
    const char* replaced;  // or this option's line is replaced
    std::string line;
  };
  const Case cases[] = {
      {"custom target paper",
       [](PrivateDevmodeBody& b) {
         b.TargetPaperSize = 20;  // the writer takes the record as validated; no extents here
       },
       "GutterDistance", nullptr, Line("(Custom)", "TargetPaperSize")},
      {"Form1 13", [](PrivateDevmodeBody& b) { b.Form1 = 13; }, "SimulationProfile", nullptr,
       Line("(2)", "Form1")},
      {"AppendJob 11", [](PrivateDevmodeBody& b) { b.AppendJob = 11; }, "SimulationProfile",
       nullptr, Line("(0)", "AppendJob")},
      {"unlisted RGB profile",
       [](PrivateDevmodeBody& b) {
         SetText(b.RGBInputProfile, sizeof b.RGBInputProfile, "0123456789ABCDEF0123456789ABCDEF");
       },
       "BlackGamma", nullptr, Line("(0123456789ABCDEF0123456789ABCDEF)", "RGBInputProfile")},
      {"unlisted output profile",
       [](PrivateDevmodeBody& b) {
         SetText(b.OutputProfile, sizeof b.OutputProfile, "11111111111111111111111111111111");
       },
       "BlackGamma", nullptr, Line("(11111111111111111111111111111111)", "OutputProfile")},
      {"gutter", [](PrivateDevmodeBody& b) { b.GutterDistance = 2539; }, nullptr,
       "GutterDistance", Line("(1000)", "GutterDistance")},
      {"shift", [](PrivateDevmodeBody& b) { b.HorizontalShift = -2540; }, nullptr,
       "HorizontalShift", Line("(-999)", "HorizontalShift")},
      {"box number",
       [](PrivateDevmodeBody& b) {
         SetText(b.PrivatePrintingBoxNumber, sizeof b.PrivatePrintingBoxNumber, "12 34");
       },
       nullptr, "PrivatePrintingBoxNumber", Line("<3132203334>", "PrivatePrintingBoxNumber")},
      {"message target",
       [](PrivateDevmodeBody& b) {
         SetText(b.SendWindowsMessageTarget, sizeof b.SendWindowsMessageTarget, "PC_01");
       },
       nullptr, "SendWindowsMessageTarget", Line("<50435F3031>", "SendWindowsMessageTarget")},
      {"target width", [](PrivateDevmodeBody& b) { b.TargetPaperSizeWidth = 4294966295u; },
       nullptr, "TargetPaperSizeWidth", Line("(4294966295)", "TargetPaperSizeWidth")},
      {"landscape", [](PrivateDevmodeBody& b) { b.Orientation = 1; }, nullptr, "Orientation",
       Line("(Land)", "Orientation")},
      {"use simulation profile, any nonzero byte",
       [](PrivateDevmodeBody& b) { b.UseSimulationProfile = 7; }, nullptr,
       "UseSimulationProfile", Line("(True)", "UseSimulationProfile")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PrivateDevmodeBody body = Defaults();
    c.change(body);
    std::vector<std::string> lines = DefaultSetupLines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string name = kDefaultSetup[i].name;
      if (c.replaced && name == c.replaced) lines[i] = c.line;
      if (c.after && name == c.after) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, c.line);
        break;
      }
    }
    EXPECT_EQ(BuildSetupOptions(body), Join(lines));
  }
}

TEST(PsOutput, ValuesThePpdCarriesAddNoLine) {
  const std::string defaults = Join(DefaultSetupLines());
  struct Case {
    const char* what;
    void (*change)(PrivateDevmodeBody&);
  } const cases[] = {
      {"target paper 19", [](PrivateDevmodeBody& b) { b.TargetPaperSize = 19; }},
      {"target paper 21", [](PrivateDevmodeBody& b) { b.TargetPaperSize = 21; }},
      {"Form1 10", [](PrivateDevmodeBody& b) { b.Form1 = 10; }},
      {"listed CMYK profile",
       [](PrivateDevmodeBody& b) {
         SetText(b.CMYKInputProfile, sizeof b.CMYKInputProfile, "B465D02C4E2EBCA02FD4771A1C8578B3");
       }},
      {"duplex", [](PrivateDevmodeBody& b) { b.Duplex = 2; }},
      {"redirect queue", [](PrivateDevmodeBody& b) {
         SetText(b.RedirectToQueue, sizeof b.RedirectToQueue, "Weird Queue");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PrivateDevmodeBody body = Defaults();
    c.change(body);
    EXPECT_EQ(BuildSetupOptions(body), defaults);
  }
}

TEST(PsOutput, DscBlockCarriesTheTicketOptions) {
  PrivateDevmodeBody body = Defaults();
  SetText(body.RedirectToQueue, sizeof body.RedirectToQueue, "Normal");
  SetText(body.QueueCodeWord, sizeof body.QueueCodeWord, "abc12345");
  body.PrintAndHold = 1;
  SetText(body.JobComment, sizeof body.JobComment, "rush job");
  EXPECT_EQ(BuildDscComments(body),
            "%%TAVIK-Redirect-To-Queue: Normal\r\n"
            "%%TAVIK-Queue-Code-Word: abc12345\r\n"
            "%%TAVIK-Print-And-Hold: True\r\n"
            "%%TAVIK-Job-Comment: <72757368206A6F62>\r\n");
}

// The section as the driver hands it: our header and a body, with guard space so that
// a read past 1056 bytes would show under the address sanitizer.
struct Section {
  DmExtraHeader header;
  PrivateDevmodeBody body;
  unsigned char padding[3];
};

TEST(PsOutput, WorkingBodyTakesOnlyOurRecord) {
  const std::string defaults = BuildSetupOptions(Defaults());
  struct Case {
    const char* what;
    std::uint32_t size, signature, version;
    bool ours;
  } const cases[] = {
      {"ours", 1056, kPrivateDevmodeSignature, kPrivateDevmodeVersion, true},
      {"larger size still ours", 2000, kPrivateDevmodeSignature, kPrivateDevmodeVersion, true},
      {"short size", 1055, kPrivateDevmodeSignature, kPrivateDevmodeVersion, false},
      {"other version", 1056, kPrivateDevmodeSignature, 0x10410440, false},
      {"other signature", 1056, 0x47525654, kPrivateDevmodeVersion, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Section s;
    std::memset(&s, 0, sizeof s);
    s.header = {c.size, c.signature, c.version};
    DefaultPrivateDevmode(&s.body);
    s.body.Zoom = 0;  // invalid: repaired to 100 in the working copy
    s.body.Orientation = 1;
    PrivateDevmodeBody work;
    BuildWorkingBody(&s, &work);
    std::string expected = defaults;
    if (c.ours) expected.replace(expected.find("(Port)"), 6, "(Land)");
    EXPECT_EQ(BuildSetupOptions(work), expected);
    EXPECT_EQ(s.body.Zoom, 0) << "the driver's record is never changed";
  }
  PrivateDevmodeBody work;
  BuildWorkingBody(nullptr, &work);
  EXPECT_EQ(BuildSetupOptions(work), defaults);

  // A section that is only as long as the size it declares is read no further (the
  // address sanitizer sees a read past the 4 bytes).
  std::unique_ptr<unsigned char[]> tiny(new unsigned char[4]);
  const std::uint32_t four = 4;
  std::memcpy(tiny.get(), &four, sizeof four);
  BuildWorkingBody(tiny.get(), &work);
  EXPECT_EQ(BuildSetupOptions(work), defaults);
}

TEST(PsOutput, InjectionResults) {
  struct Case {
    std::uint32_t index, result;
  } const cases[] = {{1, 50}, {2, 0}, {11, 0}, {16, 0}, {17, 0}, {20, 0}, {101, 0},
                     {0, 50}, {3, 50}, {12, 50}, {100, 50}, {102, 50}, {0xFFFFFFFF, 50}};
  for (const Case& c : cases) EXPECT_EQ(InjectionResult(c.index), c.result) << c.index;
}

}  // namespace
}  // namespace render
}  // namespace qv

namespace qv {
namespace render {
namespace {

// Records from other writers may hold anything: the builders read every field within
// its own width (texts need no terminator), and a repaired record gives the fixed set
// of lines plus only the conditional ones.
TEST(PsOutput, ArbitraryBodiesStayWithinTheirFields) {
  std::uint32_t seed = 12345;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return static_cast<unsigned char>(seed >> 16);
  };
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    PrivateDevmodeBody raw;
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&raw);
    for (std::size_t i = 0; i < sizeof raw; ++i) bytes[i] = round % 3 == 0 ? 0xFF : next();
    const std::string unrepaired = BuildSetupOptions(raw);
    EXPECT_NE(unrepaired.find(expected::kClosing), std::string::npos);
    BuildDscComments(raw);

    Section s;
    s.header = {kPrivateDevmodeSize, kPrivateDevmodeSignature, kPrivateDevmodeVersion};
    s.body = raw;
    PrivateDevmodeBody work;
    BuildWorkingBody(&s, &work);
    const std::string setup = BuildSetupOptions(work);
    const auto lines = static_cast<std::size_t>(std::count(setup.begin(), setup.end(), '\n'));
    // 23 fixed lines, up to 9 conditional ones (target paper, 4 profiles, 4 forms), closing.
    EXPECT_GE(lines, 24u);
    EXPECT_LE(lines, 33u);
    const std::string dsc = BuildDscComments(work);
    EXPECT_EQ(std::count(dsc.begin(), dsc.end(), '\n'), 4);
  }
}

}  // namespace
}  // namespace render
}  // namespace qv
