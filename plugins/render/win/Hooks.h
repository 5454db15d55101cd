// The graphics (DDI) functions qvrender hooks in the PostScript driver and the
// per-device record that keeps the driver's own implementations of them.
#pragma once

#include "QvOemRender.h"

namespace qv {
namespace render {

constexpr ULONG kHookCount = 27;
constexpr ULONG kDocumentNameUnits = 512;  // 511 characters and a terminator

// Per-device record, owned by the driver's device object as its pdevOEM from
// EnablePDEV until DisablePDEV.
struct OemPdev {
  PFN savedFunctions[kHookCount];  // the driver's function per hook-table entry, or null
  WCHAR documentName[kDocumentNameUnits];  // from the last DrvStartDoc; all zero if none
};

// The constant hook table handed to the driver (kHookCount entries).
const DRVFN* HookTable();

// Fills the driver's DRVENABLEDATA with our table; FALSE only for a null pointer.
BOOL FillHookTable(PDRVENABLEDATA pded);

// A new zero-filled record whose saved functions are looked up in the driver's table
// (first entry with the same iFunc); null when no memory. A null table, or one with
// no entries, leaves every saved function null.
OemPdev* CreateOemPdev(const DRVENABLEDATA* driverTable);

// Frees the device's record and clears pdevOEM; a null device object is ignored.
void DestroyOemPdev(PDEVOBJ pdevobj);

// Copies the document name from the old device's record to the new one when both
// devices and both records exist. TRUE in every case.
BOOL ResetOemPdev(PDEVOBJ pdevobjOld, PDEVOBJ pdevobjNew);

// The device's record, or null (null device object).
OemPdev* RecordOf(PDEVOBJ pdevobj);

}  // namespace render
}  // namespace qv
