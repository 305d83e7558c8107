#include "storage/DataFileIo.h"

#include "storage/AtomicFile.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

namespace tapfill::storage {

namespace {

int openForReading(const std::filesystem::path& file)
{
#ifdef _WIN32
    return ::_wopen(file.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
#else
    // Non-blocking, so that opening a FIFO cannot hang start-up.
    return ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
#endif
}

} // namespace

std::optional<std::string> readDataFile(const std::filesystem::path& file)
{
    const int fd = openForReading(file);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)
        && static_cast<std::uintmax_t>(info.st_size) <= MaxDataFileBytes) {
        // The size is a hint only: the file may change while it is read.
        std::string content;
        content.reserve(static_cast<std::size_t>(info.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 || content.size() + static_cast<std::size_t>(got) > MaxDataFileBytes)
                break;
            if (got == 0) {
                bytes = std::move(content);
                break;
            }
            content.append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    return bytes;
}

std::optional<WriteFailure> writeDataFile(const std::filesystem::path& dir, const std::string& name,
                                          std::string_view bytes)
{
    if (bytes.size() > MaxDataFileBytes)
        return WriteFailure{name, "The text is too long to be stored (more than "
                                      + std::to_string(MaxDataFileBytes >> 20) + " MB)"};
    if (const int error = replaceFileAtomically(dir / name, bytes))
        return WriteFailure{name, std::generic_category().message(error)};
    return std::nullopt;
}

} // namespace tapfill::storage
