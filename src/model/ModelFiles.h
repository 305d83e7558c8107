#pragma once
// The model to and from the data files: the window position, the one-line
// fields, the personal data, the multi-line fields and their descriptions.

#include "model/AppModel.h"
#include "storage/DataFiles.h"

#include <filesystem>
#include <vector>

namespace tapfill::model {

/// Reads every data file into the model. What a file lacks keeps the value
/// the model had, the window position included.
void loadDataFiles(const std::filesystem::path& dir, AppModel& model);

/// SAVE of the main window: the position, the one-line fields, the
/// descriptions and the multi-line fields. Each file is written on its own;
/// the failures are listed and those files keep their old content.
std::vector<storage::WriteFailure> saveMainWindowData(const std::filesystem::path& dir, const AppModel& model);

/// The personal data window's SAVE. The model takes the texts only once
/// they are on disk, so what is saved and what is in use stay the same.
std::optional<storage::WriteFailure> savePersonalData(const std::filesystem::path& dir, AppModel& model,
                                                      const std::array<std::string, PersonalFieldCount>& texts);

/// Multi-line files break lines with CR LF; the model with LF.
std::string fromFileLineBreaks(const std::string& fileText);
std::string toFileLineBreaks(const std::string& text);

} // namespace tapfill::model
