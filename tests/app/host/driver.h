// Driving TransTempaxScolvia.exe from another process, as the timetable
// generator does: start a copy of the program, find its windows, fill its
// dialogs, read its message boxes. Every wait has a time limit and throws
// Timeout when it runs out.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace tts::e2e {

struct Timeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What a message box shows beside its text.
enum class BoxIcon { None, Error, Other };

class Driver {
 public:
  // `programExe`: the built exe (a Unix path is read through Wine's Z: drive).
  Driver(HWND host, const std::string& programExe);
  ~Driver();  // ends a program still running
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  HWND host() const { return host_; }
  // The host window's handle in hexadecimal, as the command line carries it.
  std::string hostHex(bool upper) const;

  // Copies the exe (and the help file) into a fresh folder C:\tts-e2e\<name>
  // and returns that folder; `iniText` is written there as Tempaxin.ini when
  // not empty.
  std::string prepareFolder(const std::string& name, const std::string& iniText = "");
  // Starts the copy in `folder` with these parameters after the program name.
  void launch(const std::string& folder, const std::string& parameters);

  // A visible dialog (class #32770) of the program with exactly this title,
  // other than `previous`.
  HWND waitDialog(const std::string& title, HWND previous = nullptr);
  // A visible top-level window of the program of this class and title.
  HWND waitWindow(const std::string& cls, const std::string& title);
  // Waits until `window` is closed or hidden.
  void waitGone(HWND window);
  // The program's main window (class TMForm), top-level or inside the host.
  HWND waitMainWindow();
  // Waits until `window` is visible.
  void waitVisible(HWND window);
  // Waits for the program to end; returns its exit code.
  DWORD waitExit();
  bool running() const;

  // True when a dialog of the program is shown now.
  bool anyDialog() const;

  // The open dialog: types the file name and confirms, or cancels.
  void chooseFile(HWND dialog, const std::string& path);
  void cancel(HWND dialog);
  // A control anywhere inside `parent` by id.
  HWND control(HWND parent, int id) const;
  std::string text(HWND window) const;
  void setText(HWND window, const std::string& text);
  void click(HWND button);  // posted BM_CLICK

  // A message box's text, its icon, and its OK button.
  std::string boxText(HWND box) const;
  BoxIcon boxIcon(HWND box) const;
  void acknowledge(HWND box);

 private:
  HWND host_;
  std::string programExe_;
  PROCESS_INFORMATION process_{};
};

// Reads a whole file as bytes in a string; empty when missing.
std::string readFileText(const std::string& path);

}  // namespace tts::e2e
