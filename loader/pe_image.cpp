#include "loader/pe_image.h"

#include <algorithm>

#include "loader/pe_format.h"

namespace loader {

uint64_t SectionMappedEnd(const SectionLayout& section, uint32_t sectionAlignment) {
  uint64_t end = uint64_t{section.virtualAddress} + std::max(section.virtualSize, section.rawSize);
  return (end + sectionAlignment - 1) / sectionAlignment * sectionAlignment;
}

bool InsideSection(const ImageLayout& layout, uint64_t offset, uint64_t length,
                   uint32_t characteristics) {
  if (offset < layout.headerCopyLength) return false;
  const uint64_t end = offset + length;
  for (const SectionLayout& section : layout.sections) {
    const uint64_t sectionEnd =
        std::min<uint64_t>(SectionMappedEnd(section, layout.sectionAlignment), layout.imageSize);
    if (offset >= section.virtualAddress && end <= sectionEnd &&
        (section.characteristics & characteristics) == characteristics) {
      return true;
    }
  }
  return false;
}

bool ReadImageLayout(const uint8_t* data, uint32_t size, ImageLayout* layout) {
  if (data == nullptr || layout == nullptr) return false;
  if (size < pe::kDosHeaderSize) return false;
  if (pe::Read16(data) != pe::kDosSignature) return false;
  // Taken unsigned: a negative offset is as far out of the buffer as offsets go.
  const uint64_t nt = pe::Read32(data + pe::kNtHeadersOffsetField);
  if (uint64_t{size} < nt + pe::kMinNtHeadersSize) return false;
  const uint8_t* headers = data + nt;
  if (pe::Read32(headers) != pe::kNtSignature) return false;
  const pe::HeaderFormat* format =
      pe::HeaderFormatOf(pe::Read16(headers + pe::kOptionalMagicField));
  if (format == nullptr || pe::Read16(headers + pe::kMachineField) != format->machine) return false;
  if (uint64_t{size} < nt + pe::kOptionalHeaderOffset + format->minOptionalHeaderSize) return false;
  const uint16_t characteristics = pe::Read16(headers + pe::kCharacteristicsField);
  if ((characteristics & pe::kExecutableImage) == 0) return false;
  const uint16_t optionalSize = pe::Read16(headers + pe::kSizeOfOptionalHeaderField);
  if (optionalSize < format->minOptionalHeaderSize) return false;

  const uint16_t sectionCount = pe::Read16(headers + pe::kNumberOfSectionsField);
  const uint64_t sectionTable = nt + pe::kOptionalHeaderOffset + optionalSize;
  const uint64_t headerEnd = sectionTable + uint64_t{pe::kSectionHeaderSize} * sectionCount;
  // The section table itself must lie in the buffer before any entry is read.
  if (headerEnd > size) return false;

  std::vector<SectionLayout> sections(sectionCount);
  for (uint16_t i = 0; i < sectionCount; ++i) {
    const uint8_t* header = data + sectionTable + uint64_t{pe::kSectionHeaderSize} * i;
    SectionLayout& section = sections[i];
    section.virtualSize = pe::Read32(header + pe::kSectionVirtualSizeField);
    section.virtualAddress = pe::Read32(header + pe::kSectionVirtualAddressField);
    section.rawSize = pe::Read32(header + pe::kSectionRawSizeField);
    section.rawOffset = pe::Read32(header + pe::kSectionRawOffsetField);
    section.characteristics = pe::Read32(header + pe::kSectionCharacteristicsField);
    if (uint64_t{section.rawOffset} + section.rawSize > size) return false;
  }

  const uint32_t alignment = pe::Read32(headers + pe::kSectionAlignmentField);
  if (alignment == 0) return false;
  uint64_t imageSize = pe::Read32(headers + pe::kSizeOfImageField);
  for (const SectionLayout& section : sections) {
    imageSize = std::max(imageSize, SectionMappedEnd(section, alignment));
  }
  if (imageSize == 0 || imageSize > UINT32_MAX) return false;
  // The headers and every copied section must land inside the image, and a copied
  // section must not overwrite the headers the later steps read back.
  if (headerEnd > imageSize) return false;
  for (const SectionLayout& section : sections) {
    if (section.rawSize != 0 && section.virtualAddress != 0 && section.virtualAddress < headerEnd) {
      return false;
    }
  }
  // Thread-local storage needs the system loader's help, which a mapping from memory
  // cannot give: such an image is refused rather than run half set up.
  const uint64_t tls = nt + pe::DirectoryField(*format, pe::kTlsDirectory);
  if (pe::Read32(data + tls) != 0 || pe::Read32(data + tls + 4) != 0) return false;

  ImageLayout read;
  read.format = format;
  read.imageBase = format->pointerSize == 8 ? pe::Read64(headers + format->imageBaseField)
                                            : pe::Read32(headers + format->imageBaseField);
  read.imageSize = static_cast<uint32_t>(imageSize);
  read.headerCopyLength = static_cast<uint32_t>(headerEnd);
  read.sectionAlignment = alignment;
  read.entryPoint = pe::Read32(headers + pe::kAddressOfEntryPointField);
  read.characteristics = characteristics;
  read.sections = std::move(sections);
  // The entry point that will be called must be code of the image, not its headers or data.
  if ((characteristics & pe::kDllImage) != 0 && read.entryPoint != 0 &&
      !InsideSection(read, read.entryPoint, 1, pe::kSectionExecute)) {
    return false;
  }
  *layout = std::move(read);
  return true;
}

}  // namespace loader
