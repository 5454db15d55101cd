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

// The class factory of a plug-in DLL: IUnknown and IClassFactory.
class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
 public:
  static constexpr const IID* kInterfaces[] = {&IID_IUnknown, &IID_IClassFactory};

  explicit ClassFactory(CreateObjectFn create) : create_(create) {}

  // E_POINTER for a null ppv; otherwise *ppv is cleared first. An outer unknown:
  // CLASS_E_NOAGGREGATION; no memory: E_OUTOFMEMORY; else the new object's answer to
  // QueryInterface(riid), after which the creation reference is released (so a
  // refused object is gone again).
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  friend class ComObject<ClassFactory, IClassFactory>;
  ~ClassFactory() = default;

  CreateObjectFn create_;
};

// DllGetClassObject of a DLL whose one class is `ours`: E_POINTER for a null ppv;
// otherwise *ppv is cleared first; another class id: CLASS_E_CLASSNOTAVAILABLE; no
// memory: E_OUTOFMEMORY; else a new factory's answer to QueryInterface(riid), after
// which the creation reference is released.
HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv, REFCLSID ours,
                       CreateObjectFn create);

}  // namespace qvoem
