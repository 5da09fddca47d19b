// COM plumbing of the Windows XML back end: owned interface pointers, BSTR and
// VARIANT ownership, Unicode conversions and HRESULT checks.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/wide_win.h"

namespace tts::xml::com {

// Owns one reference to a COM interface.
template <class T>
class Ptr {
 public:
  Ptr() = default;
  Ptr(const Ptr& other) : p_(other.p_) {
    if (p_)
      p_->AddRef();
  }
  Ptr(Ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  Ptr& operator=(Ptr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~Ptr() {
    if (p_)
      p_->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For an out-parameter: drops the old reference, receives a new one.
  T** out() {
    *this = Ptr();
    return &p_;
  }
  void** outVoid() { return reinterpret_cast<void**>(out()); }

 private:
  T* p_ = nullptr;
};

// Owns a BSTR.
class Bstr {
 public:
  Bstr() = default;
  // A BSTR holding UTF-8 text.
  explicit Bstr(std::string_view utf8);
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(b_); }
  BSTR get() const { return b_; }
  BSTR* out() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  // The text as UTF-8 (empty for a null BSTR).
  std::string utf8() const;

 private:
  BSTR b_ = nullptr;
};

// Owns a VARIANT.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  // A VT_BSTR variant holding UTF-16 text.
  explicit Variant(const std::wstring& text);
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&v_); }
  VARIANT& get() { return v_; }
  VARIANT* out() {
    VariantClear(&v_);
    return &v_;
  }

 private:
  VARIANT v_;
};

// The component's or the system's description of a failure, as ANSI text.
std::string describe(HRESULT hr);

// Throws Error("<what>: <description of hr>").
[[noreturn]] void fail(HRESULT hr, const std::string& what);

// Throws as fail() when `hr` is a failure; `what` builds the message only then.
template <class What>
void check(HRESULT hr, What&& what) {
  if (FAILED(hr))
    fail(hr, what());
}

// Initialises COM on the calling thread, once per thread, in the
// single-threaded apartment the XML component expects. Harmless where the
// program has initialised it already; never uninitialised, so COM stays up for
// the life of the thread.
void ensureInitialised();

}  // namespace tts::xml::com
