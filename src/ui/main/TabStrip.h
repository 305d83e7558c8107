#pragma once
// A tab strip whose pages are laid out in the strip's own coordinates: a
// control at Top 480 twips sits 480 twips below the strip's top edge, under
// the row of tabs, on every page.

#include <QWidget>

class QTabBar;

namespace tapfill::ui {

class TabStrip : public QWidget {
    Q_OBJECT
public:
    TabStrip(const QStringList& captions, QWidget* parent);

    int currentIndex() const;
    void setCurrentIndex(int index);
    int count() const;
    /// The page with the given index: the parent of that page's controls.
    QWidget* page(int index) const;
    QTabBar* tabBar() const { return tabBar_; }

signals:
    /// The user turned to another page (not emitted for setCurrentIndex()).
    void pageChanged(int previousIndex);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showPage(int index);

    QTabBar* tabBar_;
    QList<QWidget*> pages_;
    int shown_ = 0;
};

} // namespace tapfill::ui
