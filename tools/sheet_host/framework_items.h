// The universal driver's own option items of a document's settings, as far
// as the plug-in reads or changes them: orientation, paper form, paper
// source and copies. The host owns them, as the framework owns its option
// item arrays; the plug-in gets them in OEMCUIPPARAM::pDrvOptItems.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/framework_abi.h"

namespace kvt::tools {

class FrameworkItems {
 public:
  // The form item offers the printer's forms (EnumFormsW) and, after them,
  // the package's roll-paper forms when the printer's list lacks them. Each
  // item's selection comes from |devmode|.
  FrameworkItems(HANDLE printer, const DEVMODEW& devmode);
  FrameworkItems(const FrameworkItems&) = delete;
  FrameworkItems& operator=(const FrameworkItems&) = delete;

  // The framework's own items.
  OPTITEM* items() { return items_.data(); }
  DWORD count() const { return framework_count_; }
  // Makes room for |count| items of the plug-in right after the framework's
  // own, as the framework lays out one tree for both, and answers the first
  // of them. Moves the items: take items() again afterwards.
  OPTITEM* AddPluginItems(DWORD count);
  // The whole tree: the framework's items, then the plug-in's.
  OPTITEM* tree() { return items_.data(); }
  WORD tree_count() const { return static_cast<WORD>(items_.size()); }
  const std::vector<std::wstring>& form_names() const { return form_names_; }

  // The item's name and its selection as text ("Landscape", "A4", "3").
  std::wstring SelectionText(const OPTITEM& item) const;
  // Writes the items' selections into the document's public device mode,
  // as the framework does when the sheet's result is OK.
  void ApplyTo(DEVMODEW* devmode) const;

 private:
  LPWSTR Keep(std::wstring text);
  void AddItem(const wchar_t* name, BYTE dmpub_id, BYTE type, std::vector<OPTPARAM> params,
               LONG selection);

  std::deque<std::wstring> texts_;  // a deque: the items point into it
  std::vector<std::wstring> form_names_;
  std::vector<std::vector<OPTPARAM>> params_;
  std::deque<OPTTYPE> types_;
  std::vector<OPTITEM> items_;
  DWORD framework_count_ = 0;
};

}  // namespace kvt::tools
