#pragma once
// A short message for a desktop without a tray, in place of the message the
// tray icon would show: at the bottom right of the screen, above the other
// windows, yet it takes no keyboard focus (the program being filled keeps
// it) and blocks no window, Tapfill's included. It goes by itself after a
// while, or at a click.

#include <QFrame>
#include <QTimer>

#include <chrono>

class QLabel;

namespace tapfill::ui {

class NoticeWindow : public QFrame {
    Q_OBJECT
public:
    explicit NoticeWindow(std::chrono::milliseconds shownFor = std::chrono::seconds(8));

    /// Shows `text` under `title`, in place of any message still shown.
    void tell(const QString& title, const QString& text);

    QLabel* titleLabel = nullptr;
    QLabel* textLabel = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTimer hideTimer_;
};

} // namespace tapfill::ui
