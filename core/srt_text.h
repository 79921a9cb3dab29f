// SubRip text built from table rows. Cells are taken as bytes, whatever their encoding.
#pragma once

#include <string>
#include <vector>

#include "core/timeline.h"

namespace core {

// One subtitle as its three cells: serial number, time range, text.
struct SrtRow {
  std::string serial;
  std::string timeRange;
  std::string text;
};

// The rows of `subtitles` as the table shows them: serial numbers 1, 2, ... in order.
std::vector<SrtRow> SrtRowsOf(const std::vector<Subtitle>& subtitles);

// Appends one SRT block: serial, CR LF, time range, CR LF, text, CR LF CR LF.
void AppendSrtBlock(std::string& srt, const std::string& serial, const std::string& timeRange,
                    const std::string& text);

// The blocks of all rows one after another; empty for no rows.
std::string SrtText(const std::vector<SrtRow>& rows);

}  // namespace core
