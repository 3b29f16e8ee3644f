// The receipt picture of the Document Settings page: two printed pages on
// their outline, laid out by the margin, printed by direction, orientation
// and density, with the cut marks and the cash drawers the settings ask for.
#pragma once

#include <cstdint>
#include <map>

#include "core/private_settings.h"
#include "oemui/watermark/dib_section.h"
#include "platform/library_loader.h"

namespace kvt {

class SettingsPreview {
 public:
  // Pictures come from |module|'s bitmap resources.
  explicit SettingsPreview(ModuleHandle module) : module_(module) {}

  // Composes the picture of |settings| (|landscape|: the document's
  // orientation is not portrait) into |out|. 0, 107 for a margin or a
  // direction that has no picture, or the code of a picture that cannot be
  // loaded; on such a failure |out| keeps what it held. (Only when there is
  // no memory for an |out| of a new size, 220, is it left empty.)
  std::uint32_t Compose(const PrivateSettings& settings, bool landscape, CMyDibSection2* out);

 private:
  // Bitmap |id|, loaded on first use and kept: the page composes after
  // every change, and loading is the slow part.
  std::uint32_t Picture(std::uint32_t id, const CMyDibSection2** picture);
  // The content picture |id| inked at |density| percent. A copy: the kept
  // original stays as it was loaded.
  std::uint32_t Inked(std::uint32_t id, int density, const CMyDibSection2** picture);

  ModuleHandle module_;
  std::map<std::uint32_t, CMyDibSection2> pictures_;
  CMyDibSection2 inked_;
  std::uint32_t inked_id_ = 0;
  int inked_density_ = -1;
};

}  // namespace kvt
