#include "PsOutput.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "OptionDescriptors.h"

namespace qv {
namespace render {
namespace {

// How a body field turns into text. The body is packed, so every multi-byte field is
// read through memcpy at its offset.
enum class Kind {
  Skip,             // PageSize: never offered
  Bool,             // byte; zero → entry 0, anything else → entry 1
  List,             // byte index into the descriptor's entries
  Orientation,      // list, but always sent
  TargetPaperSize,  // list; only the custom-size value 20 is sent
  Form,             // 32-bit; values beyond the list are sent as value - entryCount
  Profile,          // text holding an id; sent unless the PPD list carries it
  Unsigned32,
  Unsigned16,
  Signed32,
  Text,
};

struct Field {
  Kind kind;
  std::size_t offset;
  std::size_t width;  // bytes of the field (text fields: including the terminator)
  const void* descriptor;
};

#define QV_FIELD(kind, name) \
  { Kind::kind, offsetof(PrivateDevmodeBody, name), sizeof(PrivateDevmodeBody::name), &desc::name }

// Every body field in body order.
constexpr Field kFields[] = {
    QV_FIELD(Skip, PageSize),
    QV_FIELD(Unsigned32, PageSizeWidth),
    QV_FIELD(Unsigned32, PageSizeHeight),
    QV_FIELD(Orientation, Orientation),
    QV_FIELD(List, InputSlot),
    QV_FIELD(List, MediaType),
    QV_FIELD(List, Duplex),
    QV_FIELD(List, Imposition),
    QV_FIELD(List, ImpositionDirection),
    QV_FIELD(Unsigned32, GutterDistance),
    QV_FIELD(Bool, GutterAutoReducing),
    QV_FIELD(List, NupPageOrder),
    QV_FIELD(List, NupPagesPerSheet),
    QV_FIELD(TargetPaperSize, TargetPaperSize),
    QV_FIELD(Unsigned32, TargetPaperSizeWidth),
    QV_FIELD(Unsigned32, TargetPaperSizeHeight),
    QV_FIELD(Bool, ScaleToFit),
    QV_FIELD(Unsigned16, Zoom),
    QV_FIELD(Bool, Rotate180),
    QV_FIELD(List, OutputTray),
    QV_FIELD(List, FinishSide),
    QV_FIELD(List, StapleMode),
    QV_FIELD(List, PunchMode),
    QV_FIELD(List, FoldMode),
    QV_FIELD(List, FoldInOut),
    QV_FIELD(Bool, ZFoldMixed),
    QV_FIELD(Bool, ZFoldRotateBig),
    QV_FIELD(List, OutputFace),
    QV_FIELD(Bool, ReverseOrder),
    QV_FIELD(List, Collate),
    QV_FIELD(Bool, JogMode),
    QV_FIELD(List, JobSepSheet),
    QV_FIELD(List, BookletSplitting),
    QV_FIELD(Bool, HeaderPage),
    QV_FIELD(List, FrontCover),
    QV_FIELD(List, BackCover),
    QV_FIELD(List, BookletCover),
    QV_FIELD(List, Resolution),
    QV_FIELD(List, OutputMode),
    QV_FIELD(List, Screening),
    QV_FIELD(List, ScreenFreq),
    QV_FIELD(List, LineSmoothing),
    QV_FIELD(List, GCDensity),
    QV_FIELD(List, GCContrast),
    QV_FIELD(List, PrintDensity),
    QV_FIELD(List, MaxDrops),
    QV_FIELD(Unsigned16, CyanGamma),
    QV_FIELD(Unsigned16, MagentaGamma),
    QV_FIELD(Unsigned16, YellowGamma),
    QV_FIELD(Unsigned16, BlackGamma),
    QV_FIELD(List, RenderingIntent),
    QV_FIELD(Bool, RemapDeviceRGB),
    QV_FIELD(Profile, RGBInputProfile),
    QV_FIELD(List, RemapDeviceCMYK),
    QV_FIELD(Profile, CMYKInputProfile),
    QV_FIELD(Profile, OutputProfile),
    QV_FIELD(Bool, SeparateProfileTG),
    QV_FIELD(Profile, TextOutputProfile),
    QV_FIELD(Bool, UseSimulationProfile),
    QV_FIELD(Profile, SimulationProfile),
    QV_FIELD(List, FormPrintPattern),
    QV_FIELD(List, FormDataPrintFace),
    QV_FIELD(Bool, FormFrontBackSep),
    QV_FIELD(Form, Form1),
    QV_FIELD(Form, Form2),
    QV_FIELD(Form, PrependJob),
    QV_FIELD(Form, AppendJob),
    QV_FIELD(Signed32, HorizontalShift),
    QV_FIELD(Signed32, VerticalShift),
    QV_FIELD(Bool, ShiftFrontBack),
    QV_FIELD(Signed32, HoriShiftBack),
    QV_FIELD(Signed32, VertiShiftBack),
    QV_FIELD(List, PrintPosition),
    QV_FIELD(List, OutputDev),
    QV_FIELD(Profile, RedirectToQueue),  // a text described by a list of suggestions
    QV_FIELD(Text, QueueCodeWord),
    QV_FIELD(Bool, PrintAndHold),
    QV_FIELD(Bool, WaitAfterProof),
    QV_FIELD(Bool, PrivatePrinting),
    QV_FIELD(Text, PrivatePrintingBoxNumber),
    QV_FIELD(Bool, Delegation),
    QV_FIELD(List, SendWindowsMessage),
    QV_FIELD(Text, SendWindowsMessageTarget),
    QV_FIELD(List, EmailNotification),
    QV_FIELD(Text, EmailNotificationAddress),
    QV_FIELD(List, JobSplitting),
    QV_FIELD(Unsigned16, JobSplittingLimit),
    QV_FIELD(Text, JobComment),
};
#undef QV_FIELD

// The field table must cover the whole body, contiguous and in order.
constexpr bool FieldsCoverBody() {
  std::size_t next = 0;
  for (const Field& f : kFields) {
    if (f.offset != next) return false;
    next += f.width;
  }
  return next == kPrivateDevmodeBodySize;
}
static_assert(FieldsCoverBody(), "field table out of step with PrivateDevmodeBody");

const std::uint8_t* FieldBytes(const PrivateDevmodeBody& body, const Field& f) {
  return reinterpret_cast<const std::uint8_t*>(&body) + f.offset;
}

std::uint32_t ReadUnsigned(const PrivateDevmodeBody& body, const Field& f) {
  const std::uint8_t* p = FieldBytes(body, f);
  if (f.width == 1) return p[0];
  if (f.width == 2) {
    std::uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::int32_t ReadSigned(const PrivateDevmodeBody& body, const Field& f) {
  std::int32_t v;
  std::memcpy(&v, FieldBytes(body, f), sizeof v);
  return v;
}

// A text field as a string: up to its terminator, never beyond the field.
std::string ReadText(const PrivateDevmodeBody& body, const Field& f) {
  const char* p = reinterpret_cast<const char*>(FieldBytes(body, f));
  std::size_t n = 0;
  while (n < f.width && p[n] != '\0') ++n;
  return std::string(p, n);
}

std::string Decimal(std::uint64_t v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(v));
  return buf;
}

std::string DecimalSigned(std::int64_t v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v));
  return buf;
}

bool IsAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void AppendHex(std::string& out, const char* text) {
  static const char kDigits[] = "0123456789ABCDEF";
  out += '<';
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    out += kDigits[*p >> 4];
    out += kDigits[*p & 0x0F];
  }
  out += '>';
}

// A value text that may be absent (nullptr).
struct Value {
  bool present = false;
  std::string text;
  static Value Of(std::string s) { return Value{true, std::move(s)}; }
  static Value Keyword(const char* k) { return k ? Of(k) : Value{}; }
  const char* c_str() const { return present ? text.c_str() : nullptr; }
};

Value EntryKeyword(const OptionDescriptor& d, std::uint32_t index) {
  bool isNull = false;
  std::string s = ValueToKeyword(index, d, &isNull);
  return isNull ? Value{} : Value::Of(std::move(s));
}

bool ProfileIsListed(const OptionDescriptor& d, const std::string& text) {
  for (std::uint32_t i = 0; i < d.entryCount && i < kMaxOptionEntries; ++i) {
    const char* k = d.entries[i].keyword;
    if (k && text == k) return true;
  }
  return false;
}

std::string NumericText(const PrivateDevmodeBody& body, const Field& f) {
  const auto& d = *static_cast<const NumericOptionDescriptor*>(f.descriptor);
  if (f.kind == Kind::Signed32)
    return DecimalSigned(ScaleSigned(ReadSigned(body, f), d.numerator, d.denominator));
  return Decimal(ScaleUnsigned(ReadUnsigned(body, f), d.numerator, d.denominator));
}

bool IsNumeric(Kind k) {
  return k == Kind::Unsigned32 || k == Kind::Unsigned16 || k == Kind::Signed32;
}

}  // namespace

const char kSetPageDeviceLine[] =
    "mark { << /PageSize TVOptionFeatures /PageSize get /ValAsArray get >> setpagedevice }"
    " stopped pop cleartomark\n";

std::uint32_t InjectionResult(std::uint32_t index) {
  switch (index) {
    case kInjectPsAdobe:
    case kInjectComments:
    case kInjectBeginSetup:
    case kInjectEndSetup:
    case kInjectEndStream:
    case kInjectBeginPageSetup:
      return 0;
    default:
      return kErrorNotSupported;
  }
}

void BuildWorkingBody(const void* section, PrivateDevmodeBody* body) {
  if (!body) return;
  if (section) {
    // The size is read alone first: a section that declares less than our record is
    // not read any further.
    DmExtraHeader header;
    std::memcpy(&header.dwSize, section, sizeof header.dwSize);
    if (header.dwSize >= kPrivateDevmodeSize) std::memcpy(&header, section, sizeof header);
    if (header.dwSize >= kPrivateDevmodeSize && header.dwSignature == kPrivateDevmodeSignature &&
        header.dwVersion == kPrivateDevmodeVersion) {
      std::memcpy(body, static_cast<const std::uint8_t*>(section) + sizeof header,
                  kPrivateDevmodeBodySize);
      ValidatePrivateDevmode(body);  // repairs in place; the answer changes nothing here
      return;
    }
  }
  DefaultPrivateDevmode(body);
}

std::string FormatPsOption(const char* name, const char* value) {
  if (!name) return std::string();
  std::string out = "mark { ";
  if (!value) {
    out += "()";
  } else {
    bool plain = true;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(value); *p; ++p) {
      if (!(IsAlnum(*p) || *p == '.' || *p == '-' || *p == '"')) {
        plain = false;
        break;
      }
    }
    if (plain) {
      out += '(';
      out += value;
      out += ')';
    } else {
      AppendHex(out, value);
    }
  }
  out += " /";
  out += name;
  out += " /TVOptions /ProcSet findresource /setTVOptions get exec } stopped pop cleartomark\n";
  return out;
}

std::string FormatDscComment(const char* key, const char* value) {
  if (!key) return std::string();
  std::string out = "%%TAVIK-";
  out += key;
  out += ": ";
  if (value) {
    bool plain = true;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(value); *p; ++p) {
      if (!IsAlnum(*p)) {
        plain = false;
        break;
      }
    }
    if (plain)
      out += value;
    else
      AppendHex(out, value);
  }
  out += "\r\n";
  return out;
}

std::string ValueToKeyword(std::uint32_t index, const OptionDescriptor& descriptor,
                           bool* isNull) {
  if (isNull) *isNull = false;
  // entryCount never exceeds the capacity; the bound keeps a damaged table in range.
  if (index < descriptor.entryCount && index < kMaxOptionEntries) {
    const char* k = descriptor.entries[index].keyword;
    if (!k) {
      if (isNull) *isNull = true;
      return std::string();
    }
    return k;
  }
  return Decimal(static_cast<std::uint64_t>(index) - descriptor.entryCount);
}

std::uint64_t ScaleUnsigned(std::uint32_t value, std::uint32_t numerator,
                            std::uint32_t denominator) {
  if (denominator == 0) return value;  // no such table; keep the value rather than trap
  if (numerator == 0) return 0;
  std::uint64_t v = value;
  if (numerator < denominator) v += (denominator / numerator) / 2;
  // v < 2^33 and N < 2^32: split v so that no partial product exceeds 64 bits.
  const std::uint64_t q = v / denominator, r = v % denominator;
  return q * numerator + (r * numerator) / denominator;
}

std::int64_t ScaleSigned(std::int32_t value, std::uint32_t numerator,
                         std::uint32_t denominator) {
  if (denominator == 0) return value;
  if (numerator == 0) return 0;
  std::int64_t v = value;
  if (numerator < denominator) v += (denominator / numerator) / 2;
  // |v| < 2^32: split as above; C++ division truncates toward zero, and so does the
  // sum because quotient and remainder carry the same sign.
  const std::int64_t d = denominator, n = numerator;
  const std::int64_t q = v / d, r = v % d;
  return q * n + (r * n) / d;
}

std::string BuildSetupOptions(const PrivateDevmodeBody& body) {
  std::string out;
  for (const Field& f : kFields) {
    switch (f.kind) {
      case Kind::Skip:
        break;
      case Kind::Bool:
      case Kind::List: {
        const auto& d = *static_cast<const OptionDescriptor*>(f.descriptor);
        if (d.ppdKeyword || !d.optionName) break;
        std::uint32_t v = ReadUnsigned(body, f);
        if (f.kind == Kind::Bool) v = v ? 1 : 0;
        out += FormatPsOption(d.optionName, EntryKeyword(d, v).c_str());
        break;
      }
      case Kind::Orientation: {
        const auto& d = *static_cast<const OptionDescriptor*>(f.descriptor);
        out += FormatPsOption(d.optionName, EntryKeyword(d, ReadUnsigned(body, f)).c_str());
        break;
      }
      case Kind::TargetPaperSize: {
        const auto& d = *static_cast<const OptionDescriptor*>(f.descriptor);
        if (ReadUnsigned(body, f) == 20) out += FormatPsOption(d.optionName, "Custom");
        break;
      }
      case Kind::Form: {
        const auto& d = *static_cast<const OptionDescriptor*>(f.descriptor);
        const std::uint32_t v = ReadUnsigned(body, f);
        if (v >= d.entryCount) out += FormatPsOption(d.optionName, EntryKeyword(d, v).c_str());
        break;
      }
      case Kind::Profile: {
        const auto& d = *static_cast<const OptionDescriptor*>(f.descriptor);
        if (!d.optionName) break;
        const std::string text = ReadText(body, f);
        if (d.ppdKeyword && ProfileIsListed(d, text)) break;
        out += FormatPsOption(d.optionName, text.c_str());
        break;
      }
      case Kind::Unsigned32:
      case Kind::Unsigned16:
      case Kind::Signed32: {
        const auto& d = *static_cast<const NumericOptionDescriptor*>(f.descriptor);
        if (d.optionName) out += FormatPsOption(d.optionName, NumericText(body, f).c_str());
        break;
      }
      case Kind::Text: {
        const auto& d = *static_cast<const TextOptionDescriptor*>(f.descriptor);
        if (d.optionName) out += FormatPsOption(d.optionName, ReadText(body, f).c_str());
        break;
      }
    }
  }
  if (!out.empty()) out += kSetPageDeviceLine;
  return out;
}

std::string BuildDscComments(const PrivateDevmodeBody& body) {
  std::string out;
  for (const Field& f : kFields) {
    if (f.kind == Kind::Skip) continue;
    if (IsNumeric(f.kind)) {
      const auto& d = *static_cast<const NumericOptionDescriptor*>(f.descriptor);
      if (d.dscKey) out += FormatDscComment(d.dscKey, NumericText(body, f).c_str());
    } else if (f.kind == Kind::Text) {
      const auto& d = *static_cast<const TextOptionDescriptor*>(f.descriptor);
      if (d.dscKey) out += FormatDscComment(d.dscKey, ReadText(body, f).c_str());
    } else {
      const auto& d = *static_cast<const OptionDescriptor*>(f.descriptor);
      if (!d.dscKey) continue;
      std::string value;
      const std::uint32_t v = ReadUnsigned(body, f);
      if (f.kind == Kind::Bool)
        value = v ? "True" : "False";
      else if (f.kind == Kind::Profile)
        value = ReadText(body, f);
      else
        value = Decimal(v);  // list index, or the 32-bit form value
      out += FormatDscComment(d.dscKey, value.c_str());
    }
  }
  return out;
}

}  // namespace render
}  // namespace qv
