#include "storage/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace tapfill::storage {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

/// Creates a hidden temporary under a free name; its descriptor, or -1 and errno.
int createNamedTemporary(int dirFd, const std::string& fileName, std::string& tempName)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = temporaryNameFor(fileName);
        const int fd = ::openat(dirFd, tempName.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

/// Gives an unnamed temporary a free hidden name in the folder; 0 or errno.
int linkUnnamedTemporary(int dirFd, int fd, const std::string& fileName, std::string& tempName)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = temporaryNameFor(fileName);
        if (::linkat(AT_FDCWD, self.c_str(), dirFd, tempName.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

void removeLeftovers(int dirFd, const std::filesystem::path& dir, const std::string& fileName)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (isTemporaryFor(name, fileName))
            ::unlinkat(dirFd, name.c_str(), 0);
    }
}

} // namespace

int replaceFileAtomically(const std::filesystem::path& target, std::string_view bytes, TempFile kind)
{
    const std::filesystem::path dir = target.has_parent_path() ? target.parent_path() : ".";
    const std::string fileName = target.filename().string();
    FileDescriptor dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() < 0)
        return errno;

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    FileDescriptor file;
    std::string tempName;
    bool named = kind == TempFile::Named;
    if (!named) {
        file.reset(::openat(dirFd.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        if (file.get() < 0) {
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                return errno;
            named = true; // the file system has no unnamed files
        }
    }
    if (named) {
        file.reset(createNamedTemporary(dirFd.get(), fileName, tempName));
        if (file.get() < 0)
            return errno;
    }
    const auto fail = [&](int error) {
        file.reset();
        if (!tempName.empty())
            ::unlinkat(dirFd.get(), tempName.c_str(), 0);
        return error;
    };

    // Owner first: changing it may clear set-id bits that the mode restores.
    // Both are best effort: only root may give a file away, and some file
    // systems (FAT) keep neither.
    if (replacing)
        std::ignore = ::fchown(file.get(), old.st_uid, old.st_gid);
    std::ignore = ::fchmod(file.get(), replacing ? (old.st_mode & 07777) : 0600);

    if (const int error = writeAll(file.get(), bytes))
        return fail(error);
    if (::fsync(file.get()) != 0)
        return fail(errno);
    if (!named) {
        if (const int error = linkUnnamedTemporary(dirFd.get(), file.get(), fileName, tempName)) {
            tempName.clear();
            if (error == ENOENT) // no /proc to link through
                return replaceFileAtomically(target, bytes, TempFile::Named);
            return fail(error);
        }
    }
    if (::renameat(dirFd.get(), tempName.c_str(), dirFd.get(), fileName.c_str()) != 0)
        return fail(errno);
    tempName.clear();
    file.reset();
    // The rename itself must reach the disk; a folder that cannot be synced
    // (some file systems refuse) still holds the new file.
    std::ignore = ::fsync(dirFd.get());
    removeLeftovers(dirFd.get(), dir, fileName);
    return 0;
}

} // namespace tapfill::storage
