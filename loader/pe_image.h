// Validation of a DLL image (PE32 or PE32+) held in a byte buffer, and where its parts
// go once mapped. Works on the bytes alone.
#pragma once

#include <cstdint>
#include <vector>

#include "loader/pe_format.h"

namespace loader {

struct SectionLayout {
  uint32_t virtualAddress;
  uint32_t virtualSize;
  uint32_t rawSize;
  uint32_t rawOffset;
  uint32_t characteristics;
};

struct ImageLayout {
  const pe::HeaderFormat* format = &pe::kPe32;  // the form, which names the machine
  uint64_t imageBase = 0;                       // preferred base
  uint32_t imageSize = 0;         // bytes to reserve: SizeOfImage or the last section's end
  uint32_t headerCopyLength = 0;  // headers up to the end of the section table
  uint32_t sectionAlignment = 0;
  uint32_t entryPoint = 0;  // relative to the base, 0 for none
  uint16_t characteristics = 0;
  std::vector<SectionLayout> sections;
};

// Checks the image in the order signature, NT headers, machine and form (a PE32 image
// for x86, a PE32+ image for x64, either), image kind, optional header, section table,
// section data; then computes the layout. False when refused.
bool ReadImageLayout(const uint8_t* data, uint32_t size, ImageLayout* layout);

// Memory span of one mapped section: from its address over the larger of its virtual
// and raw sizes, rounded up to the section alignment.
uint64_t SectionMappedEnd(const SectionLayout& section, uint32_t sectionAlignment);

// True when `length` bytes from `offset` lie past the headers and inside one section
// whose characteristics include every bit of `characteristics`. Whatever the loader
// writes on the image's behalf, and the entry point it calls, must pass this.
bool InsideSection(const ImageLayout& layout, uint64_t offset, uint64_t length,
                   uint32_t characteristics = 0);

}  // namespace loader
