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

// A viewer window for the guide shipped with the program (compiled in as
// the resource HelpDocument()): a top-level QTextBrowser named "HelpViewer".
HelpViewer& Help();
// Replaces the viewer (tests); nullptr restores the program's own.
void SetHelpViewer(HelpViewer* viewer);

inline const QString kHelpDocument = QStringLiteral("qrc:/help/help.html");
// The guide in the language in use: kHelpDocument, or the English one.
QString HelpDocument();
// The anchor of the guide's first topic.
inline const QString kHelpFirstTopic = QStringLiteral("about");

}  // namespace morna::ui
