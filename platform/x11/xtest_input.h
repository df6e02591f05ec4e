#pragma once
// Input into the real X desktop through the XTEST extension. Keys are looked up in the
// keyboard map of the XTEST keyboard device (the one fake events go through); a character
// no key types is put on a spare keycode for the time it is typed.
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/input.h"

// No X header here: its macros (None, ...) clash with names of the callers.
typedef struct _XDisplay Display;

namespace win::x11 {

class XTestInput : public InputBackend {
public:
    // `display` is not owned and must outlive this object. Check ok() before use.
    explicit XTestInput(Display* display);
    ~XTestInput() override;
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    bool ok() const { return ok_; }

    short KeyScan(unsigned char ch) override;
    void TypeAltCode(std::string_view digits) override;
    Point CursorPos() override;
    Point ScreenSize() override;
    std::optional<Rect> ForegroundWindowRect() override;
    std::optional<Point> CaretPos() override;  // X has no caret to ask: always nullopt

    // Re-reads the keyboard map and lets go of modifiers the user still holds, so they
    // cannot change the characters typed.
    void BeginPlayback() override;
    int SettleMs() const override;
    // Gives the spare keycodes back their empty mapping.
    void EndPlayback() override;

    // Types one Unicode character by its keysym (Shift as the key needs it).
    void TypeCharacter(char32_t cp);

protected:
    void SendKey(unsigned char vk, bool up) override;
    void SendMouse(unsigned flags, int dx, int dy, int data) override;

private:
    struct KeyPlace {
        unsigned char code;
        int level;  // 0 plain, 1 shifted
    };
    struct Spare {
        unsigned char code;
        unsigned long keysym = 0;  // 0: free
        std::chrono::steady_clock::time_point last_use{};
    };

    void LoadKeyboardMap();
    std::optional<KeyPlace> Find(unsigned long keysym) const;
    unsigned char SpareFor(unsigned long keysym);
    void SetMapping(unsigned char code, unsigned long keysym);
    void Tap(unsigned char code, bool shifted);
    void FakeKey(unsigned char code, bool press, unsigned vk);
    void FakeButton(unsigned button, bool press);

    Display* display_;
    bool ok_ = false;
    int min_code_ = 8, max_code_ = 255;
    static constexpr int per_code_ = 2;  // plain and shifted keysym of the first group
    std::vector<unsigned long> map_;     // (code - min_code_) * per_code_ + level
    std::unordered_map<unsigned long, KeyPlace> places_;
    std::vector<Spare> spares_;
    std::map<unsigned char, unsigned char> pressed_;  // keycode each held virtual key went down on
    unsigned char shift_code_ = 0;
};

}  // namespace win::x11
