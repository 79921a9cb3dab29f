#include "core/srt_text.h"

#include "core/timestamp.h"

namespace core {

std::vector<SrtRow> SrtRowsOf(const std::vector<Subtitle>& subtitles) {
  std::vector<SrtRow> rows;
  rows.reserve(subtitles.size());
  for (size_t i = 0; i < subtitles.size(); ++i) {
    rows.push_back(SrtRow{std::to_string(i + 1),
                          TimeRangeText(subtitles[i].startUs, subtitles[i].endUs),
                          subtitles[i].text});
  }
  return rows;
}

void AppendSrtBlock(std::string& srt, const std::string& serial, const std::string& timeRange,
                    const std::string& text) {
  srt.append(serial);
  srt.append("\r\n");
  srt.append(timeRange);
  srt.append("\r\n");
  srt.append(text);
  srt.append("\r\n\r\n");
}

std::string SrtText(const std::vector<SrtRow>& rows) {
  size_t size = 0;
  for (const SrtRow& row : rows)
    size += row.serial.size() + row.timeRange.size() + row.text.size() + 8;
  std::string srt;
  srt.reserve(size);
  for (const SrtRow& row : rows) AppendSrtBlock(srt, row.serial, row.timeRange, row.text);
  return srt;
}

}  // namespace core
