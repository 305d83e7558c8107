#pragma once
// Where the running flag lives in the per-user settings: "1" while a copy
// runs, "0" after an orderly stop. Older versions, and other programs,
// still read it.

namespace tapfill {

inline constexpr const char* RunningFlagApplication = "lockfiles";
inline constexpr const char* RunningFlagSection = "startit";
inline constexpr const char* RunningFlagKey = "FL1";

} // namespace tapfill
