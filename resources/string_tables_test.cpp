// Every text a user sees exists in English and in Japanese under the same
// id, and every string id the code names exists: read from the resource
// scripts themselves (each module's STRINGTABLE blocks and dialog
// templates per LANGUAGE) and
// from the sources' IDS_ names, so a gap shows before any build for
// Windows.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = KVT_SOURCE_DIR;

// The modules with string tables, by the resource scripts they are built from.
struct Module {
  const char* name;
  std::vector<fs::path> scripts;
};

std::vector<Module> Modules() {
  std::vector<fs::path> plugin;
  for (const auto& entry : fs::directory_iterator(kSource / "resources")) {
    if (entry.path().extension() == ".rc") plugin.push_back(entry.path());
  }
  return {{"KvtQvj2Ui", plugin},
          {"KvtQvj2Res2", {kSource / "package/KvtQvj2Res2.rc"}},
          {"KvtQvj2Utl", {kSource / "package/KvtQvj2Utl.rc"}},
          {"KvtQvj2Res", {kSource / "package/KvtQvj2Res.rc"}}};
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// NAME -> number of every "#define NAME 123" of the scripts' headers, and
// the header each comes from.
struct Defines {
  std::map<std::string, unsigned> values;
  std::map<std::string, std::string> header;
};

Defines ReadDefines() {
  Defines defines;
  static const std::regex kDefine(R"(^\s*#define\s+(\w+)\s+(\d+)\b)");
  for (const char* folder : {"resources", "package"}) {
    for (const auto& entry : fs::directory_iterator(kSource / folder)) {
      if (entry.path().extension() != ".h") continue;
      std::istringstream lines(ReadFile(entry.path()));
      for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, kDefine)) continue;
        defines.values[m[1]] = static_cast<unsigned>(std::stoul(m[2]));
        defines.header[m[1]] = entry.path().filename().string();
      }
    }
  }
  return defines;
}

// language name ("LANG_ENGLISH") -> ids of its string tables. Ids that
// name no number are kept as "?NAME".
using Tables = std::map<std::string, std::set<std::string>>;

Tables ReadTables(const Module& module, const Defines& defines) {
  Tables tables;
  static const std::regex kLanguage(R"(^\s*LANGUAGE\s+(\w+))");
  static const std::regex kEntry(R"(^\s*(\w+)\s*,?\s*\S)");
  static const std::regex kDialog(R"(^(\w+)\s+DIALOG(EX)?\b)");
  for (const fs::path& script : module.scripts) {
    std::istringstream lines(ReadFile(script));
    std::string language = "LANG_ENGLISH";  // windres's default
    int state = 0;                          // 1: after STRINGTABLE, 2: inside it
    for (std::string line; std::getline(lines, line);) {
      std::smatch m;
      if (std::regex_search(line, m, kLanguage)) language = m[1];
      // Dialog templates too: a page without its Japanese template would
      // come up in English.
      if (state == 0 && std::regex_search(line, m, kDialog)) {
        const auto value = defines.values.find(m[1]);
        tables[language].insert("dialog " + (value != defines.values.end()
                                                 ? std::to_string(value->second)
                                                 : "?" + m[1].str()));
      }
      const std::size_t first = line.find_first_not_of(" \t\r");
      if (first == std::string::npos || line.compare(first, 2, "//") == 0) continue;
      const std::string word = line.substr(first, line.find_first_of(" \t\r,", first) - first);
      if (state == 0 && word == "STRINGTABLE")
        state = 1;
      else if (state == 1 && (word == "BEGIN" || word == "{"))
        state = 2;
      else if (state == 2 && (word == "END" || word == "}"))
        state = 0;
      else if (state == 2 && std::regex_search(line, m, kEntry)) {
        const std::string id = m[1];
        const auto value = defines.values.find(id);
        const bool number = id.find_first_not_of("0123456789") == std::string::npos;
        tables[language].insert(number                          ? std::to_string(std::stoul(id))
                                : value != defines.values.end() ? std::to_string(value->second)
                                                                : "?" + id);
      }
    }
  }
  return tables;
}

TEST(StringTables, EveryIdExistsInEnglishAndJapanese) {
  const Defines defines = ReadDefines();
  for (const Module& module : Modules()) {
    const Tables tables = ReadTables(module, defines);
    for (const auto& [language, ids] : tables) {
      for (const std::string& id : ids) {
        EXPECT_EQ(id.find('?'), std::string::npos)
            << module.name << ": " << id << " names no number";
      }
      // A language-neutral table serves every language.
      if (language == "LANG_NEUTRAL") continue;
      for (const char* other : {"LANG_ENGLISH", "LANG_JAPANESE"}) {
        const auto found = tables.find(other);
        for (const std::string& id : ids) {
          EXPECT_TRUE(found != tables.end() && found->second.count(id) == 1)
              << module.name << ": id " << id << " of " << language << " has no " << other
              << " text";
        }
      }
    }
  }
}

// The module whose tables an IDS_ name belongs to, by the header that
// defines it.
const char* ModuleOf(const std::string& header) {
  if (header == "utility_ids.h") return "KvtQvj2Utl";
  if (header == "form_names.h") return "KvtQvj2Res";
  return "KvtQvj2Ui";
}

TEST(StringTables, EveryIdTheCodeNamesExists) {
  const Defines defines = ReadDefines();
  std::map<std::string, std::set<std::string>> module_ids;
  for (const Module& module : Modules()) {
    for (const auto& [language, ids] : ReadTables(module, defines)) {
      module_ids[module.name].insert(ids.begin(), ids.end());
    }
  }
  int named = 0;
  for (const char* folder : {"core", "oemui", "module", "package", "tools"}) {
    for (const auto& entry : fs::recursive_directory_iterator(kSource / folder)) {
      const std::string extension = entry.path().extension().string();
      if (extension != ".cpp" && extension != ".h") continue;
      const std::string text = ReadFile(entry.path());
      auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
      for (std::size_t at = text.find("IDS_"); at != std::string::npos;
           at = text.find("IDS_", at + 4)) {
        if (at > 0 && word(text[at - 1])) continue;
        std::size_t end = at;
        while (end < text.size() && word(text[end])) ++end;
        const std::string name = text.substr(at, end - at);
        const auto value = defines.values.find(name);
        if (value == defines.values.end()) continue;  // not a resource id (a local constant)
        ++named;
        const char* module = ModuleOf(defines.header.at(name));
        EXPECT_EQ(module_ids[module].count(std::to_string(value->second)), 1u)
            << entry.path().filename().string() << " loads " << name << " (" << value->second
            << "), which " << module << " has no text for";
      }
    }
  }
  EXPECT_GT(named, 100);  // the scan found the sources' names
}

}  // namespace
