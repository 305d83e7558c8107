#pragma once
// The first window shown. It closes itself two seconds after it
// becomes active (7.5 s at the latest), at a key press that produces a
// character, or at a click on its frame, and then hands over to the main
// window through finished().

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace tapfill::ui {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QFrame* frame = nullptr;
    QLabel* logo = nullptr;
    QLabel* productName = nullptr;
    QLabel* platformLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* copyrightLabel = nullptr;
    QLabel* companyLabel = nullptr;
    QLabel* warningLabel = nullptr;
    QTimer* handOverTimer = nullptr; ///< 2000 ms, enabled when the window is activated
    QTimer* latestHandOverTimer = nullptr; ///< 7500 ms, running from load

    void onActivated();
    /// Closes the splash (once) and emits finished().
    void closeAndLoadMain();

signals:
    /// The splash is gone: load the main window.
    void finished();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool closing_ = false;
};

} // namespace tapfill::ui
