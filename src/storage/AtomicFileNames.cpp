// The names of the temporaries a file is written to before it replaces the
// old one, on every system.

#include "storage/AtomicFile.h"

#include <random>
#include <unistd.h>

namespace tapfill::storage {
namespace {
constexpr std::string_view TempMarker = ".tmp-";
} // namespace

std::string temporaryNameFor(const std::string& fileName)
{
    thread_local std::mt19937_64 random(std::random_device{}() ^ static_cast<unsigned>(::getpid()));
    static constexpr char hex[] = "0123456789abcdef";
    std::string name = "." + fileName + std::string(TempMarker);
    auto bits = random();
    for (int i = 0; i < 12; ++i, bits >>= 4)
        name += hex[bits & 15];
    return name;
}

bool isTemporaryFor(std::string_view entryName, std::string_view fileName)
{
    return entryName.size() > 1 + fileName.size() + TempMarker.size() && entryName[0] == '.'
        && entryName.substr(1, fileName.size()) == fileName
        && entryName.substr(1 + fileName.size(), TempMarker.size()) == TempMarker;
}

} // namespace tapfill::storage
