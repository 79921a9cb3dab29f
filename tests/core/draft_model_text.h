// The whole of a draft model as text, for comparing two models and showing where they
// differ.
#pragma once

#include <sstream>
#include <string>

#include "core/draft_model.h"

namespace core_test {

// Every field of the model, one per line, nested drafts indented: a difference shows
// as the first line that differs.
inline void DescribeModel(const core::DraftModel& model, const std::string& indent,
                          std::ostringstream& out) {
  for (const core::DraftText& text : model.texts) {
    out << indent << "text [" << text.id << "] " << text.contentIsString << " [" << text.content
        << "]\n";
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
          << s.targetDuration << " " << s.sourceStart << " " << s.speed << " " << s.visible;
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
