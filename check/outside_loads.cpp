#include "check/outside_loads.h"

#include "check/html_tags.h"

#include <cctype>
#include <filesystem>

namespace lexoria {

namespace {

// The attributes through which a tag loads something as the page shows.
// An <a href> is followed only when clicked, and a form only when sent.
constexpr std::string_view loadingAttributes[]{"src", "srcset", "data", "background", "poster"};

bool loadsThrough(const HtmlTag& tag, const std::string& attribute)
{
    if (attribute == "href")
        return tag.name == "link";
    for (std::string_view name : loadingAttributes)
        if (attribute == name)
            return true;
    return false;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The scheme of an address ("http" of "http://..."), empty for a path.
std::string schemeOf(std::string_view address)
{
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(address[0])))
        return {};
    for (char c : address.substr(0, colon))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return {};
    return asciiLowered(address.substr(0, colon));
}

// Whether a relative address, taken from the page's folder, climbs out of
// the statute's folder. Links are not followed: the reader resolves them.
bool climbsOut(std::string_view address, const std::filesystem::path& pageDir, const std::filesystem::path& appDir)
{
    const std::string path(address.substr(0, address.find_first_of("?#")));
    const std::filesystem::path inApp = (pageDir / path).lexically_normal().lexically_relative(appDir);
    return inApp.empty() || *inApp.begin() == "..";
}

bool leavesTheFolder(std::string_view address, const std::filesystem::path& pageDir, const std::filesystem::path& appDir)
{
    if (address.empty())
        return false;
    if (address.front() == '/' || address.front() == '\\')
        return true;  // an absolute path, or "//host/..." on the web
    const std::string scheme = schemeOf(address);
    if (scheme.empty())
        return climbsOut(address, pageDir, appDir);
    return scheme != "data" && scheme != "blob" && scheme != "about" && scheme != "javascript";
}

}  // namespace

void checkOutsideLoads(const std::string& appPath, const std::string& path, std::string_view bytes,
                       ProblemList& problems)
{
    // Both without a trailing "/", which would count as one more element.
    const std::filesystem::path appDir = std::filesystem::path(appPath + "x").lexically_normal().parent_path();
    const std::filesystem::path pageDir = std::filesystem::path(path).lexically_normal().parent_path();
    forEachTag(bytes, [&](const HtmlTag& tag) {
        for (const auto& [attribute, value] : tag.attributes) {
            const std::string_view address = trimmed(value);
            if (loadsThrough(tag, attribute) && leavesTheFolder(address, pageDir, appDir))
                problems.error(path, tag.line,
                               "the page loads \"" + std::string(address) + "\" (the " + attribute + " of <" +
                                   tag.name + ">) from outside the statute's folder, which the reader refuses: "
                                              "keep it in the folder and name it by a relative path");
        }
    });
}

}  // namespace lexoria
