#include "core/labelbook.h"

#include <cstdint>
#include <map>
#include <utility>

#include "core/pastlabels.h"

namespace morna {

namespace {

// Counts, into `report`, the labels that came and went between two lists,
// and whether the same labels now stand in another order.
void Compare(const std::vector<PostSlot>& before, const std::vector<PostSlot>& after,
             LabelReport& report) {
  std::map<std::string, int> count;
  for (const PostSlot& s : before) ++count[LabelKey(s)];
  for (const PostSlot& s : after) --count[LabelKey(s)];
  report.added = report.removed = 0;
  for (const auto& [key, n] : count) {
    if (n > 0) report.removed += n;
    else report.added -= n;
  }
  bool same = before.size() == after.size();
  for (std::size_t i = 0; same && i < before.size(); ++i)
    same = LabelKey(before[i]) == LabelKey(after[i]);
  report.reordered = !same && report.added == 0 && report.removed == 0;
}

// Whether file bytes hold anything but blanks and the end-of-file mark.
bool HoldsText(const std::string& bytes) {
  return bytes.find_first_not_of(" \t\r\n\x1a") != std::string::npos;
}

// Adds what a later take-in of outside changes came to.
void Absorb(OutsideChanges& into, OutsideChanges more) {
  into.read = more.read;
  into.changed = into.changed || more.changed;
  into.mergedCopies.insert(into.mergedCopies.end(), more.mergedCopies.begin(),
                           more.mergedCopies.end());
  if (more.keptCount > 0) {
    into.keptCount += more.keptCount;
    into.keptFile = std::move(more.keptFile);
    if (!more.keptResult.ok() || into.keptResult.ok()) into.keptResult = more.keptResult;
  }
}

}  // namespace

OpenReport LabelBook::Open(const std::string& path, int dataCnt) {
  OpenReport report;
  table_ = PostTable(dataCnt);
  named_ = path;
  file_.SetPath(path);
  report.loaded = file_.Load(table_);
  // Text without a single label is some other file the settings happen to
  // name: it is kept as it is, and the labels live beside it.
  if (report.loaded.ok() && table_.LabelCount() == 0 && file_.LastSeen() &&
      HoldsText(*file_.LastSeen())) {
    report.notALabelFile = path;
    table_ = PostTable(dataCnt);
    file_.SetPath(path + std::string(kLabelsBesideSuffix));
    report.loaded = file_.Load(table_);
  }
  mode_ = EditMode::None;
  return report;
}

int LabelBook::Room(const PopupLabel& popup) const { return PostRoom(table_, mode_, popup); }

void LabelBook::Sort(const PopupLabel& popup, DateTime now, LabelReport& report) {
  std::vector<PostSlot> past;
  PostDataSort(table_, mode_, popup, pastData_, now, &past);
  if (past.empty()) return;
  // No label removed as past goes without a copy: a clock that was wrong
  // for a moment must not cost labels for good.
  const FileResult kept = KeepPastLabels(file_.Path(), past);
  if (!kept.ok()) report.archiveResult = kept;
  report.archived.insert(report.archived.end(), past.begin(), past.end());
}

void LabelBook::TakeOut(const std::vector<PostSlot>& labels) {
  for (const PostSlot& label : labels) {
    for (int i = 0; i < table_.DataCnt(); ++i) {
      if (!table_.Slot(i).IsFree() && table_.Slot(i) == label) {
        table_.Slot(i).Clear();
        break;
      }
    }
  }
}

void LabelBook::PutIn(const std::vector<PostSlot>& labels, LabelReport& report) {
  if (labels.empty()) return;
  std::vector<PostSlot> all = LabelsOf(table_);
  all.insert(all.end(), labels.begin(), labels.end());
  const int before = table_.LabelCount();
  const std::vector<PostSlot> left = FillTable(table_, all);
  report.stored += table_.LabelCount() - before;
  if (left.empty()) return;
  report.keptCount = static_cast<int>(left.size());
  report.keptFile = file_.Path() + ".kept";
  report.keptResult = AppendLabelsToFile(report.keptFile, left, SIZE_MAX);
}

bool LabelBook::SaveInto(DateTime now, LabelReport& report) {
  const std::string keptAsBefore = file_.KeptAs();
  OutsideChanges outside;
  report.saveTried = true;
  report.saved = file_.Save(table_, now, &outside);
  if (file_.KeptAs() != keptAsBefore) report.keptAsideAs = file_.KeptAs();
  const bool merged = outside.changed;
  Absorb(report.outside, std::move(outside));
  return merged;
}

LabelReport LabelBook::Apply(const LabelChange& change, DateTime now) {
  LabelReport report;
  const std::vector<PostSlot> before = LabelsOf(table_);

  if (change.takeInOutside) {
    report.outside = file_.TakeInOutsideChanges(table_);
    if (!report.outside.changed && change.posts.empty() && change.labels.empty() &&
        change.remove.empty() && !change.deletePopupLabel && !change.switchTo && !change.dataCnt)
      return report;  // nothing new on disk, nothing asked: the file stays
  }
  if (change.switchTo && *change.switchTo != named_) {
    report.switchPath = *change.switchTo;
    report.switched = file_.SwitchTo(*change.switchTo, table_);
    if (report.switched->outcome != LabelFile::Switch::Refused) named_ = *change.switchTo;
    // A pending modify was of the other file's label.
    if (report.switched->outcome == LabelFile::Switch::Taken) mode_ = EditMode::None;
  }
  if (change.dataCnt) table_.Resize(*change.dataCnt);
  for (std::size_t i = 0; i < change.posts.size(); ++i) {
    // Only the first entry takes the place of the label being modified; the
    // others go to free slots, never over a label of this same change that
    // happens to look like the modified one.
    EditMode none = EditMode::None;
    if (PostDataSet(table_, i == 0 ? mode_ : none, change.posts[i], change.popup) >= 0)
      ++report.stored;
  }
  TakeOut(change.remove);
  PutIn(change.labels, report);
  if (change.deletePopupLabel) mode_ = EditMode::Delete;

  Sort(change.popup, now, report);
  // The save takes in what changed on disk meanwhile; the table is then
  // ordered again, as every change leaves it.
  if (SaveInto(now, report)) Sort(change.popup, now, report);
  Compare(before, LabelsOf(table_), report);
  return report;
}

LabelReport LabelBook::Order(const PopupLabel& popup, DateTime now) {
  LabelReport report;
  const std::vector<PostSlot> before = LabelsOf(table_);
  Sort(popup, now, report);
  Compare(before, LabelsOf(table_), report);
  return report;
}

LabelReport LabelBook::Save(DateTime now) {
  LabelReport report;
  const std::vector<PostSlot> before = LabelsOf(table_);
  SaveInto(now, report);
  Compare(before, LabelsOf(table_), report);
  return report;
}

}  // namespace morna
