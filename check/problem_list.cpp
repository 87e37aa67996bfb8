#include "check/problem_list.h"

#include "base/file_error.h"
#include "base/whole_file.h"

namespace lexoria {

namespace {

std::string counted(int count, const std::string& thing)
{
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

}  // namespace

void ProblemList::error(const std::string& file, int line, const std::string& what)
{
    lines_.push_back(file + (line > 0 ? ":" + std::to_string(line) : "") + ": " + what);
    ++errors_;
}

// The core's failures that name no line already read "file: what".
void ProblemList::error(const FileError& failure)
{
    if (failure.path().empty()) {
        lines_.push_back(failure.what());
        ++errors_;
        return;
    }
    error(failure.path(), failure.line(), failure.problem());
}

void ProblemList::note(const std::string& file, const std::string& what)
{
    lines_.push_back(file + ": note: " + what);
    ++notes_;
}

void ProblemList::print(std::ostream& out, const std::string& whenSound) const
{
    for (const std::string& line : lines_)
        out << line << '\n';
    out << (errors_ == 0 ? std::string("no problems") : counted(errors_, "problem"));
    if (notes_ > 0)
        out << ", " << counted(notes_, "note");
    out << (errors_ == 0 ? ": " + whenSound + "\n" : "\n");
}

std::optional<std::string> readOrReport(const std::string& path, ProblemList& problems)
{
    try {
        return readWholeFile(path);
    } catch (const FileError& unreadable) {
        problems.error(unreadable);
        return std::nullopt;
    }
}

}  // namespace lexoria
