// SPDX-License-Identifier: MIT
// The catalogues under po/ against the texts the game shows: every text the code and the
// generator mark has an entry in both catalogues, every entry is used, and every screen shows
// a caption in English wherever it shows one in Russian.
#include "gui/GuiBase.h"
#include "gui/GuiControl.h"
#include "gui/GuiEdit.h"
#include "gui/GuiListBox.h"
#include "gui/GuiValue.h"
#include "platform/Text.h"
#include "screens/GameTexts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
const std::string GameDir = ZIBO_GAME_DIR;
const fs::path SourceDir = ZIBO_SOURCE_DIR;

struct TPoEntry {
    std::string Translation;
    bool Fuzzy = false;
};

// The C-style string of a PO line's quoted part.
std::string Unquote(const std::string& Line) {
    const size_t open = Line.find('"');
    const size_t close = Line.rfind('"');
    std::string out;
    for (size_t i = open + 1; i < close; ++i) {
        if (Line[i] == '\\' && i + 1 < close) {
            const char next = Line[++i];
            out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
        } else {
            out += Line[i];
        }
    }
    return out;
}

// The entries of a PO or POT file by original text (the header left out).
std::map<std::string, TPoEntry> ReadPo(const fs::path& File) {
    std::map<std::string, TPoEntry> entries;
    std::ifstream in(File);
    std::string line;
    std::string original;
    std::string translation;
    std::string* filling = nullptr;
    bool fuzzy = false;
    const auto finish = [&] {
        if (!original.empty()) {
            entries[original] = {translation, fuzzy};
        }
        original.clear();
        translation.clear();
        filling = nullptr;
        fuzzy = false;
    };
    while (std::getline(in, line)) {
        if (line.starts_with("#,") && line.find("fuzzy") != std::string::npos) {
            fuzzy = true;
        } else if (line.starts_with("msgid ")) {
            filling = &original;
            original = Unquote(line);
        } else if (line.starts_with("msgstr ")) {
            filling = &translation;
            translation = Unquote(line);
        } else if (line.starts_with("\"") && filling) {
            *filling += Unquote(line);
        } else if (line.empty()) {
            finish();
        }
    }
    finish();
    return entries;
}

std::set<std::string> Originals(const std::map<std::string, TPoEntry>& Entries) {
    std::set<std::string> out;
    for (const auto& [original, entry] : Entries) {
        out.insert(original);
    }
    return out;
}

// The template made afresh from the code into a scratch folder.
std::map<std::string, TPoEntry> FreshTemplate() {
    const fs::path dir = fs::path(testing::TempDir()) / ("zibo_pot_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path pot = dir / "zibo.pot";
    const std::string command = "'" + (SourceDir / "scripts/make-pot").string() + "' '" + pot.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    auto entries = ReadPo(pot);
    fs::remove_all(dir);
    return entries;
}

TEST(Catalogues, TheTemplateHoldsExactlyTheTextsTheCodeMarks) {
    const std::set<std::string> marked = Originals(FreshTemplate());
    ASSERT_FALSE(marked.empty());
    EXPECT_EQ(Originals(ReadPo(SourceDir / "po/zibo.pot")), marked) << "run scripts/make-pot";
}

// Every catalogue carries every text of the template and nothing else; the English one
// translates each, and the Russian one keeps the Russian texts byte for byte.
TEST(Catalogues, EveryCatalogueCoversTheTemplateBothWays) {
    const std::set<std::string> marked = Originals(ReadPo(SourceDir / "po/zibo.pot"));
    std::set<std::string> languages;
    for (const auto& file : fs::directory_iterator(SourceDir / "po")) {
        if (file.path().extension() == ".po") {
            languages.insert(file.path().stem().string());
        }
    }
    ASSERT_TRUE(languages.contains("ru") && languages.contains("en"));
    for (const std::string& language : languages) {
        SCOPED_TRACE(language);
        const auto entries = ReadPo(SourceDir / "po" / (language + ".po"));
        for (const std::string& text : marked) {
            EXPECT_TRUE(entries.contains(text)) << "no entry for \"" << text << "\"";
        }
        for (const auto& [original, entry] : entries) {
            EXPECT_TRUE(marked.contains(original)) << "unused entry \"" << original << "\"";
            EXPECT_FALSE(entry.Fuzzy) << original;
            EXPECT_FALSE(entry.Translation.empty()) << original;
            if (language == "ru") {
                EXPECT_EQ(entry.Translation, original);
            } else if (language == "en") {
                EXPECT_NE(entry.Translation, original) << "left in Russian";
            }
        }
    }
}

bool HasCyrillic(const std::string& Cp1251) {
    for (const char c : Cp1251) {
        if (static_cast<unsigned char>(c) >= 0xC0) {
            return true;
        }
    }
    return false;
}

// The caption or text of every control of a tree that has one, by control name.
void CollectTexts(const TGuiControl& Control, std::map<std::string, std::string>& Out) {
    if (dynamic_cast<const TGuiEdit*>(&Control) == nullptr && dynamic_cast<const TGuiListBox*>(&Control) == nullptr) {
        for (const char* property : {"Caption", "Text"}) {
            if (Control.IndexOfProperty(property) >= 0) {
                Out[Control.Name] = ValueToString(Control.GetValueByName(property));
                break;
            }
        }
    }
    for (int32_t i = 0; i < Control.ChildCount(); ++i) {
        CollectTexts(*Control.Child(i), Out);
    }
}

// Every form in English: no caption is empty where the Russian one has words, no Russian is
// left, and switching back gives the Russian texts byte for byte.
TEST(Catalogues, EveryScreenSpeaksBothLanguages) {
    TGuiBase gui;
    ASSERT_TRUE(gui.LoadFromFile(GameDir + "/Data/gfx.fgg"));
    std::map<std::string, std::string> russian;
    CollectTexts(gui.Root(), russian);
    TGuiTranslation translation;
    translation.Capture(gui.Root());
    TGameTexts texts;
    std::string error;
    ASSERT_TRUE(texts.Load(GameDir, kEnglish, error)) << error;
    translation.Apply(texts);
    std::map<std::string, std::string> english;
    CollectTexts(gui.Root(), english);
    ASSERT_EQ(english.size(), russian.size());
    int translated = 0;
    for (const auto& [name, text] : russian) {
        const std::string& shown = english[name];
        EXPECT_EQ(shown.empty(), text.empty()) << name;
        EXPECT_FALSE(HasCyrillic(shown)) << name << " \"" << Cp1251ToUtf8(shown) << "\"";
        translated += shown != text ? 1 : 0;
    }
    EXPECT_GT(translated, 0);
    ASSERT_TRUE(texts.Load(GameDir, kRussian, error)) << error;
    translation.Apply(texts);
    std::map<std::string, std::string> back;
    CollectTexts(gui.Root(), back);
    EXPECT_EQ(back, russian);
}

} // namespace
