#include "search/document_table.h"

#include "base/file_error.h"
#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using lexoria::testing::TempDir;

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

    // Loads, expecting a FileError whose message holds `part`.
    void expectLoadFailure(const std::string& part)
    {
        try {
            load();
            FAIL() << "the index loaded";
        } catch (const lexoria::FileError& error) {
            EXPECT_THAT(error.what(), HasSubstr(part));
        }
    }

    TempDir app;
    std::unique_ptr<lexoria::DocList> docList = std::make_unique<lexoria::DocList>();
    std::int16_t docCount = -1;
    std::vector<std::string> warnings;
};

TEST_F(DocumentTableTest, EmptyIndexLeavesTheTableEmpty)
{
    app.write("Wlist.idx", "");
    load();
    EXPECT_EQ(docCount, 0);
}

TEST_F(DocumentTableTest, MissingIndexFails)
{
    expectLoadFailure(indexFile());
}

TEST_F(DocumentTableTest, PagesAreReadWholeAndLowered)
{
    app.write("a.html", "<P>A\xC8\xA5\xD7\xDF\xA9\xAE</P>");
    app.write("empty.html", "");
    app.write("Wlist.idx", record("a.html", "Prvi, drugi") + record("empty.html", "Prazna"));
    load();
    ASSERT_EQ(docCount, 2);
    EXPECT_EQ((*docList)[1].strFile, "a.html");
    EXPECT_EQ((*docList)[1].strTitle, "Prvi, drugi");
    EXPECT_EQ((*docList)[1].strText, "<p>a\xE8\xB9\xD7\xDF\xB9\xBE</p>");
    EXPECT_EQ((*docList)[2].strText, "");
    EXPECT_TRUE(warnings.empty());
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
    expectLoadFailure(indexFile() + " line 513: the index lists more than 512 pages");
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

TEST_F(DocumentTableTest, PageThatIsADirectoryFails)
{
    fs::create_directory(app.path() / "dir.html");
    app.write("Wlist.idx", record("dir.html", "D"));
    expectLoadFailure(app.appPath() + "dir.html");
}

struct RefusedName {
    const char* name;
    std::string file;
};

class RefusedNameTest : public DocumentTableTest, public ::testing::WithParamInterface<RefusedName> {};

TEST_P(RefusedNameTest, NamesOutsideTheApplicationDirectoryAreRefused)
{
    TempDir outside;
    outside.write("secret.html", "secret");
    fs::create_directory_symlink(outside.path(), app.path() / "away");
    fs::create_symlink(outside.path() / "secret.html", app.path() / "secret.html");
    app.write("a.html", "a");
    app.write("Wlist.idx", record("a.html", "A") + record(GetParam().file, "X"));
    expectLoadFailure(indexFile() + " line 2: the page file name \"" + GetParam().file + "\"");
    EXPECT_EQ(docCount, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedNameTest,
    ::testing::Values(
        RefusedName{"ParentStep", "../x.html"},
        RefusedName{"ParentStepInside", "sub/../a.html"},
        RefusedName{"Absolute", "/etc/passwd"},
        RefusedName{"LinkedFolderOutside", "away/secret.html"},
        RefusedName{"LinkedFileOutside", "secret.html"},
        RefusedName{"MissingBehindLinkedFolder", "away/none.html"}),
    [](const ::testing::TestParamInfo<RefusedName>& info) { return info.param.name; });

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

}  // namespace
