#include "catalogue/core/FolderAndTitle.h"

namespace catalogue {

void FolderAndTitle::SetFolder(std::string folder) {
  folder_ = std::move(folder);
  Changed();
}

void FolderAndTitle::SetTitle(std::string title) {
  title_ = std::move(title);
  Changed();
}

void FolderAndTitle::Changed() {
  for (const auto& listener : listeners_) {
    listener();
  }
}

}  // namespace catalogue
