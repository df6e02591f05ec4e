#include "widgets/hot_key_gate.h"

#include <algorithm>

#include "protocol/hotkey_codes.h"

namespace tessaro {

namespace {

int ButtonOf(int code) {
    const hook::HotKeyDef* def = hook::HotKeyDefinition(code);
    return def ? def->mouse : 0;
}

}  // namespace

void HotKeyGate::Expire(std::int64_t nowMs) {
    const auto old = [nowMs](const auto& e) { return nowMs - e.at > kPairingMs; };
    std::erase_if(presses_, old);
    std::erase_if(reports_, old);
}

int HotKeyGate::Pressed(int button, bool inField, std::int64_t nowMs) {
    Expire(nowMs);
    const auto report = std::find_if(reports_.begin(), reports_.end(),
                                     [button](const Report& r) { return r.button == button; });
    if (report == reports_.end()) {
        presses_.push_back({button, inField, nowMs});
        return -1;
    }
    const int code = report->code;
    reports_.erase(report);
    return inField ? code : -1;
}

int HotKeyGate::Reported(int code, std::int64_t nowMs) {
    const int button = ButtonOf(code);
    if (button == 0) return code;
    Expire(nowMs);
    const auto press = std::find_if(presses_.begin(), presses_.end(),
                                    [button](const Press& p) { return p.button == button; });
    if (press == presses_.end()) {
        reports_.push_back({code, button, nowMs});
        return -1;
    }
    const bool inField = press->inField;
    presses_.erase(press);
    return inField ? code : -1;
}

}  // namespace tessaro
