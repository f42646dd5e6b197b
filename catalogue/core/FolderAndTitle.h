#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace catalogue {

// The folder whose documents the list holds and the report's title (both
// UTF-8, as the user sees them), kept by the main window: the folder dialog
// sets the folder when its scan has written the list, the title dialog sets
// the title, the labels show them and the print window binds them into the
// tags "#FL" and "#T". An empty folder means none is chosen yet.
class FolderAndTitle {
 public:
  FolderAndTitle() = default;
  FolderAndTitle(std::string folder, std::string title)
      : folder_(std::move(folder)), title_(std::move(title)) {}

  const std::string& Folder() const { return folder_; }
  const std::string& Title() const { return title_; }
  void SetFolder(std::string folder);
  void SetTitle(std::string title);

  // `changed` is called after every change, for as long as the state lives.
  void OnChange(std::function<void()> changed) { listeners_.push_back(std::move(changed)); }

 private:
  void Changed();

  std::string folder_;
  std::string title_;
  std::vector<std::function<void()>> listeners_;
};

}  // namespace catalogue
