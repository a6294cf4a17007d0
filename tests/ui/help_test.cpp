#include "ui/help.h"
#include "ui/language.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>

namespace morna::ui {
namespace {

QTextBrowser* FindViewer() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "HelpViewer") return qobject_cast<QTextBrowser*>(w);
  return nullptr;
}

TEST(HelpTest, OpensTheShippedGuideAtItsFirstTopicAndQuitCloses) {
  EXPECT_FALSE(Help().IsOpen());
  Help().Quit();  // nothing open: nothing happens

  Help().ShowFirstTopic();
  EXPECT_TRUE(Help().IsOpen());
  QPointer<QTextBrowser> viewer = FindViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_TRUE(viewer->windowTitle().contains("Moranote"));
  // The guide is compiled in, so it is found wherever the program runs.
  const QString text = viewer->toPlainText();
  for (const char* topic : {"Moranote とは", "Schedule-2", "ラベルウィンドウ", "アラームと音のファイル",
                            "通知領域のアイコンとメニュー", "二つのファイル"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;

  // Opened at the first topic, below the contents; scrolled away and opened
  // again: the same window, back there.
  const int first = viewer->verticalScrollBar()->value();
  EXPECT_GT(first, 0);
  viewer->verticalScrollBar()->setValue(viewer->verticalScrollBar()->maximum());
  Help().ShowFirstTopic();
  EXPECT_EQ(FindViewer(), viewer.data());
  EXPECT_EQ(viewer->verticalScrollBar()->value(), first);

  // Closed by the user: hidden, and shown again on request.
  viewer->close();
  EXPECT_FALSE(Help().IsOpen());
  Help().ShowFirstTopic();
  EXPECT_TRUE(Help().IsOpen());

  Help().Quit();
  EXPECT_FALSE(Help().IsOpen());
  EXPECT_TRUE(viewer.isNull());
  EXPECT_EQ(FindViewer(), nullptr);
}

// Under English the English guide opens, with the same topics to jump to.
TEST(HelpTest, EnglishGuideUnderEnglishWithTheSameAnchors) {
  UseLanguage(UiLanguage::English);
  Help().ShowFirstTopic();
  QTextBrowser* viewer = FindViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), "Moranote Help");
  EXPECT_TRUE(viewer->toPlainText().contains("About Moranote"));
  Help().Quit();
  RemoveTranslators();

  auto anchors = [](const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
    QStringList found;
    static const QRegularExpression id(QStringLiteral("id=\"([a-z]+)\""));
    for (const auto& m : id.globalMatch(QString::fromUtf8(f.readAll()))) found << m.captured(1);
    return found;
  };
  const QStringList japanese = anchors(QStringLiteral(":/help/help.html"));
  EXPECT_GE(japanese.size(), 10);
  EXPECT_EQ(anchors(QStringLiteral(":/help/help_en.html")), japanese);
}

}  // namespace
}  // namespace morna::ui
