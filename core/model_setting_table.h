// ModelSettingTable: which values of the model-limited record fields each
// printer model supports.
//
// Each list is a sequence of model entries. The entry for a printer is the
// first whose model name matches the beginning of the printer's driver name,
// without regard to case; when none does (or the name is unknown) the first
// entry stands in, so a driver renamed by an OEM still gets sane limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kvt {

struct ModelValuePair {
  std::uint32_t dwValue;
  std::uint32_t dwEnabled;  // 1: the value is allowed
};

// One model's allowed values for one field.
struct ModelValueList {
  const char16_t* szModelName;
  const ModelValuePair* pPairs;
  std::uint32_t dwCount;
};

// The model entries of one field, in lookup order.
struct ModelEntries {
  const ModelValueList* pEntries;
  std::size_t count;
};

struct ModelSettingTable {
  ModelEntries headDrive;  // byHeadDrive
  ModelEntries preset;     // byPreset
  ModelEntries reduction;  // byReduction
};

// The models this driver knows ("KVT QV-J27").
const ModelSettingTable& DefaultModelSettingTable();

// True when |driver_name| begins with |model_name|, comparing ASCII letters
// without regard to case (model names are ASCII).
bool DriverNameMatchesModel(std::u16string_view driver_name, std::u16string_view model_name);

// The first entry whose model name matches |driver_name|, else the first
// entry; null only for a list without entries. Works for any entry type that
// has a szModelName, so the page tables can share the rule.
template <class Entry>
const Entry* SelectModelEntry(const Entry* entries, std::size_t count,
                              std::u16string_view driver_name) {
  if (entries == nullptr || count == 0) return nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t* name = entries[i].szModelName;
    if (name != nullptr && DriverNameMatchesModel(driver_name, name)) return &entries[i];
  }
  return &entries[0];
}

inline const ModelValueList* SelectModelEntry(const ModelEntries& list,
                                              std::u16string_view driver_name) {
  return SelectModelEntry(list.pEntries, list.count, driver_name);
}

// True when |list| holds |value| with enabled = 1. A null list allows nothing.
bool IsAllowed(const ModelValueList* list, std::uint32_t value);

}  // namespace kvt
