#include "check/html_tags.h"

#include "base/blanks.h"

#include <algorithm>
#include <cctype>

namespace lexoria {

namespace {

bool isSpace(char c) { return isOneOf(htmlSpaces, c); }

// Reads the tag's name and attributes from the bytes after its "<"; returns
// where the tag ends (past its ">", or the end of the page).
class TagReader {
public:
    TagReader(std::string_view page, std::size_t pos) : page_(page), pos_(pos) {}

    std::size_t read(HtmlTag& tag)
    {
        tag.name = asciiLowered(word());
        for (;;) {
            skipSpaces();
            if (pos_ >= page_.size())
                return pos_;
            if (page_[pos_] == '>')
                return pos_ + 1;
            if (page_[pos_] == '/') {
                ++pos_;
                continue;
            }
            std::string name = asciiLowered(word());
            if (name.empty()) {
                ++pos_;  // a stray character, such as a lone "=" or quote
                continue;
            }
            skipSpaces();
            tag.attributes[name] = at('=') ? value() : std::string();
        }
    }

private:
    bool at(char c) const { return pos_ < page_.size() && page_[pos_] == c; }

    void skipSpaces()
    {
        pos_ = skipBlanks(page_, pos_, htmlSpaces);
    }

    std::string_view word()
    {
        const std::size_t start = pos_;
        while (pos_ < page_.size() && !isSpace(page_[pos_]) && page_[pos_] != '>'
               && page_[pos_] != '=' && (page_[pos_] != '/' || pos_ == start))
            ++pos_;
        return page_.substr(start, pos_ - start);
    }

    std::string value()
    {
        ++pos_;  // the "="
        skipSpaces();
        if (at('"') || at('\'')) {
            const char quote = page_[pos_];
            const std::size_t close = page_.find(quote, pos_ + 1);
            const std::size_t end = close == std::string_view::npos ? page_.size() : close;
            std::string text(page_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = std::min(end + 1, page_.size());
            return text;
        }
        const std::size_t start = pos_;
        while (pos_ < page_.size() && !isSpace(page_[pos_]) && page_[pos_] != '>')
            ++pos_;
        return std::string(page_.substr(start, pos_ - start));
    }

    std::string_view page_;
    std::size_t pos_;
};

// Where the markup goes on after an element whose text is no markup.
std::size_t afterRawText(std::string_view page, std::string_view lowerPage, const HtmlTag& tag)
{
    if (tag.name != "script" && tag.name != "style")
        return tag.end;
    const std::size_t close = lowerPage.find("</" + tag.name, tag.end);
    return close == std::string_view::npos ? page.size() : close;
}

}  // namespace

std::string asciiLowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return c < 128 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c);
    });
    return out;
}

int lineAt(std::string_view bytes, std::size_t offset)
{
    const auto upTo = bytes.substr(0, std::min(offset, bytes.size()));
    return 1 + static_cast<int>(std::count(upTo.begin(), upTo.end(), '\n'));
}

void forEachTag(std::string_view page, const std::function<void(const HtmlTag& tag)>& found)
{
    const std::string lowerPage = asciiLowered(page);
    std::size_t pos = 0;
    int line = 1;
    std::size_t lineCounted = 0;
    while ((pos = page.find('<', pos)) != std::string_view::npos) {
        line += static_cast<int>(std::count(page.begin() + static_cast<std::ptrdiff_t>(lineCounted),
                                            page.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
        lineCounted = pos;
        if (page.substr(pos, 4) == "<!--") {
            const std::size_t close = page.find("-->", pos + 4);
            pos = close == std::string_view::npos ? page.size() : close + 3;
            continue;
        }
        const bool isTag = pos + 1 < page.size()
                           && (std::isalpha(static_cast<unsigned char>(page[pos + 1])) || page[pos + 1] == '/');
        if (!isTag) {
            ++pos;
            continue;
        }
        HtmlTag tag;
        tag.line = line;
        tag.begin = pos;
        tag.end = TagReader(page, pos + 1).read(tag);
        found(tag);
        pos = afterRawText(page, lowerPage, tag);
    }
}

}  // namespace lexoria
