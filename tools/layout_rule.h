// The rule a page's layout keeps at any DPI: every visible control lies
// inside its parent's client area, and no two visible controls of one
// parent overlap, except where overlapping is the design (a group box and
// what it frames, a section dialog laid over its page's group box).
#pragma once

#include <string>
#include <vector>

namespace kvt::tools {

struct LayoutBox {
  std::string name;  // how a fault names the control ("1020 msctls_trackbar32")
  long left = 0, top = 0, right = 0, bottom = 0;  // in the parent's client coordinates
  bool frames_others = false;  // a group box or a child dialog: overlaps are its purpose
  bool backdrop = false;       // a picture or frame that controls may lie on, wholly inside it
  std::string buddy;  // the name of the box it is attached to and may overlap (an up-down's edit)
};

// One line per fault: a box that leaves the |width| x |height| client area,
// or two boxes that overlap although neither frames others, nor is the
// other's buddy, nor is a backdrop the other lies wholly on.
std::vector<std::string> LayoutFaults(long width, long height, const std::vector<LayoutBox>& boxes);

}  // namespace kvt::tools
