#include "tests/app/host/driver.h"

#include <cstdio>
#include <vector>

#include "platform/files.h"

namespace tts::e2e {

namespace {

constexpr DWORD kLimitMs = 20000;
constexpr DWORD kPollMs = 20;

std::string windowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/')
    return path;
  std::string converted = "Z:" + path;
  for (char& c : converted) {
    if (c == '/')
      c = '\\';
  }
  return converted;
}

std::string className(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct Search {
  DWORD pid;
  std::string cls;
  std::string title;
  HWND previous;
  HWND found;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM param) {
  auto& s = *reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s.pid || window == s.previous || !IsWindowVisible(window))
    return TRUE;
  if (className(window) != s.cls)
    return TRUE;
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  if (!s.title.empty() && s.title != title)
    return TRUE;
  s.found = window;
  return FALSE;
}

BOOL CALLBACK matchClass(HWND window, LPARAM param) {
  auto& s = *reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s.pid || className(window) != s.cls)
    return TRUE;
  s.found = window;
  return FALSE;
}

struct ById {
  int id;
  HWND found;
};

BOOL CALLBACK matchId(HWND window, LPARAM param) {
  auto& s = *reinterpret_cast<ById*>(param);
  if (GetDlgCtrlID(window) != s.id)
    return TRUE;
  s.found = window;
  return FALSE;
}

template <class Test>
void waitFor(const std::string& what, Test test) {
  DWORD start = GetTickCount();
  while (!test()) {
    if (GetTickCount() - start > kLimitMs)
      throw Timeout("no llega a tiempo: " + what);
    Sleep(kPollMs);
  }
}

}  // namespace

Driver::Driver(HWND host, const std::string& programExe)
    : host_(host), programExe_(windowsPath(programExe)) {}

Driver::~Driver() {
  if (process_.hProcess) {
    if (running()) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

std::string Driver::hostHex(bool upper) const {
  char text[32];
  std::snprintf(text, sizeof text, upper ? "%llX" : "%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(host_)));
  return text;
}

std::string Driver::prepareFolder(const std::string& name, const std::string& iniText) {
  CreateDirectoryA("C:\\tts-e2e", nullptr);
  std::string folder = "C:\\tts-e2e\\" + name;
  files::removeTreeQuietly(folder);
  if (!CreateDirectoryA(folder.c_str(), nullptr))
    throw std::runtime_error("no se crea " + folder);
  std::string exe = folder + "\\TransTempaxScolvia.exe";
  if (!CopyFileA(programExe_.c_str(), exe.c_str(), FALSE)) {
    throw std::runtime_error("no se copia " + programExe_);
  }
  std::string help = files::folderPart(programExe_) + "SCOLVIA.chm";
  CopyFileA(help.c_str(), (folder + "\\SCOLVIA.chm").c_str(), FALSE);
  if (!iniText.empty()) {
    files::writeAll(folder + "\\Tempaxin.ini",
                    std::vector<uint8_t>(iniText.begin(), iniText.end()));
  }
  return folder;
}

void Driver::launch(const std::string& folder, const std::string& parameters) {
  std::string exe = folder + "\\TransTempaxScolvia.exe";
  std::string line = "\"" + exe + "\"" + (parameters.empty() ? "" : " " + parameters);
  std::vector<char> mutableLine(line.begin(), line.end());
  mutableLine.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process_)) {
    throw std::runtime_error("no arranca " + exe);
  }
}

HWND Driver::waitDialog(const std::string& title, HWND previous) {
  Search s{process_.dwProcessId, "#32770", title, previous, nullptr};
  waitFor("el diálogo \"" + title + "\"", [&] {
    s.found = nullptr;
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&s));
    if (!s.found && !running())
      throw Timeout("el programa terminó sin el diálogo \"" + title + "\"");
    return s.found != nullptr;
  });
  return s.found;
}

HWND Driver::waitWindow(const std::string& cls, const std::string& title) {
  Search s{process_.dwProcessId, cls, title, nullptr, nullptr};
  waitFor("la ventana \"" + title + "\"", [&] {
    s.found = nullptr;
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&s));
    return s.found != nullptr;
  });
  return s.found;
}

void Driver::waitGone(HWND window) {
  waitFor("que se cierre una ventana",
          [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

bool Driver::anyDialog() const {
  Search s{process_.dwProcessId, "#32770", "", nullptr, nullptr};
  EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found != nullptr;
}

HWND Driver::waitMainWindow() {
  Search s{process_.dwProcessId, "TMForm", "", nullptr, nullptr};
  waitFor("la ventana principal", [&] {
    s.found = nullptr;
    EnumWindows(matchClass, reinterpret_cast<LPARAM>(&s));
    if (!s.found)
      EnumChildWindows(host_, matchClass, reinterpret_cast<LPARAM>(&s));
    return s.found != nullptr;
  });
  return s.found;
}

void Driver::waitVisible(HWND window) {
  waitFor("una ventana visible", [&] { return IsWindowVisible(window) != 0; });
}

DWORD Driver::waitExit() {
  if (WaitForSingleObject(process_.hProcess, kLimitMs) != WAIT_OBJECT_0) {
    throw Timeout("el programa no termina");
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

bool Driver::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void Driver::chooseFile(HWND dialog, const std::string& path) {
  HWND name = GetDlgItem(dialog, 0x47C);
  if (!name)
    throw std::runtime_error("el diálogo de abrir no tiene el campo del nombre");
  setText(name, path);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void Driver::cancel(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

HWND Driver::control(HWND parent, int id) const {
  ById s{id, nullptr};
  EnumChildWindows(parent, matchId, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string Driver::text(HWND window) const {
  char buffer[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 5000, &length);
  return buffer;
}

void Driver::setText(HWND window, const std::string& text) {
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           SMTO_ABORTIFHUNG, 5000, &ignored)) {
    throw Timeout("WM_SETTEXT sin respuesta");
  }
}

void Driver::click(HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
}

std::string Driver::boxText(HWND box) const {
  return text(GetDlgItem(box, 0xFFFF));
}

BoxIcon Driver::boxIcon(HWND box) const {
  HWND icon = GetDlgItem(box, 0x440);
  if (!icon || !IsWindowVisible(icon))
    return BoxIcon::None;
  // The icon's handle cannot be read from here, but its pixels can: compare
  // them with the system's error icon drawn on the same ground.
  RECT r;
  GetWindowRect(icon, &r);
  int w = r.right - r.left;
  int h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC shot = CreateCompatibleDC(screen);
  HDC drawn = CreateCompatibleDC(screen);
  HBITMAP shotBits = CreateCompatibleBitmap(screen, w, h);
  HBITMAP drawnBits = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ oldShot = SelectObject(shot, shotBits);
  HGDIOBJ oldDrawn = SelectObject(drawn, drawnBits);
  // Once painted, a box with an icon matches one of the system icons drawn on
  // its ground exactly; a box without one matches none.
  BoxIcon kind = BoxIcon::None;
  const LPCSTR icons[] = {IDI_ERROR, IDI_INFORMATION, IDI_WARNING, IDI_QUESTION};
  Sleep(150);
  for (int attempt = 0; attempt < 25 && kind == BoxIcon::None; ++attempt) {
    Sleep(kPollMs);
    BitBlt(shot, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    for (LPCSTR id : icons) {
      HBRUSH ground = CreateSolidBrush(GetPixel(shot, 0, 0));
      RECT all{0, 0, w, h};
      FillRect(drawn, &all, ground);
      DeleteObject(ground);
      DrawIcon(drawn, 0, 0, LoadIcon(nullptr, id));
      bool same = true;
      for (int y = 0; y < h && same; ++y) {
        for (int x = 0; x < w && same; ++x)
          same = GetPixel(shot, x, y) == GetPixel(drawn, x, y);
      }
      if (same) {
        kind = id == IDI_ERROR ? BoxIcon::Error : BoxIcon::Other;
        break;
      }
    }
  }
  SelectObject(shot, oldShot);
  SelectObject(drawn, oldDrawn);
  DeleteObject(shotBits);
  DeleteObject(drawnBits);
  DeleteDC(shot);
  DeleteDC(drawn);
  ReleaseDC(nullptr, screen);
  return kind;
}

void Driver::acknowledge(HWND box) {
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

std::string readFileText(const std::string& path) {
  if (!files::exists(path))
    return "";
  auto bytes = files::readAll(path);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace tts::e2e
