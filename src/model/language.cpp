#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

#include <cstdlib>
#include <memory>

bool ParseLanguage(const std::string& text, Language& language)
{
    if (text == "de") {
        language = Language::German;
        return true;
    }
    if (text == "en") {
        language = Language::English;
        return true;
    }
    return false;
}

Language ChooseLanguage(const std::vector<std::string>& uiLanguages, const std::string& choice)
{
    Language chosen = Language::German;
    if (ParseLanguage(choice, chosen))
        return chosen;
    for (const std::string& tag : uiLanguages) {
        const std::string primary = tag.substr(0, tag.find_first_of("-_"));
        if (primary == "de")
            return Language::German;
        if (primary == "en")
            return Language::English;
    }
    return Language::German;
}

Language LanguageOfEnvironment(const std::string& choice)
{
    std::string wanted = choice;
    if (wanted.empty())
        if (const char* variable = std::getenv(kLanguageVariable))
            wanted = variable;
    std::vector<std::string> languages;
    for (const QString& tag : QLocale::system().uiLanguages())
        languages.push_back(tag.toStdString());
    return ChooseLanguage(languages, wanted);
}

const char* LanguageCode(Language language) { return language == Language::English ? "en" : "de"; }

namespace {
Language inUse = Language::German;
}  // namespace

Language CurrentLanguage() { return inUse; }

void UseLanguage(Language language)
{
    inUse = language;
    static std::vector<std::unique_ptr<QTranslator>> installed;
    for (const auto& translator : installed)
        QCoreApplication::removeTranslator(translator.get());
    installed.clear();
    if (language == Language::German)
        return;  // the program's own texts
    const QDir folder(":/i18n");
    for (const QString& name : folder.entryList({"*_en.qm"}, QDir::Files)) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(folder.filePath(name)) && QCoreApplication::installTranslator(translator.get()))
            installed.push_back(std::move(translator));
    }
}
