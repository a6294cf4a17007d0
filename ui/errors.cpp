#include "ui/errors.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>

namespace morna::ui {

namespace {

QMessageBox::Icon BoxIconOf(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

class BoxSink : public MessageSink {
 public:
  void Show(const QString& caption, const QString& text, BoxIcon icon) override {
    QMessageBox box;
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(BoxIconOf(icon));
    box.exec();
  }

  void Tell(const QString& caption, const QString& text, BoxIcon icon, QObject* context,
            std::function<void()> closed) override {
    // A report that stands or waits already is not stacked a second time;
    // one whose closing someone waits for always comes.
    auto same = [&](const Told& t) { return t.caption == caption && t.text == text; };
    if (!closed && ((standing_ && same(standingTold_)) ||
                    std::any_of(waiting_.begin(), waiting_.end(), same)))
      return;
    waiting_.push_back({caption, text, icon, context, context != nullptr, std::move(closed)});
    if (!standing_) ShowNext();
  }

 private:
  struct Told {
    QString caption, text;
    BoxIcon icon = BoxIcon::None;
    QPointer<QObject> context;
    bool hasContext = false;
    std::function<void()> closed;
    bool Gone() const { return hasContext && !context; }
  };

  void ShowNext() {
    while (!standing_ && !waiting_.empty()) {
      Told told = std::move(waiting_.front());
      waiting_.pop_front();
      if (told.Gone()) continue;  // its owner went away meanwhile
      auto* box = new QMessageBox(BoxIconOf(told.icon), told.caption, told.text, QMessageBox::Ok);
      box->setObjectName(QStringLiteral("Report"));
      box->setWindowModality(Qt::NonModal);
      box->setAttribute(Qt::WA_DeleteOnClose);
      QObject::connect(box, &QDialog::finished, box, [this] {
        const Told done = standingTold_;
        standingTold_ = {};
        if (done.closed && !done.Gone()) done.closed();
      });
      // The next report once this one is gone (closed, or taken down with
      // its owner); from the event loop, not from inside the box's end.
      QObject::connect(box, &QObject::destroyed, [this] { QTimer::singleShot(0, [this] { ShowNext(); }); });
      if (told.context) QObject::connect(told.context.data(), &QObject::destroyed, box, &QObject::deleteLater);
      standingTold_ = std::move(told);
      standing_ = box;
      box->show();
    }
  }

  std::deque<Told> waiting_;
  Told standingTold_;
  QPointer<QMessageBox> standing_;
};

BoxSink g_boxSink;
MessageSink* g_sink = nullptr;

}  // namespace

MessageSink& Messages() { return g_sink ? *g_sink : g_boxSink; }
void SetMessageSink(MessageSink* sink) { g_sink = sink; }

void GeneralErrorHandler(const QString& text) {
  Messages().Show(kAppTitle, text, BoxIcon::Error);
}

void TellError(const QString& text, QObject* context, std::function<void()> closed) {
  Messages().Tell(kAppTitle, text, BoxIcon::Error, context, std::move(closed));
}

namespace {

bool GuardWith(const std::function<void()>& body, const std::function<void(const QString&)>& tell) {
  try {
    body();
    return true;
  } catch (const Error& e) {
    tell(e.text());
  } catch (const std::exception& e) {
    tell(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    tell(QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace

bool Guard(const std::function<void()>& body) {
  return GuardWith(body, [](const QString& text) { GeneralErrorHandler(text); });
}

bool GuardTelling(const std::function<void()>& body, QObject* context) {
  return GuardWith(body, [context](const QString& text) { TellError(text, context); });
}

}  // namespace morna::ui
