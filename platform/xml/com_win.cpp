#include "platform/xml/com_win.h"

#include <objbase.h>

#include <cstdio>

#include "platform/error.h"
#include "platform/text.h"

namespace tts::xml::com {

Bstr::Bstr(std::string_view utf8) {
  std::wstring text = wideFromUtf8(utf8);
  b_ = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!b_)
    throw Error("No hay memoria suficiente para el componente XML");
}

std::string Bstr::utf8() const {
  return b_ ? utf8FromWide(b_, SysStringLen(b_)) : std::string();
}

Variant::Variant(const std::wstring& text) {
  VariantInit(&v_);
  v_.vt = VT_BSTR;
  v_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!v_.bstrVal)
    throw Error("No hay memoria suficiente para el componente XML");
}

std::string describe(HRESULT hr) {
  IErrorInfo* raw = nullptr;
  if (GetErrorInfo(0, &raw) == S_OK && raw) {
    Bstr text;
    raw->GetDescription(text.out());
    raw->Release();
    std::string description = trim(ansiFromUtf8(text.utf8()));
    if (!description.empty())
      return description;
  }
  char* message = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<char*>(&message), 0, nullptr);
  std::string description = n && message ? trim(std::string(message, n)) : std::string();
  if (message)
    LocalFree(message);
  if (!description.empty())
    return description;
  char code[48];
  std::snprintf(code, sizeof code, "error 0x%08lX del componente", static_cast<unsigned long>(hr));
  return code;
}

void fail(HRESULT hr, const std::string& what) {
  throw Error(what + ": " + describe(hr));
}

void ensureInitialised() {
  thread_local bool initialised = false;
  if (initialised)
    return;
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // RPC_E_CHANGED_MODE: the thread chose the multithreaded apartment before
  // us; the component works there too.
  if (FAILED(hr) && hr != RPC_E_CHANGED_MODE) {
    fail(hr, "No se puede iniciar el sistema de componentes (COM)");
  }
  initialised = true;
}

}  // namespace tts::xml::com
