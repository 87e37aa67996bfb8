#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lexoria {

class FileError;

// What a check of a statute found, one entry a line in the form compilers
// use, "file:line: what is wrong" (no line where there is none). Errors keep
// the reader from starting or searching correctly; notes do not.
class ProblemList {
public:
    void error(const std::string& file, int line, const std::string& what);
    void error(const std::string& file, const std::string& what) { error(file, 0, what); }
    void error(const FileError& failure);
    void note(const std::string& file, const std::string& what);

    int errorCount() const { return errors_; }

    // Every entry, then a line that counts them, ending in whenSound when
    // there is no error.
    void print(std::ostream& out, const std::string& whenSound) const;

private:
    std::vector<std::string> lines_;
    int errors_ = 0;
    int notes_ = 0;
};

// The file at path, read whole; when it cannot be read, that is a problem
// and the result is empty.
std::optional<std::string> readOrReport(const std::string& path, ProblemList& problems);

}  // namespace lexoria
