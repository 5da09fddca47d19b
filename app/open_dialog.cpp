#include "app/open_dialog.h"

#include <commdlg.h>

#include <vector>

#include "platform/files.h"

namespace tts::app {

std::string withDefaultExtension(const std::string& path) {
  std::string name = files::namePart(path);
  if (name.empty() || name.find('.') != std::string::npos)
    return path;
  return path + ".xml";
}

std::optional<std::string> showOpenDialogXml(HWND owner, const std::string& fileName) {
  std::vector<char> buffer(32768, '\0');
  fileName.copy(buffer.data(), buffer.size() - 1);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "*.xml\0*.xml\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrInitialDir = "c:\\qtemp\\scolvia";
  dialog.lpstrTitle = "Archivo XML";
  dialog.lpstrDefExt = "xml";
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!GetOpenFileNameA(&dialog))
    return std::nullopt;
  return withDefaultExtension(buffer.data());
}

}  // namespace tts::app
