// The icon's menu items for calendar files: 「iCalendarに書き出す...」 writes
// every label to an iCalendar file, 「iCalendarを読み込む...」 adds the events
// and to-dos of one. The import goes the registration window's road for a
// change of the labels, so its windows follow at once.
#pragma once

#include "ui/commands.h"

namespace morna::ui {

class TPstMain;

// The running program's registration window as the target of a command:
// a change goes through TPstMain::ChangeLabels and keeps what is typed in
// the entry; room counts the popup's pending modify as the window does.
class MainTarget : public CommandTarget {
 public:
  explicit MainTarget(TPstMain& main) : main_(main) {}
  const PostTable& Table() const override;
  int Room() const override;
  LabelReport Apply(const LabelChange& change) override;
  std::string LabelPath() const override;

 private:
  TPstMain& main_;
};

// The window's clock, the system's zone and the warning minutes of its
// settings.
CommandSettings CommandSettingsOf(TPstMain& main);

// Asks for a file (the save dialog) and writes every label to it. A file
// that cannot be written, and labels left out, are told in a box.
void IcsExportClick(TPstMain& main);

// Asks for a file (the open dialog), adds what it holds and tells in one box
// how many labels were added, were there already, were past, had characters
// replaced and were kept aside; a refused file is told with the reason.
void IcsImportClick(TPstMain& main);

}  // namespace morna::ui
