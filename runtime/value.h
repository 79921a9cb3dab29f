// Typed values as they travel between the program's code and the runtime's commands.
#pragma once

#include <cstdint>
#include <cstring>

namespace rt {

// The 32-bit code that travels with every value handed to a command.
enum ValueType : uint32_t {
  kTypeNone = 0,  // an argument that the caller left out
  kTypeByte = 0x80000101,
  kTypeShort = 0x80000201,
  kTypeInt = 0x80000301,
  kTypeLong = 0x80000401,
  kTypeFloat = 0x80000501,
  kTypeDouble = 0x80000601,
  kTypeBool = 0x80000002,
  kTypeDateTime = 0x80000003,  // a double counting days
  kTypeText = 0x80000004,
  kTypeBytes = 0x80000005,
  kTypeSubPtr = 0x80000006,  // a code address
};

constexpr uint32_t kArrayFlag = 0x20000000;

// Codes below this name component types: (library number << 16) | type number.
constexpr uint32_t kFirstBasicType = 0x40000000;
constexpr uint32_t kComponentWindow = 0x00010001;
constexpr uint32_t kComponentButton = 0x00010006;
constexpr uint32_t kComponentDropDownList = 0x00010009;
constexpr uint32_t kComponentFileDialog = 0x0001001F;
constexpr uint32_t kComponentTable = 0x00020001;

inline bool IsArrayType(uint32_t type) { return type >= kFirstBasicType && (type & kArrayFlag); }
inline uint32_t ElementType(uint32_t type) { return type & ~kArrayFlag; }
inline bool IsComponentType(uint32_t type) { return type != 0 && type < kFirstBasicType; }

// Ids of windows and components. Bits 24 to 27 give the kind.
using ComponentId = int32_t;
constexpr int kIdKindWindow = 2;
constexpr int kIdKindCodeUnit = 4;
constexpr int kIdKindComponent = 6;
inline int IdKind(int32_t id) { return (static_cast<uint32_t>(id) >> 24) & 0xF; }

#pragma pack(push, 4)
// The value of an argument or result: two 32-bit words. In the 32-bit build every
// pointer fits the low word; in a 64-bit build a pointer value (a Text, Bytes or
// address) occupies the low and high words together.
union CommandValue {
  struct {
    int32_t low;
    int32_t high;
  } words;
  int64_t i64;
  double f64;
  void* ptr;
};

// One argument of a command: value low word, value high word, ValueType.
struct CommandArg {
  CommandValue value;
  uint32_t type;
};

// The three words that a command fills: value low, value high, and the result's
// ValueType where it depends on the data.
struct CommandResult {
  CommandValue value;
  uint32_t type;
};
#pragma pack(pop)

static_assert(sizeof(CommandArg) == 12, "CommandArg is three 32-bit words");
static_assert(sizeof(CommandResult) == 12, "CommandResult is three 32-bit words");

// A CommandArg naming a component: window id, component id, component type.
using ComponentRef = CommandArg;

inline CommandArg ArgNone() {
  CommandArg a{};
  return a;
}
inline CommandArg ArgInt(int32_t v) {
  CommandArg a{};
  a.value.words.low = v;
  a.type = kTypeInt;
  return a;
}
inline CommandArg ArgBool(bool v) {
  CommandArg a{};
  a.value.words.low = v ? 1 : 0;
  a.type = kTypeBool;
  return a;
}
inline CommandArg ArgDouble(double v) {
  CommandArg a{};
  a.value.f64 = v;
  a.type = kTypeDouble;
  return a;
}
inline CommandArg ArgLong(int64_t v) {
  CommandArg a{};
  a.value.i64 = v;
  a.type = kTypeLong;
  return a;
}
// A text argument is always a valid pointer: null becomes the constant empty text.
inline CommandArg ArgText(const char* text) {
  CommandArg a{};
  a.value.ptr = const_cast<char*>(text ? text : "");
  a.type = kTypeText;
  return a;
}
CommandArg ArgBytes(const void* bytesBlock);
inline CommandArg ArgComponent(ComponentId window, ComponentId component, uint32_t type) {
  CommandArg a{};
  a.value.words.low = window;
  a.value.words.high = component;
  a.type = type;
  return a;
}

inline int32_t ArgWindowId(const CommandArg& a) { return a.value.words.low; }
inline int32_t ArgComponentId(const CommandArg& a) { return a.value.words.high; }

}  // namespace rt
