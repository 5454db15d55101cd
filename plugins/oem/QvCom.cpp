#include "QvCom.h"

namespace qvoem {
namespace {

LONG g_objects = 0;
LONG g_locks = 0;

}  // namespace

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }

void LockModule(BOOL lock) {
  if (lock)
    InterlockedIncrement(&g_locks);
  else
    InterlockedDecrement(&g_locks);
}

HRESULT CanUnloadNow() {
  const LONG objects = InterlockedCompareExchange(&g_objects, 0, 0);
  const LONG locks = InterlockedCompareExchange(&g_locks, 0, 0);
  return objects == 0 && locks == 0 ? S_OK : S_FALSE;
}

HRESULT QueryInterfaceFromTable(IUnknown* self, const IID* const* ids, std::size_t count,
                                REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  for (std::size_t i = 0; i < count; ++i) {
    if (IsEqualIID(riid, *ids[i])) {
      *ppv = self;
      self->AddRef();
      return S_OK;
    }
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

HRESULT CreateObject(CreateObjectFn create, IUnknown* outer, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  IUnknown* object = create ? create() : nullptr;
  if (!object) return E_OUTOFMEMORY;
  const HRESULT hr = object->QueryInterface(riid, ppv);
  object->Release();  // frees the object again when the query failed
  return hr;
}

}  // namespace qvoem
