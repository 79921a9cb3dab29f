#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/dll_commands.h"
#include "runtime/runtime_state.h"
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
  if (sizeof(void*) == 8) {
    // x64 has one convention and the caller removes the arguments: both calls work.
    EXPECT_EQ(rt::CallDllCommand(1, 2, args), 42);
    GTEST_SKIP() << "a 64-bit call cannot leave the stack moved";
  }
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
  intptr_t args[] = {
      65001, 0, reinterpret_cast<intptr_t>(utf8), 3, reinterpret_cast<intptr_t>(wide), 4};
  EXPECT_EQ(rt::CallDllCommand(0, 6, args), 1);
  EXPECT_EQ(wide[0], 0x4E2D);
  EXPECT_EQ(static_cast<DWORD>(rt::CallDllCommand(1, 0, nullptr)), GetCurrentThreadId());
  EXPECT_EQ(rt::DllCommandModule(0), reinterpret_cast<intptr_t>(GetModuleHandleW(L"kernel32.dll")));
}

TEST(DllCommands, TheExecutablesDirectoryComesBeforeTheStandardSearch) {
  // A copy of the test library in a folder of its own, made the executable's directory:
  // the standard search would find the copy beside the test program instead.
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  ASSERT_GT(length, 0u);
  std::wstring here(path, length);
  here.resize(here.rfind(L'\\'));
  ASSERT_GT(GetTempPathW(MAX_PATH, path), 0u);
  std::wstring folder =
      std::wstring(path) + L"subvane-dll-" + std::to_wstring(GetCurrentProcessId());
  std::wstring copy = folder + L"\\subvane_callee.dll";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW((here + L"\\subvane_callee.dll").c_str(), copy.c_str(), FALSE));
  char narrow[MAX_PATH * 2] = {};
  WideCharToMultiByte(936, 0, folder.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);

  std::string saved = rt::State().executableDirectory;
  rt::State().executableDirectory = narrow;
  {
    dlltest::DeclaredCommands commands({dlltest::kCalleeLibrary}, {"CalleeAdd"});
    intptr_t args[] = {40, 2};
    EXPECT_EQ(rt::CallDllCommand(0, 2, args), 42);
    length = GetModuleFileNameW(reinterpret_cast<HMODULE>(rt::DllCommandModule(0)), path, MAX_PATH);
    EXPECT_EQ(_wcsicmp(std::wstring(path, length).c_str(), copy.c_str()), 0);
  }
  rt::State().executableDirectory = saved;
  EXPECT_TRUE(DeleteFileW(copy.c_str()));
  EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

}  // namespace
