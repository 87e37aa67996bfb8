// The document table read from the index: pages lowered and kept whole, and
// broken or hostile index files refused with the index and the line at fault.
#include "search/document_table.h"

#include "tests/support/file_error_matcher.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using lexoria::testing::TempDir;
using lexoria::testing::throwsFileError;
using namespace std::string_literals;

std::string record(const std::string& file, const std::string& title)
{
    return "\"" + file + "\",\"" + title + "\"\r\n";
}

class DocumentTableTest : public ::testing::Test {
protected:
    std::string indexFile() const { return app.appPath() + "Wlist.idx"; }

    void load()
    {
        lexoria::readWorlList(indexFile(), app.appPath(), *docList, docCount,
                              [this](const std::string& warning) { warnings.push_back(warning); });
    }

    TempDir app;
    std::unique_ptr<lexoria::DocList> docList = std::make_unique<lexoria::DocList>();
    std::int16_t docCount = -1;
    std::vector<std::string> warnings;
};

TEST_F(DocumentTableTest, PagesAreReadWholeAndLowered)
{
    app.write("a.html", "<P>A\xC8\xA5\xD7\xDF\xA9\xAE</P>");
    app.write("empty.html", "");
    app.write("nul.html", "X\0Y"s);
    app.write("Wlist.idx", record("a.html", "Prvi, drugi") + record("empty.html", "Prazna") + record("nul.html", "T\0U"s));
    load();
    ASSERT_EQ(docCount, 3);
    EXPECT_EQ((*docList)[1].strFile, "a.html");
    EXPECT_EQ((*docList)[1].strTitle, "Prvi, drugi");
    EXPECT_EQ((*docList)[1].strText, "<p>a\xE8\xB9\xD7\xDF\xB9\xBE</p>");
    EXPECT_EQ((*docList)[2].strText, "");
    EXPECT_EQ((*docList)[3].strTitle, "T\0U"s);
    EXPECT_EQ((*docList)[3].strText, "x\0y"s);
    EXPECT_TRUE(warnings.empty());

    app.write("Wlist.idx", "");
    load();
    EXPECT_EQ(docCount, 0);
}

TEST_F(DocumentTableTest, AHundredMegabytePageLoadsWhole)
{
    constexpr std::uintmax_t size = 100u << 20;
    app.write("big.html", "");
    fs::resize_file(app.path() / "big.html", size);  // sparse: reads as NUL bytes
    app.write("Wlist.idx", record("big.html", "Big"));
    load();
    ASSERT_EQ(docCount, 1);
    EXPECT_EQ((*docList)[1].strText.size(), size);
    EXPECT_EQ((*docList)[1].strText.find_first_not_of('\0'), std::string::npos);
}

TEST_F(DocumentTableTest, HoldsFiveHundredTwelvePagesAndRefusesTheNext)
{
    std::string index;
    for (int page = 1; page <= 513; ++page) {
        const std::string name = "p" + std::to_string(page) + ".html";
        app.write(name, "Stran " + std::to_string(page));
        index += record(name, "Naslov " + std::to_string(page));
        if (page == 512) {
            app.write("Wlist.idx", index);
            load();
            ASSERT_EQ(docCount, 512);
            EXPECT_EQ((*docList)[512].strText, "stran 512");
        }
    }
    app.write("Wlist.idx", index);
    EXPECT_THAT([&] { load(); }, throwsFileError(StartsWith(indexFile() + " line 513: the index lists more than 512 pages")));
    EXPECT_EQ(docCount, 512);
}

TEST_F(DocumentTableTest, MissingPageKeepsItsSlotEmptyAndIsNotCreated)
{
    app.write("a.html", "prva");
    app.write("c.html", "tretja");
    app.write("Wlist.idx", record("a.html", "A") + record("b.html", "B") + record("c.html", "C"));
    (*docList)[2].strText = "from an earlier load";
    load();
    ASSERT_EQ(docCount, 3);
    EXPECT_EQ((*docList)[2].strFile, "b.html");
    EXPECT_EQ((*docList)[2].strTitle, "B");
    EXPECT_EQ((*docList)[2].strText, "");
    EXPECT_EQ((*docList)[3].strText, "tretja");
    EXPECT_FALSE(fs::exists(app.path() / "b.html"));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_THAT(warnings[0], HasSubstr("line 2"));
    EXPECT_THAT(warnings[0], HasSubstr(app.appPath() + "b.html"));
}

TEST_F(DocumentTableTest, LinksThatStayInsideAreFollowed)
{
    fs::create_directory(app.path() / "pages");
    app.write("pages/a.html", "Notri");
    fs::create_directory_symlink(app.path() / "pages", app.path() / "alias");
    app.write("Wlist.idx", record("alias/a.html", "A"));
    load();
    ASSERT_EQ(docCount, 1);
    EXPECT_EQ((*docList)[1].strText, "notri");
}

// Each index fails naming the file and line at fault; the pages before it
// stay loaded. Names that lead out of the application directory are refused,
// also into a sibling folder whose name merely begins like it.
TEST_F(DocumentTableTest, BrokenOrHostileIndexFailsNamingTheLine)
{
    TempDir outside;
    outside.write("secret.html", "secret");
    fs::create_directory_symlink(outside.path(), app.path() / "away");
    fs::create_symlink(outside.path() / "secret.html", app.path() / "secret.html");
    const fs::path twin = app.path().string() + "2";
    fs::create_directory(twin);
    std::ofstream(twin / "x.html") << "twin";
    fs::create_directory_symlink(twin, app.path() / "twin");
    fs::create_directory(app.path() / "dir.html");
    app.write("a.html", "A");

    const std::string first = record("a.html", "A");
    const std::string twinUp = "../" + app.path().filename().string() + "2/x.html";
    const struct {
        const char* name;
        std::string index;
        std::string message;  // after the index file's path
    } cases[] = {
        {"unterminated quote", first + "\"a.html\",\"B\r\n", " line 2: a double quote is not closed on its line"},
        {"odd number of fields", first + "\"a.html\"\r\n", " line 3: the file ends where a field is expected"},
        {"NUL in a file name", first + record("a.html\0.txt"s, "B"), " line 2: the page file name \"a.html\\0.txt\" holds a NUL byte"},
        {"parent step", first + record("../x.html", "X"), " line 2: the page file name \"../x.html\""},
        {"parent step inside", first + record("sub/../a.html", "X"), " line 2: the page file name \"sub/../a.html\""},
        {"absolute", first + record("/etc/passwd", "X"), " line 2: the page file name \"/etc/passwd\""},
        {"linked folder outside", first + record("away/secret.html", "X"), " line 2: the page file name \"away/secret.html\""},
        {"linked file outside", first + record("secret.html", "X"), " line 2: the page file name \"secret.html\""},
        {"missing behind linked folder", first + record("away/none.html", "X"), " line 2: the page file name \"away/none.html\""},
        {"sibling named like the folder", first + record(twinUp, "X"), " line 2: the page file name \"" + twinUp + "\""},
        {"link to that sibling", first + record("twin/x.html", "X"), " line 2: the page file name \"twin/x.html\" leads outside"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        app.write("Wlist.idx", c.index);
        EXPECT_THAT([&] { load(); }, throwsFileError(StartsWith(indexFile() + c.message)));
        EXPECT_EQ(docCount, 2);
        EXPECT_EQ((*docList)[1].strText, "a");
    }
    app.write("Wlist.idx", record("dir.html", "D"));
    EXPECT_THAT([&] { load(); }, throwsFileError(HasSubstr(app.appPath() + "dir.html")));
    fs::remove(app.path() / "Wlist.idx");
    EXPECT_THAT([&] { load(); }, throwsFileError(HasSubstr(indexFile())));
    fs::remove_all(twin);
}

}  // namespace
