#include <utility>

#include "ui/file_dialog.h"

namespace ui {
namespace {

FileDialogAnswer& Answer() {
  static FileDialogAnswer answer;
  return answer;
}

}  // namespace

void SetFileDialogAnswer(FileDialogAnswer answer) { Answer() = std::move(answer); }

bool RunFileDialog(const FileDialogRequest& request, void*, FileDialogChoice* choice) {
  if (!Answer()) return false;
  FileDialogChoice answered;
  answered.filterIndex = request.filterIndex;
  if (!Answer()(request, &answered)) return false;
  choice->path = answered.path;
  choice->filterIndex = answered.filterIndex;
  return true;
}

}  // namespace ui
