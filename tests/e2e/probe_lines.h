#pragma once
// The line protocol of the platform probes: reports out on stdout, each
// starting with the monotonic clock in microseconds, and commands in, with
// "\n", "\r" and "\t" written as escapes.

#include <chrono>
#include <cstdio>
#include <string>

inline void say(const std::string& line)
{
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::steady_clock::now().time_since_epoch())
                         .count();
    std::printf("%lld %s\n", static_cast<long long>(now), line.c_str());
    std::fflush(stdout);
}

inline std::string unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        } else {
            out += text[i];
        }
    }
    return out;
}
