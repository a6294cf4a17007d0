#include "core/language.h"

namespace morna {

namespace {

// The primary language subtag of a tag ("ja" of "ja-JP", "ja_JP.UTF-8"),
// in lower case.
std::string Primary(std::string_view tag) {
  std::string out;
  for (char c : tag) {
    if (c == '-' || c == '_' || c == '.' || c == '@') break;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

}  // namespace

UiLanguage ChooseLanguage(const std::vector<std::string>& uiLanguages, std::string_view setting) {
  const std::string chosen = Primary(setting);
  if (chosen == "ja") return UiLanguage::Japanese;
  if (chosen == "en") return UiLanguage::English;
  if (!uiLanguages.empty() && Primary(uiLanguages.front()) == "ja") return UiLanguage::Japanese;
  return UiLanguage::English;
}

std::string_view LanguageCode(UiLanguage language) {
  return language == UiLanguage::Japanese ? "ja" : "en";
}

}  // namespace morna
