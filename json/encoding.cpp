#include "json/encoding.h"

#include <cstring>
#include <initializer_list>

#include "runtime/services.h"

namespace json {

const char* const kEncodingDllLibraries[kEncodingDllCount] = {"Kernel32.dll", "kernel32.dll",
                                                              "Kernel32.dll", "Kernel32.dll"};
const char* const kEncodingDllExports[kEncodingDllCount] = {
    "MultiByteToWideChar", "WideCharToMultiByte", "lstrlenW", "lstrlenA"};

namespace {

constexpr intptr_t kCodePageUtf8 = 65001;
constexpr intptr_t kCodePageGbk = 936;
constexpr int64_t kLargestBlock = 0x7FFFFFF0;

intptr_t CallDll(EncodingDllCommand command, std::initializer_list<intptr_t> args) {
  return rt::Services().CallDllCommand(command, static_cast<int32_t>(args.size()), args.begin());
}

intptr_t Address(const void* p) { return reinterpret_cast<intptr_t>(p); }

// A zero-filled working byte array, or null when `bytes` is beyond any block, which
// the callers treat as an input that cannot be converted.
rt::OwnedBytes WorkingBuffer(int64_t bytes) {
  if (bytes <= 0 || bytes > kLargestBlock) return nullptr;
  return rt::OwnedBytes(rt::NewBytes(nullptr, static_cast<size_t>(bytes)));
}

// A copy of the byte array with `zeros` zero bytes after its data.
rt::OwnedBytes JoinZeros(const void* bytesBlock, int32_t zeros) {
  int32_t length = rt::BytesLength(bytesBlock);
  if (length < 0) length = 0;
  rt::OwnedBytes joined = WorkingBuffer(int64_t{length} + zeros);
  if (joined && length > 0)
    std::memcpy(rt::BytesData(joined.get()), rt::BytesData(bytesBlock), length);
  return joined;
}

// MultiByteToWideChar of `n` source bytes into a new wide buffer of n × 2 + 2 bytes;
// the unit count (0 or less on failure) goes to `*units`.
rt::OwnedBytes ToWide(intptr_t codePage, const char* source, int64_t n, int32_t* units) {
  *units = 0;
  rt::OwnedBytes wide = WorkingBuffer(n * 2 + 2);
  if (!wide) return nullptr;
  *units = static_cast<int32_t>(CallDll(
      kDllMultiByteToWideChar, {codePage, 0, Address(source), static_cast<intptr_t>(n),
                                Address(rt::BytesData(wide.get())), static_cast<intptr_t>(n)}));
  return wide;
}

rt::OwnedText ConvertCodePage(const char* source, intptr_t from, intptr_t to) {
  int64_t n = static_cast<int64_t>(rt::TextLength(source));
  if (n == 0 || n > kLargestBlock) return nullptr;
  int32_t w = 0;
  rt::OwnedBytes wide = ToWide(from, source, n, &w);
  if (w <= 0) return nullptr;
  rt::OwnedBytes out = WorkingBuffer(int64_t{w} * 6 + 1);
  if (!out) return nullptr;
  char* text = reinterpret_cast<char*>(rt::BytesData(out.get()));
  CallDll(kDllWideCharToMultiByte, {to, 0, Address(rt::BytesData(wide.get())), w, Address(text),
                                    static_cast<intptr_t>(w) * 6, 0, 0});
  return rt::OwnedText(rt::NewText(text, std::strlen(text)));
}

rt::OwnedText MultiByteToJsonAscii(intptr_t codePage, const char* source, int64_t n) {
  if (n <= 0) return nullptr;
  int32_t w = 0;
  rt::OwnedBytes wide = ToWide(codePage, source, n, &w);
  if (w <= 0) return nullptr;
  return EscapeUtf16(rt::BytesData(wide.get()), w);
}

}  // namespace

rt::OwnedText Utf8ToGbk(const char* source) {
  return ConvertCodePage(source, kCodePageUtf8, kCodePageGbk);
}

rt::OwnedText GbkToUtf8(const char* source) {
  return ConvertCodePage(source, kCodePageGbk, kCodePageUtf8);
}

rt::OwnedText Utf8ToJsonAscii(const void* bytesBlock) {
  int32_t n;
  {
    rt::OwnedBytes joined = JoinZeros(bytesBlock, 1);
    if (!joined) return nullptr;
    n = static_cast<int32_t>(CallDll(kDllLstrlenA, {Address(rt::BytesData(joined.get()))}));
  }
  return MultiByteToJsonAscii(kCodePageUtf8,
                              reinterpret_cast<const char*>(rt::BytesData(bytesBlock)), n);
}

rt::OwnedText Utf16ToJsonAscii(const void* bytesBlock) {
  rt::OwnedBytes joined = JoinZeros(bytesBlock, 3);
  if (!joined) return nullptr;
  int32_t w = static_cast<int32_t>(CallDll(kDllLstrlenW, {Address(rt::BytesData(joined.get()))}));
  if (w <= 0) return nullptr;
  return EscapeUtf16(rt::BytesData(joined.get()), w);
}

rt::OwnedText GbkToJsonAscii(const char* source) {
  int64_t n = static_cast<int64_t>(rt::TextLength(source));
  if (n > kLargestBlock) return nullptr;
  return MultiByteToJsonAscii(kCodePageGbk, source, n);
}

rt::OwnedText EscapeUtf16(const void* units, int32_t count) {
  if (!units || count <= 0) return nullptr;
  const auto* in = static_cast<const uint8_t*>(units);
  // Measure first and write the result in place: a worst-case buffer of six bytes a
  // unit would cost a large draft hundreds of megabytes for nothing.
  int64_t length = 0;
  int32_t used = 0;
  for (; used < count; used++) {
    uint8_t lo = in[2 * used], hi = in[2 * used + 1];
    if (hi == 0 && lo == 0) break;
    length += (hi == 0 && lo < 0x80) ? 1 : 6;
  }
  if (length == 0 || length > kLargestBlock) return nullptr;
  static const char kHex[] = "0123456789ABCDEF";
  auto* text = static_cast<char*>(rt::Allocate(static_cast<int32_t>(length + 1)));
  char* write = text;
  for (int32_t i = 0; i < used; i++) {
    uint8_t lo = in[2 * i], hi = in[2 * i + 1];
    if (hi == 0 && lo < 0x80) {
      *write++ = static_cast<char>(lo);
      continue;
    }
    *write++ = '\\';
    *write++ = 'u';
    *write++ = kHex[hi >> 4];
    *write++ = kHex[hi & 15];
    *write++ = kHex[lo >> 4];
    *write++ = kHex[lo & 15];
  }
  *write = '\0';
  return rt::OwnedText(text);
}

}  // namespace json
