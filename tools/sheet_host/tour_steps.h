// The guided tour of an open sheet: every page, and on the pages with a
// settings list every section that list can show, each brought to the front
// as a user's click would and photographed. One step is one line of the
// table in tour_steps.cpp.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kvt::tools {

struct TourStep {
  const wchar_t* sheet;    // the sheet it belongs to ("document")
  const wchar_t* name;     // the picture's file name, without ".png"
  const wchar_t* caption;  // what the picture shows
  int page;                // 1-based page of the sheet
  WPARAM section;          // the settings list's item or entry; 0: the page as it is
  int combo;               // then a row chosen in this combo box of the page; 0: none
  int row;                 // the row
};

// The tour of sheet |sheet| ("document": the printing preferences), in
// the order a user would click through it; empty for a sheet without
// steps, whose pages the tour then shows as they open.
std::vector<TourStep> TourSteps(const std::wstring& sheet);

struct TourPicture {
  std::wstring file;     // the picture's path
  std::wstring caption;  // the step's caption
};

struct TourResult {
  int dpi = 0;  // the screen's, as the sheet's thread sees it
  std::vector<TourPicture> pictures;
  std::vector<std::wstring> failures;       // one line per step that could not be shown
  std::vector<std::wstring> layout_faults;  // with |check_layout|: "step: fault"
};

// Walks |steps| on |sheet| (on the sheet's own thread), writing one PNG of
// the sheet per step into |folder|; then a picture of every page no step
// named (a sheet with other pages than the table knows is still toured). A
// step fails when its page or section does not show or its picture is
// blank (every pixel of the page or section one colour). With
// |check_layout| every step's page and section are held to LayoutFaults.
TourResult RunTour(HWND sheet, const std::vector<TourStep>& steps, const std::wstring& folder,
                   bool check_layout);

// Tours the property sheet of the calling thread with the steps of sheet
// |sheet_name| and prints what it saw, one line each, as the tour script
// reads it ("tour screen: N DPI", "tour picture: FILE | CAPTION", "tour
// failed: ...", "layout fault: ..."). True when the tour went through: a
// picture or more, no step failed, no layout fault.
bool TourAndReport(const std::wstring& sheet_name, const std::wstring& folder, bool check_layout,
                   const std::function<void(const std::wstring&)>& print);

// True when every pixel of the RGB picture has the same colour (or it is
// empty).
bool IsOneColour(const std::vector<unsigned char>& rgb);

}  // namespace kvt::tools
