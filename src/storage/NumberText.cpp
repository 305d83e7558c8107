#include "storage/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tapfill::storage {
namespace {

bool isIgnored(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipDigits(std::string_view s, std::size_t p)
{
    while (p < s.size() && isDigit(s[p]))
        ++p;
    return p;
}

} // namespace

double readNumber(std::string_view text)
{
    std::string s;
    for (const char c : text) {
        if (!isIgnored(c))
            s += c;
    }
    std::size_t p = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+'))
        ++p;
    const std::size_t mantissa = p;
    p = skipDigits(s, p);
    std::size_t digits = p - mantissa;
    if (p < s.size() && s[p] == '.') {
        const std::size_t fraction = p + 1;
        p = skipDigits(s, fraction);
        digits += p - fraction;
    }
    if (digits == 0)
        return 0;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < s.size() && (s[q] == '-' || s[q] == '+'))
            ++q;
        if (q < s.size() && isDigit(s[q]))
            p = skipDigits(s, q); // an exponent counts only with digits
    }
    // from_chars does not depend on the locale, which the toolkit sets from
    // the environment (a German locale would otherwise expect a comma).
    double value = 0;
    const auto [end, error] = std::from_chars(s.data() + mantissa, s.data() + p, value);
    if (error != std::errc() || end != s.data() + p)
        return 0; // beyond the range of a double: no usable number
    return negative ? -value : value;
}

std::string writeNumber(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    float single = 0;
    if (std::isfinite(value) && std::fabs(value) <= largest)
        single = static_cast<float>(value);
    if (single == 0)
        single = 0; // no "-0"
    // Seven significant digits, as the Windows versions printed a single.
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, single, std::chars_format::general, 7);
    std::string number(digits, result.ptr);
    for (char& c : number) {
        if (c == 'e')
            c = 'E';
    }
    // They also left out the zero before the decimal point: ".5", "-.5".
    const std::size_t zero = number[0] == '-' ? 1 : 0;
    if (number.size() > zero + 1 && number[zero] == '0' && number[zero + 1] == '.')
        number.erase(zero, 1);
    return (single < 0 ? "" : " ") + number + " ";
}

} // namespace tapfill::storage
