#pragma once
// A fresh folder per test, sample data for SAVE, and whole-file helpers.

#include "storage/DataFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

namespace tapfill::storage::test {

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tapfill-storage-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code error;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::set<std::string> entries(const std::filesystem::path& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

inline std::map<std::string, std::string> snapshot(const std::filesystem::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& name : entries(dir))
        files[name] = readBytes(dir / name);
    return files;
}

/// Everything SAVE writes, every value told apart by `tag`; `padding` makes
/// the multi-line texts large.
struct SaveSet {
    OneLineFile oneLine;
    std::array<std::string, 13> descriptions{};
    std::array<std::string, 12> multiLine{};

    explicit SaveSet(const std::string& tag, std::size_t padding = 0)
    {
        oneLine.left = static_cast<double>(tag.size());
        for (int i = 0; i < 12; ++i) {
            oneLine.fields[i] = tag + " line " + std::to_string(i);
            descriptions[i] = tag + " caption " + std::to_string(i);
            multiLine[i] = tag + std::string(padding, '.') + " text\r\n" + std::to_string(i);
        }
    }
    std::vector<WriteFailure> save(const std::filesystem::path& dir) const
    {
        return saveMainWindowData(dir, oneLine, descriptions, multiLine);
    }
};

} // namespace tapfill::storage::test
