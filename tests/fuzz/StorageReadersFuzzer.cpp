// Feeds arbitrary bytes to every data file reader, and checks that what a
// reader takes from a file is saved and read back unchanged.
#include "storage/DataFileFormats.h"
#include "storage/NumberText.h"
#include "storage/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace tapfill::storage;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void oneLineFile(std::string_view file)
{
    OneLineFile data;
    parseOneLineFile(file, data);
    require(std::isfinite(data.left) && std::isfinite(data.top));
    OneLineFile back;
    parseOneLineFile(formatOneLineFile(data), back);
    require(back.fields == data.fields);
    // Positions go through single precision and seven digits.
    require(std::fabs(back.left - data.left) <= 1e-6 * std::fabs(data.left) + 1e-30 || std::fabs(data.left) < 1e-37);
}

void personalFile(std::string_view file)
{
    std::array<std::string, 11> data{};
    parsePersonalFile(file, data);
    std::array<std::string, 10> texts;
    std::copy_n(data.begin(), 10, texts.begin());
    std::array<std::string, 11> back{};
    parsePersonalFile(formatPersonalFile(texts), back);
    require(back == data);
}

void multiLineFile(std::string_view file)
{
    std::string text = "unchanged";
    parseMultiLineFile(file, text);
    std::string back;
    parseMultiLineFile(formatMultiLineFile(text), back);
    require(back == text);
    // An old file (no mark) that ends as the writer ends it is rewritten byte for byte.
    if (!file.starts_with(ByteOrderMark) && file.ends_with("\r\n"))
        require(formatMultiLineFile(text) == file);
}

void captionFile(std::string_view file)
{
    std::array<std::string, 13> data{};
    parseCaptionFile(file, data);
    std::array<std::string, 13> back{};
    parseCaptionFile(formatCaptionFile(data), back);
    require(std::equal(data.begin(), data.begin() + 12, back.begin()) && back[12].empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(bytes), size);
    oneLineFile(file);
    personalFile(file);
    multiLineFile(file);
    captionFile(file);
    const double number = readNumber(file);
    require(std::isfinite(number));
    return 0;
}
