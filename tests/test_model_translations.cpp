// The English program: every text the program shows has its English translation, the
// translations keep the German text's placeholders, and the language is chosen as the
// user's desktop asks.
#include "language.h"
#include "translation.h"
#include "translation_check.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

namespace {

struct Message {
    std::string translation;
    bool finished = false;
};
using Catalogue = std::map<std::pair<std::string, std::string>, Message>;

Catalogue ReadTs(const QString& path)
{
    Catalogue messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    std::string context, source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText().toStdString();
        else if (xml.name() == u"source")
            source = xml.readElementText().toStdString();
        else if (xml.name() == u"translation") {
            const bool unfinished = xml.attributes().value("type") == u"unfinished";
            Message& m = messages[{context, source}];
            m.translation = xml.readElementText().toStdString();
            m.finished = !unfinished && !m.translation.empty();
        }
    }
    return messages;
}

std::multiset<std::string> Placeholders(const std::string& text)
{
    std::multiset<std::string> found;
    static const std::regex placeholder("%[1-9]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

class Translations : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }
    void TearDown() override { UseLanguage(Language::German); }
};

}  // namespace

// What lupdate finds in the sources today, folder by folder, must be in the English
// file of that folder, translated: no English window may show a German text.
TEST_F(Translations, EveryTextOfTheProgramHasItsEnglishTranslation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int texts = 0;
    // "editors:editorcore,editors": the file editors_en.ts holds the texts of both folders.
    for (const char* entry : {LCD_TRANSLATED_FOLDERS}) {
        const QStringList parts = QString(entry).split(':');
        const QString folder = parts[0];
        QStringList sources;
        for (const QString& name : parts.value(1, folder).split(','))
            if (QFile::exists(QString(LCD_SOURCE_DIR) + "/src/" + name))
                sources << QString(LCD_SOURCE_DIR) + "/src/" + name;
        if (sources.isEmpty())
            continue;
        const QString extracted = dir.filePath(folder + ".ts");
        QStringList arguments = QString(LCD_LUPDATE_ARGUMENTS).split(';');
        arguments << sources << "-ts" << extracted;
        QProcess lupdate;
        lupdate.start(LCD_LUPDATE, arguments);
        ASSERT_TRUE(lupdate.waitForFinished(60000)) << folder.toStdString();
        ASSERT_EQ(lupdate.exitCode(), 0) << folder.toStdString() << ": " << lupdate.readAllStandardError().toStdString();
        const Catalogue english = ReadTs(QString(LCD_SOURCE_DIR) + "/translations/" + folder + "_en.ts");
        for (const auto& [key, message] : ReadTs(extracted)) {
            ++texts;
            auto it = english.find(key);
            const std::string where = folder.toStdString() + " [" + key.first + "] \"" + key.second + "\"";
            if (it == english.end() || !it->second.finished) {
                ADD_FAILURE() << "no English text for " << where;
                continue;
            }
            EXPECT_EQ(Placeholders(it->second.translation), Placeholders(key.second)) << where;
        }
    }
    EXPECT_GT(texts, 100);
}

TEST_F(Translations, EnglishIsLookedUpAndGermanStaysAsItIs)
{
    EXPECT_EQ(Tr("Link", "Daten gelesen"), "Daten gelesen");
    UseLanguage(Language::English);
    EXPECT_EQ(Tr("Link", "Daten gelesen"), "Data read");
    EXPECT_EQ(Fill(Tr("Link", "ComPortError:  %1 !"), {"/dev/ttyUSB0"}), "Port error on /dev/ttyUSB0!");
    UseLanguage(Language::German);
    EXPECT_EQ(Tr("Link", "Daten gelesen"), "Daten gelesen");
    EXPECT_EQ(Fill(Tr("Link", "ComPortError:  %1 !"), {"/dev/ttyUSB0"}), "ComPortError:  /dev/ttyUSB0 !");
}

TEST(Fill, PutsEachArgumentInItsPlaceOnce)
{
    EXPECT_EQ(Fill("%2 then %1", {"a", "b"}), "b then a");
    EXPECT_EQ(Fill("file %1 code %2", {"x%2.lcd", "7"}), "file x%2.lcd code 7");
    EXPECT_EQ(Fill("100% sure, %3", {"a"}), "100% sure, %3");
}

TEST(Language, GermanUnlessEnglishComesFirst)
{
    EXPECT_EQ(ChooseLanguage({"en-US", "en", "de"}, ""), Language::English);
    EXPECT_EQ(ChooseLanguage({"de-AT", "en"}, ""), Language::German);
    EXPECT_EQ(ChooseLanguage({"fr-FR", "en-GB"}, ""), Language::English);
    EXPECT_EQ(ChooseLanguage({"fr-FR", "de"}, ""), Language::German);
    EXPECT_EQ(ChooseLanguage({"C"}, ""), Language::German);
    EXPECT_EQ(ChooseLanguage({}, ""), Language::German);
    // The program's own switch wins.
    EXPECT_EQ(ChooseLanguage({"de"}, "en"), Language::English);
    EXPECT_EQ(ChooseLanguage({"en-US"}, "de"), Language::German);
    EXPECT_EQ(ChooseLanguage({"en-US"}, "fr"), Language::English);  // not a choice: ignored
}

TEST(Language, FromTheEnvironment)
{
    // QLocale reads these variables when it is first asked; each case runs in a child.
    auto languageWith = [](std::vector<std::pair<const char*, const char*>> variables) {
        QProcess child;
        QProcessEnvironment environment;
        environment.insert("PATH", qEnvironmentVariable("PATH"));
        for (auto [name, value] : variables)
            environment.insert(name, value);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Language.PrintsTheEnvironmentsLanguage"});
        child.waitForFinished(30000);
        const QString out = child.readAllStandardOutput();
        return out.contains("language=en") ? "en" : out.contains("language=de") ? "de" : "?";
    };
    EXPECT_STREQ(languageWith({{"LANG", "en_US.UTF-8"}}), "en");
    EXPECT_STREQ(languageWith({{"LANG", "de_DE.UTF-8"}}), "de");
    EXPECT_STREQ(languageWith({{"LANG", "C"}}), "de");
    EXPECT_STREQ(languageWith({}), "de");
    EXPECT_STREQ(languageWith({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "en_GB:de"}}), "en");
    EXPECT_STREQ(languageWith({{"LANG", "de_DE.UTF-8"}, {"LC_ALL", "en_US.UTF-8"}}), "en");
    EXPECT_STREQ(languageWith({{"LANG", "en_US.UTF-8"}, {"LCDKONFIG_LANG", "de"}}), "de");
}

// Run by FromTheEnvironment in a child process with the environment under test.
TEST(Language, PrintsTheEnvironmentsLanguage)
{
    std::printf("language=%s\n", LanguageCode(LanguageOfEnvironment()));
}
