// The core commands on texts, numbers and byte arrays, and the value-to-text rule that
// they share with the file and message commands.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "heap/heap.h"
#include "language/catalogue.h"
#include "platform/text_encoding.h"
#include "runtime/command_impl.h"
#include "runtime/report.h"
#include "runtime/value_bytes.h"

namespace rt {

namespace {

constexpr double kMinDateTime = -657434.0;
constexpr double kMaxDateTime = 2958465.0;

void SetInt(CommandResult* result, int32_t value) { result->value.words.low = value; }

void SetText(CommandResult* result, const char* bytes, size_t size) {
  result->value.ptr = NewText(bytes, size);
}

void SetBytes(CommandResult* result, const void* bytes, size_t size) {
  result->value.ptr = size ? NewBytes(bytes, size) : nullptr;
}

// A double truncated toward zero as the processor does it: out of range and NaN give
// the integer indefinite value.
int32_t TruncateToInt(double v) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(v);
}

int32_t LeadingInteger(const char* text) {
  while (*text == ' ' || *text == '\t' || *text == '\r' || *text == '\n') ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  int64_t v = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    v = v * 10 + (*text - '0');
    if (v > 2147483648LL) break;
  }
  if (negative) v = -v;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares `size` bytes: ASCII letters without regard to case, double-byte characters exactly.
bool EqualIgnoringCase(const char* a, const char* b, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (platform::IsTextCommandLeadByte(b[i]) && i + 1 < size) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

double ClampDateTime(double days) {
  if (days < kMinDateTime) return kMinDateTime;
  if (days > kMaxDateTime) return kMaxDateTime;
  return days;  // NaN stays NaN and is caught by the caller
}

// Civil date of a count of days since 1970-01-01.
void CivilFromDays(int64_t z, int* year, int* month, int* day) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t y = yoe + era * 400;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int64_t d = doy - (153 * mp + 2) / 5 + 1;
  int64_t m = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int>(y + (m <= 2));
  *month = static_cast<int>(m);
  *day = static_cast<int>(d);
}

}  // namespace

std::string DateTimeText(double days) {
  if (std::isnan(days)) days = 0;
  days = ClampDateTime(days);
  // The whole part counts days from 30 December 1899; the fraction's magnitude is the
  // time of day, also for dates before that day.
  double whole = std::trunc(days);
  int64_t seconds = std::llround(std::fabs(days - whole) * 86400.0);
  int64_t dayIndex = static_cast<int64_t>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++dayIndex;
  }
  int year, month, day;
  CivilFromDays(dayIndex - 25569, &year, &month, &day);
  int hour = static_cast<int>(seconds / 3600);
  int minute = static_cast<int>(seconds / 60 % 60);
  int second = static_cast<int>(seconds % 60);
  char text[96];
  int n = std::snprintf(text, sizeof text, "%d年%d月%d日", year, month, day);
  if (second != 0) {
    std::snprintf(text + n, sizeof text - n, "%d时%d分%d秒", hour, minute, second);
  } else if (minute != 0) {
    std::snprintf(text + n, sizeof text - n, "%d时%d分", hour, minute);
  } else if (hour != 0) {
    std::snprintf(text + n, sizeof text - n, "%d时", hour);
  }
  return text;
}

std::string ValueText(const CommandArg& value) {
  char text[64];
  switch (value.type) {
    case kTypeByte:
      std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(value.value.words.low & 0xFF));
      return text;
    case kTypeShort:
      std::snprintf(text, sizeof text, "%d",
                    static_cast<int>(static_cast<int16_t>(value.value.words.low)));
      return text;
    case kTypeInt:
      std::snprintf(text, sizeof text, "%d", static_cast<int>(value.value.words.low));
      return text;
    case kTypeLong:
      std::snprintf(text, sizeof text, "%" PRId64, value.value.i64);
      return text;
    case kTypeFloat: {
      float f;
      std::memcpy(&f, &value.value.words.low, sizeof f);
      std::snprintf(text, sizeof text, "%.6g", static_cast<double>(f));
      return text;
    }
    case kTypeDouble:
      std::snprintf(text, sizeof text, "%.13g", value.value.f64);
      return text;
    case kTypeBool:
      return value.value.words.low ? "真" : "假";
    case kTypeDateTime:
      return DateTimeText(value.value.f64);
    case kTypeText:
      return ArgTextPtr(value);
    default:
      return std::string();
  }
}

void CmdTextLength(CommandResult* result, int32_t, CommandArg* args) {
  SetInt(result, static_cast<int32_t>(std::strlen(ArgTextPtr(args[0]))));
}

void CmdBytesLength(CommandResult* result, int32_t, CommandArg* args) {
  SetInt(result, BytesLength(args[0].value.ptr));
}

void CmdLeftText(CommandResult* result, int32_t, CommandArg* args) {
  const char* text = ArgTextPtr(args[0]);
  int32_t count = args[1].value.words.low;
  if (count <= 0) return;
  size_t length = std::strlen(text);
  SetText(result, text, static_cast<size_t>(count) < length ? static_cast<size_t>(count) : length);
}

void CmdRightText(CommandResult* result, int32_t, CommandArg* args) {
  const char* text = ArgTextPtr(args[0]);
  int32_t count = args[1].value.words.low;
  if (count <= 0) return;
  size_t length = std::strlen(text);
  size_t n = static_cast<size_t>(count) < length ? static_cast<size_t>(count) : length;
  SetText(result, text + (length - n), n);
}

void CmdFindTextReverse(CommandResult* result, int32_t argc, CommandArg* args) {
  const char* haystack = ArgTextPtr(args[0]);
  const char* needle = ArgTextPtr(args[1]);
  const CommandArg* start = OptionalArg(argc, args, 2);
  const CommandArg* ignoreCase = OptionalArg(argc, args, 3);
  int64_t region = static_cast<int64_t>(std::strlen(haystack));
  if (start) {
    int64_t s = start->value.words.low;
    region = s <= 1 ? 0 : (s - 1 < region ? s - 1 : region);
  }
  int64_t needleSize = static_cast<int64_t>(std::strlen(needle));
  if (needleSize == 0) {
    SetInt(result, region > 0 ? 1 : -1);
    return;
  }
  bool fold = ignoreCase && ignoreCase->value.words.low != 0;
  int32_t found = -1;
  for (int64_t pos = 0; region - pos >= needleSize;) {
    bool match = fold ? EqualIgnoringCase(haystack + pos, needle, static_cast<size_t>(needleSize))
                      : std::memcmp(haystack + pos, needle, static_cast<size_t>(needleSize)) == 0;
    if (match) found = static_cast<int32_t>(pos + 1);
    if (platform::IsTextCommandLeadByte(haystack[pos])) {
      if (haystack[pos + 1] == '\0') break;
      pos += 2;
    } else {
      pos += 1;
    }
  }
  SetInt(result, found);
}

void CmdToInt(CommandResult* result, int32_t, CommandArg* args) {
  const CommandArg& v = args[0];
  int32_t low = v.value.words.low;
  switch (v.type) {
    case kTypeBool:
    case kTypeInt:
    case kTypeLong:
    case kTypeSubPtr:
      SetInt(result, low);
      break;
    case kTypeByte:
      SetInt(result, low & 0xFF);
      break;
    case kTypeShort:
      SetInt(result, static_cast<int16_t>(low));
      break;
    case kTypeFloat: {
      float f;
      std::memcpy(&f, &low, sizeof f);
      SetInt(result, TruncateToInt(f));
      break;
    }
    case kTypeDouble:
      SetInt(result, TruncateToInt(v.value.f64));
      break;
    case kTypeText:
      SetInt(result, LeadingInteger(ArgTextPtr(v)));
      break;
    default:
      break;
  }
}

void CmdToBytes(CommandResult* result, int32_t, CommandArg* args) {
  RawBytes raw = ValueBytes(args[0], false, true);
  SetBytes(result, raw.data, raw.size);
}

void CmdReadBytesValue(CommandResult* result, int32_t argc, CommandArg* args) {
  static const uint32_t kTypes[] = {kTypeByte,   kTypeShort, kTypeInt,      kTypeLong,   kTypeFloat,
                                    kTypeDouble, kTypeBool,  kTypeDateTime, kTypeSubPtr, kTypeText};
  int32_t typeNumber = args[1].value.words.low;
  if (typeNumber < 1 || typeNumber > 10) FatalError(language::TextId::kErrorDataTypeArgument);
  uint32_t type = kTypes[typeNumber - 1];
  result->type = type;

  const void* block = args[0].value.ptr;
  int64_t length = BytesLength(block) > 0 ? BytesLength(block) : 0;
  const uint8_t* data = BytesData(block);
  int64_t offset = 0;
  if (const CommandArg* position = OptionalArg(argc, args, 2)) {
    offset = static_cast<int64_t>(position->value.words.low) - 1;
  }
  int64_t available = (offset < 0 || offset >= length) ? 0 : length - offset;

  if (type == kTypeText) {
    if (available == 0) return;
    const uint8_t* from = data + offset;
    const void* zero = std::memchr(from, 0, static_cast<size_t>(available));
    size_t size = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - from)
                       : static_cast<size_t>(available);
    SetText(result, reinterpret_cast<const char*>(from), size);
    return;
  }
  uint8_t buffer[8] = {};
  size_t size = FixedSize(type);
  if (available > 0) {
    std::memcpy(buffer, data + offset,
                available < static_cast<int64_t>(size) ? static_cast<size_t>(available) : size);
  }
  std::memcpy(&result->value, buffer, size);
  if (type == kTypeBool) {
    result->value.words.low = result->value.words.low != 0;
  } else if (type == kTypeDateTime) {
    double days = result->value.f64;
    if (!std::isnan(days)) result->value.f64 = ClampDateTime(days);
  }
}

void CmdBlankBytes(CommandResult* result, int32_t, CommandArg* args) {
  int32_t length = args[0].value.words.low;
  if (length <= 0) return;
  result->value.ptr = NewBytes(nullptr, static_cast<size_t>(length));
}

void CmdValueToText(CommandResult* result, int32_t, CommandArg* args) {
  const CommandArg& v = args[0];
  if (v.type == kTypeBytes || IsArrayType(v.type)) {
    RawBytes raw = ValueBytes(v, false, true);
    if (raw.size == 0) return;
    const void* zero = std::memchr(raw.data, 0, raw.size);
    size_t size =
        zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - raw.data) : raw.size;
    SetText(result, reinterpret_cast<const char*>(raw.data), size);
    return;
  }
  std::string text = ValueText(v);
  SetText(result, text.data(), text.size());
}

void CmdHexText(CommandResult* result, int32_t, CommandArg* args) {
  char text[16];
  int n = std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(args[0].value.words.low));
  SetText(result, text, static_cast<size_t>(n));
}

void CmdShiftLeft(CommandResult* result, int32_t, CommandArg* args) {
  uint32_t value = static_cast<uint32_t>(args[0].value.words.low);
  uint32_t count = static_cast<uint32_t>(args[1].value.words.low) & 31u;
  SetInt(result, static_cast<int32_t>(value << count));
}

}  // namespace rt
