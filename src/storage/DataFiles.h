#pragma once
// The fifteen data files beside the program: layouts, readers and writers.
//
//   F3.dat         left, top (twips), then the twelve one-line fields
//   TF.dat         the ten personal data fields
//   MLT1..12.DAT   one multi-line field each, followed by CR LF
//   CAPTION.dat    the twelve descriptions of the multi-line fields
//
// Every line ends with CR LF. A reader takes CR LF or a lone CR as the end of
// a line; a lone LF belongs to the line. Texts are stored in Windows code page
// 1252 when every character fits, otherwise the file is UTF-8 behind a
// byte-order mark; readers accept both. In memory every text is UTF-8.
//
// Readers never fail: a missing or short file leaves the values it does not
// hold as they were. Writers replace a file whole or not at all.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tapfill::storage {

/// What "F3.dat" holds: the main window's position and the one-line fields.
struct OneLineFile {
    double left = 0; ///< twips
    double top = 0;  ///< twips
    std::array<std::string, 12> fields{};
};

/// A file that could not be written, and why, in words for the user.
struct WriteFailure {
    std::string file;
    std::string reason;
};

inline constexpr const char* OneLineFileName = "F3.dat";
inline constexpr const char* PersonalFileName = "TF.dat";
inline constexpr const char* CaptionFileName = "CAPTION.dat";
/// "MLT1.DAT" .. "MLT12.DAT" for k = 0 .. 11.
std::string multiLineFileName(int k);

void readOneLineFile(const std::filesystem::path& dir, OneLineFile& data);
/// Reads slots 0..9.
void readPersonalFile(const std::filesystem::path& dir, std::array<std::string, 11>& personal);
void readMultiLineFiles(const std::filesystem::path& dir, std::array<std::string, 12>& fields);
/// Reads at most 13 lines, into slots 0..12.
void readCaptionFile(const std::filesystem::path& dir, std::array<std::string, 13>& descriptions);

std::optional<WriteFailure> writeOneLineFile(const std::filesystem::path& dir, const OneLineFile& data);
/// Writes slots 0..11; slot 12 never reaches the file.
std::optional<WriteFailure> writeCaptionFile(const std::filesystem::path& dir,
                                             const std::array<std::string, 13>& descriptions);
std::optional<WriteFailure> writeMultiLineFile(const std::filesystem::path& dir, int k,
                                               const std::string& text);
std::optional<WriteFailure> writePersonalFile(const std::filesystem::path& dir,
                                              const std::array<std::string, 10>& texts);

/// SAVE: "F3.dat", "CAPTION.dat", then MLT1.DAT .. MLT12.DAT, each on its own;
/// a file that fails keeps its old content and the others are still written.
std::vector<WriteFailure> saveMainWindowData(const std::filesystem::path& dir, const OneLineFile& oneLine,
                                             const std::array<std::string, 13>& descriptions,
                                             const std::array<std::string, 12>& multiLine);

} // namespace tapfill::storage
