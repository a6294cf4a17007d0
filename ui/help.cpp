#include "ui/help.h"

#include <QCoreApplication>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "ui/language.h"
#include "ui/look.h"

// The guide lives in this library's resources; a static library's resources
// are only linked in when something names them.
static void InitHelpResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(resources);
    return true;
  }();
  (void)done;
}

namespace morna::ui {

namespace {

class BrowserHelp : public HelpViewer {
 public:
  void ShowFirstTopic() override {
    if (!window_) {
      InitHelpResources();
      // Top level; closing it only hides it, Quit deletes it.
      window_ = new QTextBrowser;
      window_->setObjectName(QStringLiteral("HelpViewer"));
      window_->setWindowTitle(QCoreApplication::translate("Help", "Moranote ヘルプ"));
      window_->setWindowIcon(AppIcon());
      window_->setOpenExternalLinks(false);
      window_->resize(560, 620);
      window_->setSource(QUrl(HelpDocument()));
      // Escape closes it, as it closes the program's other windows.
      auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), window_);
      close->setObjectName(QStringLiteral("KeyClose"));
      QObject::connect(close, &QShortcut::activated, window_, &QWidget::close);
    }
    window_->scrollToAnchor(kHelpFirstTopic);
    window_->show();
    window_->raise();
    window_->activateWindow();
  }

  void Quit() override { delete window_.data(); }

  bool IsOpen() const override { return window_ && window_->isVisible(); }

 private:
  QPointer<QTextBrowser> window_;
};

}  // namespace

QString HelpDocument() {
  return CurrentLanguage() == UiLanguage::Japanese ? kHelpDocument
                                                    : QStringLiteral("qrc:/help/help_en.html");
}

HelpViewer* g_viewer = nullptr;

HelpViewer& Help() {
  static BrowserHelp help;
  return g_viewer ? *g_viewer : help;
}

void SetHelpViewer(HelpViewer* viewer) { g_viewer = viewer; }

}  // namespace morna::ui
