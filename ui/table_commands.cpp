#include "ui/table_commands.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "ui/table_component.h"

namespace ui {
namespace {

CGridCtrl* ResolveTable(const rt::CommandArg& ref) {
  // A missing window or component does not come back: the request reports it.
  auto* component = reinterpret_cast<rt::Component*>(rt::SystemRequest(
      rt::kRequestComponentObject, rt::ArgWindowId(ref), rt::ArgComponentId(ref)));
  auto* table = dynamic_cast<TableComponent*>(component);
  return table ? &table->Grid() : nullptr;
}

const rt::CommandArg& ArgAt(int32_t argc, const rt::CommandArg* args, int32_t i) {
  static const rt::CommandArg kLeftOut{};
  return (i < argc) ? args[i] : kLeftOut;
}

// Days since 1899-12-30 as "YYYY-MM-DD HH:MM:SS".
std::string DateTimeText(double days) {
  if (!std::isfinite(days) || std::fabs(days) > 3e6) return std::string();
  long long seconds = std::llround(days * 86400.0);
  long long day = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  long long rest = seconds - day * 86400;
  // Civil date from days since 1970-01-01 (1899-12-30 lies 25569 days before it).
  long long z = day - 25569 + 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long y = yoe + era * 400;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  long long d = doy - (153 * mp + 2) / 5 + 1;
  long long m = mp < 10 ? mp + 3 : mp - 9;
  if (m <= 2) ++y;
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", y, m, d,
                rest / 3600, rest / 60 % 60, rest % 60);
  return buffer;
}

}  // namespace

bool ValueToCellText(const rt::CommandArg& value, std::string* text) {
  char buffer[64];
  switch (value.type) {
    case rt::kTypeText:
      *text = rt::TextToString(static_cast<const char*>(value.value.ptr));
      return true;
    case rt::kTypeByte:
      std::snprintf(buffer, sizeof buffer, "%d", static_cast<uint8_t>(value.value.words.low));
      break;
    case rt::kTypeShort:
      std::snprintf(buffer, sizeof buffer, "%d", static_cast<int16_t>(value.value.words.low));
      break;
    case rt::kTypeInt:
      std::snprintf(buffer, sizeof buffer, "%d", value.value.words.low);
      break;
    case rt::kTypeLong:
      std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value.value.i64));
      break;
    case rt::kTypeFloat: {
      float f;
      std::memcpy(&f, &value.value.words.low, sizeof f);
      std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(f));
      break;
    }
    case rt::kTypeDouble:
      std::snprintf(buffer, sizeof buffer, "%.13g", value.value.f64);
      break;
    case rt::kTypeDateTime:
      *text = DateTimeText(value.value.f64);
      return true;
    default:
      return false;
  }
  *text = buffer;
  return true;
}

int32_t AppendRowTo(CGridCtrl& grid, const rt::CommandArg& heading,
                    const rt::CommandArg& position) {
  try {
    std::string headingText;
    bool hasHeading = heading.type != rt::kTypeNone && ValueToCellText(heading, &headingText);
    int32_t at = position.type != rt::kTypeNone ? position.value.words.low : -1;
    grid.InsertRow(at, hasHeading ? &headingText : nullptr);
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int32_t SetCellTextOf(CGridCtrl& grid, int32_t row, int32_t column, int32_t kind,
                      const rt::CommandArg& value) {
  CGridCell* cell = grid.Cell(row, column);
  if (!cell || kind != 1) return 0;
  std::string text;
  if (!ValueToCellText(value, &text)) return 0;
  try {
    if (row < grid.FixedRowCount()) {
      cell->SetWideText(Cp936ToUtf16(text));
    } else {
      cell->SetNarrowText(std::move(text));
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }
  grid.RedrawCell(row, column);
  return 1;
}

rt::CommandResult GetCellTextOf(const CGridCtrl& grid, int32_t row, int32_t column) {
  rt::CommandResult result{};
  const CGridCell* cell = grid.Cell(row, column);
  if (!cell) {
    result.type = rt::kTypeBool;
    return result;
  }
  result.type = rt::kTypeText;
  result.value.ptr = rt::NewText(cell->ReadText());
  return result;
}

int32_t SetCellWideTextOf(CGridCtrl& grid, int32_t row, int32_t column, WideText text) {
  CGridCell* cell = grid.Cell(row, column);
  if (!cell) return 0;
  cell->SetWideText(std::move(text));
  grid.RedrawCell(row, column);
  return 1;
}

rt::CommandResult GetCellWideTextOf(const CGridCtrl& grid, int32_t row, int32_t column) {
  rt::CommandResult result{};
  const CGridCell* cell = grid.Cell(row, column);
  if (!cell) {
    result.type = rt::kTypeBool;
    return result;
  }
  WideText text = cell->ShownText();
  result.type = rt::kTypeBytes;
  result.value.ptr = rt::NewBytes(text.data(), text.size() * sizeof(char16_t));
  return result;
}

void CmdAppendRow(rt::CommandResult* result, int32_t argc, rt::CommandArg* args) {
  CGridCtrl* grid = argc > 0 ? ResolveTable(args[0]) : nullptr;
  if (!grid) return;
  result->value.words.low = AppendRowTo(*grid, ArgAt(argc, args, 1), ArgAt(argc, args, 2));
}

void CmdSetCellText(rt::CommandResult* result, int32_t argc, rt::CommandArg* args) {
  CGridCtrl* grid = argc > 0 ? ResolveTable(args[0]) : nullptr;
  if (!grid || argc < 5) return;
  result->value.words.low = SetCellTextOf(*grid, args[1].value.words.low, args[2].value.words.low,
                                          args[3].value.words.low, args[4]);
}

void CmdGetCellText(rt::CommandResult* result, int32_t argc, rt::CommandArg* args) {
  CGridCtrl* grid = argc > 0 ? ResolveTable(args[0]) : nullptr;
  if (!grid || argc < 3) {
    result->type = rt::kTypeBool;
    return;
  }
  *result = GetCellTextOf(*grid, args[1].value.words.low, args[2].value.words.low);
}

void CmdSetCellWideText(rt::CommandResult* result, int32_t argc, rt::CommandArg* args) {
  CGridCtrl* grid = argc > 0 ? ResolveTable(args[0]) : nullptr;
  if (!grid || argc < 4 || args[3].type != rt::kTypeBytes) return;
  const void* block = args[3].value.ptr;
  int32_t length = rt::BytesLength(block);
  try {
    WideText text(static_cast<size_t>(length > 0 ? length / 2 : 0), u'\0');
    if (!text.empty()) std::memcpy(&text[0], rt::BytesData(block), text.size() * sizeof(char16_t));
    result->value.words.low =
        SetCellWideTextOf(*grid, args[1].value.words.low, args[2].value.words.low, std::move(text));
  } catch (const std::bad_alloc&) {
    result->value.words.low = 0;
  }
}

void CmdGetCellWideText(rt::CommandResult* result, int32_t argc, rt::CommandArg* args) {
  CGridCtrl* grid = argc > 0 ? ResolveTable(args[0]) : nullptr;
  if (!grid || argc < 3) {
    result->type = rt::kTypeBool;
    return;
  }
  *result = GetCellWideTextOf(*grid, args[1].value.words.low, args[2].value.words.low);
}

bool TableAppendRow(rt::ComponentId window, rt::ComponentId table) {
  rt::CommandArg args[3] = {rt::ArgComponent(window, table, rt::kComponentTable), rt::ArgNone(),
                            rt::ArgNone()};
  return rt::Services()
             .CallLibraryCommand(&CmdAppendRow, kGridLibraryNumber, 3, args)
             .value.words.low == 1;
}

bool TableSetCellText(rt::ComponentId window, rt::ComponentId table, int32_t row, int32_t column,
                      const char* text) {
  rt::CommandArg args[5] = {rt::ArgComponent(window, table, rt::kComponentTable), rt::ArgInt(row),
                            rt::ArgInt(column), rt::ArgInt(1), rt::ArgText(text)};
  return rt::Services()
             .CallLibraryCommand(&CmdSetCellText, kGridLibraryNumber, 5, args)
             .value.words.low == 1;
}

CellTextResult TableGetCellText(rt::ComponentId window, rt::ComponentId table, int32_t row,
                                int32_t column) {
  rt::CommandArg args[3] = {rt::ArgComponent(window, table, rt::kComponentTable), rt::ArgInt(row),
                            rt::ArgInt(column)};
  rt::CommandResult r =
      rt::Services().CallLibraryCommand(&CmdGetCellText, kGridLibraryNumber, 3, args);
  CellTextResult out;
  out.isText = r.type == rt::kTypeText;
  if (out.isText) {
    out.text.reset(static_cast<char*>(r.value.ptr));
  } else if (r.type == rt::kTypeBytes) {
    rt::Free(r.value.ptr);
  }
  return out;
}

bool TableSetCellWideText(rt::ComponentId window, rt::ComponentId table, int32_t row,
                          int32_t column, const WideText& text) {
  rt::OwnedBytes units(rt::NewBytes(text.data(), text.size() * sizeof(char16_t)));
  rt::CommandArg args[4] = {rt::ArgComponent(window, table, rt::kComponentTable), rt::ArgInt(row),
                            rt::ArgInt(column), rt::ArgBytes(units.get())};
  return rt::Services()
             .CallLibraryCommand(&CmdSetCellWideText, kGridLibraryNumber, 4, args)
             .value.words.low == 1;
}

CellWideTextResult TableGetCellWideText(rt::ComponentId window, rt::ComponentId table, int32_t row,
                                        int32_t column) {
  rt::CommandArg args[3] = {rt::ArgComponent(window, table, rt::kComponentTable), rt::ArgInt(row),
                            rt::ArgInt(column)};
  rt::CommandResult r =
      rt::Services().CallLibraryCommand(&CmdGetCellWideText, kGridLibraryNumber, 3, args);
  CellWideTextResult out;
  if (r.type == rt::kTypeBytes) {
    rt::OwnedBytes units(static_cast<uint8_t*>(r.value.ptr));
    out.isText = true;
    size_t count = static_cast<size_t>(rt::BytesLength(units.get())) / sizeof(char16_t);
    out.text.resize(count);
    if (count > 0) std::memcpy(&out.text[0], rt::BytesData(units.get()), count * sizeof(char16_t));
  } else if (r.type == rt::kTypeText) {
    rt::Free(r.value.ptr);
  }
  return out;
}

}  // namespace ui
