#pragma once
// Entries of the simulated input log, for comparing whole event sequences.
#include "platform/sim/sim_input.h"

namespace tessaro::testing {

using win::sim::InputEvent;

inline InputEvent Down(unsigned char vk) { return {InputEvent::Key, vk, false}; }
inline InputEvent Up(unsigned char vk) { return {InputEvent::Key, vk, true}; }
inline InputEvent Mouse(unsigned flags, int dx = 0, int dy = 0, int data = 0) {
    return {InputEvent::Mouse, 0, false, flags, dx, dy, data};
}

}  // namespace tessaro::testing
