#include "base/whole_file.h"

#include "base/file_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexoria {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { if (fd_ >= 0) ::close(fd_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::string readWholeFile(const std::string& path)
{
    std::string bytes;
    readWholeFile(path, bytes);
    return bytes;
}

void readWholeFile(const std::string& path, std::string& bytes)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw FileError(fileMessage(path, "cannot open: " + systemReason()));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throw FileError(fileMessage(path, "cannot read: " + systemReason()));
    if (!S_ISREG(info.st_mode))
        throw FileError(fileMessage(path, "is not a regular file"));

    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileError(fileMessage(path, "cannot read: " + systemReason()));
        if (got == 0)
            break;  // the file shrank while we read it
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
}

}  // namespace lexoria
