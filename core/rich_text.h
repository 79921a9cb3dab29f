// The "text" member of a rich-text caption content ({"styles":[…],"text":"…"}), found
// without building a JSON tree. Drafts store one such document per caption; handing
// each to the JSON classes cost more than reading the whole draft did.
#pragma once

#include <string>
#include <string_view>

namespace core {

enum class RichTextScan {
  kText,         // a JSON object whose "text" member (any ASCII case, the first) is a string
  kNotRichText,  // not an object, or an object without such a string member
  kUndecided,    // beyond this scan (escapes \u, deep nesting, not strict JSON): ask a parser
};

// Scans `content` as the JSON classes would parse it (leading white space, one object,
// anything after it ignored). kText leaves the member's text in `text`, decoded as the
// JSON classes decode it. Only strict JSON without \u escapes and at most 64 levels deep
// is decided here, which the JSON classes read alike.
RichTextScan ScanRichText(std::string_view content, std::string& text);

}  // namespace core
