#include "app/windows/ProgramsConfigWatch.h"

namespace tapfill::windows {

ProgramsConfigWatch::ProgramsConfigWatch(std::filesystem::path path,
                                         std::function<void(const config::ProgramsConfig&)> apply,
                                         std::function<void(const std::string&)> tell)
    : reading_(std::move(path)), apply_(std::move(apply)), tell_(std::move(tell))
{
}

ProgramsConfigWatch::~ProgramsConfigWatch()
{
    if (change_)
        FindCloseChangeNotification(change_);
}

void ProgramsConfigWatch::watch()
{
    // The file's folder, or while that is missing the folder it will be
    // made in; editors save by writing a new file and renaming it.
    std::error_code ec;
    std::filesystem::path folder = reading_.path().parent_path();
    if (!std::filesystem::is_directory(folder, ec))
        folder = folder.parent_path();
    if (change_ && folder == watched_) {
        FindNextChangeNotification(change_);
        return;
    }
    if (change_)
        FindCloseChangeNotification(change_);
    change_ = FindFirstChangeNotificationW(
        folder.c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (change_ == INVALID_HANDLE_VALUE)
        change_ = nullptr;
    watched_ = folder;
}

void ProgramsConfigWatch::reload()
{
    watch();
    std::string message;
    apply_(reading_.read(message));
    if (!message.empty())
        tell_(message);
}

} // namespace tapfill::windows
