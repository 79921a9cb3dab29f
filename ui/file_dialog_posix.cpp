#include "ui/file_dialog.h"

#include <utility>

namespace ui {
namespace {

FileDialogAnswer& Answer() {
  static FileDialogAnswer answer;
  return answer;
}

}  // namespace

void SetFileDialogAnswer(FileDialogAnswer answer) { Answer() = std::move(answer); }

bool RunFileDialog(const FileDialogRequest& request, void*, std::string* chosen) {
  if (!Answer()) return false;
  std::string path;
  if (!Answer()(request, &path)) return false;
  *chosen = path;
  return true;
}

}  // namespace ui
