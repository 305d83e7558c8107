#pragma once
// Keeps the paste engine on the current programs.conf: read at start-up and
// again whenever the file (or the folder that holds it) changes, so that an
// edit takes effect without a restart. What in the file is not understood is
// told to the user once, on stderr and in a message box, and the built-in
// settings apply for it.

#include "app/ProgramsConfigReading.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>

namespace tapfill::config {
struct ProgramsConfig;
}

namespace tapfill {

class ProgramsConfigWatcher : public QObject {
    Q_OBJECT
public:
    /// `apply` gets every version read; `tell` shows a message to the user.
    ProgramsConfigWatcher(std::filesystem::path path, std::function<void(const config::ProgramsConfig&)> apply,
                          std::function<void(const QString&)> tell);

    /// Reads the file now.
    void reload();

private:
    void watch();

    ProgramsConfigReading reading_;
    std::function<void(const config::ProgramsConfig&)> apply_;
    std::function<void(const QString&)> tell_;
    QFileSystemWatcher watcher_;
};

} // namespace tapfill
