#include "ui/main/TabStrip.h"

#include "ui/main/Twips.h"

#include <QFrame>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QTabBar>

#include <algorithm>

namespace tapfill::ui {

namespace {

// A nested strip starts 240 twips below its outer strip's top edge, so the
// row of tabs is no taller than that unless the font needs more room.
constexpr int TabRowTwips = 240;

/// Little room around the captions, so that four tabs fit side by side on
/// a strip as narrow as the main window's.
class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 8;
        if (metric == PM_TabBarTabVSpace)
            return 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

class CompactTabBar : public QTabBar {
public:
    explicit CompactTabBar(QWidget* parent) : QTabBar(parent)
    {
        auto* style = new CompactTabStyle;
        style->setParent(this);
        setStyle(style);
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        size.setHeight(std::max(twipsToPixels(*this, TabRowTwips), fontMetrics().height() + 2));
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

} // namespace

TabStrip::TabStrip(const QStringList& captions, QWidget* parent) : QWidget(parent)
{
    // The frame around the pages, behind everything else.
    auto* pane = new QFrame(this);
    pane->setObjectName(QStringLiteral("pane"));
    pane->setFrameStyle(QFrame::Panel | QFrame::Raised);

    for (const QString& caption : captions) {
        auto* page = new QWidget(this);
        page->setObjectName(caption);
        pages_.append(page);
    }

    tabBar_ = new CompactTabBar(this);
    tabBar_->setDrawBase(false);
    tabBar_->setExpanding(true);
    tabBar_->setUsesScrollButtons(false);
    for (const QString& caption : captions)
        tabBar_->addTab(caption);
    showPage(0);

    connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) {
        const int previous = shown_;
        showPage(index);
        if (index != previous)
            emit pageChanged(previous);
    });
}

int TabStrip::currentIndex() const
{
    return tabBar_->currentIndex();
}

void TabStrip::setCurrentIndex(int index)
{
    // A page chosen by the program is not a page turned by the user.
    const QSignalBlocker quiet(tabBar_);
    tabBar_->setCurrentIndex(index);
    showPage(tabBar_->currentIndex());
}

int TabStrip::count() const
{
    return tabBar_->count();
}

QWidget* TabStrip::page(int index) const
{
    return pages_.at(index);
}

void TabStrip::showPage(int index)
{
    shown_ = index;
    for (int i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(i == index);
}

void TabStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    const int rowHeight = tabBar_->sizeHint().height();
    tabBar_->setGeometry(0, 0, size.width(), rowHeight);
    if (auto* pane = findChild<QFrame*>(QStringLiteral("pane"), Qt::FindDirectChildrenOnly))
        pane->setGeometry(0, rowHeight - 1, size.width(), size.height() - rowHeight + 1);
    // Pages cover the whole strip so that their controls are placed in the
    // strip's own coordinates.
    for (QWidget* page : pages_)
        page->setGeometry(0, 0, size.width(), size.height());
}

} // namespace tapfill::ui
