#pragma once

namespace tapfill {

inline constexpr int VersionMajor = 3;
inline constexpr int VersionMinor = 0;
inline constexpr int VersionRevision = 5;
inline constexpr const char* ApplicationTitle = "Tapfill";
inline constexpr const char* VersionText = "3.0.5";

} // namespace tapfill
