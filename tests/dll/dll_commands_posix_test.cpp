#include <gtest/gtest.h>

#include <cstdint>

#include "platform/platform.h"
#include "platform/posix/kernel32_standin.h"
#include "runtime/dll_commands.h"
#include "tests/dll/test_support.h"

namespace {

using platform::standin::ModuleLoadCount;

intptr_t Word(const void* p) { return reinterpret_cast<intptr_t>(p); }

intptr_t OnlyInUser32(intptr_t a) { return a * 2; }

TEST(StandinLibraries, FoundByBaseNameWhateverTheCaseOrPath) {
  intptr_t module = platform::LibraryLoad("KERNEL32.DLL");
  ASSERT_NE(module, 0);
  EXPECT_EQ(platform::LibraryLoad("C:\\Windows\\System32\\kernel32.dll"), module);
  EXPECT_EQ(platform::LibraryLoad("/opt/dir\\Kernel32"), module);
  EXPECT_EQ(ModuleLoadCount("kernel32.dll"), 3);
  EXPECT_NE(platform::LibraryFind(module, "MultiByteToWideChar"), nullptr);
  EXPECT_EQ(platform::LibraryFind(module, "multibytetowidechar"), nullptr);
  EXPECT_EQ(platform::LibraryFindOrdinal(module, 3), platform::LibraryFind(module, "lstrlenA"));
  EXPECT_EQ(platform::LibraryFindOrdinal(module, 0), nullptr);
  EXPECT_EQ(platform::LibraryFindOrdinal(module, 5), nullptr);
  EXPECT_EQ(platform::LibraryLoad("kernel32.dll.bak"), 0);
  EXPECT_EQ(platform::LibraryLoad(""), 0);
  for (int i = 0; i < 3; i++) platform::LibraryFree(module);
  EXPECT_EQ(ModuleLoadCount("kernel32.dll"), 0);
}

TEST(DllCommands, EachCommandLoadsItsLibraryOnceAndFreesItAtTheEnd) {
  {
    dlltest::DeclaredCommands commands({"Kernel32.dll", "kernel32.dll", "D:\\x\\KERNEL32.DLL"},
                                       {"lstrlenA", "lstrlenA", "#65539"});
    const char text[] = "ab";
    intptr_t args[] = {Word(text)};
    for (int round = 0; round < 3; round++)
      for (int32_t number = 0; number < 3; number++)
        EXPECT_EQ(rt::CallDllCommand(number, 1, args), 2);
    EXPECT_EQ(ModuleLoadCount("kernel32.dll"), 3);
  }
  EXPECT_EQ(ModuleLoadCount("kernel32.dll"), 0);
}

TEST(DllCommands, FixedListUnloadsTheLibrariesThatLackTheExport) {
  platform::standin::RegisterModule("User32.dll",
                                    {{"OnlyInUser32", reinterpret_cast<void*>(&OnlyInUser32)}});
  {
    dlltest::DeclaredCommands commands({""}, {"OnlyInUser32"});
    intptr_t args[] = {21};
    EXPECT_EQ(rt::CallDllCommand(0, 1, args), 42);
    EXPECT_EQ(ModuleLoadCount("kernel32.dll"), 0);
    EXPECT_EQ(ModuleLoadCount("user32.dll"), 1);
  }
  EXPECT_EQ(ModuleLoadCount("user32.dll"), 0);
  // A failed bind frees what it loaded before the report.
  EXPECT_EXIT(
      {
        dlltest::DeclaredCommands commands({"user32.dll"}, {"Missing"});
        rt::SetErrorHandler([](int32_t, const char*) -> int32_t {
          std::fprintf(stderr, "user32 loads %d\n", ModuleLoadCount("user32.dll"));
          return 1;
        });
        rt::BindDllCommand(0);
      },
      dlltest::FatalExit, "user32 loads 0");
}

TEST(DllCommands, CallsWithUpToSixteenWordsReachTheFunction) {
  static intptr_t (*sum)(
      intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t,
      intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t,
      intptr_t) = [](intptr_t a, intptr_t b, intptr_t c, intptr_t d, intptr_t e, intptr_t f,
                     intptr_t g, intptr_t h, intptr_t i, intptr_t j, intptr_t k, intptr_t l,
                     intptr_t m, intptr_t n, intptr_t o, intptr_t p) -> intptr_t {
    return a + b + c + d + e + f + g + h + i + j + k + l + m + n + o + p * 1000;
  };
  platform::standin::RegisterModule("sum16.dll", {{"Sum", reinterpret_cast<void*>(sum)}});
  dlltest::DeclaredCommands commands({"sum16.dll"}, {"Sum"});
  intptr_t args[17] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 7, 0};
  EXPECT_EQ(rt::CallDllCommand(0, 16, args), 7015);
  // More words than this build can pass is the stack error.
  EXPECT_EXIT(
      {
        dlltest::QuietFatalReports();
        rt::CallDllCommand(0, 17, args);
      },
      dlltest::FatalExit, dlltest::Contains("code 6: "));
}

}  // namespace
