#pragma once
// Message box styles and answers, numbered as the platform numbers them.
// Plain C++, for every front end.

namespace tapfill::platform::MsgBox {
inline constexpr int OkOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Exclamation = 48;
inline constexpr int DefaultButton2 = 256;
inline constexpr int AnswerOk = 1;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;
} // namespace tapfill::platform::MsgBox
