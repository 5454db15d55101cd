// Defaults, clearing and repair of the private DEVMODE body. Every reset value comes
// from the field's descriptor, so the record and the tables cannot disagree.
#include "PrivateDevmode.h"

#include <cstring>

#include "OptionDescriptors.h"

namespace qv {

namespace {

constexpr std::uint32_t kFirstCustomPageSize = 19;
constexpr std::uint8_t kFirstCustomTargetPaperSize = 20;

// Clears a text field over its whole width and copies text into it, leaving at least
// one terminating zero.
template <std::size_t N>
void SetText(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  if (text != nullptr) {
    const std::size_t length = std::strlen(text);
    std::memcpy(field, text, length < N - 1 ? length : N - 1);
  }
}

const char* DefaultKeyword(const OptionDescriptor& d) { return d.entries[d.defaultIndex].keyword; }

std::uint8_t DefaultIndex(const OptionDescriptor& d) { return static_cast<std::uint8_t>(d.defaultIndex); }

// Each Check* repairs one field and returns false when it had to.
bool CheckList(std::uint8_t& value, const OptionDescriptor& d) {
  if (value < d.entryCount) return true;
  value = DefaultIndex(d);
  return false;
}

// Unsigned fields: limits read as unsigned (the paper extents' maximum is above 2^31).
template <typename T>
bool CheckUnsigned(T& value, const NumericOptionDescriptor& d) {
  const std::uint32_t v = value;
  if (v >= static_cast<std::uint32_t>(d.minimum) && v <= static_cast<std::uint32_t>(d.maximum)) return true;
  value = static_cast<T>(d.defaultValue);
  return false;
}

bool CheckSigned(std::int32_t& value, const NumericOptionDescriptor& d) {
  if (value >= d.minimum && value <= d.maximum) return true;
  value = d.defaultValue;
  return false;
}

template <std::size_t N>
bool CheckText(char (&field)[N], const char* defaultText) {
  if (field[N - 1] == 0) return true;
  SetText(field, defaultText);
  return false;
}

// Packed fields cannot be bound to references: copy out, check, copy back.
#define QV_CHECK_LIST(field, d)      \
  do {                                \
    std::uint8_t v = b.field;         \
    ok &= CheckList(v, d);            \
    b.field = v;                      \
  } while (0)
#define QV_CHECK_UNSIGNED(field, d)  \
  do {                                \
    auto v = b.field;                 \
    ok &= CheckUnsigned(v, d);        \
    b.field = v;                      \
  } while (0)
#define QV_CHECK_SIGNED(field, d)    \
  do {                                \
    std::int32_t v = b.field;         \
    ok &= CheckSigned(v, d);          \
    b.field = v;                      \
  } while (0)

}  // namespace

PrivateDevmodeBody* ClearPrivateDevmode(PrivateDevmodeBody* body) {
  if (body != nullptr) std::memset(static_cast<void*>(body), 0, sizeof(*body));
  return body;
}

PrivateDevmodeBody MakeDefaultPrivateDevmode(std::uint8_t pageSize) {
  PrivateDevmodeBody b;
  ClearPrivateDevmode(&b);
  namespace d = desc;
  b.PageSize = pageSize;
  b.PageSizeWidth = static_cast<std::uint32_t>(d::PageSizeWidth.defaultValue);
  b.PageSizeHeight = static_cast<std::uint32_t>(d::PageSizeHeight.defaultValue);
  b.Orientation = DefaultIndex(d::Orientation);
  b.InputSlot = DefaultIndex(d::InputSlot);
  b.MediaType = DefaultIndex(d::MediaType);
  b.Duplex = DefaultIndex(d::Duplex);
  b.Imposition = DefaultIndex(d::Imposition);
  b.ImpositionDirection = DefaultIndex(d::ImpositionDirection);
  b.GutterDistance = static_cast<std::uint32_t>(d::GutterDistance.defaultValue);
  b.GutterAutoReducing = DefaultIndex(d::GutterAutoReducing);
  b.NupPageOrder = DefaultIndex(d::NupPageOrder);
  b.NupPagesPerSheet = DefaultIndex(d::NupPagesPerSheet);
  b.TargetPaperSize = DefaultIndex(d::TargetPaperSize);
  b.TargetPaperSizeWidth = static_cast<std::uint32_t>(d::TargetPaperSizeWidth.defaultValue);
  b.TargetPaperSizeHeight = static_cast<std::uint32_t>(d::TargetPaperSizeHeight.defaultValue);
  b.ScaleToFit = DefaultIndex(d::ScaleToFit);
  b.Zoom = static_cast<std::uint16_t>(d::Zoom.defaultValue);
  b.Rotate180 = DefaultIndex(d::Rotate180);
  b.OutputTray = DefaultIndex(d::OutputTray);
  b.FinishSide = DefaultIndex(d::FinishSide);
  b.StapleMode = DefaultIndex(d::StapleMode);
  b.PunchMode = DefaultIndex(d::PunchMode);
  b.FoldMode = DefaultIndex(d::FoldMode);
  b.FoldInOut = DefaultIndex(d::FoldInOut);
  b.ZFoldMixed = DefaultIndex(d::ZFoldMixed);
  b.ZFoldRotateBig = DefaultIndex(d::ZFoldRotateBig);
  b.OutputFace = DefaultIndex(d::OutputFace);
  b.ReverseOrder = DefaultIndex(d::ReverseOrder);
  b.Collate = DefaultIndex(d::Collate);
  b.JogMode = DefaultIndex(d::JogMode);
  b.JobSepSheet = DefaultIndex(d::JobSepSheet);
  b.BookletSplitting = DefaultIndex(d::BookletSplitting);
  b.HeaderPage = DefaultIndex(d::HeaderPage);
  b.FrontCover = DefaultIndex(d::FrontCover);
  b.BackCover = DefaultIndex(d::BackCover);
  b.BookletCover = DefaultIndex(d::BookletCover);
  b.Resolution = DefaultIndex(d::Resolution);
  b.OutputMode = DefaultIndex(d::OutputMode);
  b.Screening = DefaultIndex(d::Screening);
  b.ScreenFreq = DefaultIndex(d::ScreenFreq);
  b.LineSmoothing = DefaultIndex(d::LineSmoothing);
  b.GCDensity = DefaultIndex(d::GCDensity);
  b.GCContrast = DefaultIndex(d::GCContrast);
  b.PrintDensity = DefaultIndex(d::PrintDensity);
  b.MaxDrops = DefaultIndex(d::MaxDrops);
  b.CyanGamma = static_cast<std::uint16_t>(d::CyanGamma.defaultValue);
  b.MagentaGamma = static_cast<std::uint16_t>(d::MagentaGamma.defaultValue);
  b.YellowGamma = static_cast<std::uint16_t>(d::YellowGamma.defaultValue);
  b.BlackGamma = static_cast<std::uint16_t>(d::BlackGamma.defaultValue);
  b.RenderingIntent = DefaultIndex(d::RenderingIntent);
  b.RemapDeviceRGB = DefaultIndex(d::RemapDeviceRGB);
  SetText(b.RGBInputProfile, DefaultKeyword(d::RGBInputProfile));
  b.RemapDeviceCMYK = DefaultIndex(d::RemapDeviceCMYK);
  SetText(b.CMYKInputProfile, DefaultKeyword(d::CMYKInputProfile));
  SetText(b.OutputProfile, DefaultKeyword(d::OutputProfile));
  b.SeparateProfileTG = DefaultIndex(d::SeparateProfileTG);
  SetText(b.TextOutputProfile, DefaultKeyword(d::TextOutputProfile));
  b.UseSimulationProfile = DefaultIndex(d::UseSimulationProfile);
  SetText(b.SimulationProfile, DefaultKeyword(d::SimulationProfile));
  b.FormPrintPattern = DefaultIndex(d::FormPrintPattern);
  b.FormDataPrintFace = DefaultIndex(d::FormDataPrintFace);
  b.FormFrontBackSep = DefaultIndex(d::FormFrontBackSep);
  b.Form1 = d::Form1.defaultIndex;
  b.Form2 = d::Form2.defaultIndex;
  b.PrependJob = d::PrependJob.defaultIndex;
  b.AppendJob = d::AppendJob.defaultIndex;
  b.HorizontalShift = d::HorizontalShift.defaultValue;
  b.VerticalShift = d::VerticalShift.defaultValue;
  b.ShiftFrontBack = DefaultIndex(d::ShiftFrontBack);
  b.HoriShiftBack = d::HoriShiftBack.defaultValue;
  b.VertiShiftBack = d::VertiShiftBack.defaultValue;
  b.PrintPosition = DefaultIndex(d::PrintPosition);
  b.OutputDev = DefaultIndex(d::OutputDev);
  SetText(b.RedirectToQueue, DefaultKeyword(d::RedirectToQueue));
  SetText(b.QueueCodeWord, d::QueueCodeWord.defaultText);
  b.PrintAndHold = DefaultIndex(d::PrintAndHold);
  b.WaitAfterProof = DefaultIndex(d::WaitAfterProof);
  b.PrivatePrinting = DefaultIndex(d::PrivatePrinting);
  SetText(b.PrivatePrintingBoxNumber, d::PrivatePrintingBoxNumber.defaultText);
  b.Delegation = DefaultIndex(d::Delegation);
  b.SendWindowsMessage = DefaultIndex(d::SendWindowsMessage);
  SetText(b.SendWindowsMessageTarget, d::SendWindowsMessageTarget.defaultText);
  b.EmailNotification = DefaultIndex(d::EmailNotification);
  SetText(b.EmailNotificationAddress, d::EmailNotificationAddress.defaultText);
  b.JobSplitting = DefaultIndex(d::JobSplitting);
  b.JobSplittingLimit = static_cast<std::uint16_t>(d::JobSplittingLimit.defaultValue);
  SetText(b.JobComment, d::JobComment.defaultText);
  return b;
}

void DefaultPrivateDevmode(PrivateDevmodeBody* body) {
  // Built once per process (thread-safe static initialisation), read-only afterwards.
  static const PrivateDevmodeBody kTemplate = MakeDefaultPrivateDevmode(LocalePaperIndex());
  if (body != nullptr) std::memcpy(static_cast<void*>(body), &kTemplate, sizeof(kTemplate));
}

bool ValidatePrivateDevmode(PrivateDevmodeBody* body) {
  if (body == nullptr) return false;
  PrivateDevmodeBody& b = *body;
  namespace d = desc;
  bool ok = true;

  // The extents are checked before the custom page size that needs them, so a record
  // never leaves with a custom paper whose extent was just reset to zero.
  QV_CHECK_UNSIGNED(PageSizeWidth, d::PageSizeWidth);
  QV_CHECK_UNSIGNED(PageSizeHeight, d::PageSizeHeight);
  if (b.PageSize >= kFirstCustomPageSize && (b.PageSizeWidth == 0 || b.PageSizeHeight == 0)) {
    b.PageSize = LocalePaperIndex();
    ok = false;
  }
  QV_CHECK_LIST(Orientation, d::Orientation);
  QV_CHECK_LIST(InputSlot, d::InputSlot);
  QV_CHECK_LIST(MediaType, d::MediaType);
  QV_CHECK_LIST(Duplex, d::Duplex);
  QV_CHECK_LIST(Imposition, d::Imposition);
  QV_CHECK_LIST(ImpositionDirection, d::ImpositionDirection);
  QV_CHECK_UNSIGNED(GutterDistance, d::GutterDistance);
  QV_CHECK_LIST(GutterAutoReducing, d::GutterAutoReducing);
  QV_CHECK_LIST(NupPageOrder, d::NupPageOrder);
  QV_CHECK_LIST(NupPagesPerSheet, d::NupPagesPerSheet);
  QV_CHECK_UNSIGNED(TargetPaperSizeWidth, d::TargetPaperSizeWidth);
  QV_CHECK_UNSIGNED(TargetPaperSizeHeight, d::TargetPaperSizeHeight);
  if (b.TargetPaperSize >= kFirstCustomTargetPaperSize &&
      (b.TargetPaperSizeWidth == 0 || b.TargetPaperSizeHeight == 0)) {
    b.TargetPaperSize = DefaultIndex(d::TargetPaperSize);
    ok = false;
  }
  QV_CHECK_LIST(ScaleToFit, d::ScaleToFit);
  QV_CHECK_UNSIGNED(Zoom, d::Zoom);
  QV_CHECK_LIST(Rotate180, d::Rotate180);
  QV_CHECK_LIST(OutputTray, d::OutputTray);
  QV_CHECK_LIST(FinishSide, d::FinishSide);
  QV_CHECK_LIST(StapleMode, d::StapleMode);
  QV_CHECK_LIST(PunchMode, d::PunchMode);
  QV_CHECK_LIST(FoldMode, d::FoldMode);
  QV_CHECK_LIST(FoldInOut, d::FoldInOut);
  QV_CHECK_LIST(ZFoldMixed, d::ZFoldMixed);
  QV_CHECK_LIST(ZFoldRotateBig, d::ZFoldRotateBig);
  QV_CHECK_LIST(OutputFace, d::OutputFace);
  QV_CHECK_LIST(ReverseOrder, d::ReverseOrder);
  QV_CHECK_LIST(Collate, d::Collate);
  QV_CHECK_LIST(JogMode, d::JogMode);
  QV_CHECK_LIST(JobSepSheet, d::JobSepSheet);
  QV_CHECK_LIST(BookletSplitting, d::BookletSplitting);
  QV_CHECK_LIST(HeaderPage, d::HeaderPage);
  QV_CHECK_LIST(FrontCover, d::FrontCover);
  QV_CHECK_LIST(BackCover, d::BackCover);
  QV_CHECK_LIST(BookletCover, d::BookletCover);
  QV_CHECK_LIST(Resolution, d::Resolution);
  QV_CHECK_LIST(OutputMode, d::OutputMode);
  QV_CHECK_LIST(Screening, d::Screening);
  QV_CHECK_LIST(ScreenFreq, d::ScreenFreq);
  QV_CHECK_LIST(LineSmoothing, d::LineSmoothing);
  QV_CHECK_LIST(GCDensity, d::GCDensity);
  QV_CHECK_LIST(GCContrast, d::GCContrast);
  QV_CHECK_LIST(PrintDensity, d::PrintDensity);
  QV_CHECK_LIST(MaxDrops, d::MaxDrops);
  QV_CHECK_UNSIGNED(CyanGamma, d::CyanGamma);
  QV_CHECK_UNSIGNED(MagentaGamma, d::MagentaGamma);
  QV_CHECK_UNSIGNED(YellowGamma, d::YellowGamma);
  QV_CHECK_UNSIGNED(BlackGamma, d::BlackGamma);
  QV_CHECK_LIST(RenderingIntent, d::RenderingIntent);
  QV_CHECK_LIST(RemapDeviceRGB, d::RemapDeviceRGB);
  // Profile ids: only the terminator is checked, not the digits.
  ok &= CheckText(b.RGBInputProfile, DefaultKeyword(d::RGBInputProfile));
  QV_CHECK_LIST(RemapDeviceCMYK, d::RemapDeviceCMYK);
  ok &= CheckText(b.CMYKInputProfile, DefaultKeyword(d::CMYKInputProfile));
  ok &= CheckText(b.OutputProfile, DefaultKeyword(d::OutputProfile));
  QV_CHECK_LIST(SeparateProfileTG, d::SeparateProfileTG);
  ok &= CheckText(b.TextOutputProfile, DefaultKeyword(d::TextOutputProfile));
  QV_CHECK_LIST(UseSimulationProfile, d::UseSimulationProfile);
  ok &= CheckText(b.SimulationProfile, DefaultKeyword(d::SimulationProfile));
  QV_CHECK_LIST(FormPrintPattern, d::FormPrintPattern);
  QV_CHECK_LIST(FormDataPrintFace, d::FormDataPrintFace);
  QV_CHECK_LIST(FormFrontBackSep, d::FormFrontBackSep);
  // Form1, Form2, PrependJob and AppendJob carry values past their lists on purpose.
  QV_CHECK_SIGNED(HorizontalShift, d::HorizontalShift);
  QV_CHECK_SIGNED(VerticalShift, d::VerticalShift);
  QV_CHECK_LIST(ShiftFrontBack, d::ShiftFrontBack);
  QV_CHECK_SIGNED(HoriShiftBack, d::HoriShiftBack);
  QV_CHECK_SIGNED(VertiShiftBack, d::VertiShiftBack);
  QV_CHECK_LIST(PrintPosition, d::PrintPosition);
  QV_CHECK_LIST(OutputDev, d::OutputDev);
  ok &= CheckText(b.RedirectToQueue, DefaultKeyword(d::RedirectToQueue));
  ok &= CheckText(b.QueueCodeWord, d::QueueCodeWord.defaultText);
  QV_CHECK_LIST(PrintAndHold, d::PrintAndHold);
  QV_CHECK_LIST(WaitAfterProof, d::WaitAfterProof);
  QV_CHECK_LIST(PrivatePrinting, d::PrivatePrinting);
  ok &= CheckText(b.PrivatePrintingBoxNumber, d::PrivatePrintingBoxNumber.defaultText);
  QV_CHECK_LIST(Delegation, d::Delegation);
  QV_CHECK_LIST(SendWindowsMessage, d::SendWindowsMessage);
  ok &= CheckText(b.SendWindowsMessageTarget, d::SendWindowsMessageTarget.defaultText);
  QV_CHECK_LIST(EmailNotification, d::EmailNotification);
  ok &= CheckText(b.EmailNotificationAddress, d::EmailNotificationAddress.defaultText);
  QV_CHECK_LIST(JobSplitting, d::JobSplitting);
  QV_CHECK_UNSIGNED(JobSplittingLimit, d::JobSplittingLimit);
  ok &= CheckText(b.JobComment, d::JobComment.defaultText);
  return ok;
}

void SetPrivateDevmodeHeader(DmExtraHeader* header) {
  if (header == nullptr) return;
  header->dwSize = kPrivateDevmodeSize;
  header->dwSignature = kPrivateDevmodeSignature;
  header->dwVersion = kPrivateDevmodeVersion;
}

bool IsOurPrivateDevmodeHeader(const DmExtraHeader& header) {
  return header.dwSize == kPrivateDevmodeSize && header.dwSignature == kPrivateDevmodeSignature &&
         header.dwVersion == kPrivateDevmodeVersion;
}

}  // namespace qv
