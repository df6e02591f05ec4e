#pragma once
// Shows that a program has taken every event sent to it so far out of its queue, and so
// read every key. A program built on Xlib with the keyboard extension notes each change of
// the keyboard map as it reads the change's notice off its connection, and fetches what is
// noted when it takes a core MappingNotify out of its queue, together with the notice's own
// keycodes.
//
// A probe is a core MappingNotify naming an unused keycode P and a keyboard-extension map
// notice naming P + 1, both sent to that program alone in one flush; nothing on the server
// changes. The program notes P + 1 as it reads the pair, and fetches a range that starts at
// P once it takes the core notice out of its queue, after every event sent before it. No
// other fetch starts or ends at P: every other range starts and ends at a changed keycode,
// at a probe's P + 1 or at the ends of the map. The fetches are watched through RECORD, on
// a connection of its own.
#include <bitset>
#include <chrono>
#include <map>
#include <set>
#include <vector>

// No X header here: its macros (None, ...) clash with names of the callers.
typedef struct _XDisplay Display;

namespace win::x11 {

class FetchProof {
public:
    // `display` is not owned and must outlive this object. Without RECORD or the keyboard
    // extension nothing can be shown: ok() is false.
    explicit FetchProof(Display* display);
    ~FetchProof();
    FetchProof(const FetchProof&) = delete;
    FetchProof& operator=(const FetchProof&) = delete;

    bool ok() const { return data_ != nullptr; }

    // The keycodes typing changes; probes name others.
    void SetChanged(const std::vector<unsigned char>& codes);
    // Sends a probe to the client of `window`, behind everything sent to it so far; false
    // when it cannot be sent or watched. Answers to earlier questions are forgotten, unless
    // `again`: then the probe joins the current question (one that earlier notices still
    // queued there may have hidden).
    bool Ask(unsigned long window, bool again = false);
    // Takes the fetches RECORD has passed on, waiting up to `wait` for one; true once the
    // client asked last has read the probe of this question (or a later one).
    bool Shown(std::chrono::milliseconds wait);
    // The client fetched something since the last probe, and nothing for `quiet`: it has
    // likely read what was queued, and a probe it did not show was hidden.
    bool QuietSince(std::chrono::milliseconds quiet) const;
    // Whether the client of `window` has ever shown a probe read, however late.
    bool Answered(unsigned long window) const { return answered_.count(window) > 0; }
    // The connection whose readability tells of new fetches.
    int Connection() const;
    // Between macros: fetches are no longer watched.
    void Rest() { Stop(); }

private:
    bool Watch(unsigned long window);
    void Stop();
    int NextProbe(const std::vector<int>& avoid);
    void Took(int first, int last);
    friend class FetchRecorder;

    Display* ctrl_;
    Display* data_ = nullptr;
    int xkb_major_ = 0, xkb_event_ = 0;
    int min_code_ = 8, max_code_ = 255;
    std::bitset<256> changed_;
    unsigned long context_ = 0;  // RECORD's context; 0 when not watching
    unsigned long client_ = 0;   // a window of the watched client
    int next_ = 0;
    // Probes a client may still hold unread, by window, oldest first: a fetch at one of them
    // shows it and every earlier one read.
    std::map<unsigned long, std::vector<int>> unread_;
    std::set<int> asked_;  // the probes of the current question
    bool shown_ = false;
    int fetched_ = 0;  // since the last probe
    std::chrono::steady_clock::time_point last_fetch_{};
    std::set<unsigned long> answered_;
};

}  // namespace win::x11
