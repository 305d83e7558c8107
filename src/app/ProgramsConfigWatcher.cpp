#include "app/ProgramsConfigWatcher.h"

#include "config/ProgramsConfig.h"

#include <QTimer>


namespace tapfill {

ProgramsConfigWatcher::ProgramsConfigWatcher(std::filesystem::path path,
                                             std::function<void(const config::ProgramsConfig&)> apply,
                                             std::function<void(const QString&)> tell)
    : reading_(std::move(path)), apply_(std::move(apply)), tell_(std::move(tell))
{
    // Editors save by writing a new file and renaming it over the old one:
    // the file's own watch then ends, and the folder's reports it.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &ProgramsConfigWatcher::reload);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &ProgramsConfigWatcher::reload);
}

void ProgramsConfigWatcher::watch()
{
    const std::filesystem::path& path = reading_.path();
    for (const auto& p : {path, path.parent_path(), path.parent_path().parent_path()}) {
        const QString name = QString::fromStdString(p.string());
        if (std::filesystem::exists(p) && !watcher_.files().contains(name)
            && !watcher_.directories().contains(name))
            watcher_.addPath(name);
    }
}

void ProgramsConfigWatcher::reload()
{
    watch();
    std::string message;
    apply_(reading_.read(message));
    if (message.empty())
        return;
    // Not from inside the watcher's signal: the message box waits for the user.
    QTimer::singleShot(0, this, [this, text = QString::fromStdString(message)] { tell_(text); });
}

} // namespace tapfill
