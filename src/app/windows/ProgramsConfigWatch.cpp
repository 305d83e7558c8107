#include "app/windows/ProgramsConfigWatch.h"

#include <cstdio>

namespace tapfill::windows {

ProgramsConfigWatch::ProgramsConfigWatch(std::filesystem::path path,
                                         std::function<void(const config::ProgramsConfig&)> apply,
                                         std::function<void(const std::string&)> tell)
    : path_(std::move(path)), apply_(std::move(apply)), tell_(std::move(tell))
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
    std::filesystem::path folder = path_.parent_path();
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
    std::vector<config::ConfigProblem> problems;
    apply_(config::loadProgramsConfig(path_, problems));
    if (problems.empty()) {
        lastMessage_.clear();
        return;
    }
    const std::string message = config::describeProblems(path_, problems);
    if (message == lastMessage_)
        return; // told already; a save that fixed nothing says nothing new
    lastMessage_ = message;
    std::fprintf(stderr, "tapfill: %s\n", message.c_str());
    tell_(message);
}

} // namespace tapfill::windows
