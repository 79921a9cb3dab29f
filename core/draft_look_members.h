// The members of a text material that name its look, and where each goes in
// DraftTextLook: one table that both draft readers copy by.
#pragma once

#include <cstddef>

#include "core/draft_model.h"

namespace core {

struct DraftLookMember {
  const char* name;  // in lower case; matched without regard to ASCII case
  std::string DraftTextLook::*text = nullptr;
  DraftNumber DraftTextLook::*number = nullptr;
  DraftFlag DraftTextLook::*flag = nullptr;
};

inline constexpr DraftLookMember kDraftLookMembers[] = {
    {"text_color", &DraftTextLook::textColor},
    {"text_alpha", nullptr, &DraftTextLook::textAlpha},
    {"font_size", nullptr, &DraftTextLook::fontSize},
    {"text_size", nullptr, &DraftTextLook::textSize},
    {"border_color", &DraftTextLook::borderColor},
    {"border_width", nullptr, &DraftTextLook::borderWidth},
    {"border_alpha", nullptr, &DraftTextLook::borderAlpha},
    {"background_color", &DraftTextLook::backgroundColor},
    {"background_alpha", nullptr, &DraftTextLook::backgroundAlpha},
    {"background_style", nullptr, &DraftTextLook::backgroundStyle},
    {"has_shadow", nullptr, nullptr, &DraftTextLook::hasShadow},
    {"shadow_color", &DraftTextLook::shadowColor},
    {"shadow_alpha", nullptr, &DraftTextLook::shadowAlpha},
    {"shadow_distance", nullptr, &DraftTextLook::shadowDistance},
    {"shadow_angle", nullptr, &DraftTextLook::shadowAngle},
    {"alignment", nullptr, &DraftTextLook::alignment},
    {"line_spacing", nullptr, &DraftTextLook::lineSpacing},
    {"bold_width", nullptr, &DraftTextLook::boldWidth},
    {"italic_degree", nullptr, &DraftTextLook::italicDegree},
    {"underline", nullptr, nullptr, &DraftTextLook::underline},
    {"font_path", &DraftTextLook::fontPath},
    {"font_title", &DraftTextLook::fontTitle},
    {"font_name", &DraftTextLook::fontName},
};

inline constexpr size_t kDraftLookMemberCount =
    sizeof(kDraftLookMembers) / sizeof(kDraftLookMembers[0]);

// A text material's members as the readers look them up: id, content, then the look's.
inline constexpr size_t kTextMemberCount = 2 + kDraftLookMemberCount;

}  // namespace core
