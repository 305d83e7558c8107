// Replacing a file on Windows, with the C runtime alone: the bytes go to a
// named temporary beside the file, are committed to the disk, and the
// temporary is renamed over the file (MoveFileEx with REPLACE_EXISTING,
// which the standard library's rename uses there).

#include "storage/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <system_error>

namespace tapfill::storage {
namespace {

int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const unsigned chunk = bytes.size() > INT_MAX / 2 ? INT_MAX / 2 : static_cast<unsigned>(bytes.size());
        const int written = ::_write(fd, bytes.data(), chunk);
        if (written < 0)
            return errno;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

/// Creates a temporary under a free name in `dir`; its descriptor, or -1 and errno.
int createNamedTemporary(const std::filesystem::path& dir, const std::string& fileName, std::filesystem::path& temp)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = dir / temporaryNameFor(fileName);
        const int fd = ::_wopen(temp.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT,
                                _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void removeLeftovers(const std::filesystem::path& dir, const std::string& fileName)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        if (isTemporaryFor(entry.path().filename().string(), fileName))
            std::filesystem::remove(entry.path(), error);
}

} // namespace

int replaceFileAtomically(const std::filesystem::path& target, std::string_view bytes, TempFile)
{
    const std::filesystem::path dir = target.has_parent_path() ? target.parent_path() : ".";
    const std::string fileName = target.filename().string();
    std::error_code error;
    const auto dirStatus = std::filesystem::status(dir, error);
    if (error)
        return error.value();
    if (!std::filesystem::is_directory(dirStatus))
        return ENOTDIR;

    std::filesystem::path temp;
    const int fd = createNamedTemporary(dir, fileName, temp);
    if (fd < 0)
        return errno;
    int failed = writeAll(fd, bytes);
    if (!failed && ::_commit(fd) != 0)
        failed = errno;
    ::_close(fd);
    if (!failed) {
        std::filesystem::rename(temp, target, error);
        failed = error ? error.value() : 0;
    }
    if (failed) {
        std::filesystem::remove(temp, error);
        return failed;
    }
    removeLeftovers(dir, fileName);
    return 0;
}

} // namespace tapfill::storage
