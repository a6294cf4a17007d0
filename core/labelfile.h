// The label data file as the program uses it: where it is, what was last
// read from or written to it, and whether it must be kept aside before it is
// written over. The registration window holds one and only shows its errors.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "core/posttable.h"
#include "core/result.h"

namespace morna {

// The labels of a table in slot order, free slots left out.
std::vector<PostSlot> LabelsOf(const PostTable& table);

// Puts `labels` into the table in their order, the table emptied first and
// grown as a load grows it (never past 50 slots). Returns the labels that
// did not fit.
std::vector<PostSlot> FillTable(PostTable& table, const std::vector<PostSlot>& labels);

// Three-way merge of label lists. A label is its date-time text with its
// message lines; each list counts as a multiset of labels. `base` is what
// both sides started from (what was last read or written), `theirs` what is
// on disk now, `ours` the table. What either side added is kept, what either
// side removed goes; the same label added on both sides is kept once, and
// removed on both sides goes once. A label changed on one side is that
// side's removal of the old label and addition of the new one. The result
// keeps ours in its order, then what theirs added, in theirs' order.
std::vector<PostSlot> MergeLabels(const std::vector<PostSlot>& base,
                                  const std::vector<PostSlot>& theirs,
                                  const std::vector<PostSlot>& ours);

// Whether `name` (a bare file name) is a conflict copy that a sync client
// left beside the data file named `dataName`: Syncthing's
// "<stem>.sync-conflict-YYYYMMDD-HHMMSS-XXXXXXX<ext>", Nextcloud's
// "<stem> (conflicted copy YYYY-MM-DD HHMMSS)<ext>" and Dropbox's
// "<stem> (NAME's conflicted copy YYYY-MM-DD)<ext>".
bool IsConflictCopyName(std::string_view name, std::string_view dataName);

// What taking in the outside changes of the file came to.
struct OutsideChanges {
  // Failed: the file is there but could not be read now (a sync client may
  // be writing it); nothing was taken, and the next check tries again.
  FileResult read;
  bool changed = false;                   // the table took in labels or lost some
  std::vector<std::string> mergedCopies;  // conflict copies merged, as now named
  int keptCount = 0;                      // labels that did not fit the table ...
  std::string keptFile;                   // ... appended to this file
  FileResult keptResult;                  // and whether that worked
};

class LabelFile {
 public:
  LabelFile() = default;
  explicit LabelFile(std::string path) : path_(std::move(path)) {}

  // The file's native path.
  const std::string& Path() const { return path_; }
  // Names another file: what was seen of the old one no longer counts.
  void SetPath(std::string path);

  // Reads the file into the empty `table` (ParsePostData). A missing file in
  // an existing folder leaves the table empty and reports Missing (not an
  // error); a missing folder, or a file that cannot be read or is no regular
  // file (a FIFO is never waited on), leaves it empty and reports Failed
  // with the system's text. A file that is there but could not be read whole
  // is remembered: before it is first written over it is moved aside, since
  // the table lacks some or all of its labels.
  FileResult Load(PostTable& table);

  // Writes the table. An unreadable file found by Load is first moved aside
  // (KeepAside, named after `now` when ".bak" to ".bak99" are taken); when
  // that fails, nothing is written and its reason is returned. A change
  // made on disk since the file was last read or written is never written
  // over: it is first merged into `table` (TakeInOutsideChanges, told in
  // `outside`). A table whose bytes are those on disk is not written again.
  FileResult Save(PostTable& table, DateTime now, OutsideChanges* outside = nullptr);

  // Makes the file at `path` the label file, as when the user names another
  // one. A file that is there and holds labels (or nothing at all) is taken:
  // its labels replace the table's, which stay in the old file as it was
  // last written. A name with no file yet is taken with the table as it is,
  // for the next save to write. A file that cannot be read whole, or that
  // holds text but no label, is refused with the reason, and nothing
  // changes.
  enum class Switch { Taken, NewFile, Refused };
  // Why a file was refused: it could not be read (the system's text), or it
  // holds text but no label.
  enum class Refusal { None, Unreadable, NotALabelFile };
  struct SwitchResult {
    Switch outcome = Switch::Refused;
    Refusal refusal = Refusal::None;
    std::string reason;  // for Unreadable: the system's text
  };
  SwitchResult SwitchTo(std::string path, PostTable& table);

  // Whether the file may have changed from outside since it was last read
  // or written (its size, time or identity differ), or a sync client's
  // conflict copy stands beside it. Cheap: reads no file.
  bool MayHaveChanged() const;

  // Merges what changed on disk since the file was last read or written
  // into `table` (MergeLabels: base = the bytes last seen, theirs = the file
  // now, ours = the table), then the labels of any conflict copy beside it
  // (as additions against the base), each such copy then renamed with
  // ".merged" appended so that it is taken in once and never lost. Labels
  // beyond what the table can hold are appended to "<file>.kept". Before
  // the file was first read or written, or after it could not be read,
  // nothing is merged.
  OutsideChanges TakeInOutsideChanges(PostTable& table);

  // The last Load failed (the flag stays after the file was kept aside).
  bool LoadFailed() const { return loadFailed_; }
  // Where the unreadable file was moved; empty until then.
  const std::string& KeptAs() const { return keptAs_; }
  // The bytes last read from or written to the file ("" for a file that did
  // not exist); nothing before the first load or save, or after a load that
  // failed.
  const std::optional<std::string>& LastSeen() const { return lastSeen_; }

 private:
  std::string path_;
  bool loadFailed_ = false;
  bool mustKeepAside_ = false;
  std::string keptAs_;
  std::optional<std::string> lastSeen_;
  struct Stamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t time = 0;
    std::uint64_t device = 0, inode = 0;
    bool operator==(const Stamp&) const = default;
  };
  Stamp StampNow() const;
  std::vector<std::string> ConflictCopies() const;
  void Seen(std::string bytes);
  Stamp lastStamp_;
};

}  // namespace morna
