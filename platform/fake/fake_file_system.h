// In-memory files and folders for tests. Paths are compared as given (no
// case folding); a file's folder is the part before its last backslash and
// must exist. Every append is recorded, so tests can tell records from
// banners and markers.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file_pattern.h"
#include "platform/file_system.h"
#include "platform/last_error.h"

namespace kvt {

class FakeFileSystem final : public FileSystem {
 public:
  struct FakeFile {
    std::string content;
    std::uint64_t last_write = 0;
    std::uint64_t size_override = 0;  // when non-zero, Size() reports this
  };
  struct Write {
    std::u16string path;
    std::string data;
  };

  static std::u16string ParentOf(std::u16string_view path) {
    const auto cut = path.rfind(u'\\');
    return std::u16string(cut == std::u16string_view::npos ? std::u16string_view()
                                                           : path.substr(0, cut));
  }

  // Adds |path| and every folder above it.
  void AddDirectory(const std::u16string& path) {
    for (std::size_t cut = path.find(u'\\'); cut != std::u16string::npos;
         cut = path.find(u'\\', cut + 1)) {
      directories.insert(path.substr(0, cut));
    }
    directories.insert(path);
  }
  FakeFile& AddFile(const std::u16string& path, std::string content, std::uint64_t last_write = 0) {
    FakeFile& file = files[path];
    file.content = std::move(content);
    file.last_write = last_write;
    return file;
  }
  bool Exists(const std::u16string& path) const { return files.count(path) != 0; }
  const std::string& Content(const std::u16string& path) { return files[path].content; }

  std::unique_ptr<File> OpenExclusive(std::u16string_view path) override {
    ++open_attempts;
    const std::u16string key(path);
    if (open_failures > 0 || (fail_open && fail_open(key))) {
      if (open_failures > 0) --open_failures;
      SetThreadLastError(32);  // ERROR_SHARING_VIOLATION
      return nullptr;
    }
    if (directories.count(ParentOf(key)) == 0 || directories.count(key) != 0) {
      SetThreadLastError(3);
      return nullptr;
    }
    files[key];
    return std::make_unique<FakeOpenFile>(this, key);
  }

  bool ReadPrefix(std::u16string_view path, std::size_t count, std::string* bytes) override {
    auto it = files.find(std::u16string(path));
    if (it == files.end() || unreadable.count(it->first) != 0) {
      SetThreadLastError(it == files.end() ? 2 : 32);
      return false;
    }
    *bytes = it->second.content.substr(0, count);
    return true;
  }

  bool IsDirectory(std::u16string_view path) override {
    return directories.count(std::u16string(path)) != 0;
  }

  bool MakeDirectory(std::u16string_view path) override {
    const std::u16string key(path);
    ++make_directory_calls;
    if (uncreatable.count(key) != 0 || directories.count(key) != 0 || files.count(key) != 0 ||
        directories.count(ParentOf(key)) == 0) {
      SetThreadLastError(directories.count(key) != 0 ? 183 : 3);
      return false;
    }
    directories.insert(key);
    return true;
  }

  bool Rename(std::u16string_view from, std::u16string_view to) override {
    renames.emplace_back(std::u16string(from), std::u16string(to));
    auto it = files.find(std::u16string(from));
    if (fail_rename || it == files.end() || files.count(std::u16string(to)) != 0) {
      SetThreadLastError(183);
      return false;
    }
    FakeFile moved = std::move(it->second);
    files.erase(it);
    files[std::u16string(to)] = std::move(moved);
    return true;
  }

  bool Delete(std::u16string_view path) override {
    deleted.emplace_back(path);
    if (delete_failures > 0) {  // held by a reader, as Windows refuses it
      --delete_failures;
      SetThreadLastError(32);
      return false;
    }
    if (files.erase(std::u16string(path)) == 0) {
      SetThreadLastError(2);
      return false;
    }
    return true;
  }

  std::vector<Entry> List(std::u16string_view folder, std::u16string_view pattern) override {
    std::vector<Entry> entries;
    const std::u16string prefix = std::u16string(folder) + u"\\";
    auto add = [&](const std::u16string& path, bool is_directory, std::uint64_t last_write) {
      if (path.compare(0, prefix.size(), prefix) != 0) return;
      const std::u16string name = path.substr(prefix.size());
      if (name.find(u'\\') != std::u16string::npos || !MatchesFilePattern(pattern, name)) return;
      entries.push_back(Entry{name, is_directory, last_write});
    };
    for (const auto& [path, file] : files) add(path, false, file.last_write);
    for (const auto& path : directories) add(path, true, 0);
    return entries;
  }

  bool GrantUsersFullAccess(std::u16string_view folder) override {
    granted.emplace_back(folder);
    return directories.count(std::u16string(folder)) != 0;
  }

  bool CommonAppDataFolder(std::u16string* folder) override {
    if (common_app_data.empty()) {
      SetThreadLastError(2);
      return false;
    }
    *folder = common_app_data;
    return true;
  }

  std::u16string common_app_data = u"C:\\ProgramData";
  std::map<std::u16string, FakeFile> files;
  std::set<std::u16string> directories;
  std::set<std::u16string> uncreatable;  // MakeDirectory fails for these
  std::set<std::u16string> unreadable;   // ReadPrefix fails for these
  std::vector<Write> writes;
  std::vector<std::u16string> deleted;
  std::vector<std::u16string> granted;
  std::vector<std::pair<std::u16string, std::u16string>> renames;
  int open_failures = 0;  // the next n opens fail as sharing violations
  std::function<bool(const std::u16string&)> fail_open;
  bool fail_rename = false;
  int delete_failures = 0;  // the next n deletions fail as sharing violations
  int open_attempts = 0;
  int make_directory_calls = 0;

 private:
  class FakeOpenFile final : public File {
   public:
    FakeOpenFile(FakeFileSystem* fs, std::u16string path) : fs_(fs), path_(std::move(path)) {}
    bool Size(std::uint64_t* size) override {
      const FakeFile& file = fs_->files[path_];
      *size = file.size_override != 0 ? file.size_override : file.content.size();
      return true;
    }
    bool Append(std::string_view data) override {
      fs_->files[path_].content.append(data);
      fs_->writes.push_back(Write{path_, std::string(data)});
      return true;
    }

   private:
    FakeFileSystem* fs_;
    std::u16string path_;
  };
};

}  // namespace kvt
