#pragma once

#include <stdexcept>
#include <string>

namespace lexoria {

// A file the reader needs is missing or malformed. The message names the
// file, and the line where there is one, so the user can mend it.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // The message "path: what" or "path line N: what", with its parts kept
    // apart for tools that list problems in another form.
    FileError(const std::string& path, int line, const std::string& what);

    const std::string& path() const { return path_; }
    int line() const { return line_; }  // 0 when no line is named
    const std::string& problem() const { return problem_; }

private:
    std::string path_;
    int line_ = 0;
    std::string problem_;
};

// Why the last system call failed, in the system's words.
std::string systemReason();

// "path: what" or "path line N: what".
std::string fileMessage(const std::string& path, const std::string& what);
std::string fileMessage(const std::string& path, int line, const std::string& what);

}  // namespace lexoria
