#include "model/ModelFiles.h"

namespace tapfill::model {

std::string fromFileLineBreaks(const std::string& fileText)
{
    // CR LF, a lone CR and a lone LF each become one LF.
    std::string text;
    text.reserve(fileText.size());
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        if (fileText[i] == '\r') {
            text += '\n';
            if (i + 1 < fileText.size() && fileText[i + 1] == '\n')
                ++i;
        } else {
            text += fileText[i];
        }
    }
    return text;
}

std::string toFileLineBreaks(const std::string& text)
{
    std::string fileText;
    fileText.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            fileText += '\r';
        fileText += c;
    }
    return fileText;
}

void loadDataFiles(const std::filesystem::path& dir, AppModel& model)
{
    storage::OneLineFile oneLine;
    oneLine.left = model.windowLeft;
    oneLine.top = model.windowTop;
    for (int i = 0; i < OneLineFieldCount; ++i)
        oneLine.fields[i] = model.text(FieldSet::OneLine, i);
    storage::readOneLineFile(dir, oneLine);
    model.windowLeft = oneLine.left;
    model.windowTop = oneLine.top;
    for (int i = 0; i < OneLineFieldCount; ++i)
        model.setText(FieldSet::OneLine, i, oneLine.fields[i]);

    std::array<std::string, PersonalFieldCount + 1> personal;
    for (int i = 0; i < PersonalFieldCount; ++i)
        personal[i] = model.text(FieldSet::Personal, i);
    storage::readPersonalFile(dir, personal);
    for (int i = 0; i < PersonalFieldCount; ++i)
        model.setText(FieldSet::Personal, i, personal[i]);

    std::array<std::string, MultiLineFieldCount> multiLine;
    for (int k = 0; k < MultiLineFieldCount; ++k)
        multiLine[k] = toFileLineBreaks(model.text(FieldSet::MultiLine, k));
    storage::readMultiLineFiles(dir, multiLine);
    for (int k = 0; k < MultiLineFieldCount; ++k)
        model.setText(FieldSet::MultiLine, k, fromFileLineBreaks(multiLine[k]));

    auto descriptions = model.storedDescriptions();
    storage::readCaptionFile(dir, descriptions);
    model.setStoredDescriptions(descriptions);
}

std::vector<storage::WriteFailure> saveMainWindowData(const std::filesystem::path& dir, const AppModel& model)
{
    storage::OneLineFile oneLine;
    oneLine.left = model.windowLeft;
    oneLine.top = model.windowTop;
    for (int i = 0; i < OneLineFieldCount; ++i)
        oneLine.fields[i] = model.text(FieldSet::OneLine, i);

    std::array<std::string, MultiLineFieldCount> multiLine;
    for (int k = 0; k < MultiLineFieldCount; ++k)
        multiLine[k] = toFileLineBreaks(model.text(FieldSet::MultiLine, k));

    return storage::saveMainWindowData(dir, oneLine, model.storedDescriptions(), multiLine);
}

std::optional<storage::WriteFailure> savePersonalData(const std::filesystem::path& dir, AppModel& model,
                                                      const std::array<std::string, PersonalFieldCount>& texts)
{
    if (auto failure = storage::writePersonalFile(dir, texts))
        return failure;
    for (int i = 0; i < PersonalFieldCount; ++i)
        model.setText(FieldSet::Personal, i, texts[i]);
    return std::nullopt;
}

} // namespace tapfill::model
