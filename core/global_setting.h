// The editor's own settings file, User Data/Config/globalSetting: an INI file in the
// form Qt writes (values may be quoted, backslashes doubled, \xHHHH for UTF-16 units).
#pragma once

#include <string>
#include <string_view>

namespace core {

// The value of `key` in `[section]` of the INI text `ini` (section and key names compared
// without regard to ASCII case), unescaped, in UTF-8; empty when absent.
std::string IniValue(std::string_view ini, std::string_view section, std::string_view key);

// The draft folder the user chose in the editor: currentCustomDraftPath in [General] of
// globalSetting; empty when none is set.
std::string CustomDraftFolderOf(std::string_view globalSetting);

}  // namespace core
