// Doubles of the core driver's helper object, as published to qvui_dll through
// PublishDriverInterface (Windows tests only): FakeCoreUI2, the current form
// (IPrintCoreUI2, which also answers IPrintOemDriverUI) recording every SetOptions call,
// and FakeDriverUI, an older core driver with IPrintOemDriverUI only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "QvOemUi.h"

namespace qv::ui::test {

// What both doubles share: reference and query bookkeeping and the IPrintOemDriverUI
// methods, none of which the plug-in relies on.
template <typename Interface>
class DriverUiDouble : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    queries.push_back(riid);
    if (Offers(riid)) {
      *ppv = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) override {
    return E_NOTIMPL;
  }

  bool Asked(REFIID riid) const {
    for (const IID& q : queries)
      if (IsEqualIID(q, riid)) return true;
    return false;
  }

  LONG refs = 1;  // the test's own reference
  std::vector<IID> queries;

 protected:
  virtual bool Offers(REFIID riid) const = 0;
};

class FakeCoreUI2 : public DriverUiDouble<IPrintCoreUI2> {
 public:
  struct SetOptionsCall {
    POEMUIOBJ poemuiobj;
    DWORD flags;
    std::string buffer;  // cbIn bytes
    DWORD cbIn;
  };

  HRESULT STDMETHODCALLTYPE GetOptions(POEMUIOBJ, DWORD, PCSTR, DWORD, PSTR, DWORD,
                                       PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetOptions(POEMUIOBJ poemuiobj, DWORD dwFlags, PCSTR buffer,
                                       DWORD cbIn, PDWORD pdwResult) override {
    setOptions.push_back({poemuiobj, dwFlags, buffer ? std::string(buffer, cbIn) : std::string(),
                          cbIn});
    if (pdwResult) *pdwResult = SETOPTIONS_RESULT_CONFLICT_REMAINED;
    return E_FAIL;  // not examined by the plug-in
  }
  HRESULT STDMETHODCALLTYPE EnumConstrainedOptions(POEMUIOBJ, DWORD, PCSTR, PSTR, DWORD,
                                                   PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE WhyConstrained(POEMUIOBJ, DWORD, PCSTR, PCSTR, PSTR, DWORD,
                                           PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetGlobalAttribute(POEMUIOBJ, DWORD, PCSTR, PDWORD, PBYTE, DWORD,
                                               PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetFeatureAttribute(POEMUIOBJ, DWORD, PCSTR, PCSTR, PDWORD, PBYTE,
                                                DWORD, PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetOptionAttribute(POEMUIOBJ, DWORD, PCSTR, PCSTR, PCSTR, PDWORD,
                                               PBYTE, DWORD, PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE EnumFeatures(POEMUIOBJ, DWORD, PSTR, DWORD, PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE EnumOptions(POEMUIOBJ, DWORD, PCSTR, PSTR, DWORD, PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE QuerySimulationSupport(HANDLE, DWORD, PBYTE, DWORD,
                                                   PDWORD) override {
    return E_NOTIMPL;
  }

  std::vector<SetOptionsCall> setOptions;

 protected:
  bool Offers(REFIID riid) const override {
    return IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemDriverUI) ||
           IsEqualIID(riid, IID_IPrintCoreUI2);
  }
};

// offer false: a helper object that does not even answer IPrintOemDriverUI.
class FakeDriverUI : public DriverUiDouble<IPrintOemDriverUI> {
 public:
  explicit FakeDriverUI(bool offer = true) : offer_(offer) {}

 protected:
  bool Offers(REFIID riid) const override {
    return IsEqualIID(riid, IID_IUnknown) || (offer_ && IsEqualIID(riid, IID_IPrintOemDriverUI));
  }

 private:
  bool offer_;
};

}  // namespace qv::ui::test
