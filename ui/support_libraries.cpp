#include "ui/support_libraries.h"

#include "runtime/kernel_library.h"
#include "ui/file_dialog.h"
#include "ui/table_component.h"

namespace ui {

namespace {

const rt::ComponentTypeInfo kKernelTypes[] = {rt::kWindowType, rt::kButtonType,
                                              rt::kDropDownListType, kFileDialogType};

}  // namespace

const rt::SupportLibrary kKernelLibrary = {"kernel", nullptr, kKernelTypes,
                                           sizeof kKernelTypes / sizeof kKernelTypes[0]};
const rt::SupportLibrary* const kSupportLibraries[kSupportLibraryCount] = {&kKernelLibrary,
                                                                           &kGridLibrary};

}  // namespace ui
