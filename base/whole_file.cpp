#include "base/whole_file.h"

#include "base/file_error.h"

#include <cerrno>
#include <new>
#include <string>
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

// Larger files are no statute's page, index, language file or picture: a
// sparse file of that size would fill the memory with zeros.
constexpr off_t largestFile = off_t{1} << 30;

void refuseUnlessRegular(const std::string& path, const struct stat& info)
{
    if (S_ISDIR(info.st_mode))
        throw FileError(fileMessage(path, "is a folder, not a file"));
    if (!S_ISREG(info.st_mode))
        throw FileError(fileMessage(path, "is not a regular file (a pipe, a socket or a device)"));
    if (info.st_size > largestFile)
        throw FileError(fileMessage(path, "is too large to hold in memory (" + std::to_string(info.st_size)
                                              + " bytes; at most 1 GiB)"));
}

}  // namespace

std::string readWholeFile(const std::string& path)
{
    std::string bytes;
    readWholeFile(path, bytes);
    return bytes;
}

void readWholeFile(const std::string& path, std::string& bytes)
{
    // A FIFO or a device in the file's place would block the open, or the
    // read, for ever: such a file is refused before it is opened, and again
    // should it have been swapped in since.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        throw FileError(fileMessage(path, "cannot open: " + systemReason()));
    refuseUnlessRegular(path, info);
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0)
        throw FileError(fileMessage(path, "cannot open: " + systemReason()));
    if (::fstat(fd.get(), &info) != 0)
        throw FileError(fileMessage(path, "cannot read: " + systemReason()));
    refuseUnlessRegular(path, info);

    try {
        bytes.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        throw FileError(fileMessage(path, "is too large to hold in memory (" + std::to_string(info.st_size) + " bytes)"));
    }
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
