#pragma once
// Asks the program that reads the keys whether it has read them. The window manager's
// ping is that question: a client that takes part (most toolkits do) answers it once it
// has read every event sent to it before the ping, in order. Others cannot be asked.
#include <unordered_map>

// No X header here: its macros (None, ...) clash with names of the callers.
typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace win::x11 {

class ReadProof {
public:
    using Window = unsigned long;

    // `display` is not owned and must outlive this object.
    explicit ReadProof(Display* display);
    ~ReadProof();
    ReadProof(const ReadProof&) = delete;
    ReadProof& operator=(const ReadProof&) = delete;

    // The top-level window whose client reads the keys sent now (the focus, or the window
    // under the pointer when the focus follows it); 0 when none does.
    Window Reader();
    bool Exists(Window window);
    // Whether the window's client answers the question.
    bool Answers(Window window);
    // Asks the window's client; its answer comes as an event on the display, which
    // Answer() recognises. Listens for answers until StopListening().
    void Ask(Window window);
    void StopListening();
    // The window whose client answered, when `event` is an answer to this object; else 0.
    Window Answer(const XEvent& event) const;
    // Forgets what it learnt of windows: they may have changed since.
    void Forget();

private:
    Window TopLevel(Window window);
    Window UnderPointer();

    Display* d_;
    Window root_;
    unsigned long protocols_, ping_, state_;
    unsigned long token_;
    long root_mask_ = -1;  // the root window's event mask before listening; -1 when not listening
    std::unordered_map<Window, Window> top_;
    std::unordered_map<Window, bool> answers_;
};

}  // namespace win::x11
