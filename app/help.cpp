#include "app/help.h"

#include "app/application.h"
#include "platform/files.h"

namespace tts::app {

namespace {

// Commands of the HTML Help API (htmlhelp.h).
constexpr UINT kDisplayToc = 0x0001;
constexpr UINT kHelpContext = 0x000F;
constexpr UINT kCloseAll = 0x0012;

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpFn htmlHelp(bool load) {
  static HMODULE module = nullptr;
  static HtmlHelpFn function = nullptr;
  if (!module && load) {
    module = LoadLibraryA("hhctrl.ocx");
    if (module) {
      function = reinterpret_cast<HtmlHelpFn>(
          reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")));
    }
  }
  return function;
}

HWND call(HWND caller, UINT command, DWORD_PTR data) {
  HtmlHelpFn function = htmlHelp(true);
  if (!function)
    return nullptr;
  std::string path = helpFilePath(application().helpFile, executablePath());
  return function(caller, path.c_str(), command, data);
}

}  // namespace

std::string helpFilePath(const std::string& helpFile, const std::string& executable) {
  if (!files::folderPart(helpFile).empty())
    return helpFile;
  return files::folderPart(executable) + helpFile;
}

HWND showHelpContents(HWND caller) {
  return call(caller, kDisplayToc, 0);
}

HWND showHelpContext(HWND caller, DWORD context) {
  return call(caller, kHelpContext, context);
}

DWORD helpContextOf(HWND window, HWND top) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (DWORD context = GetWindowContextHelpId(w))
      return context;
    if (w == top)
      break;
  }
  return 0;
}

void closeHelp() {
  if (HtmlHelpFn function = htmlHelp(false))
    function(nullptr, nullptr, kCloseAll, 0);
}

}  // namespace tts::app
