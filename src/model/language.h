#pragma once
// Which language the program speaks. German unless the user's languages put English
// before German; the C/POSIX locale gives German. LCDKONFIG_LANG=de|en (and the
// command line's --lang) decide instead. Files are the same in either language.
#include <string>
#include <vector>

enum class Language { German, English };

inline constexpr const char* kLanguageVariable = "LCDKONFIG_LANG";

// `uiLanguages`: the user's languages, most wanted first, as QLocale::uiLanguages gives
// them ("en-US", "de", "C"); `choice`: "de", "en" or empty.
Language ChooseLanguage(const std::vector<std::string>& uiLanguages, const std::string& choice);
// From LCDKONFIG_LANG and the locale of the environment (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG). `choice` overrides both when not empty.
Language LanguageOfEnvironment(const std::string& choice = {});
// "de" or "en".
const char* LanguageCode(Language language);
// A choice as the user writes it; false for anything but de and en.
bool ParseLanguage(const std::string& text, Language& language);

// Installs the program's English texts (embedded translations) into the application,
// or takes them away for German. The application object must exist.
void UseLanguage(Language language);
// The language UseLanguage installed last (German before the first call).
Language CurrentLanguage();
