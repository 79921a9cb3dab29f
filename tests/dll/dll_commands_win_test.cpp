#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/dll_commands.h"
#include "tests/dll/callee_library.h"
#include "tests/dll/test_support.h"

namespace {

using dlltest::Contains;
using dlltest::FatalExit;

TEST(DllCommands, FunctionThatLeavesItsArgumentsIsStackError6) {
  dlltest::DeclaredCommands commands({dlltest::kCalleeLibrary, dlltest::kCalleeLibrary},
                                     {"CalleeAdd", "CalleeCdeclAdd"});
  intptr_t args[] = {20, 22, 99};
  EXPECT_EQ(rt::CallDllCommandAt(0x04000007, 12, 0, 2, args), 42);
  EXPECT_EQ(rt::CallDllCommand(0, 2, args), 42);
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::CallDllCommandAt(0x04000007, 12, 1, 2, args);
      },
      FatalExit, Contains("code 6: 调用DLL命令后发现堆栈错误\r\n67108871, 12"));
  // Declared with the wrong number of arguments, in either direction.
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::CallDllCommandAt(0x04000007, 13, 0, 3, args);
      },
      FatalExit, Contains("code 6: 调用DLL命令后发现堆栈错误\r\n67108871, 13"));
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::CallDllCommand(0, 1, args);
      },
      FatalExit, Contains("code 6: "));
}

TEST(DllCommands, RealKernelFunctionsPassTheStackCheck) {
  dlltest::DeclaredCommands commands({"Kernel32.dll", "kernel32.dll"},
                                     {"MultiByteToWideChar", "GetCurrentThreadId"});
  const char utf8[] = "\xE4\xB8\xAD";
  WCHAR wide[4] = {};
  intptr_t args[] = {65001, 0, reinterpret_cast<intptr_t>(utf8), 3,
                     reinterpret_cast<intptr_t>(wide), 4};
  EXPECT_EQ(rt::CallDllCommand(0, 6, args), 1);
  EXPECT_EQ(wide[0], 0x4E2D);
  EXPECT_EQ(static_cast<DWORD>(rt::CallDllCommand(1, 0, nullptr)), GetCurrentThreadId());
  EXPECT_EQ(rt::DllCommandModule(0), reinterpret_cast<intptr_t>(GetModuleHandleW(L"kernel32.dll")));
}

}  // namespace
