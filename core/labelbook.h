// The owner of the labels: the table, its data file, the pending edit of the
// popup's label and the kept copies of labels that leave. Every change of
// the labels, whoever asks for it (the registration window, the settings
// dialog, a change of the file from outside, the command line, an import),
// goes through Apply, which carries it out, orders the table, keeps what
// leaves as past, saves (merging what changed on disk since the file was
// last read or written) and reports what changed. Windows only draw the
// report.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/labelfile.h"
#include "core/posttable.h"
#include "core/result.h"

namespace morna {

// Added to the name of a file that holds text but no label: the labels of
// the run are kept there instead of over the user's file.
inline constexpr std::string_view kLabelsBesideSuffix = ".labels";

// One change of the labels.
struct LabelChange {
  // The label the pending edit is about (the modify/delete popup's label).
  PopupLabel popup;
  // Entries stored in order, each in the first free slot; with a pending
  // modify the first one takes the place of the label being modified.
  std::vector<PostEntry> posts;
  // The popup's label is deleted.
  bool deletePopupLabel = false;
  // Labels put in as they are (an import, the command line), each in the
  // first free slot; what does not fit is appended to "<file>.kept".
  std::vector<PostSlot> labels;
  // Labels taken out as they are (deleted on a calendar server): for each,
  // one label equal to it, when the table holds one. Done before `labels`
  // are put in.
  std::vector<PostSlot> remove;
  // Another label file to be used (the settings dialog named one).
  std::optional<std::string> switchTo;
  // The table follows a new DataCnt without losing a label.
  std::optional<int> dataCnt;
  // A change of the file made from outside is taken in first.
  bool takeInOutside = false;
};

// What a change came to.
struct LabelReport {
  int stored = 0;                   // posts and labels stored
  int added = 0, removed = 0;       // labels that came and went, against before
  bool reordered = false;           // the same labels in another order
  // Labels removed as past, appended to "<file>.past".
  std::vector<PostSlot> archived;
  FileResult archiveResult;
  // Labels put in that did not fit the table, appended to keptFile.
  int keptCount = 0;
  std::string keptFile;
  FileResult keptResult;
  // What taking in the file's outside changes came to (on request, and
  // before every save).
  OutsideChanges outside;
  // Another label file named: the outcome and the path tried.
  std::optional<LabelFile::SwitchResult> switched;
  std::string switchPath;
  // The save, and where an unreadable file was moved aside by it.
  bool saveTried = false;
  FileResult saved;
  std::string keptAsideAs;

  bool Changed() const { return added > 0 || removed > 0 || reordered; }
};

// What opening the label file came to.
struct OpenReport {
  FileResult loaded;
  // The file named holds text but no label: it is left as it is, and the
  // labels are read from and saved to the file beside it.
  std::string notALabelFile;
};

class LabelBook {
 public:
  explicit LabelBook(int dataCnt = 30) : table_(dataCnt) {}

  const PostTable& Table() const { return table_; }
  // The table itself, for a start-up that fills it and for tests; a change
  // that must reach the file goes through Apply.
  PostTable& Table() { return table_; }
  const LabelFile& File() const { return file_; }
  const std::string& Path() const { return file_.Path(); }

  EditMode Mode() const { return mode_; }
  void SetMode(EditMode mode) { mode_ = mode; }

  // PastData of the settings: labels whose time has gone are removed.
  void SetPastData(int pastData) { pastData_ = pastData; }

  // Reads the label file at `path` into a fresh table of `dataCnt` slots.
  // A file that holds text but no label is never written over: the labels
  // are read from and kept in "<path>.labels" instead (OpenReport says so).
  OpenReport Open(const std::string& path, int dataCnt);

  // How many entries a post can still store: the free slots, plus the slot
  // of the label being modified.
  int Room(const PopupLabel& popup) const;

  // Whether the file may have changed from outside (cheap: reads no file).
  bool MayHaveChanged() const { return file_.MayHaveChanged(); }

  // The one door for a change: carries `change` out, orders the table (a
  // pending delete and past labels go; the past ones are kept in
  // "<file>.past"), saves, and says what changed. A save that fails keeps
  // the table as it is and reports the reason. A change taken in from
  // outside that changes nothing saves nothing.
  LabelReport Apply(const LabelChange& change, DateTime now);

  // Orders the table as Apply does, without saving (start-up).
  LabelReport Order(const PopupLabel& popup, DateTime now);

  // Saves the table as it stands (End), merging what changed on disk; the
  // table is not ordered again.
  LabelReport Save(DateTime now);

 private:
  void Sort(const PopupLabel& popup, DateTime now, LabelReport& report);
  // Saves; returns whether the save merged outside changes into the table.
  bool SaveInto(DateTime now, LabelReport& report);
  void PutIn(const std::vector<PostSlot>& labels, LabelReport& report);
  void TakeOut(const std::vector<PostSlot>& labels);

  PostTable table_;
  LabelFile file_;
  std::string named_;  // the file the settings name (file_ may be the one beside it)
  EditMode mode_ = EditMode::None;
  int pastData_ = 0;
};

}  // namespace morna
