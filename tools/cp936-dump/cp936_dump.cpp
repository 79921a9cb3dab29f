// Prints the code page 936 tables of the Linux stand-in kernel32 as C++ source.
// Runs under Wine (or Windows): every byte, every byte pair and every UTF-16 unit goes
// through the real MultiByteToWideChar and WideCharToMultiByte with flags 0, and the
// results are written out as data. It stops with a message when a result has a shape
// the stand-in cannot express, instead of writing a table that would be wrong.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr UINT kCodePage = 936;

[[noreturn]] void Fail(const char* what, unsigned a, unsigned b) {
  std::fprintf(stderr, "cp936-dump: %s (%#x, %#x)\n", what, a, b);
  std::exit(1);
}

int ToWide(const unsigned char* bytes, int n, WCHAR* out, int capacity) {
  return MultiByteToWideChar(kCodePage, 0, reinterpret_cast<const char*>(bytes), n, out, capacity);
}

void PrintArray(const char* declaration, const std::vector<unsigned>& values, const char* format) {
  std::printf("%s = {\n", declaration);
  for (size_t i = 0; i < values.size(); i++) {
    std::printf(i % 12 == 0 ? "    " : " ");
    std::printf(format, values[i]);
    std::printf(",");
    if (i % 12 == 11 || i + 1 == values.size()) std::printf("\n");
  }
  std::printf("};\n\n");
}

}  // namespace

int main() {
  std::vector<unsigned> single(256);
  for (unsigned b = 0; b < 256; b++) {
    unsigned char in[1] = {static_cast<unsigned char>(b)};
    WCHAR out[4] = {};
    if (ToWide(in, 1, out, 4) != 1) Fail("single byte does not give one unit", b, 0);
    single[b] = out[0];
  }

  // Pairs: one unit when the first byte takes the second as its trail byte; otherwise
  // the two bytes must convert on their own.
  std::vector<unsigned> leads;
  std::vector<unsigned> pairs;
  std::vector<unsigned> unconsumed;
  for (unsigned lead = 0; lead < 256; lead++) {
    std::vector<unsigned> row(256, 0);
    bool isLead = false;
    for (unsigned trail = 0; trail < 256; trail++) {
      unsigned char in[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
      WCHAR out[4] = {};
      int n = ToWide(in, 2, out, 4);
      if (n == 1) {
        row[trail] = out[0];
        isLead = true;
      } else if (n == 2 && out[0] == single[lead] && out[1] == single[trail]) {
        row[trail] = 0;
        unconsumed.push_back(lead << 8 | trail);
      } else {
        Fail("byte pair has an unexpected result", lead, trail);
      }
    }
    if (isLead) {
      leads.push_back(lead);
      pairs.insert(pairs.end(), row.begin(), row.end());
    }
  }
  std::vector<unsigned> unconsumedLeads;
  for (unsigned code : unconsumed)
    for (unsigned lead : leads)
      if (code >> 8 == lead) unconsumedLeads.push_back(code);

  // The reverse direction as the stand-in first derives it from the tables above:
  // single bytes, then lead bytes and trail bytes in ascending order, first one wins.
  std::vector<int> derived(65536, -1);
  std::vector<bool> leadFlag(256, false);
  for (unsigned lead : leads) leadFlag[lead] = true;
  for (unsigned b = 0; b < 256; b++)
    if (!leadFlag[b] && derived[single[b]] < 0) derived[single[b]] = static_cast<int>(b);
  for (size_t row = 0; row < leads.size(); row++)
    for (unsigned trail = 0; trail < 256; trail++) {
      unsigned unit = pairs[row * 256 + trail];
      bool taken = true;
      for (unsigned code : unconsumedLeads)
        if (code == (leads[row] << 8 | trail)) taken = false;
      if (taken && derived[unit] < 0) derived[unit] = static_cast<int>(leads[row] << 8 | trail);
    }

  std::vector<unsigned> exceptions;
  for (unsigned unit = 0; unit < 65536; unit++) {
    WCHAR in[1] = {static_cast<WCHAR>(unit)};
    unsigned char out[8] = {};
    int n =
        WideCharToMultiByte(kCodePage, 0, in, 1, reinterpret_cast<char*>(out), 8, nullptr, nullptr);
    unsigned code;
    if (n == 1)
      code = out[0];
    else if (n == 2)
      code = static_cast<unsigned>(out[0]) << 8 | out[1];
    else
      Fail("unit does not give one or two bytes", unit, static_cast<unsigned>(n));
    unsigned expected = derived[unit] < 0 ? '?' : static_cast<unsigned>(derived[unit]);
    if (code != expected) exceptions.push_back(unit << 16 | code);
  }

  std::printf(
      "// Code page 936 as Windows converts it with flags 0, dumped under Wine by\n"
      "// tools/cp936-dump. Generated data: regenerate, do not edit.\n\n");
  PrintArray("constexpr uint16_t kCp936Single[256]", single, "0x%04X");
  PrintArray("constexpr uint8_t kCp936Leads[]", leads, "0x%02X");
  PrintArray("constexpr uint16_t kCp936Pairs[][256]", pairs, "0x%04X");
  PrintArray("constexpr uint16_t kCp936Unconsumed[]", unconsumedLeads, "0x%04X");
  PrintArray("constexpr uint32_t kCp936ReverseExceptions[]", exceptions, "0x%08X");
  std::fprintf(stderr, "cp936-dump: %zu lead bytes, %zu unconsumed pairs, %zu reverse exceptions\n",
               leads.size(), unconsumedLeads.size(), exceptions.size());
  return 0;
}
