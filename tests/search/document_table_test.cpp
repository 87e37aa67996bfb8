// The index split into fields, and the document table read from it: pages
// lowered and kept whole, broken or hostile indexes refused naming the line.
#include "search/document_table.h"
#include "search/list_input.h"

#include "base/file_error.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>

#include <sys/stat.h>

#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;
using lexoria::testing::TempDir;
using namespace std::string_literals;

std::string record(const std::string& file, const std::string& title)
{
    return "\"" + file + "\",\"" + title + "\"\r\n";
}

class DocumentTableTest : public ::testing::Test {
protected:
    std::string indexFile() const { return app.appPath() + "Wlist.idx"; }
    void load(std::uintmax_t maxTotalBytes = lexoria::maxTotalPageBytes)
    {
        lexoria::loadDocumentTable(indexFile(), app.appPath(), *docList, docCount,
                              [this](const std::string& warning) { warnings.push_back(warning); }, maxTotalBytes);
    }
    const lexoria::DocEntry& slot(int i) const { return (*docList)[i]; }

    TempDir app;
    std::unique_ptr<lexoria::DocList> docList = std::make_unique<lexoria::DocList>();
    std::int16_t docCount = -1;
    std::vector<std::string> warnings;
};

// A missing page keeps its slot empty, warns with its line and is not
// created; a link that stays inside the folder is followed; a sparse
// hundred-megabyte page loads whole.
TEST_F(DocumentTableTest, ReadsEveryListedPageWholeAndLoweredIntoItsSlot)
{
    app.write("a.html", "<P>A\xC8\xA5\xD7\xDF\xA9\xAE</P>");
    app.write("empty.html", "");
    app.write("nul.html", "X\0Y"s);
    app.write("pages/in.html", "Notri");
    fs::create_directory_symlink(app.path() / "pages", app.path() / "alias");
    const lexoria::DocEntry expected[] = {
        {"a.html", "Prvi, \xC8len", "<p>a\xE8\xB9\xD7\xDF\xB9\xBE</p>"}, {"empty.html", "Prazna", ""},
        {"nul.html", "T\0U"s, "x\0y"s}, {"gone.html", "G", ""}, {"alias/in.html", "A", "notri"}};
    std::string index = "\r\n";  // the missing page on line 5
    for (const auto& entry : expected) index += record(entry.strFile, entry.strTitle);
    constexpr std::uintmax_t bigSize = 100u << 20;
    app.write("big.html", ""), fs::resize_file(app.path() / "big.html", bigSize);
    app.write("Wlist.idx", index + record("big.html", "B"));
    (*docList)[4].strText = "from an earlier load";
    load();
    ASSERT_EQ(docCount, 6);
    const auto fields = [](const lexoria::DocEntry& e) { return std::tie(e.strFile, e.strTitle, e.strText); };
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(fields(slot(i)), fields(expected[i - 1])) << "slot " << i;
    EXPECT_FALSE(fs::exists(app.path() / "gone.html"));
    EXPECT_THAT(warnings, ElementsAre(AllOf(HasSubstr("line 5"), HasSubstr(app.appPath() + "gone.html"))));
    EXPECT_EQ(slot(6).strText.size(), bigSize); EXPECT_EQ(slot(6).strText.find_first_not_of('\0'), std::string::npos);

    app.write("Wlist.idx", "");
    load();
    EXPECT_EQ(docCount, 0);
}

TEST_F(DocumentTableTest, HoldsFiveHundredTwelvePagesAndRefusesTheNext)
{
    std::string index;
    for (int n = 1; n <= 513; ++n) {
        const std::string page = std::to_string(n);
        app.write("p" + page + ".html", "Stran " + page);
        index += record("p" + page + ".html", "Naslov");
    }
    app.write("Wlist.idx", index.substr(0, index.find("\"p513")));
    load();
    ASSERT_EQ(docCount, 512); EXPECT_EQ(slot(512).strText, "stran 512");
    app.write("Wlist.idx", index);
    EXPECT_THAT([&] { load(); }, ThrowsMessage<lexoria::FileError>(StartsWith(indexFile() + " line 513: the index lists more than 512 pages")));
    EXPECT_EQ(docCount, 512);
}

// The bound counts every page held, so it is crossed by the page that passes
// it, not by the one that reaches it exactly.
TEST_F(DocumentTableTest, PagesTogetherPastTheTotalBoundFailNamingTheCrossingLine)
{
    for (const auto& [page, text] : {std::pair{"a", "1234"}, {"b", "123456"}, {"c", "1"}}) app.write(page + ".html"s, text);
    app.write("Wlist.idx", record("a.html", "A") + record("b.html", "B") + record("c.html", "C"));
    load(11);  // the bound reached, not crossed
    EXPECT_EQ(docCount, 3);
    EXPECT_THAT([&] { load(9); }, ThrowsMessage<lexoria::FileError>(StartsWith(indexFile() + " line 2: the listed page " + app.appPath() + "b.html brings")));
    EXPECT_THAT([&] { load(10); }, ThrowsMessage<lexoria::FileError>(HasSubstr("line 3:")));
}

// The pages before the faulty line stay loaded. Names leading out of the
// folder are refused, also into a sibling whose name merely begins like it.
// A pipe would block the load for ever and a terabyte of zeros fill the
// memory: each is refused at once, naming the index line and the page.
TEST_F(DocumentTableTest, BrokenOrHostileIndexFailsNamingTheLine)
{
    TempDir outside;
    outside.write("secret.html", "secret");
    fs::create_directory_symlink(outside.path(), app.path() / "away");
    fs::create_symlink(outside.path() / "secret.html", app.path() / "secret.html");
    const fs::path twin = app.path().string() + "2";
    const std::string twinUp = "../" + twin.filename().string() + "/x.html";
    app.write(twinUp, "twin");
    fs::create_directory_symlink(twin, app.path() / "twin");
    fs::create_directory(app.path() / "dir.html");
    ASSERT_EQ(::mkfifo((app.path() / "fifo.html").c_str(), 0644), 0);
    app.write("huge.html", ""), fs::resize_file(app.path() / "huge.html", std::uintmax_t{1} << 40);
    app.write("a.html", "A");

    std::vector<std::pair<std::string, std::string>> cases = {  // index after a.html, message after the index path
        {"\"a.html\"\r\n", " line 3: the file ends where a field is expected"},
        {record("a.html\0.txt"s, "B"), " line 2: the page file name \"a.html\\0.txt\" holds a NUL byte"},
        {record("twin/x.html", "X"), " line 2: the page file name \"twin/x.html\" leads outside"},
    };
    for (const std::string name :
         {"../x.html", "sub/../a.html", "/etc/passwd", "away/secret.html", "secret.html", "away/none.html", twinUp.c_str()})
        cases.emplace_back(record(name, "X"), " line 2: the page file name \"" + name + "\"");
    for (const std::string page : {"dir.html", "fifo.html", "huge.html"})
        cases.emplace_back(record(page, "P"), " line 2: the listed page " + app.appPath() + page + ": is ");
    for (const auto& [index, message] : cases) {
        SCOPED_TRACE(message);
        app.write("Wlist.idx", record("a.html", "A") + index);
        EXPECT_THAT([&] { load(); }, ThrowsMessage<lexoria::FileError>(StartsWith(indexFile() + message)));
        EXPECT_EQ(docCount, 2); EXPECT_EQ(slot(1).strText, "a");
    }
    fs::remove_all(twin);
}

// Fields are read until the end, or until a fault that names the file and
// line; `error` empty means the input holds no fault.
TEST(ListInputTest, ReadsEveryFieldInOrderOrFailsNamingTheFileAndLine)
{
    // The fields read before the end or the fault, and the fault if there is one.
    const struct { const char* name; std::string bytes; std::vector<std::string> fields; const char* error; } cases[] = {
        {"UnquotedTitleSplitsAtComma", "a.html,Prvi del, splosno\r\n", {"a.html", "Prvi del", "splosno"}, ""},
        {"BlanksAroundUnquotedTrimmed", " a.html \t,\tB c  \r\n", {"a.html", "B c"}, ""},
        {"BlanksAroundQuotesSkippedInsideKept", "  \" a \" , \"b\"  \r\n", {" a ", "b"}, ""},
        {"EmptyLinesSkipped", "\r\n\r\n\"a\",\"b\"\r\n \t\r\n\r\n\"c\",\"d\"\r\n\r\n", {"a", "b", "c", "d"}, ""},
        {"LastLineWithoutLineEnd", "\"a\",\"b\"", {"a", "b"}, ""}, {"FieldsRunAcrossLines", "\"a\"\r\n\"b\"\r\n", {"a", "b"}, ""},
        {"LoneLineFeedOrCarriageReturn", "\"a\",\"b\"\n\"c\",\"d\"\r\"e\",\"f\"\r", {"a", "b", "c", "d", "e", "f"}, ""},
        {"EmptyFields", "\"\",\"\"\r\n,\r\n", {"", "", "", ""}, ""}, {"CommaAtEndOfFilePromisesAField", "\"a\",", {"a", ""}, ""},
        {"QuoteInsideUnquotedFieldKept", "ab\"c,d\r\n", {"ab\"c", "d"}, ""},
        {"QuoteNotClosedAtEnd", "\"a\",\"b\"\r\n\"c", {"a", "b"}, "Wlist.idx line 2: a double quote is not closed"},
        {"QuoteClosedOnALaterLine", "\"a\",\"b\r\nc\"\r\n", {"a"}, "Wlist.idx line 1: a double quote is not closed on its line"},
        {"TextAfterClosingQuote", "\"a\"x,\"b\"\r\n", {}, "Wlist.idx line 1: text follows the closing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        lexoria::ListInput input(c.bytes, "Wlist.idx");
        std::vector<std::string> fields;
        const auto readAll = [&] {
            while (!input.atEnd())
                fields.push_back(input.readField());
        };
        if (*c.error != '\0')
            EXPECT_THAT(readAll, ThrowsMessage<lexoria::FileError>(HasSubstr(c.error)));
        else
            readAll();
        EXPECT_EQ(fields, c.fields);
    }
}

}  // namespace
