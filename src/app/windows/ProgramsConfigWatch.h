#pragma once
// Keeps the paste engine on the current programs.conf: read at start-up and
// again whenever its folder changes, so that an edit takes effect without a
// restart. What in the file is not understood is told to the user once, on
// stderr and in a message box, and the built-in settings apply for it.
//
// The change notification is a handle the message loop waits on beside the
// window messages; no thread of its own.

#include "app/ProgramsConfigReading.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

namespace tapfill::windows {

class ProgramsConfigWatch {
public:
    /// `apply` gets every version read; `tell` shows a message to the user.
    ProgramsConfigWatch(std::filesystem::path path, std::function<void(const config::ProgramsConfig&)> apply,
                        std::function<void(const std::string&)> tell);
    ~ProgramsConfigWatch();
    ProgramsConfigWatch(const ProgramsConfigWatch&) = delete;
    ProgramsConfigWatch& operator=(const ProgramsConfigWatch&) = delete;

    /// Reads the file now and watches for the next change.
    void reload();
    /// Signalled when the watched folder changed: call reload() then.
    /// Null while nothing can be watched.
    HANDLE changed() const { return change_; }

private:
    void watch();

    ProgramsConfigReading reading_;
    std::function<void(const config::ProgramsConfig&)> apply_;
    std::function<void(const std::string&)> tell_;
    HANDLE change_ = nullptr;
    std::filesystem::path watched_;
};

} // namespace tapfill::windows
