#include "Command.h"

#include <cstring>
#include <new>

#include "Hooks.h"
#include "PsOutput.h"

static_assert(qv::render::kInjectBeginStream == PSINJECT_BEGINSTREAM &&
                  qv::render::kInjectPsAdobe == PSINJECT_PSADOBE &&
                  qv::render::kInjectComments == PSINJECT_COMMENTS &&
                  qv::render::kInjectBeginSetup == PSINJECT_BEGINSETUP &&
                  qv::render::kInjectEndSetup == PSINJECT_ENDSETUP &&
                  qv::render::kInjectEndStream == PSINJECT_ENDSTREAM &&
                  qv::render::kInjectBeginPageSetup == PSINJECT_BEGINPAGESETUP &&
                  qv::render::kErrorNotSupported == ERROR_NOT_SUPPORTED,
              "the portable injection numbers are the driver's");

namespace qv {
namespace render {
namespace {

// Hands text to the driver in one write, from a writable NUL-terminated copy. The
// driver's answer and the count it took are deliberately not looked at: a failed write
// is neither retried nor reported, the job goes on without it.
void Write(IPrintOemDriverPS* driver, PDEVOBJ pdevobj, const std::string& text) {
  char* copy = new (std::nothrow) char[text.size() + 1];
  if (!copy) return;
  std::memcpy(copy, text.c_str(), text.size() + 1);
  DWORD written = 0;
  driver->DrvWriteSpoolBuf(pdevobj, copy, static_cast<DWORD>(text.size()), &written);
  delete[] copy;
}

// What HandleCommand writes at the two injection points we fill.
void WriteInjection(PDEVOBJ pdevobj, DWORD dwIndex, const PrivateDevmodeBody& body,
                    IPrintOemDriverPS* driver) {
  if (dwIndex == kInjectComments) {
    const std::string dsc = BuildDscComments(body);
    if (!dsc.empty()) Write(driver, pdevobj, dsc);
    if (const OemPdev* record = RecordOf(pdevobj)) {
      if (record->documentName[0] != L'\0') {
        WCHAR name[kDocumentNameUnits];
        std::memcpy(name, record->documentName, sizeof name);
        name[kDocumentNameUnits - 1] = L'\0';  // the record's own terminator, kept
        Write(driver, pdevobj, FormatDscCommentW("TitleEx", name));
      }
      WCHAR user[129] = {};
      DWORD size = 129;
      if (GetUserNameW(user, &size)) Write(driver, pdevobj, FormatDscCommentW("ForEx", user));
    }
  } else if (dwIndex == kInjectEndSetup) {
    const std::string setup = BuildSetupOptions(body);
    if (!setup.empty()) Write(driver, pdevobj, setup);
  }
}

}  // namespace

std::string FormatDscCommentW(const char* key, const WCHAR* value) {
  if (!value) return FormatDscComment(key, "");
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, value, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return FormatDscComment(key, "");
  std::string utf8(static_cast<size_t>(bytes), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, value, -1, &utf8[0], bytes, nullptr, nullptr) <= 0)
    return FormatDscComment(key, "");
  return FormatDscComment(key, utf8.c_str());  // stops at the converted terminator
}

HRESULT HandleCommand(PDEVOBJ pdevobj, DWORD dwIndex, PVOID /*pData*/, DWORD /*cbSize*/,
                      IPrintOemDriverPS* driver, DWORD* pdwResult) {
  PrivateDevmodeBody body;
  BuildWorkingBody(pdevobj ? pdevobj->pOEMDM : nullptr, &body);
  if (pdwResult) *pdwResult = InjectionResult(dwIndex);
  if (!driver || !pdevobj) return S_OK;

  // The texts are built in allocated strings; without memory for them the job goes on
  // without our lines instead of an exception thrown into the driver.
  try {
    WriteInjection(pdevobj, dwIndex, body, driver);
  } catch (...) {
  }
  return S_OK;
}

}  // namespace render
}  // namespace qv
