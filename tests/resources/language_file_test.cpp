#include "resources/language_file.h"

#include "base/file_error.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>

#include <array>

using ::testing::ThrowsMessage;

// The texts the file sets, "key=value|" in a fixed order; each text starts as
// "old", and one that no line names keeps it.
static std::string readTexts(const std::string& path)
{
    lexoria::LanguageTexts t;
    t.strNotFound = t.strFoundHtml = t.strTitula = t.strCopy = "old";
    lexoria::readLanguageTexts(path, t);
    std::vector<std::optional<std::string>> values{t.strNotFound, t.strFoundHtml, t.strTitula, t.strCopy, t.frameCaption};
    values.insert(values.end(), t.buttonTips.begin(), t.buttonTips.end());
    const std::string keys[] = {"NotFound", "strFoundHtml", "strTitula", "strCopy", "Frame"};
    std::string set;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] && *values[i] != "old")
            set += (i < 5 ? keys[i] : "Button" + std::to_string(i - 5)) + "=" + *values[i] + "|";
    return set;
}

TEST(LanguageFile, AppliesEachLineInOrderOrFailsNamingTheFileAndLine)
{
    std::string comments;  // 69,999 lines, more than a 16-bit line counter reaches with the next one
    for (int line = 1; line < 70000; ++line)
        comments += "00  Comment:x\r\n";
    const std::string noColon = "no ':' in the line", outside = "the number at the start of the line is outside -32768..32767";
    const struct {  // a failure names `line`, with `what` is wrong
        const char* name; std::string bytes, set; int line = 0; std::string what = "";
    } cases[] = {
        {"each key sets its text, other keys nothing",
         "00  NotFound:n\r\n00  strFoundHtml:<h3>TITULA</h3>BODDDY\r\n00  strTitula:t\r\n00  strCopy:c\r\n"
         "00  Frame:f\r\n00  Comment:x\r\n00  Button:Back\r\n02  Button:Home page\r\n12  Button:Copy",
         "NotFound=n|strFoundHtml=<h3>TITULA</h3>BODDDY|strTitula=t|strCopy=c|Frame=f|Button0=Back|Button2=Home page|Button12=Copy|"},
        {"empty file", "", ""}, {"only line ends", "\r\n\r\r\n", ""},
        {"lone CR ends a line, last line without end", "00  strTitula:A\r00  strCopy:B", "strTitula=A|strCopy=B|"},
        {"LF-only file is one line", "00  strTitula:A\n00  strCopy:B\n13  Button:x\n", "strTitula=A\n00  strCopy:B\n13  Button:x\n|"},
        {"only the first colon separates", "00  NotFound:a: b:", "NotFound=a: b:|"},
        {"value bytes unchanged", "00  strCopy: Zako\xE8 \xB9t \t", "strCopy= Zako\xE8 \xB9t \t|"},
        {"empty value", "00  Button:\r\n00  strCopy:", "strCopy=|Button0=|"},
        {"keys in other case or with blanks do nothing", "00  button:a\r\n00  FRAME:b\r\n00  Frame :c\r\n00   Frame:d\r\n00  strcopy:e", ""},
        {"colon at position 5 or earlier gives an empty key", "00  :x\r\n0:Frame\r\n:", ""},
        {"number read from the whole line", "2.5 Button:x\r\n1 2 Button:y\r\n\t3\t Button:z\r\n&O13Button:w", "Button2=x|Button3=z|Button11=w|Button12=y|"},
        {"later lines replace earlier ones", "00  Frame:one\r\n00  Frame:two\r\n05  Button:a\r\n5   Button:b", "Frame=two|Button5=b|"},
        {"any number on lines with other keys", "99  Frame:x\r\n-7  strCopy:y", "strCopy=y|Frame=x|"},
        {"70,000 lines", comments + "00  strTitula:last", "strTitula=last|"},
        {"three blanks", "   ", "", 1, noColon}, {"lone CR counts lines", "00  strCopy:a\r\r00  strCopy", "", 3, noColon},
        {"no colon after empty lines", "00  strTitula:A\r\n\r\n00  Frame", "", 3, noColon},
        {"line 70,000 named", comments + "   ", "", 70000, noColon},
        {"button above 12", "13  Button:x", "", 1, "button number 13 names no picture button (0..12)"},
        {"button below 0", "00  strCopy:a\r\n-1  Button:x", "", 2, "button number -1 names no picture button (0..12)"},
        {"hexadecimal digits run on into the key", "&HB Button:x", "", 1, "button number 187 names no picture button (0..12)"},
        {"number too large on any key", "40000Comment:x", "", 1, outside},
        {"number checked before the colon", "00  strCopy:a\r\n1e999", "", 2, outside},
    };
    const lexoria::testing::TempDir dir;
    const std::string path = dir.appPath() + "slo.lng";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("slo.lng", c.bytes);
        if (c.line == 0)
            EXPECT_EQ(readTexts(path), c.set);
        else
            EXPECT_THAT([&] { readTexts(path); }, ThrowsMessage<lexoria::FileError>(lexoria::fileMessage(path, c.line, c.what)));
    }
    EXPECT_THAT([&] { readTexts(path + ".missing"); }, ThrowsMessage<lexoria::FileError>(testing::HasSubstr(path + ".missing")));
}

TEST(LanguageFile, WithTitulaReplacesOnlyTheTitleValueAndKeepsEveryOtherByte)
{
    const std::vector<std::array<std::string, 3>> cases{
        {"00  Frame:a\r\n00  strTitula:Old: x\r00  strCopy:c", "New", "00  Frame:a\r\n00  strTitula:New\r00  strCopy:c"},
        {"00  strTitula :a\r\n00  strtitula:b\r\n", "New", "00  strTitula :a\r\n00  strtitula:b\r\n00  strTitula:New\r\n"},
        {"00  strTitula:a\n00  strTitula:b", "N", "00  strTitula:N"},
        {"00  Frame:a", "N", "00  Frame:a\r\n00  strTitula:N\r\n"},
        {"", "N", "00  strTitula:N\r\n"},
    };
    for (const auto& [bytes, title, expected] : cases)
        EXPECT_EQ(lexoria::withTitula(bytes, title), expected) << bytes;
}
