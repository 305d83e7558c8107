#pragma once
// UTF-8 in both directions, forgiving on input: text from a damaged file or a
// careless caller must never stop a read or a save.

#include <cstddef>
#include <string>
#include <string_view>

namespace tapfill::text {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

/// Decodes the code point at `pos` and moves `pos` past it. A byte that does
/// not start a well-formed sequence (stray continuation, overlong form,
/// surrogate, beyond U+10FFFF, cut short) gives U+FFFD and moves one byte on.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);

void appendUtf8(std::string& out, char32_t codePoint);

} // namespace tapfill::text
