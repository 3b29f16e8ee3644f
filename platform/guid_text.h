// GUID port: a newly generated GUID in its registry text form, braces and
// upper-case hex, 38 characters (Windows: CoCreateGuid and StringFromGUID2;
// Linux: random bits from the system's generator, marked as a version-4
// GUID).
#pragma once

#include <string>

#include "platform/service.h"

namespace kvt {

class GuidText {
 public:
  virtual ~GuidText() = default;

  // A new GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". False, with the
  // thread's last error set, when none can be made.
  virtual bool NewGuidText(std::u16string* text) = 0;
};

template <>
GuidText& DefaultService<GuidText>();

}  // namespace kvt
