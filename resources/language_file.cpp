#include "resources/language_file.h"

#include "resources/leading_number.h"
#include "base/file_error.h"
#include "base/whole_file.h"

#include <cstdint>

namespace lexoria {

namespace {

// Every key follows a four-character prefix that holds the line's number.
constexpr std::size_t prefixLength = 4;

// Cuts the next line off the front of rest, its line end into lineEnd.
std::string_view takeLine(std::string_view& rest, std::string_view& lineEnd)
{
    std::size_t end = rest.find('\r');
    std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
        rest = lineEnd = {};
        return line;
    }
    std::size_t next = end + 1;
    if (next < rest.size() && rest[next] == '\n')
        ++next;
    lineEnd = rest.substr(end, next - end);
    rest.remove_prefix(next);
    return line;
}

// Cuts the next line off the front of rest. A line ends at CR LF or at a lone
// CR; a lone LF stays inside the line, so LF-only files are one line.
std::string_view takeLine(std::string_view& rest)
{
    std::string_view lineEnd;
    return takeLine(rest, lineEnd);
}

// The key of a line, which follows its four-character number field and runs
// to the first ':'.
std::string_view keyOf(std::string_view line)
{
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon <= prefixLength)
        return {};
    return line.substr(prefixLength, colon - prefixLength);
}

void setButtonTip(LanguageTexts& texts, std::int16_t number, std::string_view value,
                  const std::string& path, int lineNumber)
{
    if (number < 0 || static_cast<std::size_t>(number) >= texts.buttonTips.size())
        throw FileError(path, lineNumber,
                        "button number " + std::to_string(number) + " names no picture button (0..12)");
    texts.buttonTips[static_cast<std::size_t>(number)] = std::string(value);
}

void applyLine(std::string_view line, LanguageTexts& texts, const std::string& path,
               int lineNumber)
{
    std::optional<std::int16_t> number = leadingNumber(line);
    if (!number)
        throw FileError(path, lineNumber, "the number at the start of the line is outside -32768..32767");
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        throw FileError(path, lineNumber, "no ':' in the line");

    std::string_view key = keyOf(line);
    std::string_view value = line.substr(colon + 1);
    if (key == "Button")
        setButtonTip(texts, *number, value, path, lineNumber);
    else if (key == "Frame")
        texts.frameCaption = std::string(value);
    else if (key == "NotFound")
        texts.strNotFound = value;
    else if (key == "strFoundHtml")
        texts.strFoundHtml = value;
    else if (key == "strTitula")
        texts.strTitula = value;
    else if (key == "strCopy")
        texts.strCopy = value;
}

}  // namespace

std::string withTitula(std::string_view bytes, std::string_view title)
{
    std::string out;
    bool titled = false;
    std::string_view rest = bytes, lineEnd;
    while (!rest.empty()) {
        std::string_view line = takeLine(rest, lineEnd);
        if (keyOf(line) == "strTitula") {
            out.append(line.substr(0, line.find(':') + 1)).append(title);
            titled = true;
        } else {
            out.append(line);
        }
        out.append(lineEnd);
    }
    if (!titled)
        out.append(out.empty() || out.ends_with("\r\n") ? "" : "\r\n").append("00  strTitula:").append(title).append("\r\n");
    return out;
}

void readLanguageTexts(const std::string& path, LanguageTexts& texts)
{
    parseLanguageTexts(readWholeFile(path), path, texts);
}

void parseLanguageTexts(std::string_view bytes, const std::string& path, LanguageTexts& texts)
{
    parseLanguageTexts(bytes, path, texts, [](const FileError& badLine) { throw badLine; });
}

void parseLanguageTexts(std::string_view bytes, const std::string& path, LanguageTexts& texts,
                      const std::function<void(const FileError& badLine)>& badLine)
{
    std::string_view rest = bytes;
    for (int lineNumber = 1; !rest.empty(); ++lineNumber) {
        std::string_view line = takeLine(rest);
        if (line.empty())
            continue;
        try {
            applyLine(line, texts, path, lineNumber);
        } catch (const FileError& error) {
            badLine(error);
        }
    }
}

}  // namespace lexoria
