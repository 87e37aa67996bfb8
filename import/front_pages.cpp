#include "import/front_pages.h"

#include "base/app_files.h"
#include "import/statute_pages.h"
#include "import/xml_text.h"

namespace lexoria {

namespace {

std::string homePage(const Act& act)
{
    return std::string("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\">\n<html lang=\"sl\">\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">\n<title>") +
           escapeHtml(act.title) + "</title>\n</head>\n<frameset cols=\"30%,*\">\n<frame name=\"K\" src=\"" +
           contentsPage + "\">\n<frame name=\"T\" src=\"" + titlePage + "\">\n<noframes>\n<body>\n<p><a href=\"" +
           contentsPage + "\">Kazalo</a></p>\n</body>\n</noframes>\n</frameset>\n</html>\n";
}

// Where each provision's link goes: its page, at the provision where the
// page holds more than one.
std::vector<std::string> linksOf(const std::vector<PagePlan>& plans)
{
    std::vector<std::string> links;
    for (const PagePlan& plan : plans)
        for (std::size_t index = plan.first; index <= plan.last; ++index)
            links.push_back(plan.first == plan.last ? plan.file : plan.file + "#c" + std::to_string(index + 1));
    return links;
}

std::string containerLine(const Container& container)
{
    const std::string separator = container.num.empty() || container.heading.empty() ? "" : "<br>";
    return escapeHtml(container.num) + separator + escapeHtml(container.heading);
}

std::string contents(const Act& act, const std::vector<PagePlan>& plans)
{
    std::string out = pageHead(act.title + " - kazalo", "<base target=\"T\">\n") +
                      "<body class=\"kazalo\">\n<p class=\"zakon\"><a href=\"" + titlePage + "\" target=\"T\">" +
                      escapeHtml(act.title) + "</a></p>\n";
    const std::vector<std::string> links = linksOf(plans);
    const std::vector<Container>* shown = nullptr;
    bool listOpen = false;
    for (std::size_t i = 0; i < act.provisions.size(); ++i) {
        const Provision& provision = act.provisions[i];
        std::size_t same = 0;
        while (shown && same < shown->size() && same < provision.containers.size()
               && (*shown)[same].id == provision.containers[same].id)
            ++same;
        if (!shown || same < shown->size() || same < provision.containers.size()) {
            out += listOpen ? "</ul>\n" : "";
            for (std::size_t depth = same; depth < provision.containers.size(); ++depth)
                out += "<h2>" + containerLine(provision.containers[depth]) + "</h2>\n";
            out += "<ul>\n";
            listOpen = true;
            shown = &provision.containers;
        }
        std::string label = provisionLabel(provision, i);
        if (!provision.heading.empty())
            label += " (" + provision.heading + ")";
        out += "<li><a href=\"" + links[i] + "\" target=\"T\">" + escapeHtml(label) + "</a></li>\n";
    }
    return out + "</ul>\n</body>\n</html>\n";
}

// The title and the outermost units, each linked to its first page.
std::string titlePageOf(const Act& act, const std::vector<PagePlan>& plans)
{
    std::string out = pageHead(act.title) + "<body class=\"naslovnica\">\n<a name=\"F1\" id=\"F1\"></a>\n"
                      "<h1 class=\"zakon\">" + escapeHtml(act.title) + "</h1>\n<h2>Vsebina</h2>\n<ul class=\"vsebina\">\n";
    const std::vector<std::string> links = linksOf(plans);
    int shownId = -1;
    for (std::size_t i = 0; i < act.provisions.size(); ++i) {
        const auto& containers = act.provisions[i].containers;
        const int id = containers.empty() ? 0 : containers.front().id;
        if (id == shownId)
            continue;
        shownId = id;
        const std::string text = containers.empty() ? provisionLabel(act.provisions[i], i)
                                                    : (containers.front().num + " " + containers.front().heading);
        out += "<li><a href=\"" + links[i] + "\">" + escapeHtml(text) + "</a></li>\n";
    }
    return out + "</ul>\n</body>\n</html>\n";
}

std::string helpPage(const Act& act)
{
    const std::string official =
        act.slovene ? "Uradno besedilo zakona je besedilo, objavljeno v Uradnem listu Republike Slovenije "
                      "(Uradni list RS); ta izdaja je zgolj pripomo\u010dek za branje."
                    : "Uradno besedilo predpisa je besedilo, objavljeno v uradnem glasilu, v katerem je bil "
                      "razglašen; ta izdaja je zgolj pripomo\u010dek za branje.";
    return pageHead("Pomo\u010d") + "<body class=\"pomoc\">\n<a name=\"F1\" id=\"F1\"></a>\n"
           "<p class=\"zakon\">" + escapeHtml(act.title) + "</p>\n<h1>Pomo\u010d</h1>\n"
           "<p class=\"opomba\">" + official + "</p>\n"
           "<h2>Branje</h2>\n<p>Kazalo na levi odpre vsak \u010dlen. Gumba Nazaj in Naprej (Alt+Levo, Alt+Desno) "
           "listata po prebranih straneh, gumb Doma\u010da stran (Alt+Home) odpre naslovnico.</p>\n"
           "<h2>Iskanje</h2>\n<p>Gumb Iskanje (Ctrl+F) odpre iskalno polje. Vpi\u0161ite besede in pritisnite "
           "Enter: stran z rezultati na\u0161teje vse strani, ki vsebujejo iskano besedilo, ne glede na velike in "
           "male \u010drke. Povezava odpre stran z ozna\u010denimi zadetki; F3 in Shift+F3 sko\u010dita na "
           "naslednji in prej\u0161nji zadetek.</p>\n"
           "<h2>Tiskanje in kopiranje</h2>\n<p>Gumb Natisni stran (Ctrl+P) natisne prikazano stran, gumb Kopiraj "
           "(Ctrl+Shift+C) kopira izbrano besedilo ali vso stran.</p>\n</body>\n</html>\n";
}

}  // namespace

std::map<std::string, std::string> frontPages(const Act& act, const std::vector<PagePlan>& plans)
{
    return {{appFiles::homePage, homePage(act)},
            {contentsPage, contents(act, plans)},
            {titlePage, titlePageOf(act, plans)},
            {appFiles::helpPage, helpPage(act)}};
}

}  // namespace lexoria
