#include "ui/errors.h"

#include <QMessageBox>

namespace morna::ui {

namespace {

class BoxSink : public MessageSink {
 public:
  void Show(const QString& caption, const QString& text, BoxIcon icon) override {
    QMessageBox box;
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
      case BoxIcon::Error: box.setIcon(QMessageBox::Critical); break;
      case BoxIcon::Warning: box.setIcon(QMessageBox::Warning); break;
      case BoxIcon::Information: box.setIcon(QMessageBox::Information); break;
      case BoxIcon::None: break;
    }
    box.exec();
  }
};

BoxSink g_boxSink;
MessageSink* g_sink = nullptr;

}  // namespace

MessageSink& Messages() { return g_sink ? *g_sink : g_boxSink; }
void SetMessageSink(MessageSink* sink) { g_sink = sink; }

void GeneralErrorHandler(const QString& text) {
  Messages().Show(kAppTitle, text, BoxIcon::Error);
}

bool Guard(const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const Error& e) {
    GeneralErrorHandler(e.text());
  } catch (const std::exception& e) {
    GeneralErrorHandler(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    GeneralErrorHandler(QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace morna::ui
