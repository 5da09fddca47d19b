// The program entry of TransTempaxScolvia: initialises the component runtime
// for the XML component, sets the help file and the title, creates the main
// window MForm and serves its messages until it closes. The exit code is
// always 0: the outcome travels only through the status file.
#include <ole2.h>
#include <windows.h>

#include "app/MainForm.h"
#include "app/application.h"
#include "app/error_report.h"
#include "app/help.h"

namespace {

struct OleSession {
  OleSession() { OleInitialize(nullptr); }
  ~OleSession() { OleUninitialize(); }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace tts::app;
  OleSession ole;
  application().helpFile = "SCOLVIA.chm";
  application().title = "TransTempaxScolvia";
  {
    TMForm MForm;
    if (guarded(nullptr, [&] { MForm.create(); })) {
      MForm.show();
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (MForm.preTranslate(message))
          continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
  }
  closeHelp();
  return 0;
}
