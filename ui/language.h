// The language of the program's texts: the translators of the chosen
// language, installed before any window is made. Japanese is the text in the
// code; English comes from the program's translation (i18n/moranote_en.ts,
// built into the resources). The toolkit's own texts (its buttons and
// dialogs) follow from its translations on the system.
#pragma once

#include <QStringList>
#include <string>

#include "core/language.h"

namespace morna::ui {

// The language for `setting` ([MAIN] Language=) and the user's interface
// languages (QLocale::uiLanguages()).
UiLanguage LanguageFor(const QStringList& uiLanguages, const std::string& setting);
// The same with the system's interface languages (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG on Unix).
UiLanguage SystemLanguageFor(const std::string& setting);
// The Language setting of the settings file at `iniPath` ("" when unset).
std::string LanguageSetting(const std::string& iniPath);

// Installs the translators of `language` in the application object (it
// replaces those of an earlier call). Returns false when the program's own
// translation could not be loaded.
bool UseLanguage(UiLanguage language);
// Removes every translator UseLanguage installed: the texts of the code
// (tests).
void RemoveTranslators();
// The language last put in use (Japanese before any).
UiLanguage CurrentLanguage();

// A text that core composed (UTF-8, marked with MORNA_TRANSLATE_NOOP in
// `context`) in the user's language; an empty text stays empty.
QString CoreText(const char* context, const std::string& text);

}  // namespace morna::ui
