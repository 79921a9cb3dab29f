// A cell's text split at its line breaks, for drawing, measuring and fitting.
#pragma once

#include <vector>

#include "ui/text_convert.h"

namespace ui {

// The lines of `text`: CR LF, a lone CR and a lone LF each end one. Empty text is one
// empty line; a break at the end leaves an empty last line.
std::vector<WideText> SplitLines(const WideText& text);
// The lines joined again, with `separator` between each two.
WideText JoinLines(const std::vector<WideText>& lines, const WideText& separator);

}  // namespace ui
