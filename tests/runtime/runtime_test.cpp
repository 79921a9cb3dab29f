#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "heap/heap.h"
#include "platform/platform.h"
#include "runtime/commands.h"
#include "runtime/kernel_library.h"
#include "runtime/program.h"
#include "runtime/report.h"
#include "runtime/services.h"
#include "runtime/window.h"
#include "tests/runtime/test_program.h"
#include "tests/runtime/test_views.h"

namespace testprog {

namespace {

void OnCreated() { Log().push_back("created"); }
void OnFirst() { Log().push_back("first"); }
void OnSecond() { Log().push_back("second"); }
void OnLinked() { Log().push_back("linked"); }

const rt::EventHandler kRoutines[] = {OnCreated, OnFirst, OnSecond, OnLinked};

const char kTemplates[] =
    "window id=0x52010001 type=0x00010001 name=启动窗口 text=\"Subvane\" left=50 top=50 "
    "width=738 height=387 on0=0\n"
    "component id=0x56010002 type=0x00010006 name=解析按钮 text=\"解析\" left=8 top=24 "
    "width=80 height=40 on0=1\n"
    "component id=0x56010003 type=0x00010006 name=导出按钮 text=\"导出\" left=8 top=80 "
    "width=80 height=40 disabled=1 on0=2\n"
    "component id=0x56010004 type=0x00010006 name=链接按钮 text=\"链接\" link=0x56010002 "
    "on0=3\n";

const rt::ComponentTypeInfo kTypes[] = {rt::kWindowType, rt::kButtonType};
const rt::SupportLibrary kLibrary = {"kernel", nullptr, kTypes, 2};
const rt::SupportLibrary* const kLibraries[] = {&kLibrary};

}  // namespace

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

const rt::ProgramDescriptor& Descriptor(const char* templates) {
  static rt::ProgramDescriptor descriptor;
  descriptor = rt::ProgramDescriptor{{3, 0, 104137},
                                     kRoutines,
                                     4,
                                     nullptr,
                                     0,
                                     templates,
                                     static_cast<uint32_t>(std::strlen(templates)),
                                     1,
                                     kLibraries,
                                     0,
                                     nullptr,
                                     nullptr};
  return descriptor;
}

void Start(const char* templates) {
  rt::ResetRuntimeForTests();
  testviews::Reset();
  testviews::QuietReports();
  Log().clear();
  rt::SetProgramForTests(Descriptor(templates ? templates : kTemplates));
  rt::InitRuntime();
}

}  // namespace testprog

namespace {

using testviews::Find;

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override { testprog::Start(); }
  void TearDown() override { rt::ResetRuntimeForTests(); }
};

TEST(Heap, FreeIgnoresNullAndConstantsAndReallocateCopiesConstants) {
  rt::Free(nullptr);
  static const char constant[] = "constant";
  rt::Free(const_cast<char*>(constant));  // the executable's own data: ignored

  auto* block = static_cast<char*>(rt::Reallocate(nullptr, 16));
  std::memcpy(block, "abc", 4);
  block = static_cast<char*>(rt::Reallocate(block, 4096));
  EXPECT_STREQ(block, "abc");
  rt::Free(block);

  // Only the bytes before the segment's end are copied out of a constant block.
  static char segment[8] = {'x', 'y', 'z', 'w', '1', '2', '3', '4'};
  rt::SetConstantSegment(segment, sizeof segment);
  auto* copy = static_cast<char*>(rt::Reallocate(segment + 5, 64));
  EXPECT_EQ(std::memcmp(copy, "234", 3), 0);
  EXPECT_NE(copy, segment + 5);
  rt::Free(segment + 2);  // ignored
  rt::Free(copy);
  const void* start = nullptr;
  size_t size = 0;
  platform::ConstantSegment(&start, &size);
  rt::SetConstantSegment(start, size);
  EXPECT_TRUE(rt::IsConstant(constant));
}

TEST(Heap, TextsAndByteArraysUseTheirLayouts) {
  EXPECT_EQ(rt::NewText("", 0), nullptr);
  rt::OwnedText text(rt::NewText("ab", 2));
  EXPECT_STREQ(text.get(), "ab");
  EXPECT_EQ(rt::NewBytes(nullptr, 0), nullptr);
  rt::OwnedBytes bytes(rt::NewBytes("xyz", 3));
  EXPECT_EQ(reinterpret_cast<int32_t*>(bytes.get())[0], 1);
  EXPECT_EQ(rt::BytesLength(bytes.get()), 3);
  EXPECT_EQ(std::memcmp(rt::BytesData(bytes.get()), "xyz", 3), 0);
  EXPECT_EQ(rt::BytesLength(nullptr), 0);
}

TEST(HeapDeathTest, RefusedAllocationIsFatalWithTheByteCount) {
  EXPECT_EXIT(
      {
        testviews::QuietReports();
        testviews::LimitHeap(100);
        rt::Allocate(0x7FFFFFF0);
      },
      ::testing::ExitedWithCode(testviews::kFatalExitStatus), "分配 2147483632 字节内存失败!");
}

void EchoCommand(rt::CommandResult* result, int32_t argc, rt::CommandArg* args) {
  EXPECT_EQ(result->value.words.low, 0);
  EXPECT_EQ(result->value.words.high, 0);
  EXPECT_EQ(result->type, 0u);
  result->value.words.low = argc;
  result->value.words.high = args[1].value.words.low;
  result->type = args[0].type;
}

TEST(CommandProtocol, ResultStartsZeroedAndComesBackWhole) {
  rt::CommandArg args[2] = {rt::ArgText("x"), rt::ArgInt(42)};
  rt::CommandResult result = rt::Services().CallCoreCommand(EchoCommand, 2, args);
  EXPECT_EQ(result.value.words.low, 2);
  EXPECT_EQ(result.value.words.high, 42);
  EXPECT_EQ(result.type, rt::kTypeText);
  result = rt::Services().CallLibraryCommand(EchoCommand, 7, 2, args);
  EXPECT_EQ(result.value.words.high, 42);
  EXPECT_EQ(sizeof(rt::CommandArg), 12u);
}

TEST_F(RuntimeTest, StartWindowShowsTheButtonsAndRaisesCreated) {
  rt::LoadStartWindow(testprog::kWindow);
  EXPECT_EQ(testprog::Log(), std::vector<std::string>{"created"});
  testviews::ViewState window = Find("Subvane");
  ASSERT_TRUE(window.found);
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(window.width, 738);
  EXPECT_FALSE(window.maximiseBox);
  testviews::ViewState parse = Find("解析");
  testviews::ViewState exportButton = Find("导出");
  ASSERT_TRUE(parse.found);
  ASSERT_TRUE(exportButton.found);
  EXPECT_TRUE(parse.enabled);
  EXPECT_FALSE(exportButton.enabled);
}

TEST_F(RuntimeTest, ClicksReachHandlersThroughLinksAndNotWhenDisabledOrSuppressed) {
  rt::LoadStartWindow(testprog::kWindow);
  testviews::Click("解析");
  testviews::Click("导出");  // disabled: the click goes nowhere
  testviews::Click("链接");  // linked to the first button's handlers
  testviews::Settle();
  EXPECT_EQ(testprog::Log(), (std::vector<std::string>{"created", "first", "first"}));

  rt::Services().WriteComponentProperty(testprog::kWindow, testprog::kSecondButton,
                                        rt::kPropDisabled, -1, 0, 0);
  EXPECT_TRUE(Find("导出").enabled);
  rt::DispatchEvent(testprog::kWindow, testprog::kSecondButton, rt::kEventButtonClicked);
  EXPECT_EQ(testprog::Log().back(), "second");

  rt::SuppressEvents();
  rt::DispatchEvent(testprog::kWindow, testprog::kFirstButton, rt::kEventButtonClicked);
  EXPECT_EQ(testprog::Log().size(), 4u);
}

TEST_F(RuntimeTest, CommonPropertiesClampExtentsAndCopyTexts) {
  rt::LoadStartWindow(testprog::kWindow);
  auto& services = rt::Services();
  services.WriteComponentProperty(testprog::kWindow, testprog::kFirstButton, rt::kPropWidth, -1,
                                  40000, 0);
  EXPECT_EQ(
      services.ReadComponentProperty(testprog::kWindow, testprog::kFirstButton, rt::kPropWidth, -1),
      32627);
  services.WriteComponentProperty(testprog::kWindow, testprog::kFirstButton, rt::kPropHeight, -1,
                                  -5, -1);
  EXPECT_EQ(services.ReadComponentProperty(testprog::kWindow, testprog::kFirstButton,
                                           rt::kPropHeight, -1),
            0);
  char caption[] = "新";
  int32_t low = 0, high = 0;
  rt::PointerWords(caption, &low, &high);
  services.WriteComponentProperty(testprog::kWindow, testprog::kFirstButton, rt::kPropText, -1, low,
                                  high);
  caption[0] = 'x';
  rt::OwnedText text(static_cast<char*>(rt::WordsPointer(services.ReadComponentProperty(
      testprog::kWindow, testprog::kFirstButton, rt::kPropText, -1))));
  EXPECT_STREQ(text.get(), "新");
  EXPECT_TRUE(Find("新").found);
}

TEST_F(RuntimeTest, CommonPropertiesOfAWindowNotYetCreatedAreKeptForItsCreation) {
  auto& services = rt::Services();
  services.WriteComponentProperty(testprog::kWindow, testprog::kSecondButton, rt::kPropDisabled, -1,
                                  0, 0);
  services.WriteComponentProperty(testprog::kWindow, testprog::kFirstButton, rt::kPropWidth, -1,
                                  40000, 0);
  char caption[] = "先";
  int32_t low = 0, high = 0;
  rt::PointerWords(caption, &low, &high);
  services.WriteComponentProperty(testprog::kWindow, 0, rt::kPropText, -1, low, high);
  EXPECT_EQ(
      services.ReadComponentProperty(testprog::kWindow, testprog::kFirstButton, rt::kPropWidth, -1),
      32627);
  EXPECT_EQ(
      services.ReadComponentProperty(testprog::kWindow, testprog::kFirstButton, rt::kPropTop, -1),
      24);
  EXPECT_EQ(services.ReadComponentProperty(testprog::kWindow, testprog::kSecondButton,
                                           rt::kPropDisabled, -1),
            0);
  rt::OwnedBytes none(static_cast<uint8_t*>(rt::WordsPointer(services.ReadComponentProperty(
      testprog::kWindow, testprog::kFirstButton, rt::kPropBytes, -1))));
  EXPECT_EQ(none.get(), nullptr);

  rt::LoadStartWindow(testprog::kWindow);
  EXPECT_TRUE(Find("先").found);
  EXPECT_TRUE(Find("导出").enabled);
}

TEST_F(RuntimeTest, ClosingTheLastWindowEndsTheLoop) {
  rt::LoadStartWindow(testprog::kWindow);
  testviews::Close("Subvane");
  rt::RunMessageLoop();  // returns once the quit message arrives
  EXPECT_EQ(rt::FindLoadedWindow(testprog::kWindow)->Exists(), false);
  rt::RunMessageLoop();  // no window left: returns at once
}

void FirstExitCallback() { testprog::Log().push_back("exit 1"); }
void SecondExitCallback() { testprog::Log().push_back("exit 2"); }

TEST_F(RuntimeTest, ExitCallbacksRunOnceEachInOrder) {
  rt::AddExitCallback(FirstExitCallback);
  rt::AddExitCallback(SecondExitCallback);
  rt::AddExitCallback(FirstExitCallback);
  rt::RunExitSequence(0);
  EXPECT_EQ(testprog::Log(), (std::vector<std::string>{"exit 1", "exit 2"}));
  rt::RunExitSequence(0);  // the sequence runs once
  EXPECT_EQ(testprog::Log().size(), 2u);
  EXPECT_GT(rt::EventSuppressionCount(), 0);
}

using RuntimeDeathTest = RuntimeTest;

TEST_F(RuntimeDeathTest, FatalErrorsOfWindowsEventsAndProperties) {
  EXPECT_EXIT(rt::LoadStartWindow(0x52010009),
              ::testing::ExitedWithCode(testviews::kFatalExitStatus), "载入启动窗口失败");
  EXPECT_EXIT(rt::DispatchEvent(0x52010009, 0, 0),
              ::testing::ExitedWithCode(testviews::kFatalExitStatus), "未找到引发事件的窗口");
  EXPECT_EXIT(rt::DispatchEvent(testprog::kWindow, 0x56010099, 0),
              ::testing::ExitedWithCode(testviews::kFatalExitStatus), "未找到引发事件的窗口组件");
  EXPECT_EXIT(rt::Services().ReadComponentProperty(0x52010009, 0, 0, -1),
              ::testing::ExitedWithCode(testviews::kFatalExitStatus),
              "未载入欲访问窗口组件所在的窗口");
  EXPECT_EXIT(
      rt::Services().WriteComponentProperty(testprog::kWindow, testprog::kFirstButton, 8, -1, 0, 0),
      ::testing::ExitedWithCode(testviews::kFatalExitStatus), "修改组件属性时发现指定窗口尚未载入");
  EXPECT_EXIT(
      rt::Services().ReadComponentProperty(testprog::kWindow, testprog::kFirstButton, 8, -1),
      ::testing::ExitedWithCode(testviews::kFatalExitStatus), "读取组件属性时发现指定窗口尚未载入");
  EXPECT_EXIT(rt::Services().ReadComponentProperty(testprog::kWindow, 0x56010099, 0, -1),
              ::testing::ExitedWithCode(testviews::kFatalExitStatus),
              "指定窗口或窗口组件不存在或尚未载入");
  EXPECT_EXIT(rt::SystemRequest(rt::kRequestComponentObject, testprog::kWindow, 0x56010099),
              ::testing::ExitedWithCode(testviews::kFatalExitStatus),
              "指定窗口或窗口组件不存在或尚未载入");
}

TEST_F(RuntimeDeathTest, AReportDiscardsTheExitCallbacksAndEndsWithMinusOne) {
  EXPECT_EXIT(
      {
        testviews::QuietReports();
        // Were the callbacks run, the process would end with 3.
        rt::AddExitCallback([] { platform::ExitProcess(3); });
        rt::ReportRuntimeError(5, 67188094, 271);
      },
      ::testing::ExitedWithCode(testviews::kFatalExitStatus), "数据或数组类型不匹配");
}

TEST_F(RuntimeDeathTest, AnExitRequestedFromAnotherThreadEndsTheProcessAtOnce) {
  rt::LoadStartWindow(testprog::kWindow);
  EXPECT_EXIT(
      {
        std::thread worker([] { rt::RunExitSequence(7); });
        worker.join();
      },
      ::testing::ExitedWithCode(7), "");
}

TEST_F(RuntimeDeathTest, CorruptTemplatesAreFatal) {
  EXPECT_EXIT(testprog::Start("window id=0x52010001 type=0x00010001 left=zz\n"),
              ::testing::ExitedWithCode(testviews::kFatalExitStatus), "载入窗口模板数据段出错!");
  // A routine number outside the program's four routines is refused when the templates
  // load, before any event could jump through it.
  for (const char* routine : {"4", "-2", "0x7FFFFFFF"}) {
    std::string templates = std::string(
                                "window id=0x52010001 type=0x00010001\n"
                                "component id=0x56010002 type=0x00010006 on0=") +
                            routine + "\n";
    EXPECT_EXIT(testprog::Start(templates.c_str()),
                ::testing::ExitedWithCode(testviews::kFatalExitStatus), "载入窗口模板数据段出错!")
        << routine;
  }
}

}  // namespace
