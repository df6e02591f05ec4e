#pragma once
// The interpreter's key and mouse output, played through InputSynthesis with the
// keystroke and mouse delays and the speed factor of the interpreter's pacing.
#include "player/input_synthesis.h"
#include "player/playback_services.h"

namespace tessaro {

class SynthesisPlaybackInput : public PlaybackInput {
 public:
  // `synthesis` must outlive this object.
  explicit SynthesisPlaybackInput(InputSynthesis& synthesis) : synthesis_(synthesis) {}

  // The interpreter's pacing, read before every action from now on (the interpreter is
  // built on this object, so its pacing comes after construction).
  void Follow(const Pacing& pacing) { pacing_ = &pacing; }

  void TypeChar(unsigned char c) override;
  void KeyToken(std::uint8_t vk) override;
  void KeyEvent(std::uint8_t vk, bool up) override;
  void TapKey(std::uint8_t vk) override;
  void AltCode(std::string_view digits) override;
  void MouseButtons(std::uint32_t downFlag, std::uint32_t upFlag, int clicks, bool downOnly,
                    bool upOnly) override;
  void Wheel(int delta) override;
  void MoveMouse(MoveKind kind, double x, double y) override;
  bool MoveMouseToCaret() override;

 private:
  InputSynthesis& Synced();

  InputSynthesis& synthesis_;
  const Pacing* pacing_ = nullptr;
};

}  // namespace tessaro
