// The whole of a draft model as text, for comparing two models and showing where they
// differ.
#pragma once

#include <optional>
#include <sstream>
#include <string>

#include "core/draft_model.h"

namespace core_test {

// A value the draft may leave out: "-" when it does.
template <typename T>
std::string Optional(const std::optional<T>& value) {
  if (!value) return "-";
  std::ostringstream text;
  text.precision(17);
  text << *value;
  return text.str();
}

inline void DescribeLook(const core::DraftTextLook& l, std::ostringstream& out) {
  out << " look [" << l.textColor << "] " << Optional(l.textAlpha) << " " << Optional(l.fontSize)
      << " " << Optional(l.textSize) << " [" << l.borderColor << "] " << Optional(l.borderWidth)
      << " " << Optional(l.borderAlpha) << " [" << l.backgroundColor << "] "
      << Optional(l.backgroundAlpha) << " " << Optional(l.backgroundStyle) << " "
      << Optional(l.hasShadow) << " [" << l.shadowColor << "] " << Optional(l.shadowAlpha) << " "
      << Optional(l.shadowDistance) << " " << Optional(l.shadowAngle) << " "
      << Optional(l.alignment) << " " << Optional(l.lineSpacing) << " " << Optional(l.boldWidth)
      << " " << Optional(l.italicDegree) << " " << Optional(l.underline) << " [" << l.fontPath
      << "] [" << l.fontTitle << "] [" << l.fontName << "]";
}

// Every field of the model, one per line, nested drafts indented: a difference shows
// as the first line that differs.
inline void DescribeModel(const core::DraftModel& model, const std::string& indent,
                          std::ostringstream& out) {
  out << indent << "canvas " << Optional(model.canvasWidth) << " x " << Optional(model.canvasHeight)
      << "\n";
  for (const core::DraftText& text : model.texts) {
    out << indent << "text [" << text.id << "] " << text.contentIsString << " [" << text.content
        << "]";
    DescribeLook(text.look, out);
    out << "\n";
  }
  for (const core::DraftTextTemplate& t : model.textTemplates) {
    out << indent << "template [" << t.id << "]";
    for (const std::string& id : t.textIds) out << " [" << id << "]";
    out << "\n";
  }
  for (const core::DraftTrack& track : model.tracks) {
    out << indent << "track [" << track.type << "] [" << track.name << "] " << track.attribute
        << "\n";
    for (const core::DraftSegment& s : track.segments) {
      out << indent << "  segment [" << s.materialId << "] " << s.targetStart << " "
          << s.targetDuration << " " << s.sourceStart << " " << s.speed << " " << s.visible
          << " clip " << Optional(s.clip.x) << " " << Optional(s.clip.y) << " "
          << Optional(s.clip.scaleX) << " " << Optional(s.clip.scaleY) << " "
          << Optional(s.clip.rotation);
      for (const std::string& ref : s.extraMaterialRefs) out << " [" << ref << "]";
      out << "\n";
    }
  }
  for (const core::DraftNested& nested : model.drafts) {
    out << indent << "draft [" << nested.id << "]\n";
    DescribeModel(*nested.draft, indent + "    ", out);
  }
}

inline std::string DescribeModel(const core::DraftModel& model) {
  std::ostringstream out;
  out.precision(17);
  DescribeModel(model, "", out);
  return out.str();
}

}  // namespace core_test
