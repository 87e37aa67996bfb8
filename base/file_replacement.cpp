#include "base/file_replacement.h"

#include "base/file_error.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace lexoria {

namespace {

namespace fs = std::filesystem;

constexpr mode_t newFileMode = 0644;  // the HTML view may run under another account
// mkstemp fills in the six X; no one names a file of their own like this.
constexpr std::string_view temporaryMark = ".partial-";
// No write takes this long: a temporary file older than this was left by a
// writer that was killed.
constexpr auto abandonedAfter = std::chrono::minutes(10);

// The read and write bits of the file that is replaced, so that a file made
// private or shared on purpose stays so; a new file gets newFileMode. Bytes
// written here are data: they never become a program, let alone one that
// runs with its owner's or group's rights.
mode_t modeFor(const std::string& target)
{
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 0666;
    return newFileMode;
}

// Removes the temporary files that killed writers left beside the target:
// the target's name, the mark and six characters, older than any write.
void removeAbandonedTemporaries(const fs::path& target)
{
    const std::string prefix = target.filename().string() + std::string(temporaryMark);
    const auto cutoff = fs::file_time_type::clock::now() - abandonedAfter;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(target.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        const bool temporary = name.size() == prefix.size() + 6 && name.starts_with(prefix);
        if (temporary && entry.is_regular_file(error) && entry.last_write_time(error) < cutoff)
            fs::remove(entry.path(), error);
    }
}

// A new file beside the target, removed again unless it is renamed over it.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : target_(target), path_(target + std::string(temporaryMark) + "XXXXXX")
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

    // Makes the bytes durable and readable, puts them in the target's place,
    // then makes the new name durable too: until the folder is synced, a
    // crash may bring back the earlier file.
    void commit(mode_t mode)
    {
        if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0)
            fail("cannot write: " + systemReason());
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0)
            fail("cannot write: " + systemReason());
        if (std::rename(path_.c_str(), target_.c_str()) != 0)
            fail("cannot replace: " + systemReason());
        renamed_ = true;
        syncFolder();
    }

private:
    // The new file is in place by now: a folder that will not sync (some
    // file systems refuse) leaves it as durable as they make it.
    void syncFolder() const
    {
        const std::string folder = fs::path(target_).parent_path().string();
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        ::fsync(fd);
        ::close(fd);
    }

    [[noreturn]] void fail(const std::string& what) const { throw FileError(fileMessage(target_, what)); }

    const std::string& target_;
    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};

}  // namespace

void replaceFile(const std::string& path, std::string_view bytes)
{
    removeAbandonedTemporaries(path);
    TemporaryFile file(path);
    file.write(bytes);
    file.commit(modeFor(path));
}

}  // namespace lexoria
