#include "search/list_input.h"

#include "tests/support/file_error_matcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using lexoria::testing::throwsFileError;

std::vector<std::string> readAll(const std::string& bytes)
{
    lexoria::ListInput input(bytes, "Wlist.idx");
    std::vector<std::string> fields;
    while (!input.atEnd())
        fields.push_back(input.readField());
    return fields;
}

TEST(ListInputTest, SplitsQuotedAndUnquotedFieldsAcrossAnyLineEnds)
{
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> fields;
    } cases[] = {
        {"UnquotedTitleSplitsAtComma", "a.html,Prvi del, splosno\r\n", {"a.html", "Prvi del", "splosno"}},
        {"BlanksAroundUnquotedTrimmed", " a.html \t,\tB c  \r\n", {"a.html", "B c"}},
        {"BlanksAroundQuotedSkipped", "  \"a\" , \"b\"  \r\n", {"a", "b"}},
        {"BlanksInsideQuotesKept", "\" a \",\"b\"\r\n", {" a ", "b"}},
        {"EmptyLinesSkipped", "\r\n\r\n\"a\",\"b\"\r\n \t\r\n\r\n\"c\",\"d\"\r\n\r\n", {"a", "b", "c", "d"}},
        {"LastLineWithoutLineEnd", "\"a\",\"b\"", {"a", "b"}},
        {"LineFeedOnly", "\"a\",\"b\"\n\"c\",\"d\"\n", {"a", "b", "c", "d"}},
        {"CarriageReturnOnly", "\"a\",\"b\"\r\"c\",\"d\"\r", {"a", "b", "c", "d"}},
        {"FieldsRunAcrossLines", "\"a\"\r\n\"b\"\r\n", {"a", "b"}},
        {"EmptyFields", "\"\",\"\"\r\n,\r\n", {"", "", "", ""}},
        {"CommaAtEndOfFilePromisesAField", "\"a\",", {"a", ""}},
        {"QuoteInsideUnquotedFieldKept", "ab\"c,d\r\n", {"ab\"c", "d"}},
        {"HighBytesPassUnchanged", "\"\xE8\xB9\xBE.html\",\"\xC8\"\r\n", {"\xE8\xB9\xBE.html", "\xC8"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THAT(readAll(c.bytes), ElementsAreArray(c.fields));
    }
}

TEST(ListInputTest, MalformedInputFailsNamingTheFileAndLine)
{
    const struct {
        const char* name;
        std::string bytes;
        int fieldsBeforeFailure;
        const char* message;
    } cases[] = {
        {"QuoteNotClosedAtEnd", "\"a\",\"b\"\r\n\"c", 2, "Wlist.idx line 2: a double quote is not closed"},
        {"TextAfterClosingQuote", "\"a\"x,\"b\"\r\n", 0, "Wlist.idx line 1: text follows the closing"},
        {"NoFieldAtAll", "\r\n", 0, "Wlist.idx line 2: the file ends where a field is expected"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        lexoria::ListInput input(c.bytes, "Wlist.idx");
        for (int i = 0; i < c.fieldsBeforeFailure; ++i)
            input.readField();
        EXPECT_THAT([&] { input.readField(); }, throwsFileError(HasSubstr(c.message)));
    }
}

}  // namespace
