#pragma once
// Dragging a macro row of the list onto a category: the drag starts once the pressed mouse
// has moved 15 pixels, and a drop counts only on a category item.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QMimeData;

namespace tessaro {

class TMyDrawGrid;

// The main window's side: files the selected macro under the dropped-on category.
class CategoryDropHost {
public:
    virtual ~CategoryDropHost() = default;
    virtual void CatListDragDrop(QListWidgetItem* category) = 0;
};

// What a row drag carries: the process it came from, so that only this list's rows count.
QMimeData* MacroRowMime();
bool IsMacroRowMime(const QMimeData* mime);

class MacroRowDrag : public QObject {
    Q_OBJECT
public:
    MacroRowDrag(TMyDrawGrid& grid, QListWidget& categories, CategoryDropHost& host);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool GridEvent(QEvent* event);
    bool CategoryEvent(QEvent* event);

    TMyDrawGrid& grid_;
    QListWidget& categories_;
    CategoryDropHost& host_;
    // Taken once: while a list is being destroyed its viewport still sends events, and
    // asking the half-destroyed list for it is undefined.
    QPointer<QWidget> gridViewport_;
    QPointer<QWidget> categoriesViewport_;
    QPoint pressedAt_;
    bool pressed_ = false;
};

}  // namespace tessaro
