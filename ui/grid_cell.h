// One cell of the table view: its texts, state bits, drawing format and colours.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/text_convert.h"

namespace ui {

enum CellState : uint32_t {
  kCellSelected = 0x02,
  kCellReadOnly = 0x08,
  kCellFixed = 0x10,
};

// DrawText flags that cells carry.
enum DrawFormat : uint32_t {
  kFormatLeft = 0x804,    // DT_NOPREFIX | DT_VCENTER | DT_LEFT
  kFormatCentre = 0x805,  // ... | DT_CENTER
  kFormatRight = 0x806,   // ... | DT_RIGHT
  kFormatWordBreak = 0x10,
  kFormatSingleLine = 0x20,
  kFormatAlignMask = 0x3,
};

// A colour value meaning "the table's default colour applies".
constexpr uint32_t kDefaultColour = 0xFF000000;

// What every kind of cell has in common.
class CGridCellBase {
 public:
  virtual ~CGridCellBase() = default;

  uint32_t State() const { return state_; }
  bool Has(uint32_t bits) const { return (state_ & bits) == bits; }
  void SetState(uint32_t state) { state_ = state; }
  void SetBits(uint32_t bits, bool on) { state_ = on ? (state_ | bits) : (state_ & ~bits); }

  uint32_t Format() const { return format_; }
  void SetFormat(uint32_t format) { format_ = format; }
  // Applies a column's alignment format: single-line unless the cell breaks words.
  void ApplyAlignment(uint32_t alignFormat) {
    format_ = alignFormat | ((format_ & kFormatWordBreak) ? kFormatWordBreak : kFormatSingleLine);
  }

  uint32_t TextColour() const { return textColour_; }
  uint32_t BackColour() const { return backColour_; }
  void SetTextColour(uint32_t c) { textColour_ = c; }
  void SetBackColour(uint32_t c) { backColour_ = c; }
  void ResetColours() { textColour_ = backColour_ = kDefaultColour; }

  // The text the cell shows, in UTF-16.
  virtual WideText ShownText() const = 0;
  // The text as the commands read it, in code page 936.
  virtual std::string ReadText() const = 0;

 private:
  uint32_t state_ = 0;
  uint32_t format_ = kFormatLeft | kFormatSingleLine;
  uint32_t textColour_ = kDefaultColour;
  uint32_t backColour_ = kDefaultColour;
};

// A cell's text in whichever forms it holds it: what the edit history keeps of a cell.
struct CellText {
  std::string narrow;
  std::optional<WideText> wide;
};

// A text cell: narrow text in code page 936 and optional wide text, which wins when set.
class CGridCell : public CGridCellBase {
 public:
  const std::string& NarrowText() const { return narrow_; }
  bool HasWideText() const { return wide_.has_value(); }
  const WideText& WideTextValue() const { return *wide_; }

  // Stores narrow text; any wide text goes, so that the new text is what shows.
  void SetNarrowText(std::string text) {
    narrow_ = std::move(text);
    wide_.reset();
  }
  void SetWideText(WideText text) { wide_ = std::move(text); }
  // Empties the cell in whichever form it holds its text.
  void ClearText() {
    narrow_.clear();
    if (wide_) wide_->clear();
  }

  // Exchanges the cell's text with `text`, moving the strings rather than copying them.
  void SwapText(CellText& text) {
    narrow_.swap(text.narrow);
    wide_.swap(text.wide);
  }
  // The text `shown` stored as this cell stores its texts: wide if it holds wide text,
  // else converted to code page 936.
  CellText TextOf(WideText shown) const {
    if (wide_) return {narrow_, std::move(shown)};
    return {Utf16ToCp936(shown), std::nullopt};
  }

  WideText ShownText() const override { return wide_ ? *wide_ : Cp936ToUtf16(narrow_); }
  std::string ReadText() const override { return wide_ ? Utf16ToCp936(*wide_) : narrow_; }

 private:
  std::string narrow_;
  std::optional<WideText> wide_;
};

}  // namespace ui
