// What a confirmed run tells the window while it works, and the one input it
// takes meanwhile: the Escape key. The core reports plain numbers; the window
// turns them into its status texts, and formats only the texts it shows.
#pragma once

#include <cstdint>

// The output pass reports before every this many entities.
constexpr int32_t kJwwProgressEvery = 100;

class TJwwProgress {
 public:
  virtual ~TJwwProgress() = default;

  // Text `i` (counted from 1) of `count` is about to be flipped.
  virtual void FlippingText(int32_t i, int32_t count) = 0;

  // Entity `entry` (counted from 1) of `total` is about to be written; told
  // before entities 1, 101, 201, ... (every kJwwProgressEvery) only.
  virtual void WritingEntity(int32_t entry, int32_t total) = 0;

  // Whether the Escape key is down at this moment, read from the keyboard
  // state; asked right after each WritingEntity. Down aborts the pass.
  virtual bool EscapeDown() = 0;
};

// Progress nobody sees and an Escape key nobody presses: a run without a
// window.
class TJwwSilentProgress final : public TJwwProgress {
 public:
  void FlippingText(int32_t, int32_t) override {}
  void WritingEntity(int32_t, int32_t) override {}
  bool EscapeDown() override { return false; }
};
