#pragma once

#include <string>
#include <string_view>

namespace lexoria {

// Comma-separated fields read one after another, regardless of lines, as the
// index file "Wlist.idx" is written:
//  - a field that begins with a double quote runs to the next double quote,
//    commas and all; the quotes are not part of it, and it must close on
//    its own line;
//  - any other field runs to the next comma or line end, with the spaces and
//    tabs around it trimmed;
//  - a comma or a line end (CR LF, LF or CR) ends a field, and the line end
//    after the last field of a line goes with it; lines that hold nothing
//    but spaces and tabs are skipped.
// The bytes must outlive the reader.
class ListInput {
public:
    ListInput(std::string_view bytes, std::string path);

    // True when no field is left.
    bool atEnd() const;

    // The next field. Throws FileError naming the file and line when no
    // field is left, a quote is not closed, or text follows a closing quote.
    std::string readField();

    // The line, counted from 1, where the next field begins.
    int lineNumber() const;

    // Drops what is left of the current line, so that reading can go on at
    // the next one after readField has thrown: a checker lists every bad
    // record, not only the first.
    void skipRestOfLine();

private:
    bool atLineEnd() const;
    void skipBlanks();
    void skipBlankLines();
    void consumeLineEnd();
    std::string readQuoted();
    std::string readUnquoted();
    void endField();
    [[noreturn]] void fail(const std::string& what) const;

    std::string_view bytes_;
    std::string path_;
    std::size_t pos_ = 0;
    int line_ = 1;
    bool fieldAfterComma_ = false;  // a comma at the end of the file still promises a field
};

}  // namespace lexoria
