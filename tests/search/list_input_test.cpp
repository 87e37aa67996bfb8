#include "search/list_input.h"

#include "base/file_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

struct ListCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> fields;
};

std::vector<std::string> readAll(const std::string& bytes)
{
    lexoria::ListInput input(bytes, "Wlist.idx");
    std::vector<std::string> fields;
    while (!input.atEnd())
        fields.push_back(input.readField());
    return fields;
}

class ListInputTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListInputTest, ReadsTheFieldsInOrder)
{
    EXPECT_THAT(readAll(GetParam().bytes), ElementsAreArray(GetParam().fields));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListInputTest,
    ::testing::Values(
        ListCase{"IndexForm", "\"a.html\",\"Prvi del, splo\xB9no\"\r\n\"b.html\",\"B\"\r\n",
                 {"a.html", "Prvi del, splo\xB9no", "b.html", "B"}},
        ListCase{"EmptyFile", "", {}},
        ListCase{"UnquotedTitleSplitsAtComma", "a.html,Prvi del, splosno\r\n",
                 {"a.html", "Prvi del", "splosno"}},
        ListCase{"BlanksAroundUnquotedTrimmed", " a.html \t,\tB c  \r\n", {"a.html", "B c"}},
        ListCase{"BlanksAroundQuotedSkipped", "  \"a\" , \"b\"  \r\n", {"a", "b"}},
        ListCase{"BlanksInsideQuotesKept", "\" a \",\"b\"\r\n", {" a ", "b"}},
        ListCase{"EmptyLinesSkipped", "\r\n\r\n\"a\",\"b\"\r\n \t\r\n\r\n\"c\",\"d\"\r\n\r\n",
                 {"a", "b", "c", "d"}},
        ListCase{"LastLineWithoutLineEnd", "\"a\",\"b\"", {"a", "b"}},
        ListCase{"LineFeedOnly", "\"a\",\"b\"\n\"c\",\"d\"\n", {"a", "b", "c", "d"}},
        ListCase{"CarriageReturnOnly", "\"a\",\"b\"\r\"c\",\"d\"\r", {"a", "b", "c", "d"}},
        ListCase{"FieldsRunAcrossLines", "\"a\"\r\n\"b\"\r\n", {"a", "b"}},
        ListCase{"EmptyFields", "\"\",\"\"\r\n,\r\n", {"", "", "", ""}},
        ListCase{"CommaAtEndOfFilePromisesAField", "\"a\",", {"a", ""}},
        ListCase{"QuoteInsideUnquotedFieldKept", "ab\"c,d\r\n", {"ab\"c", "d"}},
        ListCase{"HighBytesPassUnchanged", "\"\xE8\xB9\xBE.html\",\"\xC8\"\r\n", {"\xE8\xB9\xBE.html", "\xC8"}}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return info.param.name; });

struct BadListCase {
    const char* name;
    std::string bytes;
    int fieldsBeforeFailure;
    const char* message;
};

class ListInputFailureTest : public ::testing::TestWithParam<BadListCase> {};

TEST_P(ListInputFailureTest, NamesTheFileAndLine)
{
    lexoria::ListInput input(GetParam().bytes, "Wlist.idx");
    for (int i = 0; i < GetParam().fieldsBeforeFailure; ++i)
        input.readField();
    try {
        input.readField();
        FAIL() << "the field was read";
    } catch (const lexoria::FileError& error) {
        EXPECT_THAT(error.what(), HasSubstr(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListInputFailureTest,
    ::testing::Values(
        BadListCase{"QuoteNotClosedOnItsLine", "\"a\",\"b\r\n\"c\"\r\n", 1, "Wlist.idx line 1: a double quote is not closed"},
        BadListCase{"QuoteNotClosedAtEnd", "\"a\",\"b\"\r\n\"c", 2, "Wlist.idx line 2: a double quote is not closed"},
        BadListCase{"TextAfterClosingQuote", "\"a\"x,\"b\"\r\n", 0, "Wlist.idx line 1: text follows the closing"},
        BadListCase{"OddNumberOfFields", "\"a\",\"b\"\r\n\"c\"", 3, "Wlist.idx line 2: the file ends where a field is expected"},
        BadListCase{"NoFieldAtAll", "\r\n", 0, "Wlist.idx line 2: the file ends where a field is expected"}),
    [](const ::testing::TestParamInfo<BadListCase>& info) { return info.param.name; });

TEST(ListInputLineTest, CountsTheLineWhereTheNextFieldBegins)
{
    lexoria::ListInput input("\"a\",\"b\"\r\n\r\n\"c\",\r\n\"d\"\r\n", "Wlist.idx");
    std::vector<int> lines;
    while (!input.atEnd()) {
        lines.push_back(input.lineNumber());
        input.readField();
    }
    EXPECT_THAT(lines, ElementsAreArray({1, 1, 3, 3, 4}));
}

}  // namespace
