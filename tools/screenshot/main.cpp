// tapfill_screenshot OUTPUT_DIR
// Shows the main window with a few example texts, turns to each page of the
// outer strip in turn and saves what the screen shows, window frame included,
// as OUTPUT_DIR/page-0.png .. page-3.png. The window is the real one; only
// the desktop services behind it are stand-ins, since nothing is pasted.

#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "platform/fake/FakePlatform.h"
#include "ui/main/MainWindow.h"

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

    tapfill::model::AppModel model;
    tapfill::platform::fake::FakePlatform desktop;
    tapfill::engine::PasteEngine engine(model, desktop.platform);
    tapfill::ui::MainWindow form(model, engine, desktop.platform, QDir::tempPath().toStdString());
    fillExamples(model);
    form.move(40, 40);
    form.show();
    settle(800); // the window manager maps and decorates the window

    for (int page = 0; page < form.pages->count(); ++page) {
        form.pages->setCurrentIndex(page);
        settle(200);
        const QPixmap shot = form.screen()->grabWindow(0, form.frameGeometry().x(), form.frameGeometry().y(),
                                                       form.frameGeometry().width(),
                                                       form.frameGeometry().height());
        const QString file = out.filePath(QStringLiteral("page-%1.png").arg(page));
        if (shot.isNull() || !shot.save(file)) {
            std::fprintf(stderr, "tapfill_screenshot: could not save %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
