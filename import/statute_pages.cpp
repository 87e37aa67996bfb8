#include "import/statute_pages.h"

#include "import/provision_html.h"
#include "import/xml_text.h"

namespace lexoria {

namespace {

std::string containerHeading(const Container& container)
{
    std::string text = escapeHtml(container.num);
    if (!container.num.empty() && !container.heading.empty())
        text += "<br>";
    return "<p class=\"razdelek\">" + text + escapeHtml(container.heading) + "</p>\n";
}

// The headings of the containers of provision that the page has not shown
// yet, outermost first.
std::string newContainers(const Provision& provision, const Provision* previous)
{
    std::string out;
    bool same = previous != nullptr;
    for (std::size_t depth = 0; depth < provision.containers.size(); ++depth) {
        same = same && depth < previous->containers.size()
            && previous->containers[depth].id == provision.containers[depth].id;
        if (!same)
            out += containerHeading(provision.containers[depth]);
    }
    return out;
}

std::string provisionBlock(const Provision& provision, std::size_t index)
{
    std::string out = "<div class=\"clen\" id=\"c" + std::to_string(index + 1) + "\">\n<h2>" +
                      escapeHtml(provisionLabel(provision, index)) + "</h2>\n";
    if (!provision.heading.empty())
        out += "<p class=\"naslov\">(" + escapeHtml(provision.heading) + ")</p>\n";
    if (provision.removed)
        out += std::string("<p class=\"opomba\">") + removedNote + "</p>\n";
    return out + provision.html + "</div>\n";
}

std::string browsing(const std::vector<PagePlan>& plans, std::size_t at)
{
    const std::string previous = at > 0 ? plans[at - 1].file : titlePage;
    std::string out = "<p class=\"listanje\"><a href=\"" + previous + "\">&lt; prej\u0161nja stran</a>";
    if (at + 1 < plans.size())
        out += " | <a href=\"" + plans[at + 1].file + "\">naslednja stran &gt;</a>";
    return out + "</p>\n";
}

std::string lastWord(const std::string& text)
{
    const std::size_t blank = text.rfind(' ');
    return blank == std::string::npos ? std::string() : text.substr(blank);
}

}  // namespace

std::string provisionLabel(const Provision& provision, std::size_t index)
{
    return provision.num.empty() ? std::to_string(index + 1) + "." : provision.num;
}

std::string pageTitle(const std::vector<Provision>& provisions, const PagePlan& page)
{
    const std::string first = provisionLabel(provisions[page.first], page.first);
    if (page.first == page.last) {
        const Provision& provision = provisions[page.first];
        if (provision.removed)
            return first + " " + removedNote;
        return provision.heading.empty() ? first : first + " (" + provision.heading + ")";
    }
    const std::string last = provisionLabel(provisions[page.last], page.last);
    // "5. člen" to "7. člen" reads "5. do 7. člen".
    const std::string word = lastWord(last);
    const bool shared = !word.empty() && first.ends_with(word);
    return (shared ? first.substr(0, first.size() - word.size()) : first) + " do " + last;
}

std::string pageHead(const std::string& title, const std::string& extra)
{
    return "<!DOCTYPE html>\n<html lang=\"sl\">\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">\n"
           "<title>" + escapeHtml(title) + "</title>\n"
           "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + styleSheet + "\">\n" + extra + "</head>\n";
}

std::map<std::string, std::string> provisionPages(const Act& act, const std::vector<PagePlan>& plans)
{
    std::map<std::string, std::string> pages;
    for (std::size_t at = 0; at < plans.size(); ++at) {
        const PagePlan& plan = plans[at];
        std::string page = pageHead(pageTitle(act.provisions, plan)) + "<body>\n<a name=\"F1\" id=\"F1\"></a>\n"
                           "<p class=\"zakon\">" + escapeHtml(act.title) + "</p>\n";
        for (std::size_t i = plan.first; i <= plan.last; ++i) {
            page += newContainers(act.provisions[i], i == plan.first ? nullptr : &act.provisions[i - 1]);
            page += provisionBlock(act.provisions[i], i);
        }
        pages[plan.file] = page + browsing(plans, at) + "</body>\n</html>\n";
    }
    return pages;
}

}  // namespace lexoria
