#include "Hooks.h"

#include <winspool.h>

#include <cstring>
#include <new>

namespace qv {
namespace render {
namespace {

// Positions in the hook table; the same positions index OemPdev::savedFunctions.
enum Slot : ULONG {
  kRealizeBrush, kCopyBits, kBitBlt, kStretchBlt, kStretchBltROP, kPlgBlt, kTransparentBlt,
  kAlphaBlend, kGradientFill, kTextOut, kStrokePath, kFillPath, kStrokeAndFillPath,
  kStartPage, kSendPage, kEscape, kStartDoc, kEndDoc, kQueryFont, kQueryFontTree,
  kQueryFontData, kQueryAdvanceWidths, kFontManagement, kGetGlyphMode,
  kIcmCreateColorTransform, kIcmDeleteColorTransform, kQueryDeviceSupport, kSlotCount
};
static_assert(kSlotCount == kHookCount, "one slot per hook");

constexpr ULONG kQueryEscSupport = 8;           // QUERYESCSUPPORT
constexpr ULONG kPostScriptPassThrough = 4115;  // POSTSCRIPT_PASSTHROUGH
constexpr ULONG kPostScriptData = 37;           // POSTSCRIPT_DATA
static_assert(kQueryEscSupport == QUERYESCSUPPORT && kPostScriptPassThrough == POSTSCRIPT_PASSTHROUGH &&
                  kPostScriptData == POSTSCRIPT_DATA,
              "escape numbers");

// Function pointers of different types meet only through void(*)(), the one cast
// that keeps -Wcast-function-type quiet and is defined to round-trip.
template <typename To, typename From>
To FunctionCast(From f) {
  return reinterpret_cast<To>(reinterpret_cast<void (*)()>(f));
}

PDEVOBJ DeviceOf(SURFOBJ* pso) { return pso ? reinterpret_cast<PDEVOBJ>(pso->dhpdev) : nullptr; }
PDEVOBJ DeviceOf(DHPDEV dhpdev) { return reinterpret_cast<PDEVOBJ>(dhpdev); }

// The driver's own function for slot, or null when there is no device, no record or
// the driver offered none. A hook never calls a null entry: it answers as the
// driver's function answers on failure instead.
template <typename Fn>
Fn Saved(PDEVOBJ dev, Slot slot) {
  OemPdev* record = RecordOf(dev);
  return record ? FunctionCast<Fn>(record->savedFunctions[slot]) : nullptr;
}

// ---- the hooks: each has exactly the signature of the function it replaces ----

// Brushes are realised without the driver; the answer is always success.
BOOL APIENTRY HookRealizeBrush(BRUSHOBJ*, SURFOBJ*, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG) {
  return TRUE;
}

BOOL APIENTRY HookCopyBits(SURFOBJ* psoDest, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo,
                           RECTL* prclDest, POINTL* pptlSrc) {
  auto fn = Saved<PFN_DrvCopyBits>(DeviceOf(psoDest), kCopyBits);
  return fn ? fn(psoDest, psoSrc, pco, pxlo, prclDest, pptlSrc) : FALSE;
}

BOOL APIENTRY HookBitBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                         XLATEOBJ* pxlo, RECTL* prclTrg, POINTL* pptlSrc, POINTL* pptlMask,
                         BRUSHOBJ* pbo, POINTL* pptlBrush, ROP4 rop4) {
  auto fn = Saved<PFN_DrvBitBlt>(DeviceOf(psoTrg), kBitBlt);
  return fn ? fn(psoTrg, psoSrc, psoMask, pco, pxlo, prclTrg, pptlSrc, pptlMask, pbo,
                 pptlBrush, rop4)
            : FALSE;
}

BOOL APIENTRY HookStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                             XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlHTOrg,
                             RECTL* prclDest, RECTL* prclSrc, POINTL* pptlMask, ULONG iMode) {
  auto fn = Saved<PFN_DrvStretchBlt>(DeviceOf(psoDest), kStretchBlt);
  return fn ? fn(psoDest, psoSrc, psoMask, pco, pxlo, pca, pptlHTOrg, prclDest, prclSrc,
                 pptlMask, iMode)
            : FALSE;
}

BOOL APIENTRY HookStretchBltROP(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask,
                                CLIPOBJ* pco, XLATEOBJ* pxlo, COLORADJUSTMENT* pca,
                                POINTL* pptlHTOrg, RECTL* prclDest, RECTL* prclSrc,
                                POINTL* pptlMask, ULONG iMode, BRUSHOBJ* pbo, DWORD rop4) {
  auto fn = Saved<PFN_DrvStretchBltROP>(DeviceOf(psoDest), kStretchBltROP);
  return fn ? fn(psoDest, psoSrc, psoMask, pco, pxlo, pca, pptlHTOrg, prclDest, prclSrc,
                 pptlMask, iMode, pbo, rop4)
            : FALSE;
}

BOOL APIENTRY HookPlgBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMsk, CLIPOBJ* pco,
                         XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlBrushOrg,
                         POINTFIX* pptfx, RECTL* prcl, POINTL* pptl, ULONG iMode) {
  auto fn = Saved<PFN_DrvPlgBlt>(DeviceOf(psoTrg), kPlgBlt);
  return fn ? fn(psoTrg, psoSrc, psoMsk, pco, pxlo, pca, pptlBrushOrg, pptfx, prcl, pptl, iMode)
            : FALSE;
}

BOOL APIENTRY HookTransparentBlt(SURFOBJ* psoDst, SURFOBJ* psoSrc, CLIPOBJ* pco,
                                 XLATEOBJ* pxlo, RECTL* prclDst, RECTL* prclSrc,
                                 ULONG iTransColor, ULONG ulReserved) {
  auto fn = Saved<PFN_DrvTransparentBlt>(DeviceOf(psoDst), kTransparentBlt);
  return fn ? fn(psoDst, psoSrc, pco, pxlo, prclDst, prclSrc, iTransColor, ulReserved) : FALSE;
}

BOOL APIENTRY HookAlphaBlend(SURFOBJ* psoDest, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo,
                             RECTL* prclDest, RECTL* prclSrc, BLENDOBJ* pBlendObj) {
  auto fn = Saved<PFN_DrvAlphaBlend>(DeviceOf(psoDest), kAlphaBlend);
  return fn ? fn(psoDest, psoSrc, pco, pxlo, prclDest, prclSrc, pBlendObj) : FALSE;
}

BOOL APIENTRY HookGradientFill(SURFOBJ* psoDest, CLIPOBJ* pco, XLATEOBJ* pxlo,
                               TRIVERTEX* pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh,
                               RECTL* prclExtents, POINTL* pptlDitherOrg, ULONG ulMode) {
  auto fn = Saved<PFN_DrvGradientFill>(DeviceOf(psoDest), kGradientFill);
  return fn ? fn(psoDest, pco, pxlo, pVertex, nVertex, pMesh, nMesh, prclExtents,
                 pptlDitherOrg, ulMode)
            : FALSE;
}

BOOL APIENTRY HookTextOut(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo, CLIPOBJ* pco,
                          RECTL* prclExtra, RECTL* prclOpaque, BRUSHOBJ* pboFore,
                          BRUSHOBJ* pboOpaque, POINTL* pptlOrg, MIX mix) {
  auto fn = Saved<PFN_DrvTextOut>(DeviceOf(pso), kTextOut);
  return fn ? fn(pso, pstro, pfo, pco, prclExtra, prclOpaque, pboFore, pboOpaque, pptlOrg, mix)
            : FALSE;
}

BOOL APIENTRY HookStrokePath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo,
                             BRUSHOBJ* pbo, POINTL* pptlBrushOrg, LINEATTRS* plineattrs,
                             MIX mix) {
  auto fn = Saved<PFN_DrvStrokePath>(DeviceOf(pso), kStrokePath);
  return fn ? fn(pso, ppo, pco, pxo, pbo, pptlBrushOrg, plineattrs, mix) : FALSE;
}

BOOL APIENTRY HookFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, BRUSHOBJ* pbo,
                           POINTL* pptlBrushOrg, MIX mix, FLONG flOptions) {
  auto fn = Saved<PFN_DrvFillPath>(DeviceOf(pso), kFillPath);
  return fn ? fn(pso, ppo, pco, pbo, pptlBrushOrg, mix, flOptions) : FALSE;
}

BOOL APIENTRY HookStrokeAndFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo,
                                    BRUSHOBJ* pboStroke, LINEATTRS* plineattrs,
                                    BRUSHOBJ* pboFill, POINTL* pptlBrushOrg, MIX mixFill,
                                    FLONG flOptions) {
  auto fn = Saved<PFN_DrvStrokeAndFillPath>(DeviceOf(pso), kStrokeAndFillPath);
  return fn ? fn(pso, ppo, pco, pxo, pboStroke, plineattrs, pboFill, pptlBrushOrg, mixFill,
                 flOptions)
            : FALSE;
}

BOOL APIENTRY HookStartPage(SURFOBJ* pso) {
  auto fn = Saved<PFN_DrvStartPage>(DeviceOf(pso), kStartPage);
  return fn ? fn(pso) : FALSE;
}

BOOL APIENTRY HookSendPage(SURFOBJ* pso) {
  auto fn = Saved<PFN_DrvSendPage>(DeviceOf(pso), kSendPage);
  return fn ? fn(pso) : FALSE;
}

// The printer data value "DeclinePassThroughAndData": any data of up to 4 bytes,
// zero-extended; a missing or longer value, or a failed call, counts as 0. Read afresh
// at every query.
DWORD DeclinePassThrough(HANDLE hPrinter) {
  BYTE data[4] = {0, 0, 0, 0};
  DWORD needed = 0;
  if (GetPrinterDataW(hPrinter, const_cast<LPWSTR>(L"DeclinePassThroughAndData"), nullptr, data,
                      sizeof data, &needed) != ERROR_SUCCESS)
    return 0;
  DWORD value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

// The escape number a QUERYESCSUPPORT asks about, read by its input size; false when
// the size is none we know or there is no input to read.
bool QueriedEscape(ULONG cjIn, const void* pvIn, ULONG64* number) {
  if (!pvIn) return false;
  switch (cjIn) {
    case 4: {
      DWORD v;
      std::memcpy(&v, pvIn, sizeof v);
      *number = v;
      return true;
    }
    case 2: {
      WORD v;
      std::memcpy(&v, pvIn, sizeof v);
      *number = v;
      return true;
    }
#ifdef _WIN64
    case 8: {  // a pointer-sized number; the 32-bit build knows only the forms above
      ULONG64 v;
      std::memcpy(&v, pvIn, sizeof v);
      *number = v;
      return true;
    }
#endif
    default:
      return false;
  }
}

// Hides the driver's PostScript pass-through escapes from applications when the
// printer's "DeclinePassThroughAndData" is set: QUERYESCSUPPORT for them answers 0
// (not supported). Everything else goes to the driver.
ULONG APIENTRY HookEscape(SURFOBJ* pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut,
                          PVOID pvOut) {
  PDEVOBJ dev = DeviceOf(pso);
  if (dev && dev->hPrinter && iEsc == kQueryEscSupport && DeclinePassThrough(dev->hPrinter)) {
    ULONG64 queried = 0;
    if (QueriedEscape(cjIn, pvIn, &queried) &&
        (queried == kPostScriptPassThrough || queried == kPostScriptData))
      return 0;
  }
  auto fn = Saved<PFN_DrvEscape>(dev, kEscape);
  return fn ? fn(pso, iEsc, cjIn, pvIn, cjOut, pvOut) : 0;  // 0: escape not supported
}

BOOL APIENTRY HookStartDoc(SURFOBJ* pso, LPWSTR pwszDocName, DWORD dwJobId) {
  PDEVOBJ dev = DeviceOf(pso);
  OemPdev* record = RecordOf(dev);
  if (record && pwszDocName) {
    std::memset(record->documentName, 0, sizeof record->documentName);
    // wcsncpy semantics without reading past the name's terminator.
    for (ULONG i = 0; i < kDocumentNameUnits - 1 && pwszDocName[i]; ++i)
      record->documentName[i] = pwszDocName[i];
  }
  auto fn = Saved<PFN_DrvStartDoc>(dev, kStartDoc);
  return fn ? fn(pso, pwszDocName, dwJobId) : FALSE;
}

BOOL APIENTRY HookEndDoc(SURFOBJ* pso, FLONG fl) {
  PDEVOBJ dev = DeviceOf(pso);
  if (OemPdev* record = RecordOf(dev))
    std::memset(record->documentName, 0, sizeof record->documentName);
  auto fn = Saved<PFN_DrvEndDoc>(dev, kEndDoc);
  return fn ? fn(pso, fl) : FALSE;
}

PIFIMETRICS APIENTRY HookQueryFont(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG_PTR* pid) {
  auto fn = Saved<PFN_DrvQueryFont>(DeviceOf(dhpdev), kQueryFont);
  return fn ? fn(dhpdev, iFile, iFace, pid) : nullptr;
}

PVOID APIENTRY HookQueryFontTree(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG iMode,
                                 ULONG_PTR* pid) {
  auto fn = Saved<PFN_DrvQueryFontTree>(DeviceOf(dhpdev), kQueryFontTree);
  return fn ? fn(dhpdev, iFile, iFace, iMode, pid) : nullptr;
}

LONG APIENTRY HookQueryFontData(DHPDEV dhpdev, FONTOBJ* pfo, ULONG iMode, HGLYPH hg,
                                GLYPHDATA* pgd, PVOID pv, ULONG cjSize) {
  auto fn = Saved<PFN_DrvQueryFontData>(DeviceOf(dhpdev), kQueryFontData);
  return fn ? fn(dhpdev, pfo, iMode, hg, pgd, pv, cjSize) : FD_ERROR;
}

BOOL APIENTRY HookQueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ* pfo, ULONG iMode, HGLYPH* phg,
                                     PVOID pvWidths, ULONG cGlyphs) {
  auto fn = Saved<PFN_DrvQueryAdvanceWidths>(DeviceOf(dhpdev), kQueryAdvanceWidths);
  return fn ? fn(dhpdev, pfo, iMode, phg, pvWidths, cGlyphs) : FALSE;
}

ULONG APIENTRY HookFontManagement(SURFOBJ* pso, FONTOBJ* pfo, ULONG iMode, ULONG cjIn,
                                  PVOID pvIn, ULONG cjOut, PVOID pvOut) {
  auto fn = Saved<PFN_DrvFontManagement>(DeviceOf(pso), kFontManagement);
  return fn ? fn(pso, pfo, iMode, cjIn, pvIn, cjOut, pvOut) : 0;  // 0: not supported
}

ULONG APIENTRY HookGetGlyphMode(DHPDEV dhpdev, FONTOBJ* pfo) {
  auto fn = Saved<PFN_DrvGetGlyphMode>(DeviceOf(dhpdev), kGetGlyphMode);
  return fn ? fn(dhpdev, pfo) : FO_GLYPHBITS;  // the engine's own default caching
}

HANDLE APIENTRY HookIcmCreateColorTransform(DHPDEV dhpdev, LPLOGCOLORSPACEW pLogColorSpace,
                                            PVOID pvSourceProfile, ULONG cjSourceProfile,
                                            PVOID pvDestProfile, ULONG cjDestProfile,
                                            PVOID pvTargetProfile, ULONG cjTargetProfile,
                                            DWORD dwReserved) {
  auto fn = Saved<PFN_DrvIcmCreateColorTransform>(DeviceOf(dhpdev), kIcmCreateColorTransform);
  return fn ? fn(dhpdev, pLogColorSpace, pvSourceProfile, cjSourceProfile, pvDestProfile,
                 cjDestProfile, pvTargetProfile, cjTargetProfile, dwReserved)
            : nullptr;
}

BOOL APIENTRY HookIcmDeleteColorTransform(DHPDEV dhpdev, HANDLE hcmXform) {
  auto fn = Saved<PFN_DrvIcmDeleteColorTransform>(DeviceOf(dhpdev), kIcmDeleteColorTransform);
  return fn ? fn(dhpdev, hcmXform) : FALSE;
}

BOOL APIENTRY HookQueryDeviceSupport(SURFOBJ* pso, XLATEOBJ* pxlo, XFORMOBJ* pxo, ULONG iType,
                                     ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut) {
  auto fn = Saved<PFN_DrvQueryDeviceSupport>(DeviceOf(pso), kQueryDeviceSupport);
  return fn ? fn(pso, pxlo, pxo, iType, cjIn, pvIn, cjOut, pvOut) : FALSE;
}

// Checks at compile time that each hook has its DDI function's exact type.
template <typename Pfn>
PFN Entry(Pfn hook) {
  return FunctionCast<PFN>(hook);
}

const DRVFN kHookTable[kHookCount] = {
    {INDEX_DrvRealizeBrush, Entry<PFN_DrvRealizeBrush>(HookRealizeBrush)},
    {INDEX_DrvCopyBits, Entry<PFN_DrvCopyBits>(HookCopyBits)},
    {INDEX_DrvBitBlt, Entry<PFN_DrvBitBlt>(HookBitBlt)},
    {INDEX_DrvStretchBlt, Entry<PFN_DrvStretchBlt>(HookStretchBlt)},
    {INDEX_DrvStretchBltROP, Entry<PFN_DrvStretchBltROP>(HookStretchBltROP)},
    {INDEX_DrvPlgBlt, Entry<PFN_DrvPlgBlt>(HookPlgBlt)},
    {INDEX_DrvTransparentBlt, Entry<PFN_DrvTransparentBlt>(HookTransparentBlt)},
    {INDEX_DrvAlphaBlend, Entry<PFN_DrvAlphaBlend>(HookAlphaBlend)},
    {INDEX_DrvGradientFill, Entry<PFN_DrvGradientFill>(HookGradientFill)},
    {INDEX_DrvTextOut, Entry<PFN_DrvTextOut>(HookTextOut)},
    {INDEX_DrvStrokePath, Entry<PFN_DrvStrokePath>(HookStrokePath)},
    {INDEX_DrvFillPath, Entry<PFN_DrvFillPath>(HookFillPath)},
    {INDEX_DrvStrokeAndFillPath, Entry<PFN_DrvStrokeAndFillPath>(HookStrokeAndFillPath)},
    {INDEX_DrvStartPage, Entry<PFN_DrvStartPage>(HookStartPage)},
    {INDEX_DrvSendPage, Entry<PFN_DrvSendPage>(HookSendPage)},
    {INDEX_DrvEscape, Entry<PFN_DrvEscape>(HookEscape)},
    {INDEX_DrvStartDoc, Entry<PFN_DrvStartDoc>(HookStartDoc)},
    {INDEX_DrvEndDoc, Entry<PFN_DrvEndDoc>(HookEndDoc)},
    {INDEX_DrvQueryFont, Entry<PFN_DrvQueryFont>(HookQueryFont)},
    {INDEX_DrvQueryFontTree, Entry<PFN_DrvQueryFontTree>(HookQueryFontTree)},
    {INDEX_DrvQueryFontData, Entry<PFN_DrvQueryFontData>(HookQueryFontData)},
    {INDEX_DrvQueryAdvanceWidths, Entry<PFN_DrvQueryAdvanceWidths>(HookQueryAdvanceWidths)},
    {INDEX_DrvFontManagement, Entry<PFN_DrvFontManagement>(HookFontManagement)},
    {INDEX_DrvGetGlyphMode, Entry<PFN_DrvGetGlyphMode>(HookGetGlyphMode)},
    {INDEX_DrvIcmCreateColorTransform,
     Entry<PFN_DrvIcmCreateColorTransform>(HookIcmCreateColorTransform)},
    {INDEX_DrvIcmDeleteColorTransform,
     Entry<PFN_DrvIcmDeleteColorTransform>(HookIcmDeleteColorTransform)},
    {INDEX_DrvQueryDeviceSupport, Entry<PFN_DrvQueryDeviceSupport>(HookQueryDeviceSupport)},
};

}  // namespace

const DRVFN* HookTable() { return kHookTable; }

BOOL FillHookTable(PDRVENABLEDATA pded) {
  if (!pded) return FALSE;
  pded->iDriverVersion = PRINTER_OEMINTF_VERSION;
  pded->c = kHookCount;
  pded->pdrvfn = const_cast<DRVFN*>(kHookTable);
  return TRUE;
}

OemPdev* CreateOemPdev(const DRVENABLEDATA* driverTable) {
  OemPdev* record = new (std::nothrow) OemPdev();  // value-initialised: all zero
  if (!record) return nullptr;
  if (driverTable && driverTable->pdrvfn) {
    for (ULONG slot = 0; slot < kHookCount; ++slot) {
      for (ULONG i = 0; i < driverTable->c; ++i) {
        if (driverTable->pdrvfn[i].iFunc == kHookTable[slot].iFunc) {
          record->savedFunctions[slot] = driverTable->pdrvfn[i].pfn;
          break;
        }
      }
    }
  }
  return record;
}

void DestroyOemPdev(PDEVOBJ pdevobj) {
  if (!pdevobj) return;
  delete static_cast<OemPdev*>(pdevobj->pdevOEM);
  pdevobj->pdevOEM = nullptr;
}

BOOL ResetOemPdev(PDEVOBJ pdevobjOld, PDEVOBJ pdevobjNew) {
  OemPdev* from = RecordOf(pdevobjOld);
  OemPdev* to = RecordOf(pdevobjNew);
  if (from && to) std::memcpy(to->documentName, from->documentName, sizeof to->documentName);
  return TRUE;
}

OemPdev* RecordOf(PDEVOBJ pdevobj) {
  return pdevobj ? static_cast<OemPdev*>(pdevobj->pdevOEM) : nullptr;
}

}  // namespace render
}  // namespace qv
