// lexoria-check run as whoever prepares a statute runs it, on copies of the
// application directory that the build assembles.
#include "search/codepage.h"
#include "search/document_table.h"
#include "base/whole_file.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/wait.h>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using lexoria::testing::TempDir;
using ::testing::HasSubstr;

struct CheckRun {
    int status;
    std::string output;
};

CheckRun runCheck(const std::string& arguments)
{
    const std::string command = std::string(LEXORIA_CHECK) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, got);
    return {WEXITSTATUS(::pclose(pipe)), output};
}

void copyApp(const fs::path& to)
{
    fs::copy(LEXORIA_APP_DIR, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::remove(to / "found.html");
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Replaces the first `from` in the file by `to`; an empty `from` puts `to` in front.
void edit(const fs::path& path, const std::string& from, const std::string& to)
{
    std::string bytes = lexoria::readWholeFile(path.string());
    const std::size_t at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from << " not in " << path;
    writeFile(path, bytes.replace(at, from.size(), to));
}

struct Fault {
    const char* what;
    std::function<void(const fs::path& app)> make;
    std::vector<std::string> expected;  // each must be reported, "file:line: what"
};

TEST(LexoriaCheck, ReportsEachFaultOfABrokenStatuteWithItsFileAndLine)
{
    const std::vector<Fault> faults{
        {"an unclosed quote", [](const fs::path& app) { edit(app / "Wlist.idx", "", "\"clen001.html\",\"Brez konca\r\n"); },
         {"Wlist.idx:1: a double quote is not closed on its line"}},
        {"513 pages", [](const fs::path& app) {
             std::string index;
             for (int page = 1; page <= 513; ++page) {
                 writeFile(app / ("p" + std::to_string(page) + ".html"), "<a name=\"F1\"></a>");
                 index += "\"p" + std::to_string(page) + ".html\",\"Stran\"\r\n";
             }
             writeFile(app / "Wlist.idx", index);
         }, {"Wlist.idx:513: the index lists more than 512 pages"}},
        {"a missing page", [](const fs::path& app) { fs::remove(app / "clen001.html"); },
         {"Wlist.idx:2: the listed page \"clen001.html\" does not exist"}},
        {"a UTF-8 page", [](const fs::path& app) {
             const fs::path page = app / "clen001.html";
             writeFile(page, lexoria::utf8FromLatin2(lexoria::readWholeFile(page.string())));
         }, {"clen001.html:5: the file is UTF-8, not ISO-8859-2"}},
        {"a page without F1", [](const fs::path& app) { edit(app / "clen003.html", "name=\"F1\"", "name=\"F2\""); },
         {"clen003.html: the page has no anchor \"F1\""}},
        {"a frameset without T", [](const fs::path& app) { edit(app / "index.html", "name=\"T\"", "name=\"t\""); },
         {"index.html: no frame or iframe is named \"T\""}},
        {"a broken skin picture", [](const fs::path& app) {
             const fs::path picture = app / "Skin/Normal/back.jpg";
             fs::resize_file(picture, fs::file_size(picture) / 2);
         }, {"Skin/Normal/back.jpg: is no readable picture: the JPEG data ends early"}},
        {"a bad slo.lng line", [](const fs::path& app) { edit(app / "slo.lng", "", "13  Button:Ni gumba\r\n"); },
         {"slo.lng:1: button number 13 names no picture button (0..12)"}},
        {"a duplicate page", [](const fs::path& app) { edit(app / "Wlist.idx", "", "\"clen001.html\",\"Dvojnik\"\r\n"); },
         {"Wlist.idx:3: the page \"clen001.html\" is listed again (first on line 1)"}},
        {"faults after a bad record and in another file", [](const fs::path& app) {
             edit(app / "Wlist.idx", "", "\"clen001.html\",\"Brez konca\r\n");
             fs::remove(app / "clen001.html");
             edit(app / "index.html", "name=\"T\"", "name=\"t\"");
         }, {"Wlist.idx:1: a double quote", "Wlist.idx:3: the listed page", "index.html: no frame or iframe"}},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        TempDir dir;
        copyApp(dir.path());
        fault.make(dir.path());
        const CheckRun run = runCheck(dir.appPath());
        EXPECT_EQ(run.status, 1) << run.output;
        for (const std::string& line : fault.expected)
            EXPECT_THAT(run.output, HasSubstr(dir.appPath() + line));
    }
}

TEST(LexoriaCheck, PassesTheBundledAndAGenerated512PageStatute)
{
    TempDir dir;
    const std::string make = std::string("/usr/bin/python3 ") + LEXORIA_MAKE_STATUTE + " " + dir.appPath()
                             + " --pages 512 --page-bytes 4096";
    ASSERT_EQ(std::system(make.c_str()), 0);
    fs::copy(fs::path(LEXORIA_APP_DIR) / "slo.lng", dir.path());
    fs::copy(fs::path(LEXORIA_APP_DIR) / "Skin", dir.path() / "Skin", fs::copy_options::recursive);
    for (const std::string& app : {std::string(LEXORIA_APP_DIR), dir.appPath()}) {
        SCOPED_TRACE(app);
        const CheckRun run = runCheck(app);
        EXPECT_EQ(run.status, 0) << run.output;
    }
}

std::unique_ptr<lexoria::DocList> loadIndex(const std::string& appPath, std::int16_t& docCount)
{
    auto docList = std::make_unique<lexoria::DocList>();
    lexoria::readWorlList(appPath + "Wlist.idx", appPath, *docList, docCount, [](const std::string&) {});
    return docList;
}

TEST(LexoriaCheck, WritesAnIndexThatLoadsToTheShippedDocumentTable)
{
    std::int16_t shippedCount = 0;
    const auto shipped = loadIndex(std::string(LEXORIA_APP_DIR) + "/", shippedCount);
    TempDir dir;
    copyApp(dir.path());
    std::string pages;
    for (int slot = 1; slot <= shippedCount; ++slot)
        pages += " " + (*shipped)[static_cast<std::size_t>(slot)].strFile;

    EXPECT_EQ(runCheck("--write-index " + dir.appPath() + pages).status, 1) << "replaced an index without --force";
    const CheckRun run = runCheck("--write-index --force " + dir.appPath() + pages);
    ASSERT_EQ(run.status, 0) << run.output;

    std::int16_t writtenCount = 0;
    const auto written = loadIndex(dir.appPath(), writtenCount);
    ASSERT_EQ(writtenCount, shippedCount);
    for (int slot = 1; slot <= shippedCount; ++slot) {
        const auto& want = (*shipped)[static_cast<std::size_t>(slot)];
        const auto& got = (*written)[static_cast<std::size_t>(slot)];
        EXPECT_EQ(std::tie(got.strFile, got.strTitle, got.strText), std::tie(want.strFile, want.strTitle, want.strText))
            << "slot " << slot;
    }
}

TEST(LexoriaCheck, WritesNoIndexWhenATitleHoldsADoubleQuote)
{
    TempDir dir;
    copyApp(dir.path());
    const std::string index = lexoria::readWholeFile(dir.appPath() + "Wlist.idx");
    edit(dir.path() / "clen001.html", "<title>", "<title>\"Citat\" ");
    const CheckRun run = runCheck("--write-index --force " + dir.appPath() + " naslovnica.html clen001.html");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.output, HasSubstr(dir.appPath() + "clen001.html:5: the title holds a double quote"));
    EXPECT_EQ(lexoria::readWholeFile(dir.appPath() + "Wlist.idx"), index) << "the index was touched";
}

}  // namespace
