#include "ui/table_settings.h"

#include <cstdlib>

namespace ui {
namespace {

struct NamedSetting {
  const char* key;
  int32_t index;
};

constexpr NamedSetting kNamedSettings[] = {
    {"gridLineColour", kSettingGridLineColour},
    {"gridLines", kSettingGridLines},
    {"rowResize", kSettingRowResize},
    {"columnResize", kSettingColumnResize},
    {"rowHeight", kSettingRowHeight},
    {"columnWidth", kSettingColumnWidth},
    {"editable", kSettingEditable},
    {"selectable", kSettingSelectable},
    {"enterAction", kSettingEnterAction},
    {"listMode", kSettingListMode},
    {"numberedRows", kSettingNumberedRows},
};

bool ParseNumber(const std::string& text, int32_t* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  long long v = std::strtoll(text.c_str(), &end, 0);
  if (end == text.c_str() || *end != '\0') return false;
  *value = static_cast<int32_t>(v);
  return true;
}

int32_t NumberOr(const SettingsMap& settings, const char* key, int32_t fallback) {
  auto it = settings.find(key);
  int32_t v;
  return (it != settings.end() && ParseNumber(it->second, &v)) ? v : fallback;
}

// What the table's sunken edge and a scroll bar take beside the cells, with a little to
// spare for systems with wider bars.
constexpr int32_t kTableChrome = 24;

}  // namespace

StretchSetting ParseStretch(const SettingsMap& settings) {
  StretchSetting stretch;
  stretch.column = NumberOr(settings, "stretchColumn", -1);
  stretch.minimum = NumberOr(settings, "stretchMinimum", 0);
  return stretch;
}

rt::ClientSize TableMinimumSize(const SettingsMap& settings) {
  StretchSetting stretch = ParseStretch(settings);
  int32_t defaultWidth = NumberOr(settings, "columnWidth", 60);
  std::vector<ColumnDefinition> columns = ParseColumnDefinitions(settings);
  int32_t width = 0;
  for (size_t c = 0; c < columns.size(); ++c) {
    if (static_cast<int32_t>(c) == stretch.column)
      width += stretch.minimum;
    else
      width += columns[c].width >= 0 ? columns[c].width : defaultWidth;
  }
  int32_t rows = NumberOr(settings, "fixedRows", 1) + 1;
  return {width + kTableChrome, rows * NumberOr(settings, "rowHeight", 24) + kTableChrome};
}

std::vector<ColumnDefinition> ParseColumnDefinitions(const SettingsMap& settings) {
  std::vector<ColumnDefinition> columns;
  for (int i = 0;; ++i) {
    auto it = settings.find("column" + std::to_string(i));
    if (it == settings.end()) break;
    const std::string& spec = it->second;
    // The three numbers follow the last three commas; the title is what precedes them.
    size_t cut = spec.size();
    std::string numbers[3];
    bool ok = true;
    for (int k = 2; k >= 0 && ok; --k) {
      size_t comma = spec.rfind(',', cut == 0 ? 0 : cut - 1);
      if (comma == std::string::npos || cut == 0) {
        ok = false;
        break;
      }
      numbers[k] = spec.substr(comma + 1, cut - comma - 1);
      cut = comma;
    }
    ColumnDefinition def;
    int32_t width = -1, align = 0, type = 0;
    if (ok && ParseNumber(numbers[0], &width) && ParseNumber(numbers[1], &align) &&
        ParseNumber(numbers[2], &type)) {
      def.title = Cp936ToUtf16(spec.substr(0, cut));
      def.width = width;
      def.alignment = align;
      def.type = type;
    } else {
      def.title = Cp936ToUtf16(spec);
    }
    columns.push_back(std::move(def));
  }
  return columns;
}

void ConfigureTable(CGridCtrl& grid, const SettingsMap& settings) {
  for (const auto& named : kNamedSettings) {
    int32_t v;
    auto it = settings.find(named.key);
    if (it != settings.end() && ParseNumber(it->second, &v)) grid.SetSetting(named.index, v);
  }
  for (int32_t i = 0; i < kSettingCount; ++i) {
    if (i >= kSettingRowCount && i <= kSettingFixedColumns) continue;
    int32_t v;
    auto it = settings.find("setting" + std::to_string(i));
    if (it != settings.end() && ParseNumber(it->second, &v)) grid.SetSetting(i, v);
  }
  grid.SetRowCount(NumberOr(settings, "rows", 5));
  grid.SetColumnCount(NumberOr(settings, "cols", 5));
  grid.SetFixedRowCount(NumberOr(settings, "fixedRows", 1));
  grid.SetFixedColumnCount(NumberOr(settings, "fixedCols", 1));
  grid.ApplyColumns(ParseColumnDefinitions(settings));
}

}  // namespace ui
