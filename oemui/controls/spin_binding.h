// The spin binding: an edit with an up-down control beside it. The up-down
// control drives the edit (its buddy, base 10, no input method), and every
// position set through the binding is written into the edit as the value
// divided by a divisor.
#pragma once

#include <cstdint>
#include <string>

#include "oemui/controls/dialog_port.h"

namespace kvt {

enum class SpinFormat {
  kInteger,  // "%d" of value / divisor (integer division)
  kRounded,  // "%.0f" of value / divisor
};

// The edit text for |value| under |divisor| (0 is taken as 1) and |format|.
std::u16string FormatSpinValue(int value, int divisor, SpinFormat format);

class SpinBinding {
 public:
  SpinBinding(DialogPort& port, int edit_id, int updown_id)
      : port_(port), edit_id_(edit_id), updown_id_(updown_id) {}
  // Gives the edit its input method back when still bound.
  ~SpinBinding();
  SpinBinding(const SpinBinding&) = delete;
  SpinBinding& operator=(const SpinBinding&) = delete;

  // 0, or 221 when the up-down control cannot take the edit as its buddy.
  std::uint32_t Bind();
  void Unbind();
  bool IsBound() const { return bound_; }

  bool SetLimit(int characters) { return port_.SetTextLimit(edit_id_, characters); }
  bool SetRange(int min, int max) { return port_.SpinSetRange(updown_id_, min, max); }
  void SetDivisor(int divisor) { divisor_ = divisor == 0 ? 1 : divisor; }
  void SetFormat(SpinFormat format) { format_ = format; }
  // Sets the up-down position and writes the value into the edit.
  bool SetPos(int value);
  int Pos() { return port_.SpinPos(updown_id_); }

  int edit_id() const { return edit_id_; }
  int updown_id() const { return updown_id_; }

 private:
  DialogPort& port_;
  int edit_id_;
  int updown_id_;
  int divisor_ = 1;
  SpinFormat format_ = SpinFormat::kInteger;
  bool bound_ = false;
};

}  // namespace kvt
