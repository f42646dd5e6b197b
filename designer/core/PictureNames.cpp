#include "designer/core/PictureNames.h"

#include <filesystem>
#include <map>

#include "designer/core/ElementSchema.h"
#include "designer/core/RecordFields.h"
#include "platform/text/Cp932.h"

namespace designer {

std::string PictureNameForStyle(const std::string& picture, const std::string& folder) {
  std::filesystem::path file(picture);
  std::filesystem::path base(folder);
  if (!file.is_absolute() || !base.is_absolute()) {
    return picture;
  }
  std::filesystem::path relative =
      file.lexically_normal().lexically_relative(base.lexically_normal());
  if (relative.empty() || relative == "." || *relative.begin() == "..") {
    return picture;  // elsewhere, or the folder itself
  }
  return relative.string();
}

namespace {

// The edit renaming every image element's picture by `rename` (UTF-8 in,
// UTF-8 out); a name the file's code page cannot hold is left.
template <typename Rename>
std::optional<StyleEdit> RenamePictures(const StyleDocument& document, Rename rename,
                                        std::string description) {
  std::map<int, std::string> texts;
  for (int line = 1; line < document.PageEnd(); ++line) {
    if (KindOfLine(document.Text(line)) != ElementKind::Image) {
      continue;
    }
    RecordFields fields(document.Text(line));
    std::string name = platform::Cp932ToUtf8(fields.Get(kPictureField));
    std::string kept = rename(name);
    std::string stored = platform::Utf8ToCp932(kept);
    if (kept != name && platform::Cp932ToUtf8(stored) == kept) {
      fields.Set(kPictureField, stored);
      texts[line] = fields.Join();
    }
  }
  if (texts.empty()) {
    return std::nullopt;
  }
  StyleEdit edit;
  edit.index = texts.begin()->first;
  for (int i = texts.begin()->first; i <= texts.rbegin()->first; ++i) {
    StyleLine line = document.Lines()[static_cast<std::size_t>(i)];
    edit.removed.push_back(line);
    if (auto changed = texts.find(i); changed != texts.end()) {
      line.text = changed->second;
    }
    edit.inserted.push_back(std::move(line));
  }
  edit.description = std::move(description);
  return edit;
}

}  // namespace

std::optional<StyleEdit> PicturesRelativeTo(const StyleDocument& document,
                                            const std::string& folder) {
  return PicturesForSaveIn(document, std::string(), folder);
}

std::optional<StyleEdit> PicturesForSaveIn(const StyleDocument& document,
                                           const std::string& readFrom, const std::string& folder) {
  return RenamePictures(
      document,
      [&](const std::string& name) {
        std::filesystem::path file(name);
        if (name.empty() || (!file.is_absolute() && (readFrom.empty() || readFrom == folder))) {
          return name;  // saved where it was read: a relative name still holds
        }
        std::string whole =
            file.is_absolute()
                ? name
                : (std::filesystem::path(readFrom) / file).lexically_normal().string();
        return PictureNameForStyle(whole, folder);
      },
      "画像ファイル名をスタイルのフォルダーからの名前に");
}

std::optional<StyleEdit> PicturesNamedWhole(const StyleDocument& document,
                                            const std::string& folder) {
  return RenamePictures(
      document,
      [&](const std::string& name) {
        std::filesystem::path file(name);
        if (name.empty() || file.is_absolute()) {
          return name;
        }
        return (std::filesystem::path(folder) / file).lexically_normal().string();
      },
      "画像ファイル名を完全な名前に");
}

}  // namespace designer
