#include "base/file_replacement.h"

#include "base/file_error.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace lexoria {

namespace {

constexpr mode_t replacementMode = 0644;  // the HTML view may run under another account

// A new file beside the target, removed again unless it is renamed over it.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : target_(target), path_(target + ".XXXXXX")
    {
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0)
            fail("cannot create a file beside it: " + systemReason());
    }

    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!renamed_)
            ::unlink(path_.c_str());
    }

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0)
                fail("cannot write: " + systemReason());
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    // Makes the bytes durable and readable, then puts them in the target's place.
    void commit()
    {
        if (::fchmod(fd_, replacementMode) != 0 || ::fsync(fd_) != 0)
            fail("cannot write: " + systemReason());
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0)
            fail("cannot write: " + systemReason());
        if (std::rename(path_.c_str(), target_.c_str()) != 0)
            fail("cannot replace: " + systemReason());
        renamed_ = true;
    }

private:
    [[noreturn]] void fail(const std::string& what) const { throw FileError(fileMessage(target_, what)); }

    const std::string& target_;
    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};

}  // namespace

void replaceFile(const std::string& path, std::string_view bytes)
{
    TemporaryFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace lexoria
