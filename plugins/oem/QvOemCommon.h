// Declarations shared by both PostScript-driver plug-ins: the COM base interface every
// plug-in implements, the private-DEVMODE header, the DevMode parameter block and the
// GetInfo / DevMode mode numbers. mingw-w64 ships none of these.
//
// Layout rules: natural alignment (no packing pragma), every method __stdcall on x86
// (STDMETHODCALLTYPE), single inheritance so a derived vtable is its base's followed by
// its own slots. Sizes and offsets are checked at the end of this file for both targets.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <unknwn.h>

#include <cstddef>

namespace qvoem {

// A GUID written as "{D1-D2-D3-D4a-D4b}".
constexpr GUID MakeGuid(unsigned long d1, unsigned short d2, unsigned short d3,
                        unsigned char b0, unsigned char b1, unsigned char b2,
                        unsigned char b3, unsigned char b4, unsigned char b5,
                        unsigned char b6, unsigned char b7) {
  return GUID{d1, d2, d3, {b0, b1, b2, b3, b4, b5, b6, b7}};
}

}  // namespace qvoem

// Interface ids of the driver's plug-in interfaces.
inline constexpr IID IID_IPrintOemCommon =
    qvoem::MakeGuid(0x7F42285E, 0x91D5, 0x11D1, 0x88, 0x20, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC);
inline constexpr IID IID_IPrintOemUI =
    qvoem::MakeGuid(0xC6A7A9D0, 0x774C, 0x11D1, 0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8);
inline constexpr IID IID_IPrintOemUI2 =
    qvoem::MakeGuid(0x292515F9, 0xB54B, 0x489B, 0x92, 0x75, 0xBA, 0xB5, 0x68, 0x21, 0x39, 0x5E);
inline constexpr IID IID_IPrintOemDriverUI =
    qvoem::MakeGuid(0x92B05D50, 0x78BC, 0x11D1, 0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8);
inline constexpr IID IID_IPrintCoreUI2 =
    qvoem::MakeGuid(0x085CCFCA, 0x3ADF, 0x4C9E, 0xB4, 0x91, 0xD8, 0x51, 0xA6, 0xED, 0xC9, 0x97);
inline constexpr IID IID_IPrintOemEngine =
    qvoem::MakeGuid(0x63D17590, 0x91D8, 0x11D1, 0x88, 0x20, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC);
inline constexpr IID IID_IPrintOemPS =
    qvoem::MakeGuid(0x688342B5, 0x8E1A, 0x11D1, 0x88, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC);
inline constexpr IID IID_IPrintOemDriverPS =
    qvoem::MakeGuid(0xD90060C7, 0x8E1A, 0x11D1, 0x88, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC);
inline constexpr IID IID_IPrintCorePS2 =
    qvoem::MakeGuid(0xCDBB0B0B, 0xA917, 0x40D7, 0x9F, 0xBF, 0x48, 0x3B, 0x3B, 0xE7, 0xEF, 0x22);

// The class ids the driver asks each plug-in DLL's DllGetClassObject for.
inline constexpr CLSID CLSID_OEMUI =
    qvoem::MakeGuid(0xABCE80D7, 0x9F46, 0x11D1, 0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC);
inline constexpr CLSID CLSID_OEMRENDER =
    qvoem::MakeGuid(0x6D6ABF26, 0x9F38, 0x11D1, 0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC);

// Interface version a plug-in reports to the driver.
#define PRINTER_OEMINTF_VERSION 0x00010000UL

// IPrintOemCommon::GetInfo modes.
#define OEMGI_GETSIGNATURE 1
#define OEMGI_GETINTERFACEVERSION 2
#define OEMGI_GETVERSION 3
#define OEMGI_GETPUBLISHERINFO 4

// IPrintOemCommon::DevMode modes.
#define OEMDM_SIZE 1
#define OEMDM_DEFAULT 2
#define OEMDM_CONVERT 3
#define OEMDM_MERGE 4

// The first member of every plug-in's private DEVMODE section.
typedef struct _OEM_DMEXTRAHEADER {
  DWORD dwSize;       // bytes of the whole private section, this header included
  DWORD dwSignature;  // the plug-in's GetInfo(OEMGI_GETSIGNATURE) value
  DWORD dwVersion;    // the plug-in's own record version
} OEM_DMEXTRAHEADER, *POEM_DMEXTRAHEADER;

// Parameter block of IPrintOemCommon::DevMode.
typedef struct _OEMDMPARAM {
  DWORD cbSize;
  PVOID pdriverobj;  // render side: the PDEVOBJ; UI side: unused
  HANDLE hPrinter;
  HANDLE hModule;    // the plug-in's own module
  DEVMODEW* pPublicDMIn;
  DEVMODEW* pPublicDMOut;
  PVOID pOEMDMIn;    // our private section as the driver has it, or null
  PVOID pOEMDMOut;   // where our private section is to be written
  DWORD cbBufSize;   // in: bytes at pOEMDMOut; out (OEMDM_SIZE): bytes we need
} OEMDMPARAM, *POEMDMPARAM;

// Base of both plug-in interfaces (slots 3 and 4 after IUnknown's three).
struct IPrintOemCommon : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                            PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) = 0;
};

// ---- Layout proofs (x86 / x64 values measured for the driver's own declarations) ----
namespace qvoem {
constexpr bool kIs64 = sizeof(void*) == 8;
constexpr std::size_t Pick(std::size_t x86, std::size_t x64) { return kIs64 ? x64 : x86; }
}  // namespace qvoem

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "unexpected pointer width");
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12, "OEM_DMEXTRAHEADER size");
static_assert(offsetof(OEM_DMEXTRAHEADER, dwSignature) == 4, "OEM_DMEXTRAHEADER layout");
static_assert(offsetof(OEM_DMEXTRAHEADER, dwVersion) == 8, "OEM_DMEXTRAHEADER layout");
static_assert(sizeof(OEMDMPARAM) == qvoem::Pick(36, 72), "OEMDMPARAM size");
static_assert(offsetof(OEMDMPARAM, pdriverobj) == qvoem::Pick(4, 8), "OEMDMPARAM layout");
static_assert(offsetof(OEMDMPARAM, hPrinter) == qvoem::Pick(8, 16), "OEMDMPARAM layout");
static_assert(offsetof(OEMDMPARAM, hModule) == qvoem::Pick(12, 24), "OEMDMPARAM layout");
static_assert(offsetof(OEMDMPARAM, pPublicDMIn) == qvoem::Pick(16, 32), "OEMDMPARAM layout");
static_assert(offsetof(OEMDMPARAM, pPublicDMOut) == qvoem::Pick(20, 40), "OEMDMPARAM layout");
static_assert(offsetof(OEMDMPARAM, pOEMDMIn) == qvoem::Pick(24, 48), "OEMDMPARAM layout");
static_assert(offsetof(OEMDMPARAM, pOEMDMOut) == qvoem::Pick(28, 56), "OEMDMPARAM layout");
static_assert(offsetof(OEMDMPARAM, cbBufSize) == qvoem::Pick(32, 64), "OEMDMPARAM layout");
static_assert(sizeof(DEVMODEW) == 220, "DEVMODEW size");
