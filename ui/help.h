// The user's guide, opened from the popup menu and closed at program end.
#pragma once

#include <QString>

namespace morna::ui {

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void ShowFirstTopic() = 0;  // open the guide at its first topic
  virtual void Quit() = 0;            // close it if open
  virtual bool IsOpen() const = 0;
};

// A viewer window for the guide shipped with the program.
HelpViewer& Help();

}  // namespace morna::ui
