// A small program for the runtime's tests: one window with two buttons whose
// handlers record what ran.
#pragma once

#include <string>
#include <vector>

#include "runtime/program.h"

namespace testprog {

constexpr rt::ComponentId kWindow = 0x52010001;
constexpr rt::ComponentId kFirstButton = 0x56010002;
constexpr rt::ComponentId kSecondButton = 0x56010003;
constexpr rt::ComponentId kLinkedButton = 0x56010004;

std::vector<std::string>& Log();
// Sets the runtime up afresh with the test program and runs InitRuntime.
void Start(const char* templates = nullptr);
const rt::ProgramDescriptor& Descriptor(const char* templates);

}  // namespace testprog
