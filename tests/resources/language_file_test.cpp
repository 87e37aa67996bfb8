#include "resources/language_file.h"

#include "base/file_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <unistd.h>

namespace lexoria {

bool operator==(const LanguageTexts& a, const LanguageTexts& b)
{
    auto fields = [](const LanguageTexts& t) {
        return std::tie(t.strNotFound, t.strFoundHtml, t.strTitula, t.strCopy, t.frameCaption,
                        t.buttonTips);
    };
    return fields(a) == fields(b);
}

}  // namespace lexoria

namespace {

using lexoria::LanguageTexts;

class LanguageFile : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path()
               / ("lexoria-lng-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(const std::string& bytes)
    {
        std::string path = (dir_ / "slo.lng").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    std::filesystem::path dir_;
};

// Texts as the window holds them before the file is read: a target that no
// line names must keep these.
LanguageTexts before()
{
    LanguageTexts texts;
    texts.strTitula = "old title";
    return texts;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::function<void(LanguageTexts&)> expect;  // changes from before()
};

const std::string workedExample =
    "00  Button:Back\r\n"
    "01  Button:Forward\r\n"
    "02  Button:Home page\r\n"
    "12  Button:Copy\r\n"
    "00  Frame:Search the law\r\n"
    "00  Comment: lines with another key change nothing\r\n"
    "00  NotFound:No page contains the words you searched for.\r\n"
    "00  strTitula:Lexoria\r\n"
    "00  strCopy:offline edition\r\n"
    "00  strFoundHtml:<html><body><h3>TITULA</h3>BODDDY</body></html>\r\n"
    "01  Button:Go forward\r\n";

// A file longer than a 16-bit line counter reaches.
std::string seventyThousandLines(const std::string& last)
{
    std::string bytes;
    for (int line = 1; line < 70000; ++line)
        bytes += "00  Comment:x\r\n";
    return bytes + last;
}

const ReadCase readCases[] = {
    {"worked example", workedExample,
     [](LanguageTexts& t) {
         t.buttonTips[0] = "Back";
         t.buttonTips[1] = "Go forward";
         t.buttonTips[2] = "Home page";
         t.buttonTips[12] = "Copy";
         t.frameCaption = "Search the law";
         t.strNotFound = "No page contains the words you searched for.";
         t.strTitula = "Lexoria";
         t.strCopy = "offline edition";
         t.strFoundHtml = "<html><body><h3>TITULA</h3>BODDDY</body></html>";
     }},
    {"empty file", "", [](LanguageTexts&) {}},
    {"only line ends", "\r\n\r\r\n", [](LanguageTexts&) {}},
    {"lone CR ends a line, last line without end", "00  strTitula:A\r00  strCopy:B",
     [](LanguageTexts& t) {
         t.strTitula = "A";
         t.strCopy = "B";
     }},
    {"LF-only file is one line", "00  strTitula:A\n00  strCopy:B\n13  Button:x\n",
     [](LanguageTexts& t) { t.strTitula = "A\n00  strCopy:B\n13  Button:x\n"; }},
    {"only the first colon separates", "00  NotFound:a: b:",
     [](LanguageTexts& t) { t.strNotFound = "a: b:"; }},
    {"value bytes unchanged", "00  strCopy: Zako\xE8 \xB9t \t",
     [](LanguageTexts& t) { t.strCopy = " Zako\xE8 \xB9t \t"; }},
    {"empty value", "00  Button:", [](LanguageTexts& t) { t.buttonTips[0] = ""; }},
    {"keys in other case or with blanks do nothing",
     "00  button:a\r\n00  FRAME:b\r\n00  Frame :c\r\n00   Frame:d\r\n00  strcopy:e", [](LanguageTexts&) {}},
    {"colon at position 5 or earlier gives an empty key", "00  :x\r\n0:Frame\r\n:", [](LanguageTexts&) {}},
    {"number read from the whole line", "2.5 Button:x\r\n1 2 Button:y\r\n\t3\t Button:z",
     [](LanguageTexts& t) {
         t.buttonTips[2] = "x";
         t.buttonTips[12] = "y";
         t.buttonTips[3] = "z";
     }},
    {"hexadecimal and octal button numbers", "&HA-Button:x\r\n&O13Button:y",
     [](LanguageTexts& t) {
         t.buttonTips[10] = "x";
         t.buttonTips[11] = "y";
     }},
    {"later lines replace earlier ones", "00  Frame:one\r\n00  Frame:two\r\n05  Button:a\r\n5   Button:b",
     [](LanguageTexts& t) {
         t.frameCaption = "two";
         t.buttonTips[5] = "b";
     }},
    {"any number on lines with other keys", "99  Frame:x\r\n-7  strCopy:y",
     [](LanguageTexts& t) {
         t.frameCaption = "x";
         t.strCopy = "y";
     }},
    {"70,000 lines", seventyThousandLines("00  strTitula:last"),
     [](LanguageTexts& t) { t.strTitula = "last"; }},
};

TEST_F(LanguageFile, AppliesEachLineInOrder)
{
    for (const ReadCase& c : readCases) {
        LanguageTexts texts = before();
        EXPECT_NO_THROW(lexoria::readLanguageFile(write(c.bytes), texts)) << c.name;
        LanguageTexts expected = before();
        c.expect(expected);
        EXPECT_TRUE(texts == expected) << c.name;
    }
}

struct FailCase {
    const char* name;
    std::string bytes;
    int line;
    std::string what;
};

const FailCase failCases[] = {
    {"three blanks", "   ", 1, "no ':' in the line"},
    {"no colon after empty lines", "00  strTitula:A\r\n\r\n00  Frame", 3, "no ':' in the line"},
    {"lone CR counts lines", "00  strCopy:a\r\r00  strCopy", 3, "no ':' in the line"},
    {"button above 12", "13  Button:x", 1, "button number 13 names no picture button (0..12)"},
    {"button below 0", "00  strCopy:a\r\n-1  Button:x", 2,
     "button number -1 names no picture button (0..12)"},
    {"hexadecimal digits run on into the key", "&HB Button:x", 1,
     "button number 187 names no picture button (0..12)"},
    {"number too large on any key", "40000Comment:x", 1,
     "the number at the start of the line is outside -32768..32767"},
    {"number checked before the colon", "00  strCopy:a\r\n1e999", 2,
     "the number at the start of the line is outside -32768..32767"},
    {"hexadecimal wider than 16 bits", "&H10000 Frame:x", 1,
     "the number at the start of the line is outside -32768..32767"},
    {"line 70,000 named", seventyThousandLines("   "), 70000, "no ':' in the line"},
};

TEST_F(LanguageFile, FailsNamingTheFileAndLine)
{
    for (const FailCase& c : failCases) {
        std::string path = write(c.bytes);
        LanguageTexts texts;
        try {
            lexoria::readLanguageFile(path, texts);
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const lexoria::FileError& e) {
            EXPECT_EQ(e.what(), lexoria::fileMessage(path, c.line, c.what)) << c.name;
        }
    }
}

TEST_F(LanguageFile, MissingFileIsNamed)
{
    std::string path = write("") + ".missing";
    LanguageTexts texts;
    try {
        lexoria::readLanguageFile(path, texts);
        ADD_FAILURE() << "no failure";
    } catch (const lexoria::FileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
}

}  // namespace
