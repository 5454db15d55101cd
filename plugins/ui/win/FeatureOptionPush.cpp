#include "FeatureOptionPush.h"

#include "FeatureOptions.h"

namespace qv {
namespace ui {
namespace win {
namespace {

class CoreDriverSink final : public FeatureOptionSink {
 public:
  CoreDriverSink(IPrintCoreUI2* core, POEMUIOBJ poemuiobj) : core_(core), poemuiobj_(poemuiobj) {}
  void SetOptions(const char* buffer, std::uint32_t size) override {
    // Conflicts the driver keeps, and its answer, are its own business.
    DWORD result = 0;
    core_->SetOptions(poemuiobj_, SETOPTIONS_FLAG_KEEP_CONFLICT, buffer, size, &result);
  }

 private:
  IPrintCoreUI2* core_;
  POEMUIOBJ poemuiobj_;
};

}  // namespace

BOOL PushFeatureOptions(const PrivateDevmodeBody* record, IUnknown* driverInterface,
                        POEMUIOBJ poemuiobj) {
  if (record == nullptr || driverInterface == nullptr || poemuiobj == nullptr) return FALSE;
  IPrintCoreUI2* core = nullptr;
  if (FAILED(driverInterface->QueryInterface(IID_IPrintCoreUI2, reinterpret_cast<void**>(&core))) ||
      core == nullptr) {
    return FALSE;
  }
  CoreDriverSink sink(core, poemuiobj);
  const bool sent = SendFeatureOptions(*record, sink);  // catches everything itself
  core->Release();
  return sent ? TRUE : FALSE;
}

}  // namespace win
}  // namespace ui
}  // namespace qv
