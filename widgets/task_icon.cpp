#include "widgets/task_icon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <map>
#include <memory>

#include "platform/cp1252.h"

namespace tessaro {
namespace {

struct ShownIcon {
    std::unique_ptr<QSystemTrayIcon> icon;
};

using IconKey = std::pair<const TTaskIcon*, int>;

std::map<IconKey, ShownIcon>& Icons() {
    static std::map<IconKey, ShownIcon> icons;
    return icons;
}

void Apply(QSystemTrayIcon& tray, const TrayIconData& data) {
    tray.setIcon(data.icon);
    tray.setToolTip(QString::fromStdString(win::Cp1252ToUtf8(data.tip)));
}

std::intptr_t NoticeFor(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger: return kTrayLeftButtonUp;
        case QSystemTrayIcon::DoubleClick: return kTrayLeftDoubleClick;
        case QSystemTrayIcon::Context: return kTrayRightButtonUp;
        default: return 0;
    }
}

}  // namespace

QtTrayHost& QtTrayHost::Instance() {
    static QtTrayHost host;
    return host;
}

bool QtTrayHost::Add(const TrayIconData& data) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    const IconKey key{data.window, data.id};
    if (Icons().count(key)) return false;
    auto tray = std::make_unique<QSystemTrayIcon>();
    Apply(*tray, data);
    TTaskIcon* target = const_cast<TTaskIcon*>(data.window);
    const int id = data.id;
    QObject::connect(tray.get(), &QSystemTrayIcon::activated, target,
                     [target, id](QSystemTrayIcon::ActivationReason reason) {
                         target->TrayCallback(id, NoticeFor(reason));
                     });
    tray->show();
    Icons()[key].icon = std::move(tray);
    return true;
}

bool QtTrayHost::Modify(const TrayIconData& data) {
    auto it = Icons().find({data.window, data.id});
    if (it == Icons().end()) return false;
    Apply(*it->second.icon, data);
    return true;
}

bool QtTrayHost::Delete(const TrayIconData& data) { return Icons().erase({data.window, data.id}) == 1; }

QSystemTrayIcon* QtTrayHost::Find(const TTaskIcon* window, int id) const {
    auto it = Icons().find({window, id});
    return it == Icons().end() ? nullptr : it->second.icon.get();
}

std::size_t QtTrayHost::size() const { return Icons().size(); }

TTaskIcon::TTaskIcon(QObject* owner, TrayHost* host)
    : QObject(owner), host_(host ? *host : QtTrayHost::Instance()) {}

TTaskIcon::~TTaskIcon() {
    if (active_) host_.Delete(shown_);
}

TrayIconData TTaskIcon::Record() const {
    TrayIconData d;
    d.window = this;
    d.id = id_;
    d.icon = icon_;
    d.tip = std::string(toolTip_.view().substr(0, 63));  // room for the area's final zero
    return d;
}

void TTaskIcon::SetActive(bool active) {
    if (active == active_) return;
    if (active) {
        TrayIconData d = Record();
        if (host_.Add(d)) {
            shown_ = std::move(d);
            active_ = true;
        }
    } else if (host_.Delete(shown_)) {
        active_ = false;
    }
}

void TTaskIcon::SetIcon(const QIcon& icon) {
    if (icon.cacheKey() == icon_.cacheKey()) return;
    icon_ = icon;
    if (active_ && host_.Modify(Record())) shown_ = Record();
}

void TTaskIcon::SetToolTip(std::string_view tip) {
    const ShortString<64> cut(tip);
    if (cut == toolTip_) return;
    toolTip_ = cut;
    if (active_ && host_.Modify(Record())) shown_ = Record();
}

void TTaskIcon::SetTaskIconID(int id) {
    if (id == id_) return;
    id_ = id;
    if (!active_) return;
    // The area knows the icon by its old id: take it away under that id and show it again
    // under the new one, instead of leaving an icon nobody can reach or remove.
    host_.Delete(shown_);
    TrayIconData d = Record();
    if (host_.Add(d)) {
        shown_ = std::move(d);
    } else {
        active_ = false;
    }
}

void TTaskIcon::TrayCallback(std::intptr_t wParam, std::intptr_t lParam) {
    if (wParam < 0 || wParam != id_) return;
    switch (lParam) {
        case kTrayLeftButtonUp:
            if (OnClick) OnClick(this);
            break;
        case kTrayLeftDoubleClick:
            if (OnDblClick) OnDblClick(this);
            break;
        case kTrayRightButtonUp:
            if (OnRightClick) {
                const QPoint at = QCursor::pos();
                OnRightClick(this, Qt::RightButton, Qt::NoModifier, at.x(), at.y());
            }
            break;
        default: break;
    }
}

}  // namespace tessaro
