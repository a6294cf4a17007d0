// The modify/delete popup: its layout, how it is filled and centred, and a
// close request that only hides it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "ui/Ppost.h"
#include "ui/Ppsub.h"
#include "ui/codec.h"

namespace morna::ui {
namespace {

TEST(PopupTest, NamedControlsStandAtTheirPlaces) {
  TPstPsub popup;
  EXPECT_EQ(popup.size(), QSize(175, 120));
  EXPECT_TRUE(popup.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(popup.palette().color(QPalette::Window), ToQColor(14745599));
  struct Place { const char* name; QRect bounds; QString text; };
  const Place places[] = {
      {"Shape1", {0, 0, 175, 47}, {}},
      {"Shape2", {0, 45, 175, 75}, {}},
      {"PostDataTime", {2, 2, 105, 13}, QStringLiteral("0000/00/00 00:00")},
      {"PostMesg", {3, 15, 170, 26}, {}},
      {"Image1", {4, 50, 35, 35}, {}},
      {"Label2", {40, 52, 121, 12}, QStringLiteral("データの修正、削除を")},
      {"Label3", {40, 65, 69, 12}, QStringLiteral("行いますか?")},
      {"BtnMod", {10, 95, 40, 17}, QStringLiteral("修正")},
      {"BtnDel", {65, 95, 40, 17}, QStringLiteral("削除")},
      {"BtnCan", {120, 95, 40, 17}, QStringLiteral("ｷｬﾝｾﾙ")},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    auto* w = popup.findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), p.bounds);
    if (auto* label = qobject_cast<QLabel*>(w); label && !p.text.isEmpty()) {
      EXPECT_EQ(label->text(), p.text);
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      EXPECT_EQ(button->text(), p.text);
    }
  }
  EXPECT_EQ(popup.Lines(), (QStringList{QStringLiteral("この領域は、メモの情報を記"),
                                        QStringLiteral("録しておく領域です。")}));
  EXPECT_FALSE(popup.PostMesg->isReadOnly());
  // Tab goes Modify, Delete, Cancel, message.
  auto nextStop = [](QWidget* w) {
    do w = w->nextInFocusChain(); while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
  };
  EXPECT_EQ(nextStop(popup.BtnMod), popup.BtnDel);
  EXPECT_EQ(nextStop(popup.BtnDel), popup.BtnCan);
  EXPECT_EQ(nextStop(popup.BtnCan), popup.PostMesg);
  EXPECT_EQ(nextStop(popup.PostMesg), popup.BtnMod);

  // The question icon: transparent ground, a white balloon, a blue mark.
  const QImage icon = popup.Image1->pixmap().toImage();
  EXPECT_EQ(icon.size(), QSize(32, 32));
  EXPECT_EQ(qAlpha(icon.pixel(31, 0)), 0);
  bool white = false, blue = false;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const QColor c = icon.pixelColor(x, y);
      white |= c == QColor(Qt::white);
      blue |= c.alpha() == 255 && c.blue() > 200 && c.red() < 60 && c.green() < 60;
    }
  }
  EXPECT_TRUE(white);
  EXPECT_TRUE(blue);
}

TEST(PopupTest, ShowLabelCentresAndReplacesTheLabel) {
  TPstPsub popup;
  popup.ShowLabel(QStringLiteral("2000/12/16 09:37"), {"first", "second", "third"});
  popup.ShowLabel(QStringLiteral("    ToDo"), {QStringLiteral("買い物"), ""});
  ASSERT_TRUE(popup.isVisible());
  EXPECT_FALSE(popup.isModal());
  const QSize screen = QGuiApplication::primaryScreen()->size();
  EXPECT_EQ(popup.pos(), QPoint((screen.width() - 175) / 2, (screen.height() - 120) / 2));
  // An empty last line survives the trip through the box.
  EXPECT_EQ(popup.Lines(), (QStringList{QStringLiteral("買い物"), ""}));
  const PopupLabel label = popup.Label();
  EXPECT_EQ(label.Caption, "    ToDo");
  EXPECT_EQ(label.Lines, (std::vector<std::string>{"\x94\x83\x82\xa2\x95\xa8", ""}));

  popup.ShowLabel(QStringLiteral("2000/12/16 09:37"), {});
  EXPECT_TRUE(popup.Lines().isEmpty());
}

TEST(PopupTest, TabInTheMessageMovesOnAndLeavesTheLabelAlone) {
  TPstPsub popup;
  popup.ShowLabel(QStringLiteral("2030/06/20 09:00"), {"one"});
  QApplication::processEvents();
  popup.PostMesg->setFocus();
  QTest::keyClick(popup.PostMesg, Qt::Key_Tab);
  EXPECT_EQ(popup.Lines(), QStringList{"one"});
  EXPECT_EQ(QApplication::focusWidget(), popup.BtnMod);
}

TEST(PopupTest, ACloseRequestOnlyHidesItAndKeepsTheLabel) {
  QPointer<TPstPsub> popup = new TPstPsub;
  popup->ShowLabel(QStringLiteral("2030/06/20 09:00"), {"one"});
  popup->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(popup.isNull());
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(popup->Caption(), QStringLiteral("2030/06/20 09:00"));
  EXPECT_EQ(popup->Lines(), QStringList{"one"});
  popup->ShowLabel(QStringLiteral("2030/06/21 09:00"), {"two"});
  EXPECT_TRUE(popup->isVisible());
  delete popup.data();
}

TEST(MemoLinesTest, LinesReadBackAsWritten) {
  QPlainTextEdit memo;
  const QStringList cases[] = {{}, {""}, {"a"}, {"a", "b"}, {"a", ""}, {"", "b"}, {"a", "", ""}};
  for (const QStringList& lines : cases) {
    SetMemoLines(&memo, lines);
    EXPECT_EQ(MemoLines(&memo), lines) << lines.join('|').toStdString();
  }
}

}  // namespace
}  // namespace morna::ui
