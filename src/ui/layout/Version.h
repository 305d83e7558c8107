#pragma once
// The product's name and version, for the windows' captions, the splash and
// --version. Plain C++, so that every front end takes them from here.

namespace tapfill {

inline constexpr int VersionMajor = 3;
inline constexpr int VersionMinor = 0;
inline constexpr int VersionRevision = 5;
inline constexpr const char* ApplicationTitle = "Tapfill";
inline constexpr const char* VersionText = "3.0.5";

} // namespace tapfill
