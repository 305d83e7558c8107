#pragma once
// Fakes of every platform service: the paste engine's (FakePasteServices.h)
// and those of the windows, which record what the views ask for and let a
// test answer dialogs and click the tray icon.

#include "platform/Platform.h"
#include "platform/fake/FakePasteServices.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tapfill::platform::fake {

class FakeSettingsStore : public SettingsStore {
public:
    std::string getSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override
    {
        auto it = values.find(application + "/" + section + "/" + key);
        return it == values.end() ? defaultValue : it->second;
    }
    bool saveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) override
    {
        if (readOnly)
            return false;
        values[application + "/" + section + "/" + key] = value;
        return true;
    }
    std::map<std::string, std::string> values;
    bool readOnly = false;
};

class FakeTrayIcon : public TrayIcon {
public:
    void show(const QIcon& shownIcon, const QString& shownTip) override
    {
        present = true;
        icon = shownIcon;
        tip = shownTip;
        ++showCalls;
    }
    void remove() override { present = false; }
    bool available() const override { return trayAvailable; }
    void setMenu(QMenu* shownMenu) override { menu = shownMenu; }
    void showMessage(const QString& title, const QString& text) override { messages.push_back({title, text}); }
    void doubleClick()
    {
        if (onDoubleClick)
            onDoubleClick();
    }

    QIcon icon;
    QString tip;
    QMenu* menu = nullptr;
    std::vector<std::pair<QString, QString>> messages; ///< title and text of each shown
    int showCalls = 0;
    bool present = false;
    bool trayAvailable = true;
};

class FakeWindowPlacement : public WindowPlacement {
public:
    void makeTopmost(QWidget& window) override { topmostCalls.push_back(&window); }
    std::vector<QWidget*> topmostCalls;
};

/// Answers dialogs from a script. An empty script answers No / cancel.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString text, title;
        int style = 0;
        QString defaultText;
    };
    int messageBox(const QString& text, const QString& title, int style) override
    {
        messages.push_back({text, title, style, {}});
        if (onShow)
            onShow();
        if (answers.empty())
            return MsgBox::AnswerNo;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        inputs.push_back({prompt, title, 0, defaultText});
        if (onShow)
            onShow();
        if (typed.empty())
            return {};
        QString text = typed.front();
        typed.pop_front();
        return text;
    }
    std::vector<Shown> messages, inputs;
    std::deque<int> answers;
    std::deque<QString> typed;
    std::function<void()> onShow; ///< runs while a dialog is "open"
};

/// A whole platform of fakes, with typed access for tests.
struct FakePlatform : FakePasteServicesIn<Platform> {
    FakePlatform()
    {
        platform.settings = std::make_unique<FakeSettingsStore>();
        platform.tray = std::make_unique<FakeTrayIcon>();
        platform.placement = std::make_unique<FakeWindowPlacement>();
        platform.dialogs = std::make_unique<FakeDialogs>();
    }
    FakeSettingsStore& settings() { return static_cast<FakeSettingsStore&>(*platform.settings); }
    FakeTrayIcon& tray() { return static_cast<FakeTrayIcon&>(*platform.tray); }
    FakeWindowPlacement& placement() { return static_cast<FakeWindowPlacement&>(*platform.placement); }
    FakeDialogs& dialogs() { return static_cast<FakeDialogs&>(*platform.dialogs); }
};

} // namespace tapfill::platform::fake
