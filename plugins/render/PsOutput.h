// PostScript text that qvrender writes into a job: DSC header comments at the job's
// header-comment injection point and calls of the printer-resident TVOptions
// procedure set at the end of the document setup. Portable; the printer side parses
// these lines byte for byte, so their text must not change.
#pragma once

#include <cstdint>
#include <string>

#include "PrivateDevmode.h"

namespace qv {
struct OptionDescriptor;

namespace render {

// Injection points handled by HandleCommand (the driver's PSINJECT_* numbers).
constexpr std::uint32_t kInjectBeginStream = 1;
constexpr std::uint32_t kInjectPsAdobe = 2;
constexpr std::uint32_t kInjectComments = 11;
constexpr std::uint32_t kInjectBeginSetup = 16;
constexpr std::uint32_t kInjectEndSetup = 17;
constexpr std::uint32_t kInjectEndStream = 20;
constexpr std::uint32_t kInjectBeginPageSetup = 101;
constexpr std::uint32_t kErrorNotSupported = 50;  // ERROR_NOT_SUPPORTED

// What HandleCommand stores in the driver's result for an injection index:
// 0 at the points we take part in, ERROR_NOT_SUPPORTED elsewhere.
std::uint32_t InjectionResult(std::uint32_t index);

// Fills body for one injection call from the driver's private DEVMODE section
// (nullptr allowed): the record's body, repaired, when the header is ours with a size
// of at least 1056; the defaults otherwise. Reads its 4-byte dwSize first and at most
// 1053 bytes in all, and more than the dwSize only after it has shown that many exist.
void BuildWorkingBody(const void* section, PrivateDevmodeBody* body);

// One procedure-set call:
//   "mark { " V " /" name " /TVOptions /ProcSet findresource /setTVOptions get exec }"
//   " stopped pop cleartomark\n"
// V is "(" value ")" when every byte is 0-9, A-Z, a-z, '.', '-' or '"' (or the value is
// empty), "()" for nullptr, otherwise "<" upper-case hex of every byte ">".
// A nullptr name gives "".
std::string FormatPsOption(const char* name, const char* value);

// One DSC comment: "%%TAVIK-" key ": " W "\r\n"; W is the value when every byte is
// 0-9, A-Z or a-z (or empty, or nullptr → nothing), else "<" hex ">". nullptr key → "".
std::string FormatDscComment(const char* key, const char* value);

// The keyword of entry index when index < entryCount (nullptr if that entry has none),
// otherwise the decimal text of index - entryCount.
std::string ValueToKeyword(std::uint32_t index, const OptionDescriptor& descriptor,
                           bool* isNull = nullptr);

// Scaling of a stored value by numerator / denominator for the procedure set:
// N < D: N * (v + (D / N) / 2) / D, else N * v / D; truncating, no overflow.
std::uint64_t ScaleUnsigned(std::uint32_t value, std::uint32_t numerator,
                            std::uint32_t denominator);
std::int64_t ScaleSigned(std::int32_t value, std::uint32_t numerator,
                         std::uint32_t denominator);

// The closing line of the setup block.
extern const char kSetPageDeviceLine[];

// All procedure-set lines for body, in body order, then kSetPageDeviceLine; "" when no
// option produced a line (never with the present tables: Orientation always does).
std::string BuildSetupOptions(const PrivateDevmodeBody& body);

// The DSC lines of every option that has a DSC key, in body order.
std::string BuildDscComments(const PrivateDevmodeBody& body);

}  // namespace render
}  // namespace qv
