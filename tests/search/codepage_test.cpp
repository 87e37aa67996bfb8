#include "search/codepage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

namespace {

// The C library's own converter, an independent derivation of the tables.
std::optional<std::string> iconvConvert(const char* to, const char* from, std::string in)
{
    iconv_t converter = ::iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(16, '\0');
    char* inAt = in.data();
    std::size_t inLeft = in.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = ::iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    ::iconv_close(converter);
    if (done == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

TEST(CodepageTest, Latin2BytesBecomeTheirUtf8Characters)
{
    for (unsigned c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const std::string byte(1, static_cast<char>(c));
        const auto expected = iconvConvert("UTF-8", "ISO-8859-2", byte);
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(lexoria::utf8FromLatin2(byte), *expected);
    }
}

TEST(CodepageTest, EveryWindows1250CharacterComesBackToItsByte)
{
    int assigned = 0;
    for (unsigned c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const std::string byte(1, static_cast<char>(c));
        const auto utf8 = iconvConvert("UTF-8", "CP1250", byte);
        if (!utf8)
            continue;  // one of the bytes the code page leaves unassigned
        ++assigned;
        EXPECT_EQ(lexoria::cp1250FromUtf8(*utf8), byte);
    }
    EXPECT_EQ(assigned, 251);
}

TEST(Cp1250FromUtf8Test, KeepsWhatTheCodePageHasAndDropsTheRest)
{
    const struct {
        const char* name;
        std::string utf8;
        std::string cp1250;
    } cases[] = {
        {"SloveneLetters", "Člen šest, ŽIVALI", "\xC8len \x9A" "est, \x8EIVALI"},
        {"EuroAndDash", "5 € – 6", "5 \x80 \x96 6"},
        {"MissingCharacterDropped", "a中b", "ab"},
        {"LatinOneOnlyLetterDropped", "ñ", ""},
        {"EmojiDropped", "x\xF0\x9F\x98\x80y", "xy"},
        {"LoneLeadByteDropped", "a\xC4", "a"},
        {"StrayContinuationDropped", "a\x8D" "b", "ab"},
        {"OverlongSlashDropped", "\xC0\xAF", ""},
        {"SurrogateDropped", "\xED\xA0\x80z", "z"},
        {"BeyondUnicodeDropped", "\xF4\x90\x80\x80", ""},
        {"BrokenSequenceKeepsFollowingLetter", "\xC4" "A", "A"},
        {"NulKept", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lexoria::cp1250FromUtf8(c.utf8), c.cp1250);
    }
}

}  // namespace
