#include "runtime/kernel_library.h"

#include "runtime/button.h"
#include "runtime/drop_down_list.h"
#include "runtime/window.h"

namespace rt {

namespace {

std::unique_ptr<Component> CreateWindowEntry(const ComponentTemplate&) {
  // Windows are built from whole templates by LoadStartWindow, never as components.
  return nullptr;
}

}  // namespace

const ComponentTypeInfo kWindowType = {kComponentWindow, kTypeRaisesEvents, CreateWindowEntry};
const ComponentTypeInfo kButtonType = {kComponentButton, kTypeRaisesEvents, CreateButton};
const ComponentTypeInfo kDropDownListType = {kComponentDropDownList, kTypeRaisesEvents,
                                             CreateDropDownList};

}  // namespace rt
