// PPD feature selections: the job-option record turned into (PPD feature keyword,
// option keyword) pairs for the core PostScript driver. Portable.
//
// Entry points:
//   BuildFeatureOptions(record, &list)        the 68 pairs of a record, in fixed order
//   SelectionBufferSize(list)                 bytes of the driver's selection buffer
//   WriteSelectionBuffer(list, buffer, size)  "feature\0option\0" ... "\0"
//   SendFeatureOptions(record, sink[, memory]) builds, writes and hands the buffer to a
//                                             FeatureOptionSink; false (nothing sent) when
//                                             memory for the list or buffer is missing
//   SnapToList(list, count, value)            nearest preset; three forms (uint32,
//                                             uint16 compared as 32-bit, int32)
// The Windows shell (win/FeatureOptionPush.h) puts IPrintCoreUI2::SetOptions behind
// FeatureOptionSink as PushFeatureOptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "PrivateDevmode.h"

namespace qv {
namespace ui {

struct FeatureOption {
  std::string feature;  // PPD feature keyword, e.g. "TVOrientation"
  std::string option;   // option keyword, e.g. "Port"
};
using FeatureOptionList = std::vector<FeatureOption>;

// Number of pairs every record gives: each option sent has a PPD feature keyword.
constexpr std::size_t kFeatureOptionCount = 68;

// Replaces list's contents with the selections of record. The record is only read; its
// text fields need no terminator (at most their field width is read). May throw
// std::bad_alloc.
void BuildFeatureOptions(const PrivateDevmodeBody& record, FeatureOptionList* list);

// Sum over the pairs of (feature length + option length + 2), plus the final zero byte.
std::size_t SelectionBufferSize(const FeatureOptionList& list);

// Writes the pairs as feature, zero, option, zero, ... and the final zero into buffer.
// Writes nothing and answers false when size is not SelectionBufferSize(list).
bool WriteSelectionBuffer(const FeatureOptionList& list, char* buffer, std::size_t size);

// The core driver's end of the push (IPrintCoreUI2::SetOptions on Windows). What the
// driver answers is not examined.
class FeatureOptionSink {
 public:
  virtual ~FeatureOptionSink() = default;
  virtual void SetOptions(const char* buffer, std::uint32_t size) = 0;
};

// Where the selection buffer comes from; allocate answers nullptr when it cannot.
struct SelectionMemory {
  void* (*allocate)(std::size_t size);
  void (*release)(void* block);
};
SelectionMemory DefaultSelectionMemory();  // malloc / free

// Builds the selections of record, writes them into a buffer from memory and calls
// sink.SetOptions once with it. True when the selections were handed over. When memory
// for the list or the buffer cannot be obtained nothing is sent and the answer is false;
// no exception leaves this function.
bool SendFeatureOptions(const PrivateDevmodeBody& record, FeatureOptionSink& sink,
                        const SelectionMemory& memory = DefaultSelectionMemory());

// The member of an ascending list of count values (count >= 2) nearest to value; an
// exact tie goes to the upper member. Values below the first member give the first,
// values above the last give the last. The unsigned forms compare unsigned (the list's
// members read as 32-bit unsigned), the signed form signed. A null list or count 0
// gives value back; count 1 gives the one member.
std::uint32_t SnapToList(const std::int32_t* list, std::size_t count, std::uint32_t value);
std::uint32_t SnapToList(const std::int32_t* list, std::size_t count, std::uint16_t value);
std::int32_t SnapToList(const std::int32_t* list, std::size_t count, std::int32_t value);

}  // namespace ui
}  // namespace qv
