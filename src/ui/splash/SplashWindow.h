#pragma once
// frmSplash: the first window shown. It closes itself two seconds after it
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

    QFrame* Frame1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblWarning = nullptr;
    QTimer* Timer1 = nullptr; ///< 2000 ms, enabled when the window is activated
    QTimer* Timer2 = nullptr; ///< 7500 ms, running from load

    void Form_Load();
    void Form_Activate();
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
