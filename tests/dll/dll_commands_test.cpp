#include "runtime/dll_commands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "runtime/program.h"
#include "tests/dll/callee_library.h"
#include "tests/dll/test_support.h"

namespace {

using dlltest::Contains;
using dlltest::DeclaredCommands;
using dlltest::FatalExit;

intptr_t Word(const void* p) { return reinterpret_cast<intptr_t>(p); }

TEST(DllCommands, LibraryNamesInEitherCaseBindTheSameModuleOncePerCommand) {
  DeclaredCommands commands({"Kernel32.dll", "kernel32.dll", "KERNEL32.DLL"},
                            {"lstrlenA", "lstrlenA", "lstrlenW"});
  EXPECT_EQ(rt::DllCommandModule(0), 0);
  const char narrow[] = "abc";
  const uint16_t wide[] = {0x4E2D, 0x6587, 0};
  intptr_t narrowArgs[] = {Word(narrow)};
  intptr_t wideArgs[] = {Word(wide)};
  EXPECT_EQ(rt::CallDllCommand(0, 1, narrowArgs), 3);
  EXPECT_EQ(rt::CallDllCommand(1, 1, narrowArgs), 3);
  EXPECT_EQ(rt::CallDllCommand(2, 1, wideArgs), 2);
  intptr_t module = rt::DllCommandModule(0);
  EXPECT_NE(module, 0);
  EXPECT_EQ(rt::DllCommandModule(1), module);
  EXPECT_EQ(rt::DllCommandModule(2), module);

  void* address = rt::BindDllCommand(0);
  EXPECT_EQ(rt::BindDllCommand(1), address);
  EXPECT_EQ(rt::CallDllCommand(0, 1, narrowArgs), 3);
  EXPECT_EQ(rt::BindDllCommand(0), address);
  EXPECT_EQ(rt::DllCommandModule(0), module);
  EXPECT_EQ(rt::DllCommandModule(3), 0);
  EXPECT_EQ(rt::DllCommandModule(-1), 0);
}

TEST(DllCommands, OrdinalsAndTheFixedLibraryList) {
  dlltest::PrepareCalleeLibrary();
  DeclaredCommands commands({dlltest::kCalleeLibrary, dlltest::kCalleeLibrary, "", ""},
                            {"#1", "#65537", "lstrlenA", "#x"});
  intptr_t args[] = {2, 40};
  EXPECT_EQ(rt::CallDllCommand(0, 2, args), 42);
  EXPECT_EQ(rt::CallDllCommand(1, 2, args), 42);
  EXPECT_EQ(rt::BindDllCommand(0), rt::BindDllCommand(1));
  const char text[] = "four";
  intptr_t textArgs[] = {Word(text)};
  EXPECT_EQ(rt::CallDllCommand(2, 1, textArgs), 4);
  // "#x" is no ordinal but a name that no library on the list exports.
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::BindDllCommand(3);
      },
      FatalExit, Contains("code 0: 无法找到指定DLL库文件中的输出命令“#x”\r\n0, 0"));
}

TEST(DllCommands, FailedBindsEndTheProcessNamingLibraryAndExport) {
  DeclaredCommands commands({"Kernel32.dll", "NoSuchLibrary.dll", ""},
                            {"NoSuchExport", "lstrlenA", "NoSuchExport"});
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::BindDllCommand(0);
      },
      FatalExit,
      Contains("code 0: 无法找到指定DLL库文件“Kernel32.dll”中的输出命令“NoSuchExport”\r\n0, 0"));
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::BindDllCommand(1);
      },
      FatalExit, Contains("无法找到指定DLL库文件“NoSuchLibrary.dll”中的输出命令“lstrlenA”"));
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::BindDllCommand(2);
      },
      FatalExit, Contains("无法找到指定DLL库文件中的输出命令“NoSuchExport”"));
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::BindDllCommand(3);
      },
      FatalExit, Contains("code 0: DLL命令号3未定义"));
}

TEST(DllCommands, EveryBoundModuleIsFreedAtExit) {
  dlltest::PrepareCalleeLibrary();
  {
    DeclaredCommands commands({dlltest::kCalleeLibrary, dlltest::kCalleeLibrary},
                              {"CalleeAdd", "#1"});
    intptr_t args[] = {1, 2};
    EXPECT_EQ(rt::CallDllCommand(0, 2, args), 3);
    EXPECT_EQ(rt::CallDllCommand(1, 2, args), 3);
    EXPECT_TRUE(dlltest::CalleeLibraryLoaded());
    rt::FreeDllCommands();
    EXPECT_FALSE(dlltest::CalleeLibraryLoaded());
    EXPECT_EQ(rt::DllCommandModule(0), 0);
  }
  // The exit sequence frees them too, and a fatal error leaves by the exit sequence.
  EXPECT_EXIT(
      {
        DeclaredCommands commands({dlltest::kCalleeLibrary}, {"CalleeAdd"});
        rt::BindDllCommand(0);
        bool loaded = dlltest::CalleeLibraryLoaded();
        rt::RunExitSequence(0);
        std::exit(loaded && !dlltest::CalleeLibraryLoaded() ? 7 : 1);
      },
      ::testing::ExitedWithCode(7), "");
}

}  // namespace
