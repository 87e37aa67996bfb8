// Broken and hostile index files: each fails with a message naming the index
// and the line at fault, or loads whole; none crashes or hangs.

#include "search/document_table.h"

#include "base/file_error.h"
#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using lexoria::testing::TempDir;
using namespace std::string_literals;

class BadIndex : public ::testing::Test {
protected:
    std::string indexFile() const { return app.appPath() + "Wlist.idx"; }

    void load()
    {
        lexoria::readWorlList(indexFile(), app.appPath(), *docList, docCount, [](const std::string&) {});
    }

    TempDir app;
    std::unique_ptr<lexoria::DocList> docList = std::make_unique<lexoria::DocList>();
    std::int16_t docCount = -1;
};

struct BadIndexCase {
    const char* name;
    std::string index;
    std::int16_t docCount;  // counting the slot being filled
    std::string message;    // after the index file's path
};

class BadIndexFailure : public BadIndex, public ::testing::WithParamInterface<BadIndexCase> {};

TEST_P(BadIndexFailure, NamesTheIndexAndLine)
{
    app.write("a.html", "A");
    app.write("Wlist.idx", GetParam().index);
    try {
        load();
        FAIL() << "the index loaded";
    } catch (const lexoria::FileError& error) {
        EXPECT_THAT(error.what(), StartsWith(indexFile() + GetParam().message));
    }
    EXPECT_EQ(docCount, GetParam().docCount);
    EXPECT_EQ((*docList)[1].strText, "a");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadIndexFailure,
    ::testing::Values(
        BadIndexCase{"UnterminatedQuote", "\"a.html\",\"A\"\r\n\"a.html\",\"B\r\n", 2,
                     " line 2: a double quote is not closed on its line"},
        BadIndexCase{"OddNumberOfFields", "\"a.html\",\"A\"\r\n\"a.html\"\r\n", 2,
                     " line 3: the file ends where a field is expected"},
        BadIndexCase{"NulInAFileName", "\"a.html\",\"A\"\r\n\"a.html\0.txt\",\"B\"\r\n"s, 2,
                     " line 2: the page file name \"a.html\\0.txt\" holds a NUL byte"}),
    [](const ::testing::TestParamInfo<BadIndexCase>& info) { return info.param.name; });

TEST_F(BadIndex, NulBytesInATitleAndAPageAreKept)
{
    app.write("a.html", "X\0Y"s);
    app.write("Wlist.idx", "\"a.html\",\"T\0U\"\r\n"s);
    load();
    ASSERT_EQ(docCount, 1);
    EXPECT_EQ((*docList)[1].strTitle, "T\0U"s);
    EXPECT_EQ((*docList)[1].strText, "x\0y"s);
}

TEST_F(BadIndex, AHundredMegabytePageLoadsWhole)
{
    constexpr std::uintmax_t size = 100u << 20;
    app.write("big.html", "");
    fs::resize_file(app.path() / "big.html", size);  // sparse: reads as NUL bytes
    app.write("Wlist.idx", "\"big.html\",\"Big\"\r\n");
    load();
    ASSERT_EQ(docCount, 1);
    EXPECT_EQ((*docList)[1].strText.size(), size);
    EXPECT_EQ((*docList)[1].strText.find_first_not_of('\0'), std::string::npos);
}

}  // namespace
