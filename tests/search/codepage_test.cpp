#include "search/codepage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

namespace {

// The C library's own converter, an independent derivation of the tables:
// one byte to UTF-8, or nothing where the code page leaves the byte unassigned.
std::optional<std::string> iconvUtf8(const char* from, unsigned byte)
{
    iconv_t converter = ::iconv_open("UTF-8", from);
    char in = static_cast<char>(byte);
    char* inAt = &in;
    std::size_t inLeft = 1;
    std::string out(8, '\0');
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    const bool done = converter != reinterpret_cast<iconv_t>(-1)
                      && ::iconv(converter, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    if (converter != reinterpret_cast<iconv_t>(-1))
        ::iconv_close(converter);
    if (!done)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

TEST(CodepageTest, Latin2BytesBecomeTheirUtf8Characters)
{
    for (unsigned c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const auto expected = iconvUtf8("ISO-8859-2", c);
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(lexoria::utf8FromLatin2(std::string(1, static_cast<char>(c))), *expected);
    }
}

TEST(CodepageTest, EveryWindows1250CharacterComesBackToItsByte)
{
    int assigned = 0;
    for (unsigned c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        if (const auto utf8 = iconvUtf8("CP1250", c)) {
            ++assigned;
            EXPECT_EQ(lexoria::cp1250FromUtf8(*utf8), std::string(1, static_cast<char>(c)));
        }
    }
    EXPECT_EQ(assigned, 251);
}

TEST(Cp1250FromUtf8Test, KeepsWhatTheCodePageHasAndDropsMissingOrMalformedCharacters)
{
    const struct {
        const char* name;
        std::string utf8;
        std::string cp1250;
    } cases[] = {
        {"SloveneLetters", "Člen šest, ŽIVALI", "\xC8len \x9A" "est, \x8EIVALI"},
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
