// tapfill_screenshot OUTPUT_DIR
// Shows the main window with a few example texts, turns to each page of the
// outer strip in turn and saves what the screen shows, window frame included,
// as OUTPUT_DIR/page-0.png .. page-3.png; then the personal data window
// (personal.png) and the splash (splash.png). The windows are the real ones;
// only the desktop services behind them are stand-ins, since nothing is pasted.

#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "platform/fake/FakePlatform.h"
#include "ui/main/MainWindow.h"
#include "ui/personal/PersonalDataWindow.h"
#include "ui/splash/SplashWindow.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

/// Waits until the window manager has mapped `window`, and framed it when
/// `framed`, then a little longer for it to draw. A busy machine may take
/// seconds.
void waitUntilMapped(const QWidget& window, bool framed)
{
    for (int waited = 0; waited < 10000; waited += 50) {
        const QWindow* handle = window.windowHandle();
        if (handle && handle->isExposed() && (!framed || window.frameGeometry() != window.geometry()))
            break;
        settle(50);
    }
    settle(400);
}

void fillExamples(tapfill::model::AppModel& model)
{
    using tapfill::model::FieldSet;
    const char* lines[] = {"Jane Example", "jane@example.com", "+1 555 0100", "Order 4711"};
    for (int i = 0; i < 4; ++i)
        model.setText(FieldSet::OneLine, i, lines[i]);
    model.setDescription(0, "Signature");
    model.setText(FieldSet::MultiLine, 0, "Kind regards,\nJane Example");
    model.setDescription(1, "Shipping address");
    model.setText(FieldSet::MultiLine, 1, "1 Sample Road\nExampletown");
    model.setText(FieldSet::Personal, 0, "Jane");
    model.setText(FieldSet::Personal, 8, "jane@example.com");
}

/// What the screen shows of `window`, frame included, as `file` in `out`.
bool shoot(const QWidget& window, const QDir& out, const QString& file)
{
    const QRect frame = window.frameGeometry();
    const QPixmap shot = window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (shot.isNull() || !shot.save(out.filePath(file))) {
        std::fprintf(stderr, "tapfill_screenshot: could not save %s\n", qPrintable(out.filePath(file)));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tapfill_screenshot OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    // A caret that does not blink: two runs give the same pictures.
    QApplication::setCursorFlashTime(0);

    tapfill::model::AppModel model;
    tapfill::platform::fake::FakePlatform desktop;
    tapfill::engine::PasteEngine engine(model, desktop.platform);
    tapfill::ui::MainWindow form(model, engine, desktop.platform, QDir::tempPath().toStdString());
    fillExamples(model);
    form.move(40, 40);
    form.show();
    waitUntilMapped(form, true);

    for (int page = 0; page < form.pages->count(); ++page) {
        form.pages->setCurrentIndex(page);
        settle(200);
        if (!shoot(form, out, QStringLiteral("page-%1.png").arg(page)))
            return 1;
    }

    form.openPersonalData();
    form.personalDataWindow()->move(40, 40);
    waitUntilMapped(*form.personalDataWindow(), true);
    if (!shoot(*form.personalDataWindow(), out, QStringLiteral("personal.png")))
        return 1;
    form.personalDataWindow()->close();

    auto* splash = new tapfill::ui::SplashWindow; // deletes itself when it hands over
    splash->show();
    waitUntilMapped(*splash, false);
    return shoot(*splash, out, QStringLiteral("splash.png")) ? 0 : 1;
}
