// Custom papers and forms: the list of custom papers a printer keeps in its printer data
// value "LastCustomPapers", mirrored as forms in the spooler's form database, and the
// events that reset it to the two device-extent records "Maximum" and "Minimum".
// Portable: the spooler is reached through PaperSpooler (one opened printer) and
// PrinterDirectory (opening printers by name); win/Papers.h binds them to winspool.
//
// Entry points (all take the seam; a null PaperSpooler stands for a missing handle):
//   HasCustomPapers(printer)              value present with a usable size
//   LoadCustomPapers(printer, &list)      appends the stored records, extents refreshed
//   SaveCustomPapers(printer, list)       stores list + fresh Maximum/Minimum, syncs forms
//   SyncForm(printer, record)             adds or updates one record's form
//   GetMaxExtent / GetMinExtent(printer)  device extents, tenths of a millimetre
//   OpenPrinterByName(directory, name)    exact name, else the first openable prefix match
//   HandlePrinterEvent(directory, name)   any printer event: reset the list
//   HandleUpgradePrinter(directory, name) reset unless a usable value exists
// Units: record sizes and margins in micrometres; extents in tenths of a millimetre.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {
namespace ui {

constexpr std::size_t kPaperNameLength = 65;  // UTF-16 characters in the name field

#pragma pack(push, 1)
// One custom paper as stored back to back in "LastCustomPapers" (little-endian, packed).
struct CustomPaperRecord {
  std::uint8_t reserved0;        // 0 in the records we write
  std::uint32_t reserved1;       // 0 in the records we write
  std::uint32_t length;          // µm
  std::uint32_t width;           // µm
  char16_t name[kPaperNameLength];  // zero-terminated within the field; the list's key
  std::int32_t leftMargin;       // µm
  std::int32_t rightMargin;      // µm
  std::int32_t topMargin;        // µm
  std::int32_t bottomMargin;     // µm
  std::uint32_t reserved2;       // 0 in the records we write
};
#pragma pack(pop)

static_assert(sizeof(CustomPaperRecord) == 163, "stored record is 163 bytes");
static_assert(alignof(CustomPaperRecord) == 1, "packed");
static_assert(offsetof(CustomPaperRecord, reserved1) == 1, "stored layout");
static_assert(offsetof(CustomPaperRecord, length) == 5, "stored layout");
static_assert(offsetof(CustomPaperRecord, width) == 9, "stored layout");
static_assert(offsetof(CustomPaperRecord, name) == 13, "stored layout");
static_assert(offsetof(CustomPaperRecord, leftMargin) == 143, "stored layout");
static_assert(offsetof(CustomPaperRecord, rightMargin) == 147, "stored layout");
static_assert(offsetof(CustomPaperRecord, topMargin) == 151, "stored layout");
static_assert(offsetof(CustomPaperRecord, bottomMargin) == 155, "stored layout");
static_assert(offsetof(CustomPaperRecord, reserved2) == 159, "stored layout");

constexpr std::uint32_t kCustomPaperRecordSize = sizeof(CustomPaperRecord);
extern const char16_t kMaximumPaperName[];  // u"Maximum"
extern const char16_t kMinimumPaperName[];  // u"Minimum"

using CustomPaperList = std::vector<CustomPaperRecord>;

// The record's name: at most 64 characters, up to its first zero (a stored name may
// lack the terminator; it is never read past the field).
std::u16string PaperName(const CustomPaperRecord& record);
// Sets the name field: zero-filled, at most 64 characters copied.
void SetPaperName(CustomPaperRecord* record, std::u16string_view name);

// A spooler form (FORM_INFO_1): sizes and imageable area in micrometres.
struct PaperForm {
  std::u16string name;
  std::uint32_t flags = 0;
  std::int32_t width = 0;   // Size.cx
  std::int32_t length = 0;  // Size.cy
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // ImageableArea
};
constexpr std::uint32_t kFormPrinter = 2;  // FORM_PRINTER

enum class ExtentKind { Maximum, Minimum };

// One opened printer: its "LastCustomPapers" value, its device extents and its forms.
class PaperSpooler {
 public:
  virtual ~PaperSpooler() = default;
  // Size of the stored value; false when it is absent or cannot be queried.
  virtual bool QueryValueSize(std::uint32_t* size) = 0;
  // Reads the value into buffer (size bytes); *read is the size the spooler reports.
  virtual bool ReadValue(std::uint8_t* buffer, std::uint32_t size, std::uint32_t* read) = 0;
  // Stores the value (REG_BINARY); true on ERROR_SUCCESS.
  virtual bool WriteValue(const std::uint8_t* data, std::uint32_t size) = 0;
  // DeviceCapabilities' raw answer for DC_MAXEXTENT / DC_MINEXTENT (-1 on failure);
  // false when the printer's own information cannot be read.
  virtual bool QueryExtent(ExtentKind kind, std::int32_t* answer) = 0;
  // The printer's form of that name; false when there is none.
  virtual bool FindForm(const std::u16string& name, PaperForm* form) = 0;
  virtual void ReplaceForm(const PaperForm& form) = 0;
  virtual void CreateForm(const PaperForm& form) = 0;
  // The names of the printer's forms in spooler order; false when they cannot be read.
  virtual bool EnumFormNames(std::vector<std::u16string>* names) = 0;
};

// Opening printers with full access; the returned object closes the printer when it
// is destroyed.
class PrinterDirectory {
 public:
  virtual ~PrinterDirectory() = default;
  virtual std::unique_ptr<PaperSpooler> Open(const std::u16string& name) = 0;
  // Names of the local printers in enumeration order (empty when none or on failure).
  virtual std::vector<std::u16string> LocalPrinterNames() = 0;
};

// Width and length in tenths of a millimetre.
struct Extent {
  std::uint32_t width = 0;
  std::uint32_t length = 0;
};

// DeviceCapabilities' answer (low 16 bits width, high 16 bits length) turned into an
// extent: the maximum cut down to whole millimetres, the minimum raised above the next
// whole millimetre ((v + 10) / 10 * 10 + 1). The failure answer -1 gives (0, 0).
Extent MaxExtentFromAnswer(std::int32_t answer);
Extent MinExtentFromAnswer(std::int32_t answer);

Extent GetMaxExtent(PaperSpooler* printer);  // (0, 0) without printer or information
Extent GetMinExtent(PaperSpooler* printer);

// µm rounded to the nearest tenth of a millimetre (halves up), in µm / in tenths.
std::int64_t RoundToTenthMicrometres(std::uint32_t micrometres);
std::int64_t MicrometresToTenths(std::uint32_t micrometres);

// The form a record is mirrored as: FORM_PRINTER, rounded size, margins inside it.
PaperForm FormFromRecord(const CustomPaperRecord& record);

bool HasCustomPapers(PaperSpooler* printer);
bool LoadCustomPapers(PaperSpooler* printer, CustomPaperList* list);
bool SaveCustomPapers(PaperSpooler* printer, const CustomPaperList& list);
void SyncForm(PaperSpooler* printer, const CustomPaperRecord& record);

// The printer of that name, or else the first local printer (enumeration order) whose
// name begins with it, is longer, and opens; nullptr when none does.
std::unique_ptr<PaperSpooler> OpenPrinterByName(PrinterDirectory& directory,
                                                const std::u16string& name);

// Printer events of every kind reset the printer's list to [Maximum, Minimum].
void HandlePrinterEvent(PrinterDirectory& directory, const std::u16string& printerName);
// After a driver upgrade: reset the list unless the printer holds a usable value.
// Always true: the handling has no failure of its own.
bool HandleUpgradePrinter(PrinterDirectory& directory, const std::u16string& printerName);

}  // namespace ui
}  // namespace qv
