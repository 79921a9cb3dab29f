// Offsets and constants of the PE format as the loader reads it, in its 32-bit form
// (PE32, x86) and its 64-bit form (PE32+, x64), and little-endian readers that never
// assume alignment.
#pragma once

#include <cstdint>
#include <cstring>

namespace pe {

// DOS header.
constexpr uint32_t kDosHeaderSize = 64;
constexpr uint16_t kDosSignature = 0x5A4D;  // "MZ"
constexpr uint32_t kNtHeadersOffsetField = 60;

// NT headers, from the start of the NT headers. The fields up to the section
// alignment lie at the same offsets in both forms.
constexpr uint32_t kNtSignature = 0x00004550;  // "PE\0\0"
constexpr uint32_t kMachineField = 4;
constexpr uint32_t kNumberOfSectionsField = 6;
constexpr uint32_t kSizeOfOptionalHeaderField = 20;
constexpr uint32_t kCharacteristicsField = 22;
constexpr uint32_t kOptionalHeaderOffset = 24;
constexpr uint32_t kOptionalMagicField = 24;
constexpr uint32_t kAddressOfEntryPointField = 40;
constexpr uint32_t kSectionAlignmentField = 56;
constexpr uint32_t kSizeOfImageField = 80;

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kExecutableImage = 0x0002;
constexpr uint16_t kDllImage = 0x2000;

// Where the two forms differ: the image base's width and the fields after it.
struct HeaderFormat {
  uint16_t machine;
  uint16_t optionalMagic;
  uint32_t imageBaseField;         // 4 bytes in PE32, 8 in PE32+
  uint32_t directoriesField;       // the data directory table
  uint16_t minOptionalHeaderSize;  // up to the end of the 16 data directories
  uint32_t pointerSize;            // of an import lookup entry and an address slot
  uint64_t importByOrdinal;        // the flag of a lookup entry that names an ordinal
};
constexpr HeaderFormat kPe32{kMachineI386, 0x010B, 52, 120, 224, 4, 0x80000000u};
constexpr HeaderFormat kPe32Plus{kMachineAmd64, 0x020B, 48, 136, 240, 8, 1ull << 63};

// The form whose optional-header magic is `magic`, or null for neither.
constexpr const HeaderFormat* HeaderFormatOf(uint16_t magic) {
  return magic == kPe32.optionalMagic       ? &kPe32
         : magic == kPe32Plus.optionalMagic ? &kPe32Plus
                                            : nullptr;
}

// The machine this build's code runs on: the one kind of image it can call into.
constexpr uint16_t kNativeMachine = sizeof(void*) == 8 ? kMachineAmd64 : kMachineI386;

// Data directories by index; each is an address and a size.
constexpr uint32_t kExportDirectory = 0;
constexpr uint32_t kImportDirectory = 1;
constexpr uint32_t kExceptionDirectory = 3;
constexpr uint32_t kRelocationDirectory = 5;
constexpr uint32_t kTlsDirectory = 9;
constexpr uint32_t kDirectoryEntrySize = 8;

// Offset from the NT headers of data directory `index` in an image of form `format`.
constexpr uint32_t DirectoryField(const HeaderFormat& format, uint32_t index) {
  return format.directoriesField + kDirectoryEntrySize * index;
}

// Signature, file header and an optional header up to the end of its data directories:
// the least the loader reads of a PE32 image (a PE32+ image has 16 bytes more).
constexpr uint32_t kMinNtHeadersSize = kOptionalHeaderOffset + kPe32.minOptionalHeaderSize;

// The flag a resolver receives for an import named by ordinal, whatever the form.
constexpr uint32_t kImportByOrdinal = 0x80000000u;

// Section header.
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kSectionVirtualSizeField = 8;
constexpr uint32_t kSectionVirtualAddressField = 12;
constexpr uint32_t kSectionRawSizeField = 16;
constexpr uint32_t kSectionRawOffsetField = 20;
constexpr uint32_t kSectionCharacteristicsField = 36;
constexpr uint32_t kSectionExecute = 0x20000000;
constexpr uint32_t kSectionRead = 0x40000000;
constexpr uint32_t kSectionWrite = 0x80000000;

// Export directory.
constexpr uint32_t kExportDirectorySize = 40;
constexpr uint32_t kExportBaseField = 16;
constexpr uint32_t kExportNumberOfFunctionsField = 20;
constexpr uint32_t kExportNumberOfNamesField = 24;
constexpr uint32_t kExportAddressOfFunctionsField = 28;
constexpr uint32_t kExportAddressOfNamesField = 32;
constexpr uint32_t kExportAddressOfNameOrdinalsField = 36;

// Import descriptor.
constexpr uint32_t kImportDescriptorSize = 20;
constexpr uint32_t kImportOriginalFirstThunkField = 0;
constexpr uint32_t kImportNameField = 12;
constexpr uint32_t kImportFirstThunkField = 16;

// Base relocation block.
constexpr uint32_t kRelocationBlockHeaderSize = 8;
constexpr uint16_t kRelocationHighLow = 3;  // a 32-bit absolute address
constexpr uint16_t kRelocationDir64 = 10;   // a 64-bit absolute address (PE32+ only)

// Exception directory (PE32+): one entry per function, each three image offsets: the
// function's start and end, and its unwind information.
constexpr uint32_t kRuntimeFunctionSize = 12;

// Entry point reasons.
constexpr uint32_t kProcessDetach = 0;
constexpr uint32_t kProcessAttach = 1;

// Page protections, with the values Windows gives them.
constexpr uint32_t kPageNoAccess = 0x01;
constexpr uint32_t kPageReadOnly = 0x02;
constexpr uint32_t kPageReadWrite = 0x04;
constexpr uint32_t kPageExecute = 0x10;
constexpr uint32_t kPageExecuteRead = 0x20;
constexpr uint32_t kPageExecuteReadWrite = 0x40;
constexpr uint32_t kPageSize = 0x1000;

inline uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint64_t Read64(const uint8_t* p) {
  return Read32(p) | (static_cast<uint64_t>(Read32(p + 4)) << 32);
}

inline void Write32(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
  p[2] = static_cast<uint8_t>(value >> 16);
  p[3] = static_cast<uint8_t>(value >> 24);
}

inline void Write64(uint8_t* p, uint64_t value) {
  Write32(p, static_cast<uint32_t>(value));
  Write32(p + 4, static_cast<uint32_t>(value >> 32));
}

// A block of bytes whose every read is checked against its size. Offsets are taken
// as 64-bit so that offset + length can never wrap.
class ByteSpan {
 public:
  ByteSpan(uint8_t* bytes, uint32_t size) : bytes_(bytes), size_(size) {}

  uint8_t* Bytes() const { return bytes_; }
  uint32_t Size() const { return size_; }
  bool Contains(uint64_t offset, uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  // True when a NUL-terminated string starts at `offset` and ends inside the span.
  bool HoldsString(uint64_t offset) const {
    return offset < size_ && std::memchr(bytes_ + offset, 0, size_ - offset) != nullptr;
  }
  // The readers below expect Contains() to have been checked.
  uint16_t U16(uint64_t offset) const { return Read16(bytes_ + offset); }
  uint32_t U32(uint64_t offset) const { return Read32(bytes_ + offset); }
  uint64_t U64(uint64_t offset) const { return Read64(bytes_ + offset); }

 private:
  uint8_t* bytes_;
  uint32_t size_;
};

}  // namespace pe
