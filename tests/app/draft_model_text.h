// The whole of a draft model as text, for comparing two models and showing where they
// differ.
#pragma once

#include <sstream>
#include <string>

#include "app/draft_model.h"

namespace app_test {

// Every field of the model, one per line, nested drafts indented: a difference shows
// as the first line that differs.
inline void DescribeModel(const app::DraftModel& model, const std::string& indent,
                          std::ostringstream& out) {
  for (const app::DraftText& text : model.texts) {
    out << indent << "text [" << text.id << "] " << text.contentIsString << " [" << text.content
        << "]\n";
  }
  for (const app::DraftTextTemplate& t : model.textTemplates) {
    out << indent << "template [" << t.id << "]";
    for (const std::string& id : t.textIds) out << " [" << id << "]";
    out << "\n";
  }
  for (const app::DraftTrack& track : model.tracks) {
    out << indent << "track [" << track.type << "] [" << track.name << "] " << track.attribute
        << "\n";
    for (const app::DraftSegment& s : track.segments) {
      out << indent << "  segment [" << s.materialId << "] " << s.targetStart << " "
          << s.targetDuration << " " << s.sourceStart << " " << s.speed << " " << s.visible;
      for (const std::string& ref : s.extraMaterialRefs) out << " [" << ref << "]";
      out << "\n";
    }
  }
  for (const app::DraftNested& nested : model.drafts) {
    out << indent << "draft [" << nested.id << "]\n";
    DescribeModel(*nested.draft, indent + "    ", out);
  }
}

inline std::string DescribeModel(const app::DraftModel& model) {
  std::ostringstream out;
  out.precision(17);
  DescribeModel(model, "", out);
  return out.str();
}

}  // namespace app_test
