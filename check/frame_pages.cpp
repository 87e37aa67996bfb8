#include "check/frame_pages.h"

#include "base/app_files.h"
#include "check/html_tags.h"
#include "check/page_check.h"

namespace lexoria {

Frames framesOf(std::string_view page)
{
    Frames frames;
    forEachTag(page, [&](const HtmlTag& tag) {
        if (tag.name != "frame" && tag.name != "iframe")
            return;
        auto name = tag.attributes.find("name");
        frames.hasT = frames.hasT || (name != tag.attributes.end() && name->second == "T");
        if (auto src = tag.attributes.find("src"); src != tag.attributes.end())
            frames.pages.insert(src->second.substr(0, src->second.find_first_of("#?")));
    });
    return frames;
}

std::set<std::string> checkFramePages(const std::string& appPath, ProblemList& problems)
{
    Frames frames;
    const std::string home = appPath + appFiles::homePage;
    if (const auto bytes = readOrReport(home, problems)) {
        checkPage(appPath, home, *bytes, Anchor::notNeeded, problems);
        frames = framesOf(*bytes);
        if (!frames.hasT)
            problems.error(home, "no frame or iframe is named \"T\", so pages, results and help open nowhere");
    }
    const std::string help = appPath + appFiles::helpPage;
    if (const auto bytes = readOrReport(help, problems))
        checkPage(appPath, help, *bytes, Anchor::notNeeded, problems);
    return frames.pages;
}

}  // namespace lexoria
