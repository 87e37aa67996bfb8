#pragma once

#include "resources/button_count.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lexoria {

// What a language file sets. Texts are the file's bytes, unchanged; a target
// that no line names keeps whatever the caller put in it.
struct LanguageTexts {
    std::string strNotFound, strFoundHtml, strTitula, strCopy;
    std::optional<std::string> frameCaption;
    std::array<std::optional<std::string>, buttonCount> buttonTips;
};

// Reads "slo.lng"-style lines of the form "NNNNKey:value" into texts, later
// lines replacing earlier ones. Throws FileError naming the file, and the
// 1-based line where a line is at fault.
void readLanguageTexts(const std::string& path, LanguageTexts& texts);

// The same for the bytes of a language file already in memory; path only
// names the file in messages.
void parseLanguageTexts(std::string_view bytes, const std::string& path, LanguageTexts& texts);

// The language file's bytes with the value of every "strTitula" line, the
// title of the statute, replaced by title (bytes as the file holds them);
// a file without such a line gets one at its end. Every other byte stays.
std::string withTitula(std::string_view bytes, std::string_view title);

class FileError;

// The same, but each bad line goes to badLine and reading goes on with the
// next one, so that a checker can list every bad line.
void parseLanguageTexts(std::string_view bytes, const std::string& path, LanguageTexts& texts,
                      const std::function<void(const FileError& badLine)>& badLine);

}  // namespace lexoria
