// The language of the program's own texts: Japanese or English.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morna {

enum class UiLanguage { Japanese, English };

// The language chosen from the setting `[MAIN] Language=` ("ja" or "en",
// any case, also with a region such as "ja_JP"; anything else follows the
// system) and the user's interface languages in order of preference (tags
// such as "ja-JP", "de", "en-US"). Japanese only when the setting says so,
// or, following the system, when the first of the languages is Japanese:
// every other language reads English, the one translation there is.
UiLanguage ChooseLanguage(const std::vector<std::string>& uiLanguages, std::string_view setting);

// "ja" or "en".
std::string_view LanguageCode(UiLanguage language);

}  // namespace morna
