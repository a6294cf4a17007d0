// The ui tests run on Qt's offscreen platform inside one QApplication.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/calendarmodule.h"
#include "ui/fonts.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The fonts as the program sets them up, before any window asks for one.
  morna::ui::InstallFontStandIns();
  // The calendar library is linked in: no module to find beside this program.
  morna::ui::UseCalendarModule({&morna::ical::kFunctions, {}});
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
