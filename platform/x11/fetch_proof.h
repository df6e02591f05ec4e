#pragma once
// Shows that a program which answers no window manager ping has taken every event sent to
// it so far out of its queue, and so read every key. Such a program (Xlib with the keyboard
// extension) notes each change of the keyboard map as it reads the change's notice off its
// connection. When it takes a MappingNotify out of its queue while changes are noted, it
// fetches the entries of those changes together with the notice's own keycodes and notes
// nothing more; else it fetches the whole map. When it translates a key it fetches what is
// noted on its own. So a fetch caused by a real change tells nothing of where the program's
// queue stands.
//
// A probe is a MappingNotify sent to that program alone, naming a keycode that no change
// touches, followed by a change that leaves the map as it is. A program that reads both
// together and takes the probe out of its queue first fetches a range that starts or ends
// at the probe's keycode; no other fetch does, as every other range starts and ends at a
// changed keycode or at the ends of the map. When the program had other notices to take
// first (it was still reading older keys), the probe goes unrecognised, and another is
// sent once the program has gone quiet. The fetches are watched through RECORD, on a
// connection of its own.
#include <bitset>
#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <vector>

// No X header here: its macros (None, ...) clash with names of the callers.
typedef struct _XDisplay Display;

namespace win::x11 {

class FetchProof {
public:
    using Clock = std::chrono::steady_clock;

    // `display` is not owned and must outlive this object. Without RECORD or the keyboard
    // extension nothing can be shown: ok() is false.
    explicit FetchProof(Display* display);
    ~FetchProof();
    FetchProof(const FetchProof&) = delete;
    FetchProof& operator=(const FetchProof&) = delete;

    bool ok() const { return data_ != nullptr; }

    // The keycodes typing changes; probes name others.
    void SetChanged(const std::vector<unsigned char>& codes);
    // How long a client that has never shown it may go without fetching anything, and how
    // long any client may take (one that has shown it before is only busy).
    struct Limits {
        std::chrono::milliseconds fresh, known;
    };
    // True once the client of `window` has shown that it took out of its queue every event
    // sent to it before this call. `nudge` rewrites one entry of the keyboard map as it is.
    // A client that failed is not asked again until Rest().
    bool Prove(unsigned long window, Limits limits, const std::function<void()>& nudge);
    // Between macros: fetches are no longer watched, and every client may be asked again
    // (windows come and go).
    void Rest() {
        Stop();
        silent_.clear();
    }

private:
    struct Fetch {
        int first = 0, last = 0;
    };

    bool Watch(unsigned long window);
    void Stop();
    // Takes the fetches RECORD has passed on, waiting up to `wait` for one.
    void Collect(std::chrono::milliseconds wait);
    // A keycode that may name a probe: none changes it, and no whole map starts or ends there.
    bool Unchanged(int code) const;
    int NextProbe(const std::vector<int>& avoid);
    void SendProbe(unsigned long window, int code);
    void Took(int first, int last);
    friend class FetchRecorder;

    Display* ctrl_;
    Display* data_ = nullptr;
    int xkb_major_ = 0;
    int min_code_ = 8, max_code_ = 255;
    std::bitset<256> changed_;
    unsigned long context_ = 0;  // RECORD's context; 0 when not watching
    unsigned long client_ = 0;   // a window of the watched client
    std::vector<Fetch> fetches_;
    Clock::time_point last_fetch_{};
    int next_ = 0;
    // Probes a client may still hold unread, by client (its window's client bits): a fetch
    // from one of them would not tell of the current question.
    std::map<unsigned long, std::vector<int>> unread_;
    std::set<unsigned long> known_, silent_;
};

}  // namespace win::x11
