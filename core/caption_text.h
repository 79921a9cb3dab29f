// The plain text of a caption as the draft stores it.
#pragma once

#include <string>
#include <string_view>

#include "core/draft_model.h"

namespace core {

// The subtitle text that a stored `content` value shows: the "text" member of a
// rich-text JSON document, the text inside older markup, or the content itself.
std::string PlainSubtitleText(std::string_view content);

// `text` without line breaks (CR LF, LF or CR) at its start and end, each run of line
// breaks inside it made one, and every line break written CR LF.
std::string TidyLineBreaks(std::string_view text);

// The tidy plain text of a text material; empty when its content is not a string.
std::string CaptionTextOf(const DraftText& text);

// The tidy plain text of a text material whose content is the string `content`.
std::string CaptionTextOfContent(std::string_view content);

// What a reader that only counts captions keeps of the string `content`: a stand-in
// whose caption text is empty exactly when that of `content` is, and never allocates.
std::string ContentStandIn(std::string_view content);

}  // namespace core
