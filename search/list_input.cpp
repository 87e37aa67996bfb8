#include "search/list_input.h"

#include "base/blanks.h"
#include "base/file_error.h"

namespace lexoria {

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

ListInput::ListInput(std::string_view bytes, std::string path)
    : bytes_(bytes), path_(std::move(path))
{
    skipBlankLines();
}

bool ListInput::atEnd() const
{
    return pos_ == bytes_.size() && !fieldAfterComma_;
}

int ListInput::lineNumber() const
{
    return line_;
}

std::string ListInput::readField()
{
    if (atEnd())
        fail("the file ends where a field is expected");
    fieldAfterComma_ = false;
    skipBlanks();
    std::string field = pos_ < bytes_.size() && bytes_[pos_] == '"' ? readQuoted() : readUnquoted();
    endField();
    return field;
}

void ListInput::skipRestOfLine()
{
    while (pos_ < bytes_.size() && !atLineEnd())
        ++pos_;
    fieldAfterComma_ = false;
    if (pos_ < bytes_.size())
        consumeLineEnd();
    skipBlankLines();
}

bool ListInput::atLineEnd() const
{
    return pos_ < bytes_.size() && isLineEnd(bytes_[pos_]);
}

void ListInput::skipBlanks()
{
    pos_ = lexoria::skipBlanks(bytes_, pos_, listBlanks);
}

void ListInput::skipBlankLines()
{
    for (;;) {
        std::size_t lineStart = pos_;
        skipBlanks();
        if (!atLineEnd()) {
            if (pos_ < bytes_.size())
                pos_ = lineStart;  // the blanks belong to this line's first field
            return;
        }
        consumeLineEnd();
    }
}

void ListInput::consumeLineEnd()
{
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

std::string ListInput::readQuoted()
{
    const std::size_t start = pos_ + 1;
    std::size_t close = start;
    while (close < bytes_.size() && bytes_[close] != '"') {
        if (isLineEnd(bytes_[close]))
            fail("a double quote is not closed on its line");
        ++close;
    }
    if (close == bytes_.size())
        fail("a double quote is not closed on its line");
    pos_ = close + 1;
    skipBlanks();
    if (pos_ < bytes_.size() && bytes_[pos_] != ',' && !atLineEnd())
        fail("text follows the closing double quote of a field");
    return std::string(bytes_.substr(start, close - start));
}

std::string ListInput::readUnquoted()
{
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !atLineEnd())
        ++pos_;
    std::size_t end = pos_;
    while (end > start && isOneOf(listBlanks, bytes_[end - 1]))
        --end;
    return std::string(bytes_.substr(start, end - start));
}

void ListInput::endField()
{
    if (pos_ == bytes_.size())
        return;
    if (bytes_[pos_] == ',') {
        ++pos_;
        fieldAfterComma_ = true;
        return;
    }
    consumeLineEnd();
    skipBlankLines();
}

void ListInput::fail(const std::string& what) const
{
    throw FileError(path_, line_, what);
}

}  // namespace lexoria
