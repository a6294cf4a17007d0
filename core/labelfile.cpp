#include "core/labelfile.h"

#include <utility>

#include "core/datafile.h"
#include "core/files.h"
#include "core/platform.h"

namespace morna {

void LabelFile::SetPath(std::string path) {
  if (path == path_) return;
  path_ = std::move(path);
  // The unreadable file stays where it is; only a new name is written.
  mustKeepAside_ = false;
  lastSeen_.reset();
}

FileResult LabelFile::Load(PostTable& table) {
  std::string bytes;
  const platform::ReadResult read = platform::ReadRegularFile(path_, bytes);
  FileResult result;
  if (read.missing) {
    result = FileResult::NotThere();
    bytes.clear();
  } else if (read.error != 0) {
    result = FileResult::Fail(SystemMessage(read.error));
  } else {
    result = ParsePostData(bytes, table);
  }
  loadFailed_ = !result.ok();
  // A missing folder leaves nothing to keep aside, but neither does keeping
  // aside harm: KeepAside does nothing where there is no file.
  mustKeepAside_ = loadFailed_;
  if (loadFailed_) lastSeen_.reset();
  else lastSeen_ = std::move(bytes);
  return result;
}

FileResult LabelFile::Save(const PostTable& table, DateTime now) {
  if (mustKeepAside_) {
    const FileResult kept = KeepAside(path_, now, &keptAs_);
    if (!kept.ok()) return kept;
    mustKeepAside_ = false;
  }
  std::string bytes = FormatPostData(table);
  const FileResult saved = SaveWholeFile(path_, bytes);
  if (saved.ok()) lastSeen_ = std::move(bytes);
  return saved;
}

}  // namespace morna
