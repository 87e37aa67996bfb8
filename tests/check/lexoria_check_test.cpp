// lexoria-check run as whoever prepares a statute runs it, on copies of the
// application directory that the build assembles.
#include "base/whole_file.h"
#include "search/codepage.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>

#include <functional>
#include <regex>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The exit status and the output of lexoria-check with these arguments.
static std::pair<int, std::string> runCheck(const std::string& arguments)
{
    const lexoria::testing::TempDir out;
    // A file the checker would wait on for ever fails the test, not the run.
    const int status = std::system(("timeout 30 " LEXORIA_CHECK " " + arguments + " >" + out.appPath() + "output 2>&1").c_str());
    return {WEXITSTATUS(status), lexoria::readWholeFile(out.appPath() + "output")};
}

// A copy of the built application directory, without a results page.
struct AppCopy : lexoria::testing::TempDir {
    AppCopy()
    {
        fs::copy(LEXORIA_APP_DIR, path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::remove(path() / "found.html");
    }
    std::string read(const std::string& name) const { return lexoria::readWholeFile(appPath() + name); }
    // Replaces the first `from` in the file by `to`; an empty `from` puts `to` in front.
    void edit(const std::string& name, const std::string& from, const std::string& to) const
    {
        std::string bytes = read(name);
        const std::size_t at = bytes.find(from);
        ASSERT_NE(at, std::string::npos) << from << " not in " << name;
        write(name, bytes.replace(at, from.size(), to));
    }
    // Writes a generated statute of this many pages over the bundled one.
    void generate(int pages) const
    {
        const std::string make = "/usr/bin/python3 " LEXORIA_MAKE_STATUTE " " + appPath() + " --page-bytes 4096 --pages ";
        ASSERT_EQ(std::system((make + std::to_string(pages)).c_str()), 0);
    }
};

TEST(LexoriaCheck, ReportsEachFaultOfABrokenStatuteWithItsFileAndLine)
{
    // Each fault, how to make it, and the lines that must be reported after the app path.
    const struct { const char* what; std::function<void(const AppCopy& app)> make; std::vector<std::string> expected; } faults[] = {
        {"a UTF-8 page", [](const AppCopy& app) { app.write("clen001.html", lexoria::utf8FromLatin2(app.read("clen001.html"))); },
         {"clen001.html:5: the file is UTF-8, not ISO-8859-2"}},
        {"a page without F1", [](const AppCopy& app) { app.edit("clen003.html", "name=\"F1\"", "name=\"F2\""); },
         {"clen003.html: the page has no anchor \"F1\""}},
        {"a cut-off skin picture",
         [](const AppCopy& app) { app.write("Skin/Normal/back.jpg", app.read("Skin/Normal/back.jpg").substr(0, 600)); },
         {"Skin/Normal/back.jpg: is no readable picture: the JPEG data ends early"}},
        {"a bad slo.lng line", [](const AppCopy& app) { app.edit("slo.lng", "", "13  Button:Ni gumba\r\n"); },
         {"slo.lng:1: button number 13 names no picture button (0..12)"}},
        {"a duplicate page", [](const AppCopy& app) { app.edit("Wlist.idx", "", "\"clen001.html\",\"Dvojnik\"\r\n"); },
         {"Wlist.idx:3: the page \"clen001.html\" is listed again (first on line 1)"}},
        {"513 pages", [](const AppCopy& app) { app.generate(513); }, {"Wlist.idx:513: the index lists more than 512 pages"}},
        {"a pipe and a folder in pages' places", [](const AppCopy& app) {
             fs::remove(app.path() / "clen001.html");
             ASSERT_EQ(::mkfifo((app.path() / "clen001.html").c_str(), 0644), 0);
             fs::remove(app.path() / "clen003.html");
             fs::create_directory(app.path() / "clen003.html");
         }, {"clen001.html: is not a regular file", "clen003.html: is a folder"}},
        {"names that break their results links", [](const AppCopy& app) {
             std::string index;
             for (const std::string name : {"cl'en.html", "clen#1.html", "clen?1.html", "clen%41.html", "\xE8len.html", "sec:1.html", " lead.html", "trail.html "}) {
                 app.write(name, app.read("clen001.html"));
                 index += "\"" + name + "\",\"Naslov\"\r\n";
             }
             app.write("Wlist.idx", index);
         },
         {"Wlist.idx:1: the page file name \"cl'en.html\" holds ', which breaks its link on the results page",
          "Wlist.idx:2: the page file name \"clen#1.html\" holds #", "Wlist.idx:3: the page file name \"clen?1.html\" holds ?",
          "Wlist.idx:4: the page file name \"clen%41.html\" holds %", "Wlist.idx:5: the page file name \"\xE8len.html\" holds 0xE8",
          "Wlist.idx:6: the page file name \"sec:1.html\" holds a ':' before any '/'",
          "Wlist.idx:7: the page file name \" lead.html\" begins or ends with a space",
          "Wlist.idx:8: the page file name \"trail.html \" begins or ends with a space"}},
        {"faults after a bad record and in another file", [](const AppCopy& app) {
             app.edit("Wlist.idx", "", "\"clen001.html\",\"Brez konca\r\n");
             fs::remove(app.path() / "clen001.html");
             app.edit("index.html", "name=\"T\"", "name=\"t\"");
         },
         {"Wlist.idx:1: a double quote is not closed on its line", "Wlist.idx:3: the listed page \"clen001.html\" does not exist",
          "index.html: no frame or iframe is named \"T\""}},
        {"loads from the web and from absolute paths", [](const AppCopy& app) {
             app.edit("clen001.html", "href=\"zakon.css\"", "href=\"/etc/zakon.css\""), app.edit("index.html", "src=\"", "src=\"file:///home/");
             app.edit("clen003.html", "<body>", "<body><img alt=\"\" src=\" https://example.org/a.png\"><img alt=\"\" src=\"Skin/../../x.png\">");
         },
         {"clen001.html:6: the page loads \"/etc/zakon.css\" (the href of <link>) from outside the statute's folder",
          "clen003.html:8: the page loads \"https://example.org/a.png\" (the src of <img>)", "clen003.html:8: the page loads \"Skin/../../x.png\"",
          "index.html:8: the page loads \"file:///home/toc.html\" (the src of <frame>)"}},
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.what);
        const AppCopy app;
        fault.make(app);
        const auto [status, output] = runCheck(app.appPath());
        EXPECT_EQ(status, 1) << output;
        for (const std::string& line : fault.expected) EXPECT_THAT(output, HasSubstr(app.appPath() + line));
    }
}

// The bundled statute passes in the statute_check test. Bytes after a
// picture's end, as editors leave them, are no fault; nor are links to
// follow, inline pictures and the statute's own files, which load nothing
// from outside.
TEST(LexoriaCheck, PassesAGeneratedStatuteOf512PagesWithBytesAfterItsPicturesAndLinksToTheWeb)
{
    const AppCopy app;
    app.generate(512);
    app.edit("Help.html", "", "<a href=\"https://example.org/\">w</a><a href=\"mailto:a@example.org\">m</a><img alt=\"\" "
                              "src=\"data:image/gif;base64,R0lGODlhAQABAAAAACw=\"><img alt=\"\" src=\"Skin/../Skin/ON/back.jpg\">");
    app.write("Skin/Normal/back.jpg", app.read("Skin/Normal/back.jpg") + '\n');
    app.write("Skin/Normal/OK.gif", app.read("Skin/Normal/OK.gif") + std::string(16, '\0'));
    const auto [status, output] = runCheck(app.appPath());
    EXPECT_EQ(status, 0) << output;
}

TEST(LexoriaCheck, WritesTheShippedIndexBackOnlyWithForceAndNoneWhenATitleHoldsADoubleQuote)
{
    const AppCopy app;
    const std::string shipped = app.read("Wlist.idx");
    std::string pages;
    const std::regex record("(^|\n)\"([^\"]+)\",");
    for (std::sregex_iterator it(shipped.begin(), shipped.end(), record), end; it != end; ++it) pages += " " + (*it)[2].str();
    app.write("Wlist.idx", "stale");
    EXPECT_EQ(runCheck("--write-index " + app.appPath() + pages).first, 1) << "replaced an index without --force";
    EXPECT_EQ(app.read("Wlist.idx"), "stale");
    // An index kept elsewhere through a link, and private, stays so.
    fs::rename(app.path() / "Wlist.idx", app.path() / "kept.idx");
    fs::create_symlink("kept.idx", app.path() / "Wlist.idx");
    fs::permissions(app.path() / "kept.idx", fs::perms::owner_read | fs::perms::owner_write);
    const auto [status, output] = runCheck("--write-index --force " + app.appPath() + pages);
    EXPECT_EQ(status, 0) << output; EXPECT_EQ(app.read("Wlist.idx"), shipped);
    EXPECT_TRUE(fs::is_symlink(app.path() / "Wlist.idx"));
    EXPECT_EQ(fs::status(app.path() / "kept.idx").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    // A dangling link stays a link too, and the file it names is made.
    fs::remove(app.path() / "kept.idx"); EXPECT_EQ(runCheck("--write-index --force " + app.appPath() + pages).first, 0);
    EXPECT_TRUE(fs::is_symlink(app.path() / "Wlist.idx")); EXPECT_EQ(app.read("kept.idx"), shipped);

    app.edit("clen001.html", "<title>", "<title>\"Citat\" ");
    const auto [quoteStatus, quoteOutput] = runCheck("--write-index --force " + app.appPath() + pages);
    EXPECT_EQ(quoteStatus, 1);
    EXPECT_THAT(quoteOutput, HasSubstr(app.appPath() + "clen001.html:5: the title holds a double quote"));
    EXPECT_EQ(app.read("Wlist.idx"), shipped) << "the index was touched";
}
