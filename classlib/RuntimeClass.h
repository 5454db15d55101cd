// Run-time class information: a class's name, its base and, for dynamically creatable
// classes, a creation function. Classes declare it with DECLARE_DYNAMIC /
// DECLARE_DYNCREATE in their body and define it with IMPLEMENT_DYNAMIC /
// IMPLEMENT_DYNCREATE in one source file. The root of a hierarchy declares
// DECLARE_DYNAMIC_ROOT (no base).
#pragma once

#include <cstring>

struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;  // nullptr at the root
  void* (*m_pfnCreateObject)();       // nullptr unless dynamically creatable

  bool IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
      if (c == base) return true;
    }
    return false;
  }
  // A new object of the class (the caller owns it), or nullptr when the class is
  // not dynamically creatable.
  void* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

#define RUNTIME_CLASS(cls) (&cls::class##cls)

#define DECLARE_DYNAMIC_ROOT(cls)          \
 public:                                   \
  static const CRuntimeClass class##cls;   \
  virtual const CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNAMIC(cls)               \
 public:                                   \
  static const CRuntimeClass class##cls;   \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(cls) \
  DECLARE_DYNAMIC(cls)         \
  static void* CreateObject();

#define QV_IMPLEMENT_RUNTIMECLASS(cls, base, create)                       \
  const CRuntimeClass cls::class##cls = {#cls, base, create};             \
  const CRuntimeClass* cls::GetRuntimeClass() const { return &cls::class##cls; }

#define IMPLEMENT_DYNAMIC_ROOT(cls) QV_IMPLEMENT_RUNTIMECLASS(cls, nullptr, nullptr)
#define IMPLEMENT_DYNAMIC(cls, base) QV_IMPLEMENT_RUNTIMECLASS(cls, RUNTIME_CLASS(base), nullptr)
#define IMPLEMENT_DYNCREATE(cls, base)                                 \
  void* cls::CreateObject() { return new cls; }                       \
  QV_IMPLEMENT_RUNTIMECLASS(cls, RUNTIME_CLASS(base), &cls::CreateObject)
