// lexoria-import over acts written here, each imported folder then checked
// by lexoria-check and searched by lexoria-search as a publisher would.
#include "base/whole_file.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>

#include <functional>
#include <sys/wait.h>

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

constexpr char oasis[] = "http://docs.oasis-open.org/legaldocml/ns/akn/3.0";

struct Outcome {
    int status;
    std::string output;
};

Outcome run(const std::string& program, const std::string& arguments)
{
    const lexoria::testing::TempDir out;
    const int status = std::system((program + " " + arguments + " >" + out.appPath() + "output 2>&1").c_str());
    return {WEXITSTATUS(status), lexoria::readWholeFile(out.appPath() + "output")};
}

std::string act(const std::string& body, const std::string& ns = oasis, const std::string& head = "")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + head + "<akomaNtoso xmlns=\"" + ns + "\">\n<act>\n"
           "<preface><p><docTitle>Zakon o preskusu</docTitle> (<shortTitle>ZPre</shortTitle>)</p></preface>\n"
           "<body>\n" + body + "</body>\n</act>\n</akomaNtoso>\n";
}

std::string article(int number, const std::string& text, const std::string& heading = "")
{
    return "<article><num>" + std::to_string(number) + ". člen</num>" +
           (heading.empty() ? "" : "<heading>" + heading + "</heading>") + "<content><p>" + text +
           "</p></content></article>\n";
}

// The index the act's pages must get: "file","title" CR LF, titles in
// ISO-8859-2 (the "č" of "člen" is 0xE8).
std::string index(const std::vector<std::pair<int, std::string>>& pages)
{
    std::string out;
    for (const auto& [first, title] : pages) {
        char file[32];
        std::snprintf(file, sizeof file, "clen%03d.html", first);
        out += "\"" + std::string(file) + "\",\"" + title + "\"\r\n";
    }
    return out;
}

struct ActCase {
    std::string name;
    std::string xml;
    std::string index;                      // the expected Wlist.idx; empty for an act refused
    std::string phrase;                     // searched for; its first hit must be hitFile
    std::string hitFile;
    std::vector<std::pair<std::string, std::string>> pagesHold = {};  // file, bytes it holds
    std::string refusal = {};               // what the message says of a refused act
};

std::vector<ActCase> acts()
{
    std::string six, sixIndex, paragraphs;
    for (int n = 1; n <= 600; ++n)
        six += article(n, "Besedilo " + std::to_string(n) + ". člena.");
    for (int n = 1; n <= 600; n += 2)
        sixIndex += index({{n, std::to_string(n) + ". do " + std::to_string(n + 1) + ". \xE8len"}});
    for (int n = 1; n <= 3; ++n)
        paragraphs += "<paragraph><num>§ " + std::to_string(n) + "</num><content><p>Odstavek " + std::to_string(n) +
                      " pravilnika.</p></content></paragraph>\n";
    const std::string chapters =
        "<part><num>PRVI DEL</num><heading>Splošno</heading>\n<chapter><num>1. poglavje</num><heading>Namen</heading>\n" +
        article(1, "Zakon ureja preskuse.", "vsebina") + article(2, "Drugi člen.") +
        "</chapter>\n<chapter><num>2. poglavje</num>\n<section><num>1. oddelek</num><heading>Izvedba</heading>\n" +
        article(3, "Preskus izvede komisija.") + "</section>\n</chapter>\n</part>\n";
    const std::string chaptersIndex =
        index({{1, "1. \xE8len (vsebina)"}, {2, "2. \xE8len"}, {3, "3. \xE8len"}});
    return {
        {"chapters and sections", act(chapters), chaptersIndex, "izvede komisija", "clen003.html",
         {{"clen003.html", "PRVI DEL<br>Splo\xB9no"}, {"clen003.html", "1. oddelek<br>Izvedba"},
          {"toc.html", "<h2>2. poglavje</h2>"}, {"index.html", "<title>Zakon o preskusu (ZPre)</title>"},
          {"slo.lng", "strTitula:Zakon o preskusu (ZPre)\r\n"}, {"Help.html", "v uradnem glasilu"}}},
        {"paragraphs and points",
         act("<article><num>1. člen</num><paragraph><num>(1)</num><content><p>Prvi odstavek.</p></content></paragraph>"
             "<paragraph><num>(2)</num><list><intro><p>Naštevanje:</p></intro><point><num>a)</num><content><p>prva "
             "točka,</p></content></point><point><num>b)</num><content><p>druga točka.</p></content></point></list>"
             "</paragraph></article>\n"),
         index({{1, "1. \xE8len"}}), "druga točka", "clen001.html",
         {{"clen001.html", "<p>(2) Na\xB9tevanje:</p>"}, {"clen001.html", "<p>b) druga to\xE8ka.</p>"}}},
        {"a heading-less article beside a removed one",
         act(article(1, "Velja.") + "<article status=\"removed\"><num>2. člen</num></article>\n" + article(3, "Tudi.")),
         index({{1, "1. \xE8len"}, {2, "2. \xE8len (prenehal veljati)"}, {3, "3. \xE8len"}}), "tudi", "clen003.html",
         {{"clen002.html", "<p class=\"opomba\">(prenehal veljati)</p>"}}},
        {"600 articles, two a page", act(six), sixIndex, "besedilo 600", "clen599.html",
         {{"toc.html", "<a href=\"clen599.html#c600\" target=\"T\">600. \xE8len</a>"}}},
        {"an act of paragraphs", act(paragraphs), index({{1, "\xA7 1"}, {2, "\xA7 2"}, {3, "\xA7 3"}}),
         "odstavek 2", "clen002.html", {}},
        {"the German profile's namespace", act(article(1, "Gilt."), "http://Inhaltsdaten.LegalDocML.de/1.7/"),
         index({{1, "1. \xE8len"}}), "gilt", "clen001.html", {}},
        {"a letter ISO-8859-2 lacks", act(article(1, "Grška črka α in evro €.")), index({{1, "1. \xE8len"}}),
         "grška črka", "clen001.html", {{"clen001.html", "Gr\xB9ka \xE8rka &#945; in evro &#8364;."}}},
        {"an external entity", act(article(1, "Geslo &x;."), oasis,
                                   "<!DOCTYPE akomaNtoso [<!ENTITY x SYSTEM \"file:///etc/hostname\">]>\n"),
         index({{1, "1. \xE8len"}}), "geslo", "clen001.html", {{"clen001.html", "<p>Geslo .</p>"}}},
        {"a broken file", act(article(1, "Nezaprt <b>odstavek.")), "", "", "", {}, "act.xml:6: the file is not well-formed XML"},
        {"a page that is no act", "<html>\n<body/></html>", "", "", "", {}, "act.xml:1: the file is no Akoma Ntoso document"},
        {"no act at line 70,001", std::string(70000, '\n') + "<html>x</html>", "", "", "", {},
         "act.xml:70001: the file is no Akoma Ntoso document"},
        {"a judgment", "<akomaNtoso xmlns=\"" + std::string(oasis) + "\">\n<judgment/></akomaNtoso>", "", "", "", {},
         "act.xml:2: the document is <judgment>, not an act"},
    };
}

TEST(LexoriaImportTest, EachActBecomesAFolderThatChecksAndSearchesOrIsRefusedWithItsLine)
{
    for (const ActCase& row : acts()) {
        SCOPED_TRACE(row.name);
        const lexoria::testing::TempDir work;
        work.write("act.xml", row.xml);
        const Outcome imported = run(LEXORIA_IMPORT, work.appPath() + "act.xml " + work.appPath() + "statute");
        if (!row.refusal.empty()) {
            EXPECT_EQ(imported.status, 1);
            EXPECT_THAT(imported.output, HasSubstr(row.refusal));
            EXPECT_EQ(std::distance(fs::directory_iterator(work.path()), fs::directory_iterator()), 1) << "left behind";
            continue;
        }
        ASSERT_EQ(imported.status, 0) << imported.output;
        const std::string dir = work.appPath() + "statute/";
        EXPECT_EQ(lexoria::readWholeFile(dir + "Wlist.idx"), row.index);
        for (const auto& [file, bytes] : row.pagesHold)
            EXPECT_THAT(lexoria::readWholeFile(dir + file), HasSubstr(bytes)) << file;
        fs::copy(LEXORIA_BUNDLED_APP_DIR "/Skin", dir + "Skin", fs::copy_options::recursive);
        const Outcome checked = run(LEXORIA_CHECK, dir);
        EXPECT_EQ(checked.status, 0) << checked.output;
        EXPECT_THAT(checked.output, Not(HasSubstr("note"))) << checked.output;
        const Outcome found = run(LEXORIA_SEARCH, dir + " '" + row.phrase + "'");
        EXPECT_THAT(found.output, ::testing::StartsWith(row.hitFile + "\t")) << found.output;
    }
}

// A folder that holds something stays as it is without --force; with it a
// statute folder is replaced whole, and a folder of anything else never.
TEST(LexoriaImportTest, ReplacesOnlyAStatuteFolderAndOnlyWithForce)
{
    const lexoria::testing::TempDir work;
    work.write("act.xml", act(article(1, "Velja.")));
    work.write("statute/index.html", "old");
    work.write("statute/clen999.html", "old");
    work.write("other/notes.txt", "mine");
    const std::string arguments = work.appPath() + "act.xml " + work.appPath();
    EXPECT_THAT(run(LEXORIA_IMPORT, arguments + "statute").output, HasSubstr("give --force"));
    EXPECT_EQ(lexoria::readWholeFile(work.appPath() + "statute/index.html"), "old");
    EXPECT_THAT(run(LEXORIA_IMPORT, arguments + "other --force").output, HasSubstr("holds no statute"));
    EXPECT_TRUE(fs::exists(work.path() / "other/notes.txt"));
    EXPECT_EQ(run(LEXORIA_IMPORT, arguments + "statute --force").status, 0);
    EXPECT_FALSE(fs::exists(work.path() / "statute/clen999.html"));
    EXPECT_TRUE(fs::exists(work.path() / "statute/clen001.html"));
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path()), fs::directory_iterator()), 3) << "a folder left beside";
}

}  // namespace
