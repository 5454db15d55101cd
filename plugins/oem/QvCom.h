// The COM plumbing both plug-in DLLs share: interlocked reference counts, the DLL's
// object and lock counts, QueryInterface over a table of interface ids, the class
// factory, and the bodies of DllGetClassObject and DllCanUnloadNow.
//
// Each plug-in DLL links its own copy of this code (a static library), so each DLL has
// its own object and lock counts.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <unknwn.h>

#include <cstddef>
#include <new>

namespace qvoem {

// The object count (live plug-in objects) and the lock count (LockServer TRUE minus
// FALSE). Class factories are not counted. Changed only by interlocked operations.
void ObjectCreated();
void ObjectDestroyed();
void LockModule(BOOL lock);
// S_OK when both counts are 0, else S_FALSE. Reads the counts without a lock.
HRESULT CanUnloadNow();

// QueryInterface of an object that answers every id of `ids` with the same pointer
// `self` (one interface chain): that pointer and one reference added, S_OK; any other
// id: null and E_NOINTERFACE; a null ppv: E_POINTER.
HRESULT QueryInterfaceFromTable(IUnknown* self, const IID* const* ids, std::size_t count,
                                REFIID riid, void** ppv);

// Base of a COM object implementing the single interface chain `Interface`.
// `Derived` lists the ids it answers in `static constexpr const IID* kInterfaces[]`
// and keeps its destructor private, befriending this base, which deletes it at the
// last Release. The count starts at 1: the creator's reference.
template <class Derived, class Interface>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return QueryInterfaceFromTable(this, Derived::kInterfaces,
                                   sizeof Derived::kInterfaces / sizeof Derived::kInterfaces[0],
                                   riid, ppv);
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete static_cast<Derived*>(this);
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  ~ComObject() = default;

 private:
  LONG refs_ = 1;
};

// Makes one plug-in object with a reference count of 1, counted in the object count;
// null when memory runs out. Must not throw.
using CreateObjectFn = IUnknown* (*)();

// IClassFactory::CreateInstance of every factory: E_POINTER for a null ppv; otherwise
// *ppv is cleared first. An outer unknown: CLASS_E_NOAGGREGATION; no memory:
// E_OUTOFMEMORY; else the new object's answer to QueryInterface(riid), after which the
// creation reference is released (so a refused object is gone again).
HRESULT CreateObject(CreateObjectFn create, IUnknown* outer, REFIID riid, void** ppv);

// The class factory of a plug-in DLL whose objects `Create` makes: IUnknown and
// IClassFactory. Each DLL names its own (IOemCF, IOemPSCF). Factories are not counted
// in the object count.
template <CreateObjectFn Create>
class ClassFactory final : public ComObject<ClassFactory<Create>, IClassFactory> {
 public:
  static constexpr const IID* kInterfaces[] = {&IID_IUnknown, &IID_IClassFactory};

  ClassFactory() = default;

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    return CreateObject(Create, outer, riid, ppv);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    LockModule(lock);
    return S_OK;
  }

 private:
  friend class ComObject<ClassFactory, IClassFactory>;
  ~ClassFactory() = default;
};

// DllGetClassObject of a DLL whose one class is `ours`, made by `Factory`: E_POINTER
// for a null ppv; otherwise *ppv is cleared first; another class id:
// CLASS_E_CLASSNOTAVAILABLE; no memory: E_OUTOFMEMORY; else a new factory's answer to
// QueryInterface(riid), after which the creation reference is released.
template <class Factory>
HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv, REFCLSID ours) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!IsEqualCLSID(rclsid, ours)) return CLASS_E_CLASSNOTAVAILABLE;
  Factory* factory = new (std::nothrow) Factory();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}

}  // namespace qvoem
