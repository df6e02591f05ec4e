#include "editor/explorer/tools/macro_row_drag.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>

#include "widgets/draw_grid.h"

namespace tessaro {

namespace {

constexpr char kRowMime[] = "application/x-tessaro-macro-row";
constexpr int kDragDistance = 15;

}  // namespace

QMimeData* MacroRowMime() {
    auto* mime = new QMimeData;
    mime->setData(kRowMime, QByteArray::number(QCoreApplication::applicationPid()));
    return mime;
}

bool IsMacroRowMime(const QMimeData* mime) {
    return mime != nullptr && mime->hasFormat(kRowMime) &&
           mime->data(kRowMime) == QByteArray::number(QCoreApplication::applicationPid());
}

MacroRowDrag::MacroRowDrag(TMyDrawGrid& grid, QListWidget& categories, CategoryDropHost& host)
    : QObject(&grid),
      grid_(grid),
      categories_(categories),
      host_(host),
      gridViewport_(grid.viewport()),
      categoriesViewport_(categories.viewport()) {
    gridViewport_->installEventFilter(this);
    categories_.setAcceptDrops(true);
    categoriesViewport_->setAcceptDrops(true);
    categoriesViewport_->installEventFilter(this);
}

bool MacroRowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == gridViewport_) return GridEvent(event);
    if (watched == categoriesViewport_) return CategoryEvent(event);
    return QObject::eventFilter(watched, event);
}

bool MacroRowDrag::GridEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            pressed_ = e->button() == Qt::LeftButton;
            pressedAt_ = e->position().toPoint();
            break;
        }
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            // A double click may open a modal editor; its press must not start a drag later.
            pressed_ = false;
            break;
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (!pressed_ || !(e->buttons() & Qt::LeftButton)) {
                pressed_ = false;
                break;
            }
            if ((e->position().toPoint() - pressedAt_).manhattanLength() < kDragDistance) break;
            pressed_ = false;
            auto* drag = new QDrag(&grid_);
            drag->setMimeData(MacroRowMime());
            drag->exec(Qt::MoveAction);
            return true;
        }
        default: break;
    }
    return false;
}

bool MacroRowDrag::CategoryEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* e = static_cast<QDragMoveEvent*>(event);
            const bool onItem = categories_.itemAt(e->position().toPoint()) != nullptr;
            if (IsMacroRowMime(e->mimeData()) && onItem) {
                e->setDropAction(Qt::MoveAction);
                e->accept();
            } else {
                e->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            QListWidgetItem* item = categories_.itemAt(e->position().toPoint());
            if (!IsMacroRowMime(e->mimeData()) || item == nullptr) {
                e->ignore();
                return true;
            }
            e->setDropAction(Qt::MoveAction);
            e->accept();
            host_.CatListDragDrop(item);
            return true;
        }
        default: return false;
    }
}

}  // namespace tessaro
