#pragma once
// One icon with a tool tip in the notification area, turning the area's mouse notices into
// events. Several icons may share one program; each is told apart by its TaskIconID.
#include <QIcon>
#include <QObject>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "foundation/short_string.h"

class QSystemTrayIcon;

namespace tessaro {

class TTaskIcon;

// The callback message and its notices, as the notification area reports them.
inline constexpr int kTrayCallbackMessage = 1024;  // WM_USER
inline constexpr std::intptr_t kTrayLeftButtonUp = 514;
inline constexpr std::intptr_t kTrayLeftDoubleClick = 515;
inline constexpr std::intptr_t kTrayRightButtonUp = 517;

// What the notification area is told about one icon.
struct TrayIconData {
    const TTaskIcon* window = nullptr;  // with `id`, names the icon
    int id = 0;
    QIcon icon;
    std::string tip;  // Windows-1252, at most 63 characters
};

// The notification area. Each call answers whether it was accepted.
class TrayHost {
public:
    virtual ~TrayHost() = default;
    virtual bool Add(const TrayIconData& data) = 0;
    virtual bool Modify(const TrayIconData& data) = 0;
    virtual bool Delete(const TrayIconData& data) = 0;
};

// The desktop's notification area, through Qt's system tray icons.
class QtTrayHost : public TrayHost {
public:
    bool Add(const TrayIconData& data) override;
    bool Modify(const TrayIconData& data) override;
    bool Delete(const TrayIconData& data) override;
    // The Qt icon shown for (window, id), or nullptr.
    QSystemTrayIcon* Find(const TTaskIcon* window, int id) const;
    std::size_t size() const;

    static QtTrayHost& Instance();
};

class TTaskIcon : public QObject {
    Q_OBJECT
public:
    // `host` defaults to the desktop's notification area.
    explicit TTaskIcon(QObject* owner = nullptr, TrayHost* host = nullptr);
    ~TTaskIcon() override;  // removes the icon when it is shown

    bool Active() const { return active_; }
    void SetActive(bool active);
    const QIcon& Icon() const { return icon_; }
    void SetIcon(const QIcon& icon);
    std::string ToolTip() const { return toolTip_.str(); }
    void SetToolTip(std::string_view tip);  // cut to 64 characters
    int TaskIconID() const { return id_; }
    void SetTaskIconID(int id);

    std::function<void(TTaskIcon* sender)> OnClick;
    std::function<void(TTaskIcon* sender)> OnDblClick;
    std::function<void(TTaskIcon* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>
        OnRightClick;

    // The notification area's callback (kTrayCallbackMessage): wParam names the icon,
    // lParam the mouse notice.
    void TrayCallback(std::intptr_t wParam, std::intptr_t lParam);

private:
    TrayIconData Record() const;

    TrayHost& host_;
    bool active_ = false;
    QIcon icon_;
    ShortString<64> toolTip_;
    int id_ = 0;
    TrayIconData shown_;  // the record the area holds while active
};

}  // namespace tessaro
