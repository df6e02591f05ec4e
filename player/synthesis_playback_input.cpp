#include "player/synthesis_playback_input.h"

namespace tessaro {

InputSynthesis& SynthesisPlaybackInput::Synced() {
  if (!pacing_) return synthesis_;
  PacingState& p = synthesis_.pacing();
  p.speed = pacing_->speed;
  p.key_delay_ms = pacing_->keyDelayMs;
  p.key_delay_on = pacing_->keyDelayMs != 0;
  p.mouse_delay_ms = pacing_->mouseDelayMs;
  p.mouse_delay_on = pacing_->mouseDelayMs != 0;
  return synthesis_;
}

void SynthesisPlaybackInput::TypeChar(unsigned char c) { Synced().TypeChar(c); }
void SynthesisPlaybackInput::KeyToken(std::uint8_t vk) { Synced().KeyToken(vk); }
void SynthesisPlaybackInput::KeyEvent(std::uint8_t vk, bool up) { Synced().PostVKey(vk, up); }
void SynthesisPlaybackInput::TapKey(std::uint8_t vk) { Synced().TapKey(vk); }
void SynthesisPlaybackInput::AltCode(std::string_view digits) { Synced().AltCode(digits); }

void SynthesisPlaybackInput::MouseButtons(std::uint32_t downFlag, std::uint32_t upFlag,
                                          int clicks, bool downOnly, bool upOnly) {
  Synced().MouseButtons(downFlag, upFlag, clicks, downOnly, upOnly);
}

void SynthesisPlaybackInput::Wheel(int delta) { Synced().Wheel(delta); }

void SynthesisPlaybackInput::MoveMouse(MoveKind kind, double x, double y) {
  using Kind = InputSynthesis::MoveKind;
  const Kind to = kind == MoveKind::Screen     ? Kind::Screen
                  : kind == MoveKind::Relative ? Kind::Relative
                                               : Kind::Window;
  Synced().MoveMouse(to, x, y);
}

bool SynthesisPlaybackInput::MoveMouseToCaret() { return Synced().MoveMouseToCaret(); }

}  // namespace tessaro
